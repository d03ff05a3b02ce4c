#include "ui/globals_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <span>
#include <string_view>

#include "files/settings.h"
#include "link/dtmf_deviation.h"
#include "model/document.h"
#include "model/lists.h"
#include "ops/utility_operations.h"
#include "ui/image_history.h"
#include "ui/screen_fit.h"
#include "ui/twips.h"

namespace zav {

namespace {

// A fixed list: entries only, nothing typed in, so it always holds a list index.
QComboBox* listBox(QWidget* parent, const char* name, std::span<const std::string_view> entries,
                   bool tip) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(false);
    for (const auto e : entries)
        box->addItem(QCoreApplication::translate("Lists", std::string(e).c_str()));
    box->setMaxVisibleItems(static_cast<int>(entries.size()));
    if (tip) box->setToolTip(GlobalsWindow::tr(GlobalsWindow::kListTip));
    return box;
}

QLabel* label(QWidget* parent, const char* name, const char* caption, QWidget* buddy) {
    auto* l = new QLabel(GlobalsWindow::tr(caption), parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setBuddy(buddy);
    return l;
}

void addRow(QGridLayout* grid, QLabel* l, QWidget* field) {
    const int row = grid->rowCount();
    grid->addWidget(l, row, 0);
    grid->addWidget(field, row, 1);
}

void setIndex(QComboBox* box, int index) {
    const QSignalBlocker block(box);
    box->setCurrentIndex(index);
}

const QScreen* screenOf(const QWidget* w) {
    return w->screen() != nullptr ? w->screen() : QGuiApplication::primaryScreen();
}

}  // namespace

GlobalsWindow::GlobalsWindow(Document& doc, SettingsStore& settings, RadioLink& link,
                             QWidget* parent)
    : QWidget(parent), doc_(doc), settings_(settings), link_(link) {
    setObjectName(QStringLiteral("frmGlobals"));
    // A window of its own beside the main window, owned by it (a dialog's type, so the
    // window system keeps it above its owner instead of letting it fall behind).
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(tr(kCaption));
    buildWindow();
    loadGlobals();
    placeFromSettings();
}

void GlobalsWindow::buildWindow() {
    unitFrame_ = new QGroupBox(tr("Global Variables"), this);
    unitFrame_->setObjectName(QStringLiteral("fraUnit"));
    priRateCombo_ = listBox(unitFrame_, "cboPriRate", lists::kPriorityRate, true);
    globalBatCombo_ = listBox(unitFrame_, "cboGlobalBat", lists::kGlobalBattSave, false);
    bankScanCombo_ = listBox(unitFrame_, "cboBAnkScan", lists::kBankScan, false);
    auto* unitGrid = new QGridLayout(unitFrame_);
    addRow(unitGrid,
           label(unitFrame_, "lblPriRate", QT_TR_NOOP("Priority Rate in seconds:"), priRateCombo_),
           priRateCombo_);
    addRow(unitGrid,
           label(unitFrame_, "lblGlobalBat", QT_TR_NOOP("Global Battery Saver:"), globalBatCombo_),
           globalBatCombo_);
    addRow(unitGrid, label(unitFrame_, "lblTalkBack", QT_TR_NOOP("Bank Scan:"), bankScanCombo_),
           bankScanCombo_);
    unitGrid->setColumnStretch(0, 1);

    // The unit password: six hexadecimal digits, as the radio holds it in three bytes.
    passwordEdit_ = new QLineEdit(this);
    passwordEdit_->setObjectName(QStringLiteral("txtPassWord"));
    passwordEdit_->setMaxLength(6);
    passwordEdit_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,6}")), passwordEdit_));
    auto* passRow = new QGridLayout;
    addRow(passRow, label(this, "lblPassWord", QT_TR_NOOP("Pass Word"), passwordEdit_),
           passwordEdit_);
    passRow->setColumnStretch(0, 1);

    dtmfFrame_ = new QGroupBox(tr("ANI/DTMF Parameters"), this);
    dtmfFrame_->setObjectName(QStringLiteral("FrameDTMF"));
    porchTimeCombo_ = listBox(dtmfFrame_, "cboPorchTime", lists::kFrontPorch, true);
    aniRateCombo_ = listBox(dtmfFrame_, "cboANIRate", lists::kAniRate, true);
    dtmfDevCombo_ = listBox(dtmfFrame_, "cboDTMFDev", lists::kDtmfDeviation, true);
    auto* dtmfGrid = new QGridLayout(dtmfFrame_);
    addRow(dtmfGrid,
           label(dtmfFrame_, "lblPorch", QT_TR_NOOP("Front Porch Time in Milliseconds:"),
                 porchTimeCombo_),
           porchTimeCombo_);
    addRow(dtmfGrid,
           label(dtmfFrame_, "lblAniRate", QT_TR_NOOP("Character Rate/Second:"), aniRateCombo_),
           aniRateCombo_);
    addRow(
        dtmfGrid,
        label(dtmfFrame_, "LabelANIDev", QT_TR_NOOP("Single tone deviation (Hz)"), dtmfDevCombo_),
        dtmfDevCombo_);
    dtmfGrid->setColumnStretch(0, 1);

    dtmfUtilityFrame_ = new QGroupBox(tr("DTMF Deviation Utility"), this);
    dtmfUtilityFrame_->setObjectName(QStringLiteral("FrameDTMFUtil"));
    dtmfSlider_ = new QSlider(Qt::Horizontal, dtmfUtilityFrame_);
    dtmfSlider_->setObjectName(QStringLiteral("DTMFSlider"));
    dtmfSlider_->setRange(0, kDtmfDeviationCodes - 1);
    dtmfSlider_->setSingleStep(1);
    dtmfSlider_->setPageStep(5);
    dtmfSlider_->setTickPosition(QSlider::TicksBelow);
    dtmfSlider_->setTickInterval(1);
    writeDtmfButton_ = new QPushButton(tr("Write DTMF Deviation"), dtmfUtilityFrame_);
    writeDtmfButton_->setObjectName(QStringLiteral("cmdWriteDTMF"));
    auto* utilBox = new QVBoxLayout(dtmfUtilityFrame_);
    utilBox->addWidget(dtmfSlider_);
    utilBox->addWidget(writeDtmfButton_, 0, Qt::AlignHCenter);

    // One column of labels and one of fields through all three groups.
    const QList<QComboBox*> boxes{priRateCombo_,   globalBatCombo_, bankScanCombo_,
                                  porchTimeCombo_, aniRateCombo_,   dtmfDevCombo_};
    const QList<QLabel*> labels = findChildren<QLabel*>();
    int fieldWidth = 0;
    int labelWidth = 0;
    for (const QComboBox* b : boxes) fieldWidth = std::max(fieldWidth, b->sizeHint().width());
    for (const QLabel* l : labels) labelWidth = std::max(labelWidth, l->sizeHint().width());
    for (QComboBox* b : boxes) b->setMinimumWidth(fieldWidth);
    passwordEdit_->setMinimumWidth(fieldWidth);
    passwordEdit_->setMaximumWidth(fieldWidth);
    for (QLabel* l : labels) l->setMinimumWidth(labelWidth);
    const QMargins inside = unitGrid->contentsMargins();
    passRow->setContentsMargins(inside.left() + 1, 0, inside.right() + 1, 0);

    auto* main = new QVBoxLayout(this);
    main->addWidget(unitFrame_);
    main->addLayout(passRow);
    main->addWidget(dtmfFrame_);
    main->addWidget(dtmfUtilityFrame_);
    main->setSizeConstraint(QLayout::SetFixedSize);

    // Changes the program makes are made with the signals blocked, so every notification
    // here is the user's. A chosen entry is stored at once, a typed password as its entry
    // ends, each as an Undo step.
    for (QComboBox* box :
         {priRateCombo_, globalBatCombo_, bankScanCombo_, porchTimeCombo_, aniRateCombo_})
        connect(box, &QComboBox::currentIndexChanged, this, [this] {
            markEdited();
            storeGlobals();
        });
    connect(passwordEdit_, &QLineEdit::textEdited, this, &GlobalsWindow::markEdited);
    connect(passwordEdit_, &QLineEdit::editingFinished, this, &GlobalsWindow::storeGlobals);
    connect(dtmfDevCombo_, &QComboBox::currentIndexChanged, this,
            &GlobalsWindow::selectDtmfDeviation);
    connect(dtmfSlider_, &QSlider::valueChanged, this, &GlobalsWindow::slideDtmfDeviation);
    connect(writeDtmfButton_, &QPushButton::clicked, this, &GlobalsWindow::sendDtmfDeviation);
}

void GlobalsWindow::loadGlobals() {
    const GlobalParams p = readGlobalParams(doc_.mem);
    {
        const QSignalBlocker block(passwordEdit_);
        passwordEdit_->setText(QString::fromStdString(p.password));
    }
    setIndex(globalBatCombo_, p.globalBat);
    setIndex(bankScanCombo_, p.bankScan);
    setIndex(priRateCombo_, p.priRate);
    setIndex(dtmfDevCombo_, p.dtmfDev);
    setIndex(aniRateCombo_, p.aniRate);
    setIndex(porchTimeCombo_, p.porchTime);
    {
        const QSignalBlocker block(dtmfSlider_);
        dtmfSlider_->setValue(dtmfDeviationCode(doc_.mem));
    }
    edited_ = false;
}

GlobalParams GlobalsWindow::formValues() const {
    GlobalParams p;
    p.password = passwordEdit_->text().toStdString();
    p.globalBat = globalBatCombo_->currentIndex();
    p.bankScan = bankScanCombo_->currentIndex();
    p.priRate = priRateCombo_->currentIndex();
    p.dtmfDev = dtmfDevCombo_->currentIndex();
    p.aniRate = aniRateCombo_->currentIndex();
    p.porchTime = porchTimeCombo_->currentIndex();
    return p;
}

void GlobalsWindow::change(const QString& text, const std::function<void()>& apply) {
    if (history_ != nullptr) {
        history_->record(text, apply);
    } else {
        apply();
    }
}

void GlobalsWindow::storeGlobals() {
    if (!edited_) return;
    change(tr("Global Parameters"), [this] { writeGlobalParams(doc_.mem, formValues()); });
    edited_ = false;
}

void GlobalsWindow::selectDtmfDeviation(int index) {
    if (!dtmfCodeValid(index)) return;
    change(tr("DTMF Deviation"), [&] { storeDtmfDeviation(doc_.mem, index); });
    const QSignalBlocker block(dtmfSlider_);
    dtmfSlider_->setValue(index);
}

void GlobalsWindow::slideDtmfDeviation(int position) {
    if (!dtmfCodeValid(position)) return;
    change(tr("DTMF Deviation"), [&] { storeDtmfDeviation(doc_.mem, position); });
    setIndex(dtmfDevCombo_, position);
}

void GlobalsWindow::sendDtmfDeviation() {
    if (writing_) return;
    const int code = dtmfSlider_->value();
    change(tr("DTMF Deviation"), [&] { storeDtmfDeviation(doc_.mem, code); });
    setIndex(dtmfDevCombo_, code);
    // The link lets the window system run while it waits for the radio: keep this
    // window from being closed or pressed again meanwhile.
    writing_ = true;
    writeDtmfButton_->setEnabled(false);
    lastWrite_ = zav::sendDtmfDeviation(link_, code);
    writeDtmfButton_->setEnabled(true);
    writing_ = false;
    emit deviationWritten();
}

bool GlobalsWindow::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) {
        loadGlobals();
    } else if (e->type() == QEvent::WindowDeactivate) {
        storeGlobals();
    }
    return QWidget::event(e);
}

void GlobalsWindow::closeEvent(QCloseEvent* e) {
    if (writing_) {
        e->ignore();
        return;
    }
    storeGlobals();
    const double dpi = logicalDpi(this);
    writeGlobalWindowPosition(settings_, pixelsToTwips(pos().y(), dpi),
                              pixelsToTwips(pos().x(), dpi));
    e->accept();
}

void GlobalsWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

void GlobalsWindow::placeFromSettings() {
    adjustSize();
    const double dpi = logicalDpi(this);
    const QScreen* screen = screenOf(this);
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const Extent screenTwips{pixelsToTwips(area.width(), dpi), pixelsToTwips(area.height(), dpi)};
    const Extent windowTwips{pixelsToTwips(width(), dpi), pixelsToTwips(height(), dpi)};
    const WindowGeometry g = readGlobalWindowPosition(settings_, screenTwips, windowTwips);
    move(fitToScreens(QRect(QPoint(twipsToPixels(g.left, dpi), twipsToPixels(g.top, dpi)), size()),
                      area)
             .topLeft());
}

}  // namespace zav
