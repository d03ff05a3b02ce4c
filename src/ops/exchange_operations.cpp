#include "ops/exchange_operations.h"

#include "files/chirp_csv.h"
#include "files/csv_exchange.h"
#include "files/csv_table.h"
#include "files/file_system.h"
#include "files/frequency_file.h"
#include "iface/prompts.h"
#include "model/document.h"
#include "model/image_diff.h"
#include "ops/file_operations.h"

namespace zav {

namespace {

// Far more than any table of 15 groups holds.
constexpr std::size_t kCsvLimit = std::size_t{1} << 22;

std::string counted(std::size_t n, const std::string& thing) {
    return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

bool isChirpTable(std::string_view text) {
    const auto records = parseCsv(text);
    return records && !records->empty() && isChirpHeader(records->front());
}

std::string listed(const std::vector<CsvProblem>& problems) {
    std::string text;
    for (const CsvProblem& p : problems) text += "\n" + problemText(p);
    return text;
}

OperationResult refused(Prompts& prompts, const std::string& path,
                        const std::vector<CsvProblem>& problems) {
    prompts.ask(
        warning(path + " was not imported; nothing changed:" + listed(problems), kCsvTitle));
    return OperationResult::failure(path + " has " + counted(problems.size(), "problem") +
                                    "; nothing was imported");
}

OperationResult importChirpTable(Prompts& prompts, Document& doc, const std::string& path,
                                 std::string_view text, const CsvImportOptions& options) {
    MemImage mem = doc.mem;
    LabelImage labels = doc.labels;
    const UnfitRows unfit =
        options.unfit == UnfitRowChoice::Refuse ? UnfitRows::Refuse : UnfitRows::Skip;
    const ChirpImport result = importChirpCsv(mem, labels, text, {options.group}, unfit);
    // Left out, every row would leave nothing to import.
    if (!result.imported || (result.channels == 0 && !result.problems.empty()))
        return refused(prompts, path, result.problems);
    if (!result.problems.empty() && options.unfit == UnfitRowChoice::Ask &&
        prompts.ask(question(path + " has rows the radio cannot hold:" + listed(result.problems) +
                                 "\n\nImport the others?",
                             Buttons::YesNo, kCsvTitle)) != Answer::Yes)
        return OperationResult::cancelled();
    doc.mem = mem;
    doc.labels = labels;
    std::string done = counted(static_cast<std::size_t>(result.channels), "channel") +
                       " imported from " + path + ".";
    if (!result.problems.empty())
        done +=
            "\n" + counted(result.problems.size(), "row") + " left out:" + listed(result.problems);
    prompts.ask(information(done, kCsvTitle));
    return OperationResult::success();
}

}  // namespace

OperationResult exportCsvFile(FileSystem& files, Prompts& prompts, const Document& doc,
                              const std::string& path, CsvFormat format) {
    return saveTextFile(files, prompts,
                        format == CsvFormat::Chirp ? exportChirpCsv(doc.mem, doc.labels)
                                                   : exportCsv(doc.mem, doc.labels),
                        path);
}

OperationResult saveTextFile(FileSystem& files, Prompts& prompts, const std::string& text,
                             const std::string& path) {
    const std::vector<Byte> bytes(text.begin(), text.end());
    if (const auto ec = files.replaceFile(path, bytes)) {
        tellFileError(prompts, ec, path);
        return OperationResult::failure(path + " was not written");
    }
    return OperationResult::success();
}

OperationResult importCsvFile(FileSystem& files, Prompts& prompts, Document& doc,
                              const std::string& path, const CsvImportOptions& options) {
    const ReadResult r = files.readFile(path, kCsvLimit);
    if (r.error) {
        tellFileError(prompts, r.error, path);
        return OperationResult::failure(path + " was not read");
    }
    const std::string_view text(reinterpret_cast<const char*>(r.bytes.data()), r.bytes.size());
    CsvImport result;
    if (r.moreFollow)
        result.problems.push_back({0, {}, "the file is too long for a table of this radio"});
    else if (isChirpTable(text))
        return importChirpTable(prompts, doc, path, text, options);
    else
        result = importCsv(doc.mem, doc.labels, text);
    if (!result.problems.empty()) return refused(prompts, path, result.problems);
    prompts.ask(information(counted(static_cast<std::size_t>(result.changedCells), "cell") +
                                " changed by " + path + ".",
                            kCsvTitle));
    return OperationResult::success();
}

std::optional<FileImages> loadImages(FileSystem& files, Prompts& prompts, const std::string& path) {
    const auto file = loadFileBytes(files, prompts, path, false);
    if (!file) return std::nullopt;
    const auto contents = decodeFrequencyFile(file->bytes);
    if (!contents) return std::nullopt;
    return FileImages{contents->image, contents->labels};
}

std::vector<std::string> compareImages(const FileImages& first, const FileImages& second) {
    return compareImages(ImagePair{first.mem, first.labels}, ImagePair{second.mem, second.labels});
}

}  // namespace zav
