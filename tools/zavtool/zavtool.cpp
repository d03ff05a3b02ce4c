#include "zavtool.h"

#include <QCommandLineParser>
#include <QStringList>
#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>

#include "command_table.h"
#include "commands.h"
#include "iface/version.h"
#include "model/group.h"
#include "model/memory_image.h"

namespace zav::tool {

namespace {

bool takes(const CommandInfo& c, const OptionInfo& o) {
    return (c.options & o.flags) != 0;
}

bool mustGive(const CommandInfo& c, const OptionInfo& o) {
    return (c.options & o.required) != 0;
}

std::string optionWords(const OptionInfo& o) {
    std::string words = "--" + std::string(o.name);
    if (!o.value.empty()) words += " " + std::string(o.value);
    return words;
}

std::string usageLine(const CommandInfo& c) {
    std::string line(c.name);
    for (const OptionInfo& o : kOptions) {
        if (!takes(c, o)) continue;
        line += mustGive(c, o) ? " " + optionWords(o) : " [" + optionWords(o) + "]";
        if (o.name == "port" && (c.options & kFleetOption) != 0)
            line += " [" + optionWords(o) + " ...]";
    }
    if (!c.argument.empty()) line += " " + std::string(c.argument);
    return line;
}

void printHelp(std::ostream& out) {
    out << "usage: zavtool [--verbose] [--trace FILE] COMMAND [OPTIONS] ARGS\n"
           "       zavtool COMMAND --help     the command's options\n"
           "       zavtool --version\n\ncommands:\n";
    for (const CommandInfo& c : kCommands)
        out << "  " << usageLine(c) << "\n      " << c.summary << "\n";
    out << "\n--trace FILE writes every byte on the radio's line, with its time, direction and\n"
           "line speed, to FILE (a serial trace for support).\n"
           "--verbose writes the steps of the link, the operations and the files to stderr.\n";
    out << "\n" << kOptionForms << "\n" << kExitStatus;
}

void printCommandHelp(const CommandInfo& c, std::ostream& out) {
    out << "usage: zavtool " << usageLine(c) << "\n" << c.summary << "\n\noptions:\n";
    const auto row = [&out](std::string words, std::string_view help) {
        words.resize(std::max<std::size_t>(words.size() + 2, 18), ' ');
        out << "  " << words << help << "\n";
    };
    for (const OptionInfo& o : kOptions)
        if (takes(c, o)) row(optionWords(o), o.help);
    row("-h, --help", "show this help");
    if (!c.details.empty()) out << "\n" << c.details;
    out << "\n" << kOptionForms << "\n" << kExitStatus;
}

// The parser takes every word as Latin-1, one character per byte, and its words go back
// to the very bytes given: a file name need not be UTF-8 (a Latin-1 "caf\xe9.frq" would
// otherwise name another file).
QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string bytes(const QString& word) {
    return word.toLatin1().toStdString();
}

std::optional<int> number(const QString& text, int low, int high) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < low || n > high) return std::nullopt;
    return n;
}

// The fleet options (several ports, unit numbers, one file per radio) into `o`.
std::optional<std::string> takeFleetOptions(const QCommandLineParser& parser,
                                            const std::function<bool(std::string_view)>& given,
                                            Options& o) {
    if (given("ani-from")) {
        const QString text = parser.value(QStringLiteral("ani-from"));
        const bool digits = !text.isEmpty() && text.size() <= kIdDigits &&
                            std::ranges::all_of(text, [](QChar ch) { return ch.isDigit(); });
        if (!digits) return std::string("--ani-from takes a unit number of up to seven digits");
        const auto first = static_cast<std::uint32_t>(text.toULong());
        if (first + o.ports.size() - 1 > kLastUnitNumber)
            return "--ani-from " + bytes(text) + " leaves no seven-digit number for radio " +
                   std::to_string(o.ports.size());
        o.units = FleetUnits{first, {}};
    }
    if (given("ani-groups")) {
        if (!o.units) return std::string("--ani-groups needs --ani-from");
        const auto groups = parseGroupList(bytes(parser.value(QStringLiteral("ani-groups"))));
        if (!groups)
            return std::string(
                "--ani-groups takes group numbers 1 to 15, each named once, such as 1,3,5-7");
        o.units->groups = *groups;
    }
    if (given("output-pattern")) {
        o.outputPattern = bytes(parser.value(QStringLiteral("output-pattern")));
        if (o.ports.size() > 1 && o.outputPattern.find("{port}") == std::string::npos)
            return std::string("--output-pattern needs {port} to name a file per radio");
    }
    return std::nullopt;
}

// The options and the argument the parser found into `o`; the usage error, if any.
std::optional<std::string> takeOptions(const CommandInfo& c, const QCommandLineParser& parser,
                                       Options& o) {
    for (const OptionInfo& entry : kOptions) {
        if (!takes(c, entry)) continue;
        const std::string shown = "--" + std::string(entry.name);
        const bool repeatable = entry.name == "port" && (c.options & kFleetOption) != 0;
        if (parser.values(latin1(entry.name)).size() > 1 && !repeatable)
            return shown + " is given twice";
        if (mustGive(c, entry) && !parser.isSet(latin1(entry.name))) return shown + " is required";
    }
    // Only the command's own options may be asked for (the parser warns about others).
    const auto given = [&](std::string_view name) {
        const auto* entry =
            std::find_if(kOptions.begin(), kOptions.end(),
                         [&](const OptionInfo& candidate) { return candidate.name == name; });
        return takes(c, *entry) && parser.isSet(latin1(name));
    };
    const auto value = [&](std::string_view name) {
        return given(name) ? parser.value(latin1(name)) : QString();
    };
    o.port = bytes(value("port"));
    if (given("port"))
        for (const QString& port : parser.values(QStringLiteral("port")))
            o.ports.push_back(bytes(port));
    o.log = bytes(value("log"));
    if (auto error = takeFleetOptions(parser, given, o)) return error;
    o.pdf = bytes(value("pdf"));
    o.channels = bytes(value("channels"));
    o.column = bytes(value("column"));
    o.value = bytes(value("value"));
    o.start = bytes(value("start"));
    o.step = bytes(value("step"));
    if (given("offset")) o.offset = bytes(value("offset"));
    o.labels = given("labels");
    o.skipGlobal = given("skip-global");
    o.force = given("force");
    o.verify = given("verify");
    o.noBackup = given("no-backup");
    o.band = given("ignore-band") ? BandCheck::Ignore : BandCheck::Stop;
    o.skipUnfit = given("skip-unfit");
    o.format = given("format") ? bytes(value("format")) : "zav";
    if (o.format != "zav" && o.format != "chirp") return "--format takes zav or chirp";
    if (given("retry")) {
        const auto retries = number(value("retry"), 0, 1000);
        if (!retries) return "--retry takes a number of retries, 0 or more";
        o.retries = *retries;
    }
    if (given("group")) {
        o.group = number(value("group"), 1, kGroupCount);
        if (!o.group) return "--group takes a group number 1 to 15";
    }
    const QStringList rest = parser.positionalArguments();
    const QStringList names = latin1(c.argument).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    // A fleet read names its files with the pattern instead.
    const qsizetype wanted = o.outputPattern.empty() ? names.size() : 0;
    if ((c.options & kPatternOption) != 0 && o.ports.size() > 1 && o.outputPattern.empty())
        return std::string("several radios need --output-pattern, a file per radio");
    if (rest.size() > wanted) return "unexpected '" + bytes(rest[wanted]) + "'";
    if (rest.size() < wanted) return bytes(names[rest.size()]) + " is missing";
    for (const QString& word : rest) o.arguments.push_back(bytes(word));
    if (wanted > 0) o.argument = o.arguments.front();
    return std::nullopt;
}

// The two names reach one file (through links, or spelled differently), existing or not.
bool sameFile(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::equivalent(a, b, ec)) return true;
    std::error_code ecA;
    std::error_code ecB;
    const fs::path fullA = fs::weakly_canonical(a, ecA);
    const fs::path fullB = fs::weakly_canonical(b, ecB);
    return ecA || ecB ? a == b : fullA == fullB;
}

// A trace written into the frequency file the command reads or writes would destroy it.
bool traceIsTheFile(const CommandInfo& c, const Options& o, const ToolIo& io) {
    return !io.tracePath.empty() && (c.options & kPortOption) != 0 &&
           c.argument.ends_with(".frq") && !o.argument.empty() &&
           sameFile(io.tracePath, o.argument);
}

int runCommand(const CommandInfo& c, std::span<const std::string> args, ToolIo& io) {
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("show this help"));
    parser.addOption(help);
    for (const OptionInfo& entry : kOptions)
        if (takes(c, entry))
            parser.addOption(
                QCommandLineOption(latin1(entry.name), QString(), latin1(entry.value)));
    QStringList words{QStringLiteral("zavtool")};
    for (const std::string& a : args) words << latin1(a);

    Options o;
    o.command = c.name;
    o.usage = usageLine(c);
    if (!parser.parse(words)) return usageError(o, io, bytes(parser.errorText()));
    if (parser.isSet(help)) {
        printCommandHelp(c, io.out);
        return kExitDone;
    }
    if (const auto error = takeOptions(c, parser, o)) return usageError(o, io, *error);
    if (traceIsTheFile(c, o, io))
        return usageError(o, io, "--trace names " + o.argument + ", the command's own file");
    return c.run(o, io);
}

}  // namespace

int usageError(const Options& options, ToolIo& io, std::string_view message) {
    io.err << "zavtool " << options.command << ": " << message << "\n"
           << "usage: zavtool " << options.usage << "\n"
           << "(zavtool " << options.command << " --help lists the options)\n";
    return kExitUsage;
}

int run(std::span<const std::string> args, ToolIo& io) {
    if (args.empty()) {
        printHelp(io.err);
        return kExitUsage;
    }
    // The options before the command: the steps on stderr, the serial trace.
    if (args[0] == "--verbose") {
        io.verbose = true;
        return run(args.subspan(1), io);
    }
    if (args[0] == "--trace" || args[0].starts_with("--trace=")) {
        const bool joined = args[0] != "--trace";
        if (!joined && args.size() < 2) {
            io.err << "zavtool: --trace takes a file\n";
            return kExitUsage;
        }
        // Opened only as the radio connection starts: a usage error or a command that talks
        // to no radio leaves the file alone.
        io.tracePath = joined ? args[0].substr(std::string_view("--trace=").size()) : args[1];
        return run(args.subspan(joined ? 1 : 2), io);
    }
    const std::string& name = args[0];
    if (name == "--help" || name == "-h" || name == "help") {
        printHelp(io.out);
        return kExitDone;
    }
    if (name == "--version") {
        const Version v = programVersion();
        io.out << "zavtool " << v.major << "." << v.minor << "." << v.revision << "\n";
        return kExitDone;
    }
    const auto* c = std::find_if(kCommands.begin(), kCommands.end(),
                                 [&](const CommandInfo& entry) { return entry.name == name; });
    if (c == kCommands.end()) {
        io.err << "zavtool: unknown command '" << name << "'\n\n";
        printHelp(io.err);
        return kExitUsage;
    }
    return runCommand(*c, args.subspan(1), io);
}

}  // namespace zav::tool
