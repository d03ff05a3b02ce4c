// Print, Print Setup and the preview: no printer and a failing printer are reported and
// the main window is enabled again; a working printer gets the whole printout.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <functional>
#include <iterator>

#include "model/document.h"
#include "support/scripted_prompts.h"
#include "ui/print_commands.h"

namespace zav::test {
namespace {

// Records whether the main window was enabled when each message was shown.
class WindowWatchingPrompts final : public Prompts {
  public:
    explicit WindowWatchingPrompts(const QWidget& window) : window_(window) {}
    Answer ask(const Message& message) override {
        enabledAtMessage.push_back(window_.isEnabled());
        return script.ask(message);
    }
    std::optional<std::string> chooseFile(const FileDialogRequest& request) override {
        return script.chooseFile(request);
    }
    ScriptedPrompts script;
    std::vector<bool> enabledAtMessage;

  private:
    const QWidget& window_;
};

// A printer that prints into a PDF file.
std::unique_ptr<QPrinter> pdfPrinter(const QString& path) {
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setOutputFileName(path);
    return p;
}

std::string head(const QString& path, std::size_t n) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::string s(n, '\0');
    in.read(s.data(), static_cast<std::streamsize>(n));
    return s;
}

class PrintCommandsTest : public ::testing::Test {
  protected:
    Document doc;
    QWidget window;
    WindowWatchingPrompts prompts{window};
    QTemporaryDir dir;
};

TEST_F(PrintCommandsTest, NoPrinterIsReportedAndTheWindowIsEnabledAgain) {
    bool windowEnabledWhileLooking = true;
    PrintCommands print(prompts, [&]() -> std::unique_ptr<QPrinter> {
        windowEnabledWhileLooking = window.isEnabled();
        return nullptr;
    });
    EXPECT_FALSE(print.printUnitData(doc, "radio.frq", &window));
    EXPECT_FALSE(windowEnabledWhileLooking) << "the window is disabled while printing";
    EXPECT_TRUE(window.isEnabled());
    ASSERT_EQ(prompts.script.messages.size(), 1u);
    const Message& m = prompts.script.messages[0];
    EXPECT_EQ(m.text, kNoPrinterText);
    EXPECT_EQ(m.shownTitle(), "Print");
    EXPECT_EQ(m.icon, Icon::Exclamation);
    EXPECT_EQ(m.buttons, Buttons::Ok);
    EXPECT_EQ(prompts.enabledAtMessage, std::vector<bool>{true});
}

TEST_F(PrintCommandsTest, TheSystemsDefaultPrinterIsUsedWhenThereIsOne) {
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this system has a printer; the test would print on it";
    EXPECT_EQ(systemDefaultPrinter(), nullptr);
    PrintCommands print(prompts);
    EXPECT_FALSE(print.printUnitData(doc, "", &window));
    ASSERT_EQ(prompts.script.messages.size(), 1u);
    EXPECT_EQ(prompts.script.messages[0].text, kNoPrinterText);
    EXPECT_TRUE(window.isEnabled());
}

TEST_F(PrintCommandsTest, APrinterThatFailsIsReportedWithItsDestination) {
    const QString path = dir.filePath(QStringLiteral("no/such/folder/unit.pdf"));
    PrintCommands print(prompts, [&] { return pdfPrinter(path); });
    EXPECT_FALSE(print.printUnitData(doc, "radio.frq", &window));
    EXPECT_TRUE(window.isEnabled());
    ASSERT_EQ(prompts.script.messages.size(), 1u);
    const Message& m = prompts.script.messages[0];
    EXPECT_EQ(m.text, kPrinterErrorText);
    EXPECT_EQ(m.shownTitle(), "Print");
    EXPECT_NE(m.detail.find("unit.pdf"), std::string::npos) << m.detail;
    EXPECT_EQ(prompts.enabledAtMessage, std::vector<bool>{true});
}

TEST_F(PrintCommandsTest, AWorkingPrinterGetsTheWholePrintoutAsOneDocument) {
    const QString path = dir.filePath(QStringLiteral("unit.pdf"));
    int printersMade = 0;
    PrintCommands print(prompts, [&] {
        ++printersMade;
        return pdfPrinter(path);
    });
    ASSERT_TRUE(print.printUnitData(doc, "radio.frq", &window));
    EXPECT_TRUE(prompts.script.messages.empty());
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(head(path, 5), "%PDF-");
    EXPECT_GT(QFileInfo(path).size(), 4000);
    // A second print asks for the default printer afresh (one may have been installed).
    ASSERT_TRUE(print.printUnitData(doc, "radio.frq", nullptr));
    EXPECT_EQ(printersMade, 2);
    EXPECT_EQ(print.printer(), nullptr) << "no printer was set up";
}

// Runs f once the dialog that the next call opens is showing.
void whenModalOpens(std::function<void(QDialog&)> f) {
    QTimer::singleShot(0, [f = std::move(f)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        f(*dialog);
    });
}

TEST_F(PrintCommandsTest, PrintSetupKeepsItsPrinterForPrintUnlessCancelled) {
    const QString path = dir.filePath(QStringLiteral("setup.pdf"));
    int printersMade = 0;
    PrintCommands print(prompts, [&] {
        ++printersMade;
        return pdfPrinter(path);
    });
    whenModalOpens([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Print Setup"));
        d.reject();
    });
    EXPECT_FALSE(print.printSetup(&window));
    EXPECT_EQ(print.printer(), nullptr) << "a cancelled setup keeps the default printer";

    whenModalOpens([](QDialog& d) { d.accept(); });
    ASSERT_TRUE(print.printSetup(&window));
    ASSERT_NE(print.printer(), nullptr);
    const int madeBySetup = printersMade;
    ASSERT_TRUE(print.printUnitData(doc, "radio.frq", &window));
    EXPECT_EQ(printersMade, madeBySetup) << "Print uses the printer set up";
    EXPECT_EQ(head(print.printer()->outputFileName(), 5), "%PDF-");
}

TEST_F(PrintCommandsTest, ThePreviewShowsTheWholePrintoutPageByPage) {
    PrintCommands print(prompts, [] { return std::unique_ptr<QPrinter>(); });
    std::unique_ptr<QPrintPreviewDialog> dialog(
        print.createPrintPreview(composeUnitData(doc, "radio.frq"), &window));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Print Preview"));
    auto* preview = dialog->findChild<QPrintPreviewWidget*>();
    ASSERT_NE(preview, nullptr);
    int paints = 0;
    QObject::connect(dialog.get(), &QPrintPreviewDialog::paintRequested, [&] { ++paints; });
    dialog->show();
    preview->updatePreview();
    EXPECT_GE(paints, 1);
    // 15 groups of 26 lines each do not fit on one page.
    EXPECT_GT(preview->pageCount(), 3);
    EXPECT_TRUE(prompts.script.messages.empty());
}

}  // namespace
}  // namespace zav::test
