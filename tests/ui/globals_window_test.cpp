// The global parameters window: the image's values shown and stored back when the user
// leaves the window, the deviation list and slider moving together, the password, and the
// live DTMF deviation write.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QSlider>

#include "model/globals.h"
#include "support/editor.h"
#include "ui/globals_window.h"

namespace zav::test {
namespace {

auto fields(const GlobalParams& p) {
    return std::tie(p.password, p.globalBat, p.bankScan, p.priRate, p.dtmfDev, p.aniRate,
                    p.porchTime);
}

struct Globals : ::testing::Test {
    GlobalsWindow* open() {
        e.trigger(&MainMenus::globalsAction);
        return w = e.window->globalsWindow();
    }
    QComboBox* box(const char* name) const {
        return w->findChild<QComboBox*>(QString::fromLatin1(name));
    }
    QSlider* slider() const { return w->findChild<QSlider*>(); }
    QPushButton* writeButton() const { return w->findChild<QPushButton*>(); }
    void send(QEvent::Type type) const {
        QEvent event(type);
        QApplication::sendEvent(w, &event);
    }
    Editor e;
    GlobalsWindow* w = nullptr;
};

// The window shows the image when activated and stores the user's edits (a password of
// hexadecimal digits) when left, not while it has the focus, and not once the image changed.
TEST_F(Globals, ShowTheImageAndStoreTheUsersEditsWhenLeft) {
    e.mem()[111] = 0xFF;
    open();
    EXPECT_EQ(fields(w->formValues()), fields(loadGlobalsToForm(e.mem())));
    e.mem()[119] = 0x7E;  // changed meanwhile: shown again when the window is activated
    send(QEvent::WindowActivate);
    EXPECT_EQ(fields(w->formValues()), fields(loadGlobalsToForm(e.mem())));
    const MemImage before = e.mem();
    box("cboPriRate")->setCurrentIndex(3);
    QLineEdit* pw = w->findChild<QLineEdit*>();  // six hexadecimal digits
    pw->clear();
    for (const char c : std::string_view("1g2Z3")) pw->insert(QString(QChar::fromLatin1(c)));
    EXPECT_EQ(pw->text(), "123");
    EXPECT_EQ(e.mem(), before);
    send(QEvent::WindowDeactivate);
    GlobalParams shown = w->formValues();
    shown.password = "000123";
    EXPECT_EQ(fields(loadGlobalsToForm(e.mem())), fields(shown));
    MemImage expected = before;  // only the fields' bytes; bits 1 and 2 of 119 are the radio's
    for (const std::size_t i : {96, 97, 98, 111}) expected[i] = e.mem()[i];
    expected[119] = static_cast<Byte>((e.mem()[119] & ~0x06) | (before[119] & 0x06));
    EXPECT_EQ(e.mem(), expected);
    e.mem()[119] = 0x5B;  // a file opened meanwhile: the open window keeps its hands off
    send(QEvent::WindowDeactivate);
    w->close();
    EXPECT_EQ(e.mem()[119], 0x5B);
}

// The deviation list and slider move together and store the code in the image; the
// live write sends it (the bytes are the link's test), and stores it even when the radio
// does not answer.
TEST_F(Globals, TheDeviationListSliderAndLiveWrite) {
    e.mem()[0x6F] = 0xFD;
    open();
    EXPECT_EQ(slider()->value(), 31);
    box("cboDTMFDev")->setCurrentIndex(1);
    EXPECT_EQ(e.mem()[0x6F], 0x0D);
    EXPECT_EQ(slider()->value(), 1);
    slider()->setValue(28);
    slider()->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(box("cboDTMFDev")->currentIndex(), 23);
    EXPECT_EQ(e.mem()[0x6F], 23 * 8 + 5);
    writeButton()->click();
    EXPECT_EQ(w->lastWriteResult()->outcome, Outcome::Done);
    EXPECT_EQ(e.radio.memory()[0x6F] >> 3, 23);
    e.radio.config().faults.silent = true;
    slider()->blockSignals(true);  // a position the image does not hold yet
    slider()->setValue(9);
    slider()->blockSignals(false);
    writeButton()->click();
    EXPECT_EQ(w->lastWriteResult()->outcome, Outcome::Failed);
    EXPECT_EQ(e.mem()[0x6F], 9 * 8 + 5);
    EXPECT_EQ(box("cboDTMFDev")->currentIndex(), 9);
    EXPECT_EQ(e.prompts.texts().size(), 1u);
}

// While another operation has the link the write is refused; while its own write waits
// the window neither closes nor writes twice.
TEST_F(Globals, TheDeviationWriteWaitsForNoOtherOperation) {
    open();
    bool pressed = false;
    e.port.setOnYield([&] {
        if (!std::exchange(pressed, true)) writeButton()->click();
    });
    e.trigger(&MainMenus::readGlobalAction);
    EXPECT_EQ(w->lastWriteResult()->outcome, Outcome::Failed);
    EXPECT_EQ(e.prompts.texts().size(), 1u);
    int waits = 0;
    bool closed = false;
    e.port.setOnYield([&] {
        if (waits++ == 3) {
            closed = w->close();
            w->sendDtmfDeviation();
        }
    });
    w->sendDtmfDeviation();
    EXPECT_FALSE(closed);
    EXPECT_EQ(w->lastWriteResult()->outcome, Outcome::Done);
    EXPECT_EQ(e.prompts.texts().size(), 1u);
}

}  // namespace
}  // namespace zav::test
