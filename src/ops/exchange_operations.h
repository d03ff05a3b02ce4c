#pragma once
// Exchanging a radio's contents with other tools and comparing two radios: the CSV export
// and import (File > Export CSV..., Import CSV..., zavtool export-csv, import-csv) and the
// comparison with a frequency file (File > Compare With File..., zavtool diff). Failures
// are told through the prompts as the file commands tell them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/memory_image.h"
#include "ops/operation_result.h"

namespace zav {

class Document;
class FileSystem;
class Prompts;

// Title of the CSV commands' messages.
inline constexpr const char* kCsvTitle = "CSV";

// The CSV tables: ours (every channel and group parameter, csv_exchange.h) and CHIRP's
// generic one (the channels with a receive frequency, chirp_csv.h).
enum class CsvFormat : std::uint8_t { Own, Chirp };

// Writes the document's channels (and in our table its group parameters) as a CSV file.
OperationResult exportCsvFile(FileSystem& files, Prompts& prompts, const Document& doc,
                              const std::string& path, CsvFormat format = CsvFormat::Own);

// Writes a text (a list a window shows, a table) into a file, replacing it whole or not at
// all; a failure is told as the file commands tell it.
OperationResult saveTextFile(FileSystem& files, Prompts& prompts, const std::string& text,
                             const std::string& path);

// What an import of CHIRP's table does with rows the radio cannot hold: refuse the table,
// leave them out, or ask whether to (Yes leaves them out).
enum class UnfitRowChoice : std::uint8_t { Refuse, Skip, Ask };

struct CsvImportOptions {
    // CHIRP's rows go from channel 1 of this group (0..14) on; nullopt: by Location.
    std::optional<int> group;
    UnfitRowChoice unfit = UnfitRowChoice::Refuse;
};

// Imports a CSV file, either table (told apart by its header), into the document. A table
// with problems changes nothing, and one message lists every problem by row and column;
// CHIRP's rows left out are listed with the outcome.
OperationResult importCsvFile(FileSystem& files, Prompts& prompts, Document& doc,
                              const std::string& path, const CsvImportOptions& options = {});

struct FileImages {
    MemImage mem{};
    LabelImage labels{};
};

// The image and labels of a frequency file; nullopt after the message.
std::optional<FileImages> loadImages(FileSystem& files, Prompts& prompts, const std::string& path);

// The differences (image_diff.h) from the first images to the second.
std::vector<std::string> compareImages(const FileImages& first, const FileImages& second);

}  // namespace zav
