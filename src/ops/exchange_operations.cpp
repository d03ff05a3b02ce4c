#include "ops/exchange_operations.h"

#include "files/csv_exchange.h"
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

}  // namespace

OperationResult exportCsvFile(FileSystem& files, Prompts& prompts, const Document& doc,
                              const std::string& path) {
    return saveTextFile(files, prompts, exportCsv(doc.mem, doc.labels), path);
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
                              const std::string& path) {
    const ReadResult r = files.readFile(path, kCsvLimit);
    if (r.error) {
        tellFileError(prompts, r.error, path);
        return OperationResult::failure(path + " was not read");
    }
    CsvImport result;
    if (r.moreFollow)
        result.problems.push_back({0, {}, "the file is too long for a table of this radio"});
    else
        result = importCsv(doc.mem, doc.labels,
                           {reinterpret_cast<const char*>(r.bytes.data()), r.bytes.size()});
    if (!result.problems.empty()) {
        std::string text = path + " was not imported; nothing changed:";
        for (const CsvProblem& p : result.problems) text += "\n" + problemText(p);
        prompts.ask(warning(text, kCsvTitle));
        return OperationResult::failure(
            path + " has " + counted(result.problems.size(), "problem") + "; nothing was imported");
    }
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
