// The global parameters window: the image's values shown and stored back when the user
// leaves the window (one undo step), the deviation list and slider moving together, and
// the live DTMF deviation write.

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
    void SetUp() override {
        e.mem()[0x6F] = 0xFD;
        e.trigger(&MainMenus::globalsAction);
        w = e.window->globalsWindow();
        deviation = w->findChild<QComboBox*>(QStringLiteral("cboDTMFDev"));
        slider = w->findChild<QSlider*>();
    }
    void send(QEvent::Type type) const {
        QEvent event(type);
        QApplication::sendEvent(w, &event);
    }
    Editor e;
    GlobalsWindow* w = nullptr;
    QComboBox* deviation = nullptr;
    QSlider* slider = nullptr;
};

// The window shows the image when activated and stores the user's edits when left or
// before a write, not while it has the focus, and not once the image changed; the
// password takes hexadecimal digits; Undo takes a pending edit back out of the window.
TEST_F(Globals, ShowTheImageAndStoreTheUsersEditsWhenLeft) {
    e.mem()[119] = 0x7E;  // changed meanwhile: shown again when the window is activated
    send(QEvent::WindowActivate);
    EXPECT_EQ(fields(w->formValues()), fields(loadGlobalsToForm(e.mem())));
    const MemImage first = e.mem();
    auto* rate = w->findChild<QComboBox*>(QStringLiteral("cboPriRate"));
    const int shown = rate->currentIndex();
    rate->setCurrentIndex(3);
    EXPECT_EQ(e.mem(), first);
    e.trigger(&MainMenus::undoAction);
    EXPECT_EQ(e.mem(), first);
    EXPECT_EQ(rate->currentIndex(), shown);
    rate->setCurrentIndex(3);
    e.prompts.queueAnswer(Answer::Ok);
    e.trigger(&MainMenus::writeGlobalAction);
    EXPECT_EQ(loadGlobalsToForm(e.mem()).priRate, 3);
    EXPECT_TRUE(
        std::equal(e.mem().begin() + 96, e.mem().begin() + 99, e.radio.memory().begin() + 96));
    const MemImage before = e.mem();
    QLineEdit* pw = w->findChild<QLineEdit*>();  // six hexadecimal digits
    pw->clear();
    for (const char c : std::string_view("1g2Z3")) pw->insert(QString(QChar::fromLatin1(c)));
    EXPECT_EQ(pw->text(), "123");
    EXPECT_EQ(e.mem(), before);
    send(QEvent::WindowDeactivate);
    EXPECT_EQ(loadGlobalsToForm(e.mem()).password, "000123");
    MemImage expected = before;  // only the fields' bytes; bits 1 and 2 of 119 are the radio's
    for (const std::size_t i : {96, 97, 98, 111}) expected[i] = e.mem()[i];
    expected[119] = static_cast<Byte>((e.mem()[119] & ~0x06) | (before[119] & 0x06));
    EXPECT_EQ(e.mem(), expected);
    e.trigger(&MainMenus::undoAction);  // leaving the window made one step
    EXPECT_EQ(e.mem(), before);
    e.trigger(&MainMenus::redoAction);
    EXPECT_EQ(e.mem(), expected);
    e.mem()[119] = 0x5B;  // a file opened meanwhile: the open window keeps its hands off
    send(QEvent::WindowDeactivate);
    w->close();
    EXPECT_EQ(e.mem()[119], 0x5B);
}

// The list and slider move together and store the code in the image; the live write
// stores it even when the radio does not answer, is refused while another operation has
// the link, and while its own write waits the window neither closes nor writes twice;
// Read Global shows the radio's code.
TEST_F(Globals, TheDeviationListSliderAndLiveWrite) {
    EXPECT_EQ(slider->value(), 31);
    deviation->setCurrentIndex(1);
    EXPECT_EQ(e.mem()[0x6F], 0x0D);
    slider->setValue(28);
    slider->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(deviation->currentIndex(), 23);
    EXPECT_EQ(e.mem()[0x6F], 23 * 8 + 5);
    e.trigger(&MainMenus::undoAction);  // each move is a step
    EXPECT_EQ(e.mem()[0x6F], 28 * 8 + 5);
    e.trigger(&MainMenus::redoAction);
    int waits = 0;
    bool closed = false;
    e.port.setOnYield([&] {
        if (waits++ == 3) {
            closed = w->close();
            w->sendDtmfDeviation();
        }
    });
    w->findChild<QPushButton*>()->click();
    EXPECT_FALSE(closed);
    EXPECT_EQ(w->lastWriteResult()->outcome, Outcome::Done);
    EXPECT_EQ(e.radio.memory()[0x6F] >> 3, 23);
    e.port.setOnYield([&, pressed = false]() mutable {
        if (!std::exchange(pressed, true)) w->sendDtmfDeviation();
    });
    e.radio.memory()[0x6F] = 0x18;  // deviation code 3
    e.trigger(&MainMenus::readGlobalAction);
    EXPECT_EQ(deviation->currentIndex(), 3);
    EXPECT_EQ(w->lastWriteResult()->outcome, Outcome::Failed);
    EXPECT_EQ(e.prompts.texts(),
              std::vector<std::string>{"Another radio operation is in progress."});
    e.port.setOnYield({});
    e.radio.config().faults.silent = true;
    slider->blockSignals(true);  // a position the image does not hold yet
    slider->setValue(9);
    slider->blockSignals(false);
    w->sendDtmfDeviation();
    EXPECT_EQ(w->lastWriteResult()->outcome, Outcome::Failed);
    EXPECT_EQ(e.mem()[0x6F], 9 * 8);  // the low bits as read
    EXPECT_EQ(deviation->currentIndex(), 9);
}

}  // namespace
}  // namespace zav::test
