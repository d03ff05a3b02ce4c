// The smaller windows and what they rest on: the Serial Port Device dialog, the help
// pages, the texts Qt's message boxes and file dialogs are given, printing, and where a
// window restored from the settings lands.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QTimer>
#include <QTreeWidget>

#include "files/settings.h"
#include "link/port_devices.h"
#include "model/document.h"
#include "print/printout.h"
#include "qt/qt_prompts.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "ui/help_viewer.h"
#include "ui/port_device_dialog.h"
#include "ui/print_commands.h"
#include "ui/screen_fit.h"

namespace zav {
namespace {

SerialPortEntry port(const char* device, std::optional<std::int64_t> appearedAt) {
    return {device, "UART", "", 0x0403, std::nullopt, appearedAt, "", std::nullopt};
}

// The chosen or typed device is stored for the dialog's port number, which the link then
// opens; the cable just plugged in is marked.
TEST(PortDevice, StoresTheChosenOrTypedDeviceAndMarksTheNewest) {
    EXPECT_EQ(newestEntry({port("a", 5), port("b", 5)}), std::nullopt);  // no telling
    EXPECT_EQ(newestEntry({port("a", std::nullopt)}), std::nullopt);
    MemorySettingsStore settings;
    const std::vector<SerialPortEntry> ports{port("/dev/ttyS0", 100), port("/dev/ttyACM0", 900),
                                             port("/dev/ttyUSB1", std::nullopt)};
    PortDeviceDialog dialog(settings, 3, nullptr, [&] { return ports; });
    auto* list = dialog.findChild<QTreeWidget*>();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list->topLevelItem(i)->text(1).contains(QStringLiteral("most recently")), i == 1);
    list->topLevelItem(1)->setSelected(true);
    dialog.accept();
    EXPECT_EQ(resolvePortDevice("3", &settings), "/dev/ttyACM0");
    EXPECT_FALSE(settings.contains("Comm", "Device1"));
    dialog.findChild<QLineEdit*>()->setText(QStringLiteral("  /dev/pts/7 "));
    dialog.accept();
    EXPECT_EQ(resolvePortDevice("3", &settings), "/dev/pts/7");
}

// Every linked help page is built in and leads back to the contents; none is out of reach.
// No page fixes a colour, which a dark palette would make unreadable: the text and its
// background are the palette's.
TEST(HelpPages, EveryLinkedPageExistsAndEveryPageIsReachable) {
    static const QRegularExpression href(QStringLiteral(R"re(href="([^"#:]+\.html))re"));
    static const QRegularExpression colour(QStringLiteral("color|<font"));
    const QString folder = QString::fromLatin1(kHelpResourceFolder) + QLatin1Char('/');
    QFile css(folder + QStringLiteral("help.css"));
    ASSERT_TRUE(css.open(QIODevice::ReadOnly));
    EXPECT_FALSE(QString::fromUtf8(css.readAll()).contains(colour));
    QStringList reached, queue{QStringLiteral("index.html")};
    while (!queue.isEmpty()) {
        const QString page = queue.takeFirst();
        if (reached.contains(page)) continue;
        reached << page;
        QFile f(folder + page);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << page.toStdString();
        const QString html = QString::fromUtf8(f.readAll());
        EXPECT_TRUE(page == "index.html" || html.contains("href=\"index.html"))
            << page.toStdString();
        EXPECT_FALSE(html.contains(colour)) << page.toStdString();
        for (auto it = href.globalMatch(html); it.hasNext();) queue << it.next().captured(1);
    }
    EXPECT_GE(reached.size(), 10);
    reached.sort();
    EXPECT_EQ(reached, QDir(folder).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name));
}

// A box is wide enough for its title in a bold face beside the title bar's buttons.
TEST(QtPrompts, ABoxFitsItsTitleHasItsDefaultAndTextsAreQtsForm) {
    QtPrompts prompts;
    QFont font;
    int width = 0;
    bool noIsDefault = false;  // as a question that risks the radio asks for
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        font = box->font();
        width = box->width();
        noIsDefault = box->defaultButton() == box->button(QMessageBox::No);
        box->done(QMessageBox::No);
    });
    Message m = question("OK?", Buttons::YesNo, "Read Labels from Radio");
    m.defaultButton = DefaultButton::Second;
    EXPECT_EQ(prompts.ask(m), Answer::No);
    EXPECT_TRUE(noIsDefault);
    font.setBold(true);
    const QFontMetrics fm(font);
    EXPECT_GE(width, fm.horizontalAdvance(QString::fromStdString(m.title)) + 3 * fm.height());
    // Filter lists and line breaks as Qt's dialogs take them.
    EXPECT_EQ(qtNameFilters("Frequency (*.frq)|*.frq|All (*.*)|*.*"),
              (QStringList{"Frequency (*.frq)", "All (*.*)"}));
    EXPECT_EQ(qtNameFilters("Pictures|*.png;*.bmp"), QStringList{"Pictures (*.png *.bmp)"});
    EXPECT_EQ(messageText("a\rb\r\nc"), "a\nb\nc");
}

// A missing or failing printer is reported with the main window enabled again, a working
// one gets every page.
TEST(Print, ReportsAMissingOrFailingPrinterAndPrintsEveryPageOnAWorkingOne) {
    Document doc;
    QWidget window;
    test::ScriptedPrompts prompts;
    test::TempDir dir;
    bool enabledWhileLooking = true;
    // A PDF printer writing `name` (none for nullptr).
    const auto pdf = [&](const char* name) {
        return PrintCommands(prompts, [&, name]() -> std::unique_ptr<QPrinter> {
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
    EXPECT_TRUE(window.isEnabled());
    PrintCommands print = pdf("unit.pdf");
    ASSERT_TRUE(print.printUnitData(doc, "radio.frq", &window));
    EXPECT_GT(std::filesystem::file_size(dir.file("unit.pdf")), 4000u);
    std::unique_ptr<QPrintPreviewDialog> preview(
        print.createPrintPreview(composeUnitData(doc, "radio.frq"), &window));
    preview->show();
    preview->findChild<QPrintPreviewWidget*>()->updatePreview();
    EXPECT_GT(preview->findChild<QPrintPreviewWidget*>()->pageCount(), 3);  // 15 groups
}

// A restored window lands wholly on a screen, however wrong the stored place is.
TEST(ScreenFit, KeepsTheWindowWhollyOnTheScreenItOverlapsMost) {
    const QRect left(0, 0, 1920, 1050);      // a screen's available area, less its panel
    const QRect right(1920, 30, 1280, 994);  // a second screen to its right, panel on top
    const std::pair<QRect, QRect> cases[] = {
        {{100, 100, 800, 600}, {100, 100, 800, 600}},    // already on screen: untouched
        {{-50000, -50000, 800, 600}, {0, 0, 800, 600}},  // far off: on the fallback screen
        {{100000, 100000, 800, 600}, {1120, 450, 800, 600}},
        {{1700, 500, 800, 600}, {1920, 424, 800, 600}},   // mostly on the right screen
        {{1500, 500, 800, 600}, {1120, 450, 800, 600}},   // mostly on the left screen
        {{-10, -10, 3000, 2000}, {0, 0, 1920, 1050}},     // larger than the screen: shrunk
        {{1919, 1049, 800, 600}, {1120, 450, 800, 600}},  // one pixel on screen
        {{1920, 30, 1280, 994}, {1920, 30, 1280, 994}},   // exactly the right screen
    };
    for (const auto& [wanted, expected] : cases)
        EXPECT_EQ(fitToScreens(wanted, {left, right}, left), expected) << wanted.x();
}

}  // namespace
}  // namespace zav
