// The global parameters window: its controls, loading and storing through the image,
// the deviation list and slider mirroring each other, its place, and the live write.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QValidator>
#include <memory>
#include <span>
#include <string_view>

#include "files/settings.h"
#include "link/global_transfer.h"
#include "model/document.h"
#include "model/lists.h"
#include "support/sim_link.h"
#include "ui/globals_window.h"
#include "ui/twips.h"

namespace zav {
namespace {

struct GlobalsFixture {
    explicit GlobalsFixture(sim::SimConfig config = {}, bool create = true) : sim(config) {
        if (create) make();
    }
    void make() { window = std::make_unique<GlobalsWindow>(doc, sim.settings, sim.link); }
    template <class W>
    W* child(const char* name) const {
        W* w = window->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QComboBox* box(const char* name) const { return child<QComboBox>(name); }
    QSlider* slider() const { return child<QSlider>("DTMFSlider"); }
    std::string shown(const char* name) const { return box(name)->currentText().toStdString(); }
    void activate() const {
        QEvent e(QEvent::WindowActivate);
        QApplication::sendEvent(window.get(), &e);
    }
    void deactivate() const {
        QEvent e(QEvent::WindowDeactivate);
        QApplication::sendEvent(window.get(), &e);
    }
    void typeKey(QWidget* w, Qt::Key key, const QString& text) const {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(w, &press);
    }

    Document doc;
    test::SimLink sim;
    std::unique_ptr<GlobalsWindow> window;
};

TEST(GlobalsWindow, CaptionFramesLabelsListsAndTips) {
    GlobalsFixture g;
    EXPECT_EQ(g.window->windowTitle(), "Global Parameters  -  ZAV Editor   ");
    EXPECT_EQ(g.window->parent(), nullptr);
    EXPECT_TRUE(g.window->isWindow());
    QWidget owner;
    GlobalsWindow owned(g.doc, g.sim.settings, g.sim.link, &owner);
    EXPECT_TRUE(owned.isWindow());

    struct Frame {
        const char* name;
        const char* title;
    };
    for (const Frame f :
         {Frame{"fraUnit", "Global Variables"}, Frame{"FrameDTMF", "ANI/DTMF Parameters"},
          Frame{"FrameDTMFUtil", "DTMF Deviation Utility"}}) {
        EXPECT_EQ(g.child<QGroupBox>(f.name)->title(), f.title);
    }

    struct Row {
        const char* box;
        const char* label;
        const char* caption;
        const char* frame;  // nullptr: none
        std::span<const std::string_view> entries;
        bool tip;
    };
    const Row rows[] = {
        {"cboPriRate", "lblPriRate", "Priority Rate in seconds:", "fraUnit", lists::kPriorityRate,
         true},
        {"cboGlobalBat", "lblGlobalBat", "Global Battery Saver:", "fraUnit", lists::kGlobalBattSave,
         false},
        {"cboBAnkScan", "lblTalkBack", "Bank Scan:", "fraUnit", lists::kBankScan, false},
        {"cboPorchTime", "lblPorch", "Front Porch Time in Milliseconds:", "FrameDTMF",
         lists::kFrontPorch, true},
        {"cboANIRate", "lblAniRate", "Character Rate/Second:", "FrameDTMF", lists::kAniRate, true},
        {"cboDTMFDev", "LabelANIDev", "Single tone deviation (Hz)", "FrameDTMF",
         lists::kDtmfDeviation, true},
    };
    for (const Row& r : rows) {
        QComboBox* box = g.box(r.box);
        ASSERT_NE(box, nullptr);
        // Only the entries can be chosen: nothing typed leaves a box without a list index.
        EXPECT_FALSE(box->isEditable()) << r.box;
        ASSERT_EQ(static_cast<std::size_t>(box->count()), r.entries.size()) << r.box;
        for (int i = 0; i < box->count(); ++i) {
            EXPECT_EQ(box->itemText(i).toStdString(), r.entries[static_cast<std::size_t>(i)])
                << r.box;
        }
        EXPECT_EQ(box->toolTip(), r.tip ? "Select value from list." : "") << r.box;
        QLabel* l = g.child<QLabel>(r.label);
        EXPECT_EQ(l->text(), r.caption);
        EXPECT_EQ(l->buddy(), box);
        EXPECT_EQ(box->parent()->objectName(), r.frame);
    }
    EXPECT_EQ(g.box("cboDTMFDev")->itemText(6), "1125.0");
    EXPECT_EQ(g.box("cboDTMFDev")->itemText(1), " 187.5");
    EXPECT_EQ(g.child<QLabel>("lblPassWord")->text(), "Pass Word");
    EXPECT_EQ(g.child<QLabel>("lblPassWord")->buddy(), g.child<QLineEdit>("txtPassWord"));
    EXPECT_EQ(g.child<QLineEdit>("txtPassWord")->parent(), g.window.get());

    QSlider* s = g.slider();
    EXPECT_EQ(s->orientation(), Qt::Horizontal);
    EXPECT_EQ(s->minimum(), 0);
    EXPECT_EQ(s->maximum(), 31);
    EXPECT_EQ(s->singleStep(), 1);
    EXPECT_EQ(s->pageStep(), 5);
    EXPECT_EQ(s->parent()->objectName(), "FrameDTMFUtil");
    EXPECT_EQ(g.child<QPushButton>("cmdWriteDTMF")->text(), "Write DTMF Deviation");
}

TEST(GlobalsWindow, LoadShowsTheImage) {
    GlobalsFixture g({}, false);
    g.doc.mem[119] = 0x81;
    g.doc.mem[111] = 0xFF;
    g.doc.mem[96] = 0x0A;
    g.doc.mem[97] = 0xB0;
    g.doc.mem[98] = 0x01;
    g.make();
    EXPECT_EQ(g.shown("cboGlobalBat"), "Disabled");
    EXPECT_EQ(g.shown("cboBAnkScan"), "Enabled");
    EXPECT_EQ(g.shown("cboPriRate"), "0");
    EXPECT_EQ(g.shown("cboDTMFDev"), "Test 4");
    EXPECT_EQ(g.shown("cboANIRate"), "20");
    EXPECT_EQ(g.shown("cboPorchTime"), "990");
    EXPECT_EQ(g.slider()->value(), 31);
    EXPECT_EQ(g.child<QLineEdit>("txtPassWord")->text(), "0AB001");
    EXPECT_FALSE(g.window->hasUnstoredEdits());

    g.doc.mem[119] = 0x78;
    g.activate();
    EXPECT_EQ(g.shown("cboPriRate"), "3.75");
    EXPECT_EQ(g.shown("cboGlobalBat"), "Enabled");
    EXPECT_EQ(g.shown("cboBAnkScan"), "Disabled");
}

TEST(GlobalsWindow, ChoosingADeviationMovesTheSliderAndStoresTheCodeOnce) {
    GlobalsFixture g;
    g.doc.mem[0x6F] = 0x05;
    g.activate();
    int sliderChanges = 0;
    int listChanges = 0;
    QObject::connect(g.slider(), &QSlider::valueChanged, [&] { ++sliderChanges; });
    QObject::connect(g.box("cboDTMFDev"), &QComboBox::currentIndexChanged, [&] { ++listChanges; });

    QComboBox* list = g.box("cboDTMFDev");
    list->setCurrentIndex(list->findText(QStringLiteral("1125.0")));  // the user's choice
    EXPECT_EQ(g.slider()->value(), 6);
    EXPECT_EQ(g.doc.mem[0x6F], 0x35);
    EXPECT_EQ(listChanges, 1);
    EXPECT_EQ(sliderChanges, 0);  // moved by the program, not taken for the user's move

    g.slider()->setValue(28);  // the user drags the slider
    EXPECT_EQ(g.shown("cboDTMFDev"), "Test 1");
    EXPECT_EQ(g.doc.mem[0x6F], 28 * 8 + 5);
    EXPECT_EQ(sliderChanges, 1);
    EXPECT_EQ(listChanges, 1);

    // Keyboard steps of the slider.
    g.slider()->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(g.slider()->value(), 23);
    EXPECT_EQ(g.shown("cboDTMFDev"), "4312.5");
    EXPECT_EQ(g.doc.mem[0x6F] >> 3, 23);
}

TEST(GlobalsWindow, AByteOf0xFDStartsAtThirtyOneAndStoringOneGives0x0D) {
    GlobalsFixture g({}, false);
    g.doc.mem[0x6F] = 0xFD;
    g.make();
    EXPECT_EQ(g.slider()->value(), 31);
    EXPECT_EQ(g.shown("cboDTMFDev"), "Test 4");
    g.box("cboDTMFDev")->setCurrentIndex(1);
    EXPECT_EQ(g.doc.mem[0x6F], 0x0D);
    EXPECT_EQ(g.slider()->value(), 1);
}

TEST(GlobalsWindow, DeactivateStoresTheUsersEditsAndOnlyThose) {
    GlobalsFixture g;
    g.doc.mem[119] = 0x06;  // bits 1 and 2 are the radio's: never written
    g.activate();
    g.box("cboPriRate")->setCurrentIndex(3);
    g.box("cboGlobalBat")->setCurrentIndex(0);
    g.box("cboBAnkScan")->setCurrentIndex(1);
    g.box("cboPorchTime")->setCurrentIndex(2);
    g.box("cboANIRate")->setCurrentIndex(1);
    EXPECT_TRUE(g.window->hasUnstoredEdits());
    EXPECT_EQ(g.doc.mem[119], 0x06);  // nothing stored before the window loses focus
    const MemImage before = g.doc.mem;
    g.deactivate();
    EXPECT_EQ(g.doc.mem[119], 0x80 | (3 << 3) | 0x06 | 0x01);
    EXPECT_EQ(g.doc.mem[111] & 0x07, 0x06);
    for (std::size_t i = 0; i < g.doc.mem.size(); ++i) {
        if (i != 119 && i != 111) {
            ASSERT_EQ(g.doc.mem[i], before[i]) << i;
        }
    }
    EXPECT_FALSE(g.window->hasUnstoredEdits());
}

TEST(GlobalsWindow, AWindowLeftOpenDoesNotPutBackValuesTheImageNoLongerHolds) {
    GlobalsFixture g;
    g.activate();
    g.deactivate();
    // Meanwhile the main window opens a file: new globals in the image.
    g.doc.mem[119] = 0x5B;
    g.doc.mem[111] = 0x9E;
    g.doc.mem[96] = 0x12;
    g.deactivate();
    g.window->close();
    EXPECT_EQ(g.doc.mem[119], 0x5B);
    EXPECT_EQ(g.doc.mem[111], 0x9E);
    EXPECT_EQ(g.doc.mem[96], 0x12);
}

TEST(GlobalsWindow, ThePasswordTakesHexadecimalDigitsOnly) {
    GlobalsFixture g;
    auto* pw = g.child<QLineEdit>("txtPassWord");
    pw->selectAll();
    for (const char c : std::string_view("1g2Z3")) {
        const QString t(QChar::fromLatin1(c));
        g.typeKey(pw, static_cast<Qt::Key>(QChar::fromLatin1(c).toUpper().unicode()), t);
    }
    EXPECT_EQ(pw->text(), "123");
    EXPECT_TRUE(g.window->hasUnstoredEdits());
    g.window->close();
    // Padded on the left to six digits.
    EXPECT_EQ(g.doc.mem[96], 0x00);
    EXPECT_EQ(g.doc.mem[97], 0x01);
    EXPECT_EQ(g.doc.mem[98], 0x23);
    QString seven = QStringLiteral("ABCDEF1");
    int pos = 0;
    EXPECT_EQ(pw->maxLength(), 6);
    EXPECT_NE(pw->validator()->validate(seven, pos), QValidator::Acceptable);
}

TEST(GlobalsWindow, OpensCentredWithoutAStoredPlaceAndKeepsItsPlaceInTwips) {
    GlobalsFixture g;
    const QRect area = g.window->screen()->availableGeometry();
    const QSize size = g.window->size();
    EXPECT_NEAR(g.window->pos().x(), area.x() + (area.width() - size.width()) / 2, 1);
    EXPECT_NEAR(g.window->pos().y(), area.y() + (area.height() - size.height()) / 2, 1);

    const double dpi = logicalDpi(g.window.get());
    g.window->move(twipsToPixels(1500, dpi), twipsToPixels(900, dpi));
    g.window->close();
    EXPECT_NEAR(readNumber(g.sim.settings, settings::kGlobalLeft, -1), 1500, 1440 / dpi);
    EXPECT_NEAR(readNumber(g.sim.settings, settings::kGlobalTop, -1), 900, 1440 / dpi);

    g.make();
    EXPECT_EQ(g.window->pos(), QPoint(twipsToPixels(1500, dpi), twipsToPixels(900, dpi)));
}

TEST(GlobalsWindow, APlaceOffEveryScreenOpensCentred) {
    GlobalsFixture g({}, false);
    writeGlobalWindowPosition(g.sim.settings, 2.0e6, -3.0e6);
    g.make();
    const QRect area = g.window->screen()->availableGeometry();
    EXPECT_TRUE(area.intersects(g.window->frameGeometry()));
}

TEST(GlobalsWindow, WriteWithNoRadioUpdatesImageAndListThenShowsOnlyTheHookMessage) {
    sim::SimConfig silent;
    silent.faults.silent = true;
    GlobalsFixture g(silent);
    g.doc.mem[0x6F] = 0x03;
    g.activate();
    g.slider()->blockSignals(true);  // a position the image does not hold yet
    g.slider()->setValue(9);
    g.slider()->blockSignals(false);
    g.child<QPushButton>("cmdWriteDTMF")->click();
    EXPECT_EQ(g.doc.mem[0x6F], 9 * 8 + 3);
    EXPECT_EQ(g.shown("cboDTMFDev"), "1687.5");
    EXPECT_EQ(g.sim.prompts.texts(), std::vector<std::string>{"Error Hooking to Radio."});
    EXPECT_EQ(g.window->lastWriteResult()->outcome, Outcome::Failed);
    EXPECT_FALSE(g.sim.link.transport().isOpen());
    EXPECT_TRUE(g.child<QPushButton>("cmdWriteDTMF")->isEnabled());
}

TEST(GlobalsWindow, WriteKeepsTheRadiosOwnLowBits) {
    GlobalsFixture g;
    g.sim.radio.memory()[0x6E] = 0x5A;
    g.sim.radio.memory()[0x6F] = 0x06;  // the radio's porch time and ANI rate
    g.doc.mem[0x6F] = 0x01;             // the image's differ
    g.activate();
    g.slider()->setValue(20);
    g.child<QPushButton>("cmdWriteDTMF")->click();
    g.sim.settle();
    EXPECT_EQ(g.window->lastWriteResult(), OperationResult::success());
    EXPECT_EQ(g.sim.radio.memory()[0x6F], 20 * 8 + 6);
    EXPECT_EQ(g.sim.radio.memory()[0x6E], 0x5A);
    EXPECT_EQ(g.doc.mem[0x6F], 20 * 8 + 1);
    EXPECT_TRUE(g.sim.prompts.messages.empty());
}

TEST(GlobalsWindow, AWriteWhileAnotherRadioOperationRunsIsRefused) {
    GlobalsFixture g;
    test::fillPattern(g.sim.radio.memory());
    const Byte radioByte = g.sim.radio.memory()[0x6F];
    bool pressed = false;
    bool closedDuringWrite = false;
    g.sim.port.setOnYield([&] {
        if (!pressed && g.sim.progress.values.size() == 2) {
            pressed = true;
            g.child<QPushButton>("cmdWriteDTMF")->click();
        }
    });
    MemImage image{};
    EXPECT_TRUE(readGlobal(g.sim.link, image));
    EXPECT_TRUE(pressed);
    EXPECT_EQ(g.window->lastWriteResult()->outcome, Outcome::Failed);
    EXPECT_EQ(g.sim.prompts.texts(),
              std::vector<std::string>{"Another radio operation is in progress."});
    EXPECT_EQ(image[127], g.sim.radio.memory()[127]);
    g.sim.settle();
    EXPECT_EQ(g.sim.radio.memory()[0x6F], radioByte);

    // While its own write waits for the radio the window neither closes nor writes twice.
    g.sim.prompts.messages.clear();
    int inner = 0;
    g.sim.port.setOnYield([&] {
        if (inner++ == 3) {
            closedDuringWrite = g.window->close();
            g.window->sendDtmfDeviation();
        }
    });
    g.window->sendDtmfDeviation();
    EXPECT_FALSE(closedDuringWrite);
    EXPECT_EQ(g.window->lastWriteResult(), OperationResult::success());
    EXPECT_TRUE(g.sim.prompts.messages.empty());
}

TEST(GlobalsWindow, RendersWithoutClippingOrOverlap) {
    GlobalsFixture g;
    g.window->show();
    QApplication::processEvents();
    const QWidget* top = g.window.get();
    std::vector<QWidget*> leaves;
    for (QWidget* w : top->findChildren<QWidget*>()) {
        if (w->isVisible() && w->findChildren<QWidget*>().isEmpty() && w->objectName().size() > 0 &&
            !w->objectName().startsWith(QStringLiteral("qt_")))
            leaves.push_back(w);
    }
    ASSERT_EQ(leaves.size(), 16u);  // 7 labels, 6 lists, password, slider, button
    for (const QWidget* a : leaves) {
        const QRect ra(a->mapTo(top, QPoint(0, 0)), a->size());
        const std::string name = a->objectName().toStdString();
        EXPECT_TRUE(top->rect().contains(ra)) << name;
        EXPECT_TRUE(QRect(a->parentWidget()->mapTo(top, QPoint(0, 0)), a->parentWidget()->size())
                        .contains(ra))
            << name;
        if (qobject_cast<const QLineEdit*>(a) != nullptr) {
            // Room for the six digits of a password.
            EXPECT_GE(a->width(), a->fontMetrics().horizontalAdvance(QStringLiteral("DDDDDD")) + 8);
        } else {
            EXPECT_GE(a->width(), a->sizeHint().width()) << name;
        }
        EXPECT_GE(a->height(), a->minimumSizeHint().height()) << name;
        for (const QWidget* b : leaves) {
            if (a == b) continue;
            const QRect rb(b->mapTo(top, QPoint(0, 0)), b->size());
            EXPECT_FALSE(ra.intersects(rb)) << name << " / " << b->objectName().toStdString();
        }
    }
    const QString dir = QStringLiteral(ZAV_BINARY_DIR "/renders");
    QDir().mkpath(dir);
    EXPECT_TRUE(g.window->grab().save(dir + QStringLiteral("/frmGlobals.png")));
}

}  // namespace
}  // namespace zav
