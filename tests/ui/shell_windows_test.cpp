#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "editor_fixture.h"
#include "iface/version.h"
#include "qt/qt_prompts.h"
#include "ui/about_dialog.h"
#include "ui/progress_window.h"
#include "ui/splash_window.h"
#include "ui/twips.h"

namespace zav::test {
namespace {

TEST(ProgressWindow, ShowsTheOperationAndDisablesTheMainWindow) {
    Editor e;
    e.window->show();
    ProgressWindow& proc = e.window->progress();
    const double dpi = logicalDpi(e.window.get());
    e.window->move(twipsToPixels(300, dpi), twipsToPixels(1200, dpi));
    proc.showForm("Please Wait - Reading Radio", false);
    EXPECT_EQ(proc.windowTitle(), "ZAV Processing");
    EXPECT_EQ(proc.info()->text(), "Please Wait - Reading Radio");
    EXPECT_TRUE(proc.isVisible());
    EXPECT_FALSE(proc.cancelButton()->isEnabled());
    EXPECT_EQ(proc.pos(), QPoint(twipsToPixels(800, dpi), twipsToPixels(1700, dpi)));
    EXPECT_FALSE(proc.mainWindowEnabled());
    EXPECT_FALSE(e.window->centralWidget()->isEnabled());
    EXPECT_TRUE(proc.isEnabled()) << "the progress window itself stays live";
    proc.setMaximum(15);
    proc.setValue(4);
    EXPECT_EQ(proc.bar()->value(), 4);
    proc.hideForm();
    proc.enableMainWindow();
    EXPECT_TRUE(proc.mainWindowEnabled());
    EXPECT_FALSE(proc.isVisible());
}

TEST(ProgressWindow, MainWindowDoesNotCloseDuringATransfer) {
    Editor e;
    e.window->show();
    e.window->progress().showForm("Please Wait - Reading Radio", false);
    EXPECT_FALSE(e.window->close());
    EXPECT_TRUE(e.prompts.messages.empty());
    e.window->progress().hideForm();
    e.window->progress().enableMainWindow();
    EXPECT_TRUE(e.window->close());
}

TEST(ProgressWindow, CancelDuringAReadNeedsNoQuestion) {
    Editor e;
    ProgressWindow& proc = e.window->progress();
    proc.showForm("Please Wait - Reading Radio", false);
    proc.enableCancel();
    proc.cancelButton()->click();
    EXPECT_TRUE(proc.cancelled());
    EXPECT_TRUE(e.prompts.messages.empty());
    EXPECT_TRUE(proc.cancelButton()->isEnabled()) << "the button stays enabled";
    // A second operation starts afresh.
    proc.showForm("Please Wait - Reading Labels", false);
    EXPECT_FALSE(proc.cancelled());
    EXPECT_FALSE(proc.cancelButton()->isEnabled());
}

TEST(ProgressWindow, CancelDuringAWriteAsksFirst) {
    Editor e;
    ProgressWindow& proc = e.window->progress();
    proc.showForm("Please Wait - Writing Radio", true);
    proc.enableCancel();
    e.prompts.queueAnswer(Answer::No);
    proc.cancelButton()->click();
    EXPECT_FALSE(proc.cancelled());
    ASSERT_EQ(e.prompts.messages.size(), 1u);
    const Message& m = e.prompts.messages[0];
    EXPECT_EQ(m.text,
              "Warning:\rCancelling a write operation may leave the radio in an unpredictable "
              "state.\rAre you sure you want to cancel?");
    EXPECT_EQ(m.buttons, Buttons::YesNo);
    EXPECT_EQ(m.icon, Icon::Question);
    EXPECT_EQ(m.shownTitle(), "ZAVPROG");
    e.prompts.queueAnswer(Answer::Yes);
    proc.cancelButton()->click();
    EXPECT_TRUE(proc.cancelled());
}

TEST(ShellWindows, SplashAndAboutShowTheVersion) {
    EXPECT_EQ(versionText(programVersion()), "Version 1.1.5");
    SplashWindow splash;
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), "Version 1.1.5");
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("lblProductName"))->text(), "ZAVPROG");
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("lblCompanyProduct"))->text(),
              "ZAVPROG.EXE");
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("lblPlatform"))->text(), "for Windows 95");

    ScriptedPrompts prompts;
    AboutDialog about(prompts);
    EXPECT_EQ(about.windowTitle(), "About ZAVPROG");
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("lblTitle"))->text(),
              "ZAV Editor for Windows 95/NT ");
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), "Version 1.1.5");
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("lblDescription"))->text(),
              "ZAVPROG - An editor for programming ZAV series Ostrane Radios.");
    EXPECT_EQ(about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->text(),
              "&System Info...");
}

TEST(ShellWindows, SystemInfoWithoutAToolSaysSo) {
    ScriptedPrompts prompts;
    std::string started;
    AboutDialog none(
        prompts, nullptr, [] { return std::optional<std::string>(); },
        [&](const std::string& p) {
            started = p;
            return true;
        });
    none.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->click();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "System Information Is Unavailable At This Time");
    EXPECT_EQ(prompts.messages[0].buttons, Buttons::Ok);
    EXPECT_TRUE(started.empty());

    AboutDialog found(
        prompts, nullptr, [] { return std::optional<std::string>("/usr/bin/sysinfo"); },
        [&](const std::string& p) {
            started = p;
            return true;
        });
    found.startSysInfo();
    EXPECT_EQ(started, "/usr/bin/sysinfo");
    EXPECT_EQ(prompts.messages.size(), 1u);
}

TEST(QtPromptsText, FiltersAndLineBreaks) {
    const QStringList f =
        qtNameFilters("Frequency (*.frq)|*.frq|RXT (*.rxt)|*.rxt|RXW (*.rxw)|*.rxw|All (*.*)|*.*");
    EXPECT_EQ(f, (QStringList{"Frequency (*.frq)", "RXT (*.rxt)", "RXW (*.rxw)", "All (*.*)"}));
    EXPECT_EQ(qtNameFilters("Pictures|*.png;*.bmp"), QStringList{"Pictures (*.png *.bmp)"});
    EXPECT_EQ(messageText("a\rb\r\nc"), "a\nb\nc");
}

}  // namespace
}  // namespace zav::test
