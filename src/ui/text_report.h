#pragma once
// A list a window shows (the comparison with a file, the alignment log) kept after the
// window goes: its Save... and Print... buttons. Save asks for the file through the
// prompts and writes it whole or not at all; Print hands the lines to the editor's printer.

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <string>

#include "ops/operation_result.h"
#include "print/printout.h"

class QDialogButtonBox;

namespace zav {

class FileSystem;
class Prompts;

// What a report is called: the save dialog's title and the file name it suggests.
struct ReportNames {
    std::string title;
    std::string fileName;
};

class TextReport {
    Q_DECLARE_TR_FUNCTIONS(zav::TextReport)

  public:
    // `print` sends a printout to the printer; false when it did not (already told).
    using PrintFunction = std::function<bool(const Printout&)>;
    TextReport(Prompts& prompts, FileSystem& files, PrintFunction print);

    // The save dialog, then the text into the file chosen; cancelled when none was.
    OperationResult save(const ReportNames& names, const std::string& text);
    bool print(const std::string& text);
    // Adds Save... and Print... to `buttons`, each acting on what `text` gives at the time.
    void addButtons(QDialogButtonBox& buttons, const ReportNames& names,
                    const std::function<std::string()>& text);

    // One printout line for every line of the text, in the printout's body font.
    [[nodiscard]] static Printout printout(const std::string& text);

  private:
    Prompts& prompts_;
    FileSystem& files_;
    PrintFunction print_;
};

}  // namespace zav
