#pragma once
// zavtool's commands and options as declarative tables: which options each command takes,
// the one-line help and the details its --help prints. Parsing and help printing read
// them (zavtool.cpp); a new command is a row here and a function in commands.h.

#include <array>
#include <string_view>

#include "commands.h"

namespace zav::tool {

// The options a command may take.
enum OptionFlag : unsigned {
    kPortOption = 1U << 0,
    kRetryOption = 1U << 1,
    kGroupOption = 1U << 2,
    kGroupRequired = 1U << 3,
    kLabelsOption = 1U << 4,
    kSkipGlobalOption = 1U << 5,
    kForceOption = 1U << 6,
    kPdfOption = 1U << 7,
    kVerifyOption = 1U << 8,
    kFleetOption = 1U << 9,     // --port again for every further radio, --log
    kUnitOption = 1U << 10,     // --ani-from, --ani-groups
    kPatternOption = 1U << 11,  // --output-pattern
    kBackupOption = 1U << 12,   // --no-backup
    kBandOption = 1U << 13,     // --ignore-band
    kChannelsOption = 1U << 14,
    kSetOption = 1U << 15,   // --column, --value
    kFillOption = 1U << 16,  // --start, --step, --offset
    kSkipUnfitOption = 1U << 17,
    kFormatOption = 1U << 18,  // --format: the CSV table written
};
inline constexpr unsigned kRadioOptions = kPortOption | kRetryOption;

struct OptionInfo {
    unsigned flags;     // a command with any of these takes the option
    unsigned required;  // ... and with any of these must give it
    std::string_view name;
    std::string_view value;  // "" for a flag
    std::string_view help;
};

inline constexpr std::array kOptions{
    OptionInfo{kPortOption, kPortOption, "port", "P",
               "the radio's port: 1 to 4, or a device such as /dev/ttyUSB0"},
    OptionInfo{kUnitOption, 0, "ani-from", "N",
               "unit numbers: radio k (from 0, in --port order) gets ANI/ID number N + k"},
    OptionInfo{kUnitOption, 0, "ani-groups", "LIST",
               "only these groups get the unit number (such as 1,3,5-7; default all)"},
    OptionInfo{kFleetOption, 0, "log", "FLEET.csv",
               "append a row per radio (time, port, unit, result, bytes, duration) to FLEET"},
    OptionInfo{kPatternOption, 0, "output-pattern", "PATTERN",
               "one file per radio: PATTERN with {port} replaced by the port's name"},
    OptionInfo{kRetryOption, 0, "retry", "N",
               "answer Retry to the first N Retry/Cancel questions (default 0)"},
    OptionInfo{kGroupOption | kGroupRequired, kGroupRequired, "group", "G", "the group, 1 to 15"},
    OptionInfo{kLabelsOption, 0, "labels", "", "transfer the labels too"},
    OptionInfo{kSkipGlobalOption, 0, "skip-global", "", "leave the radio's global settings alone"},
    OptionInfo{kForceOption, 0, "force", "", "replace an existing file"},
    OptionInfo{kPdfOption, kPdfOption, "pdf", "OUT.pdf", "the PDF file to write"},
    OptionInfo{kVerifyOption, 0, "verify", "",
               "read the radio back and fail on any written byte it does not hold"},
    OptionInfo{kBackupOption, 0, "no-backup", "",
               "write without first reading the radio into the radio history (and send "
               "every label byte)"},
    OptionInfo{kBandOption, 0, "ignore-band", "",
               "write channels outside the radio's band too (they cannot lock)"},
    OptionInfo{kChannelsOption, kChannelsOption, "channels", "LIST",
               "channels of group G, such as 1-7,9,11-14 (a fill goes in this order)"},
    OptionInfo{kSetOption, kSetOption, "column", "NAME",
               "the grid's column: Rec Freq, Rec CG, Tx Freq, Tx CG, Label or Scan"},
    OptionInfo{kSetOption, kSetOption, "value", "TEXT",
               "the text every channel gets in the column, as typed in the editor's cell"},
    OptionInfo{kFillOption, kFillOption, "start", "MHZ",
               "the first channel's receive frequency, as typed in the editor's cell"},
    OptionInfo{kFillOption, 0, "step", "MHZ",
               "from one channel's receive frequency to the next: a multiple of 0.0125 "
               "(default), negative to fill downward"},
    OptionInfo{kFillOption, 0, "offset", "MHZ",
               "set each transmit frequency too: the receive frequency plus MHZ (0 for "
               "simplex)"},
    OptionInfo{kSkipUnfitOption, 0, "skip-unfit", "",
               "leave out (and list) the rows of CHIRP's table the radio cannot hold"},
    OptionInfo{kFormatOption, 0, "format", "FORMAT",
               "the table: zav (ours, the default) or chirp (CHIRP's generic CSV)"},
};

inline constexpr std::string_view kFleetDetails =
    "Several radios at once: give --port once per radio. Each radio has its own connection,\n"
    "copy of the file and outcome; nothing is asked (Retry/Cancel questions take --retry),\n"
    "one result line per port follows as each radio ends, and the exit status is 1 when\n"
    "any radio failed. With --ani-from the file's ANI/ID numbers become N, N + 1, ... in\n"
    "--port order (seven decimal digits). --log, --ani-from and --output-pattern work\n"
    "for one radio too.\n";

inline constexpr std::string_view kHistoryDetails =
    "Every read keeps what it brought, and every write first reads the radio whole (with\n"
    "its labels when labels go) and keeps that, in the radio history: the folder\n"
    "$XDG_DATA_HOME/zavprog (~/.local/share/zavprog when XDG_DATA_HOME is not set), a\n"
    "frequency file per connection, named by time, port and unit number. A write whose\n"
    "backup fails does not start; --no-backup skips the backup. Nothing is deleted\n"
    "automatically. The path of the file kept is printed on stderr.\n";

inline constexpr std::string_view kCsvDetails =
    "The table has a header row, a row per channel (Group, Chan and the grid's columns) and\n"
    "a row per group (Chan empty) with its parameters, in the editor's texts. On import,\n"
    "rows are found by their Group and Chan cells and columns by their names, so their\n"
    "order does not matter; a row or column left out changes nothing, and so does a cell\n"
    "that shows what FILE holds. Any faulty cell is reported by row and column and\n"
    "nothing is imported.\n"
    "\n"
    "CHIRP's generic CSV (export-csv --format chirp; import-csv knows it by its header) has\n"
    "a row per channel with a receive frequency, at Location group * 14 + channel (from 0).\n"
    "import-csv puts its rows there, or with --group G into channels 1, 2, ... of G and the\n"
    "groups after it, in Location order. A row the radio cannot hold exactly is reported\n"
    "and nothing is imported; --skip-unfit imports the others and lists it.\n";

inline constexpr std::string_view kEditDetails =
    "Every channel's text is checked as the editor checks a typed cell; when any channel\n"
    "cannot hold its text, the channels are named with the reason and nothing is written.\n"
    "A channel that shows the text already keeps its bytes. The number of cells that\n"
    "changed is printed.\n";

struct CommandInfo {
    std::string_view name;
    unsigned options;
    std::string_view argument;  // the one argument's name; "" for none
    std::string_view summary;
    int (*run)(const Options&, ToolIo&);
    std::string_view details = {};  // more help, after the options
};

inline constexpr std::array kCommands{
    CommandInfo{"new", kForceOption, "FILE.frq", "write a frequency file holding the default image",
                newCommand},
    CommandInfo{"read-global", kRadioOptions, "FILE.frq",
                "read the radio's global block into FILE's image (bytes 0-127)", readGlobalCommand},
    CommandInfo{"write-global", kRadioOptions | kVerifyOption | kBackupOption, "FILE.frq",
                "write FILE's global settings to the radio (only the writable bytes change)",
                writeGlobalCommand},
    CommandInfo{"read",
                kRadioOptions | kLabelsOption | kForceOption | kFleetOption | kPatternOption,
                "OUT.frq",
                "read the whole radio (and with --labels its labels) into a new file OUT "
                "(several radios: --output-pattern instead of OUT)",
                readCommand, kFleetDetails},
    CommandInfo{"read-group", kRadioOptions | kGroupRequired, "FILE.frq",
                "read group G into FILE, keeping the rest of it (a missing FILE starts from "
                "the defaults)",
                readGroupCommand},
    CommandInfo{"write",
                kRadioOptions | kSkipGlobalOption | kLabelsOption | kVerifyOption | kFleetOption |
                    kUnitOption | kBackupOption | kBandOption,
                "FILE.frq",
                "write FILE's groups (and its global settings unless --skip-global) to the radio",
                writeCommand, kFleetDetails},
    CommandInfo{"write-group",
                kRadioOptions | kGroupRequired | kLabelsOption | kVerifyOption | kBackupOption |
                    kBandOption,
                "FILE.frq",
                "write group G of FILE (and with --labels its labels) to the radio; the labels "
                "go out even when the group write failed",
                writeGroupCommand},
    CommandInfo{"read-labels", kRadioOptions | kGroupOption, "FILE.frq",
                "read the labels of all groups or of group G into FILE, keeping the rest of it",
                readLabelsCommand},
    CommandInfo{"write-labels", kRadioOptions | kGroupOption | kFleetOption | kBackupOption,
                "FILE.frq", "write FILE's labels of all groups or of group G to the radio",
                writeLabelsCommand, kFleetDetails},
    CommandInfo{"history", 0, "",
                "list the radio history, newest first: time, port, unit number, operation "
                "and file",
                historyCommand, kHistoryDetails},
    CommandInfo{"dump", 0, "FILE.frq", "print FILE's unit data printout as plain text",
                dumpCommand},
    CommandInfo{"print", kPdfOption | kForceOption, "FILE.frq",
                "write FILE's unit data printout as a PDF", printCommand},
    CommandInfo{"export-csv", kForceOption | kFormatOption, "FILE.frq OUT.csv",
                "write FILE's channels and group parameters as a CSV table OUT", exportCsvCommand,
                kCsvDetails},
    CommandInfo{"import-csv", kForceOption | kGroupOption | kSkipUnfitOption,
                "FILE.frq IN.csv OUT.frq",
                "write FILE with the cells of the CSV table IN into a new file OUT",
                importCsvCommand, kCsvDetails},
    CommandInfo{"set", kGroupRequired | kChannelsOption | kSetOption | kForceOption,
                "FILE.frq OUT.frq",
                "write FILE with TEXT in column NAME of the channels LIST of group G into a new "
                "file OUT",
                setCommand, kEditDetails},
    CommandInfo{"fill", kGroupRequired | kChannelsOption | kFillOption | kForceOption,
                "FILE.frq OUT.frq",
                "write FILE with the receive (with --offset, and transmit) frequencies of the "
                "channels LIST of group G filled in steps into a new file OUT",
                fillCommand, kEditDetails},
    CommandInfo{"diff", 0, "A.frq B.frq",
                "list what differs from A to B by group, channel and field, and the other bytes "
                "that differ",
                diffCommand,
                "Exit status: 0 when the files hold the same images, 1 when they differ, 2 on "
                "an error.\n"},
    CommandInfo{"ports", 0, "",
                "list the serial ports as Serial Port Device... shows them: device, "
                "description, maker, USB id, serial number, whether another program holds it, "
                "and which was plugged in most recently",
                portsCommand},
    CommandInfo{"identify", kRadioOptions, "",
                "read the radio and print its band, its groups with their ANI/ID numbers and "
                "whether a password is set; nothing is written",
                identifyCommand},
    CommandInfo{"compare", kRadioOptions | kLabelsOption, "FILE.frq",
                "read the radio and list what a write of FILE (with --labels, and its labels) "
                "would change, by group, channel and field; nothing is written",
                compareCommand,
                "Only what a write owns counts: bytes the radio keeps (protected bytes, the page "
                "map,\ngroups it lacks) are no difference. Exit status: 0 when the radio holds "
                "FILE, 1 when\na write would change it, 2 on an error.\n"},
    CommandInfo{"syncal", kRadioOptions, "",
                "align the radio's synthesizer (receive and transmit) and print the log",
                syncalCommand},
    CommandInfo{"dtmf", kRadioOptions, "CODE",
                "write DTMF deviation CODE into the radio, keeping its front porch and ANI "
                "rate bits",
                dtmfCommand,
                "CODE is the deviation list index 0..31 (0 = 0 Hz, 1..27 = 187.5 Hz steps up "
                "to 5062.5,\n28..31 = Test 1..Test 4), or the list text itself (\"1125.0\", "
                "\"Test 2\").\n"},
};

inline constexpr std::string_view kOptionForms =
    "An option's value follows it as a word of its own or after '=': --port 1, --port=1.\n"
    "A file named - is standard input where a command reads it, standard output where it\n"
    "writes it (dump -, export-csv FILE.frq -, import-csv FILE.frq - OUT.frq).\n";
inline constexpr std::string_view kExitStatus =
    "exit status:\n"
    "  0  done\n"
    "  1  failed or cancelled (the reason is on stderr)\n"
    "  2  usage error\n";

}  // namespace zav::tool
