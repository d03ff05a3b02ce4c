// Print, Print Setup and the preview: a missing or failing printer is reported with the
// main window enabled again; a working printer gets the whole printout.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include "model/document.h"
#include "support/scripted_prompts.h"
#include "ui/print_commands.h"

namespace zav::test {
namespace {

struct Print : ::testing::Test {
    // A printer that prints into a PDF file of the temporary folder.
    std::unique_ptr<QPrinter> pdf(const char* name) {
        ++printersMade;
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(dir.filePath(QString::fromLatin1(name)));
        return p;
    }
    Document doc;
    QWidget window;
    ScriptedPrompts prompts;
    QTemporaryDir dir;
    int printersMade = 0;
    bool windowEnabledWhenAsked = true;
};

TEST_F(Print, AMissingOrFailingPrinterIsReportedAndTheWindowEnabledAgain) {
    PrintCommands none(prompts, [this] {
        windowEnabledWhenAsked = window.isEnabled();
        return std::unique_ptr<QPrinter>();
    });
    EXPECT_FALSE(none.printUnitData(doc, "radio.frq", &window));
    EXPECT_FALSE(windowEnabledWhenAsked);
    PrintCommands failing(prompts, [this] { return pdf("no/such/folder/unit.pdf"); });
    EXPECT_FALSE(failing.printUnitData(doc, "radio.frq", &window));
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{std::string(kNoPrinterText),
                                                         std::string(kPrinterErrorText)}));
    EXPECT_NE(prompts.messages[1].detail.find("unit.pdf"), std::string::npos);
    EXPECT_TRUE(window.isEnabled());
}

// Each Print asks for the default printer afresh, unless Print Setup chose one.
TEST_F(Print, PrintsTheWholePrintoutOnTheDefaultOrTheSetUpPrinter) {
    PrintCommands print(prompts, [this] { return pdf("unit.pdf"); });
    ASSERT_TRUE(print.printUnitData(doc, "radio.frq", &window));
    ASSERT_TRUE(print.printUnitData(doc, "radio.frq", &window));
    EXPECT_EQ(printersMade, 2);
    EXPECT_GT(QFileInfo(dir.filePath(QStringLiteral("unit.pdf"))).size(), 4000);
    for (const bool accept : {false, true}) {
        QTimer::singleShot(0, [accept] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            accept ? dialog->accept() : dialog->reject();
        });
        EXPECT_EQ(print.printSetup(&window), accept);
        EXPECT_EQ(print.printer() != nullptr, accept);
    }
    const int made = printersMade;
    ASSERT_TRUE(print.printUnitData(doc, "radio.frq", &window));
    EXPECT_EQ(printersMade, made);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(Print, ThePreviewShowsEveryPage) {
    PrintCommands print(prompts, [] { return std::unique_ptr<QPrinter>(); });
    std::unique_ptr<QPrintPreviewDialog> dialog(
        print.createPrintPreview(composeUnitData(doc, "radio.frq"), &window));
    ASSERT_NE(dialog, nullptr);
    dialog->show();
    auto* preview = dialog->findChild<QPrintPreviewWidget*>();
    preview->updatePreview();
    EXPECT_GT(preview->pageCount(), 3);  // 15 groups of 26 lines
}

}  // namespace
}  // namespace zav::test
