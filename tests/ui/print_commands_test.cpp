// Print and the preview: a missing or failing printer is reported with the main window
// enabled again; a printer, made afresh for each Print, gets the whole printout.

#include <gtest/gtest.h>

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include "model/document.h"
#include "ops/printout_operation.h"
#include "support/editor.h"
#include "support/temp_dir.h"
#include "ui/globals_window.h"
#include "ui/print_commands.h"

namespace zav::test {
namespace {

TEST(Print, ReportsAMissingOrFailingPrinterAndPrintsEveryPageOnAWorkingOne) {
    Document doc;
    QWidget window;
    ScriptedPrompts prompts;
    TempDir dir;
    int printersMade = 0;
    bool enabledWhileLooking = true;
    // A PDF printer writing `name` (none for nullptr), made afresh for each Print.
    const auto pdf = [&](const char* name) {
        return PrintCommands(prompts, [&, name]() -> std::unique_ptr<QPrinter> {
            ++printersMade;
            enabledWhileLooking = window.isEnabled();
            if (name == nullptr) return nullptr;
            auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
            p->setOutputFormat(QPrinter::PdfFormat);
            p->setOutputFileName(QString::fromStdString(dir.file(name)));
            return p;
        });
    };
    EXPECT_FALSE(pdf(nullptr).printUnitData(doc, "", &window));
    EXPECT_FALSE(enabledWhileLooking);
    EXPECT_FALSE(pdf("no/folder/unit.pdf").printUnitData(doc, "radio.frq", &window));
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{std::string(kNoPrinterText),
                                                         std::string(kPrinterErrorText)}));
    EXPECT_NE(prompts.messages[1].detail.find("unit.pdf"), std::string::npos);
    EXPECT_TRUE(window.isEnabled());
    PrintCommands print = pdf("unit.pdf");
    ASSERT_TRUE(print.printUnitData(doc, "radio.frq", &window));
    ASSERT_TRUE(print.printUnitData(doc, "radio.frq", &window));
    EXPECT_EQ(printersMade, 4);
    EXPECT_GT(std::filesystem::file_size(dir.file("unit.pdf")), 4000u);
    std::unique_ptr<QPrintPreviewDialog> preview(
        print.createPrintPreview(composeUnitData(doc, "radio.frq"), &window));
    preview->show();
    preview->findChild<QPrintPreviewWidget*>()->updatePreview();
    EXPECT_GT(preview->findChild<QPrintPreviewWidget*>()->pageCount(), 3);  // 15 groups
}

// The printout takes the edits still in the window's controls and in the global
// parameters window.
TEST(Print, ThePrintoutTakesTheEditsStillInTheWindows) {
    Editor e;
    e.window->controls().groupLabelEdit->setText(QStringLiteral("TYPED"));
    e.trigger(&MainMenus::globalsAction);
    QLineEdit* password = e.window->globalsWindow()->findChild<QLineEdit*>();
    password->clear();
    password->insert(QStringLiteral("ABC"));  // as typed
    const std::string text = plainText(composePrintout(e.doc, *e.window, "radio.frq"));
    EXPECT_NE(text.find("Group Label: TYPED"), std::string::npos) << text;
    EXPECT_NE(text.find("Unit Password = 000ABC"), std::string::npos) << text;
}

}  // namespace
}  // namespace zav::test
