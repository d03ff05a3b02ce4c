#pragma once
// The main window's Print, Print Setup and Print Preview commands. The printer is the
// system's default printer until Print Setup chooses another or changes its settings;
// the choice lasts as long as this object (the program's run).

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <memory>
#include <string_view>

#include "print/printout.h"

class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace zav {

class Document;
class Prompts;

// Title of the print commands' messages.
inline constexpr std::string_view kPrintTitle = QT_TRANSLATE_NOOP("Messages", "Print");
inline constexpr std::string_view kNoPrinterText = QT_TRANSLATE_NOOP(
    "Messages",
    "No printer is installed. Install a printer, or choose one with Print Setup, and print "
    "again.");
inline constexpr std::string_view kPrinterErrorText = QT_TRANSLATE_NOOP(
    "Messages",
    "The printout could not be sent to the printer. Check that the printer is switched on and "
    "on line, then print again.");

// Makes the printer Print uses when Print Setup has not chosen one; nullptr when the system
// has no printer.
using PrinterFactory = std::function<std::unique_ptr<QPrinter>()>;

// The system's default printer, or nullptr when there is none.
std::unique_ptr<QPrinter> systemDefaultPrinter();

class PrintCommands {
    Q_DECLARE_TR_FUNCTIONS(zav::PrintCommands)

  public:
    explicit PrintCommands(Prompts& prompts, PrinterFactory factory = systemDefaultPrinter);
    ~PrintCommands();
    PrintCommands(const PrintCommands&) = delete;
    PrintCommands& operator=(const PrintCommands&) = delete;

    // Prints the unit data printout of the document as one document. The window (the
    // main window; may be null) is disabled while it prints and enabled again before any
    // message. No printer or a printer that fails is reported under the title "Print".
    // True when the document went to the printer.
    bool printUnitData(const Document& doc, std::string_view printFileName, QWidget* window);
    bool printUnitData(const Printout& printout, QWidget* window);

    // The printer setup dialog: printer, paper, orientation, copies. The settings hold for
    // the following prints. False when cancelled.
    bool printSetup(QWidget* parent);

    // The print preview of the printout on the current printer's paper, modal.
    void printPreview(const Printout& printout, QWidget* parent);
    // The preview dialog, not yet shown (it paints a copy of the printout).
    QPrintPreviewDialog* createPrintPreview(const Printout& printout, QWidget* parent);

    // The printer Print Setup chose; nullptr while Print uses the system's default.
    [[nodiscard]] QPrinter* printer() const { return printer_.get(); }

  private:
    void report(std::string_view text, const QString& detail = {});

    Prompts& prompts_;
    PrinterFactory factory_;
    // The printer Print Setup configured; shared with open preview dialogs.
    std::shared_ptr<QPrinter> printer_;
};

}  // namespace zav
