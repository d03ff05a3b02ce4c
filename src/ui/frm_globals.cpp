#include "ui/frm_globals.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
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
#include "model/document.h"
#include "model/lists.h"
#include "ui/twips.h"

namespace zav {

namespace {

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// A fixed list: entries only, nothing typed in, so it always holds a list index.
QComboBox* listBox(QWidget* parent, const char* name, std::span<const std::string_view> entries,
                   bool tip) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(false);
    for (const auto e : entries) box->addItem(text(e));
    box->setMaxVisibleItems(static_cast<int>(entries.size()));
    if (tip) box->setToolTip(QString::fromLatin1(frmGlobals::kListTip));
    return box;
}

QLabel* label(QWidget* parent, const char* name, const char* caption, QWidget* buddy) {
    auto* l = new QLabel(QString::fromLatin1(caption), parent);
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

frmGlobals::frmGlobals(Document& doc, SettingsStore& settings, RadioLink& link, QWidget* parent)
    : QWidget(parent), doc_(doc), settings_(settings), link_(link) {
    setObjectName(QStringLiteral("frmGlobals"));
    // A window of its own beside the main window, even when given a parent for ownership.
    setWindowFlag(Qt::Window);
    setWindowTitle(QString::fromLatin1(kCaption));
    buildWindow();
    loadGlobals();
    placeFromSettings();
}

void frmGlobals::buildWindow() {
    fraUnit_ = new QGroupBox(QStringLiteral("Global Variables"), this);
    fraUnit_->setObjectName(QStringLiteral("fraUnit"));
    cboPriRate_ = listBox(fraUnit_, "cboPriRate", lists::kPriorityRate, true);
    cboGlobalBat_ = listBox(fraUnit_, "cboGlobalBat", lists::kGlobalBattSave, false);
    cboBAnkScan_ = listBox(fraUnit_, "cboBAnkScan", lists::kBankScan, false);
    auto* unitGrid = new QGridLayout(fraUnit_);
    addRow(unitGrid, label(fraUnit_, "lblPriRate", "Priority Rate in seconds:", cboPriRate_),
           cboPriRate_);
    addRow(unitGrid, label(fraUnit_, "lblGlobalBat", "Global Battery Saver:", cboGlobalBat_),
           cboGlobalBat_);
    addRow(unitGrid, label(fraUnit_, "lblTalkBack", "Bank Scan:", cboBAnkScan_), cboBAnkScan_);
    unitGrid->setColumnStretch(0, 1);

    // The unit password: six hexadecimal digits, as the radio holds it in three bytes.
    txtPassWord_ = new QLineEdit(this);
    txtPassWord_->setObjectName(QStringLiteral("txtPassWord"));
    txtPassWord_->setMaxLength(6);
    txtPassWord_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,6}")), txtPassWord_));
    auto* passRow = new QGridLayout;
    addRow(passRow, label(this, "lblPassWord", "Pass Word", txtPassWord_), txtPassWord_);
    passRow->setColumnStretch(0, 1);

    FrameDTMF_ = new QGroupBox(QStringLiteral("ANI/DTMF Parameters"), this);
    FrameDTMF_->setObjectName(QStringLiteral("FrameDTMF"));
    cboPorchTime_ = listBox(FrameDTMF_, "cboPorchTime", lists::kFrontPorch, true);
    cboANIRate_ = listBox(FrameDTMF_, "cboANIRate", lists::kAniRate, true);
    cboDTMFDev_ = listBox(FrameDTMF_, "cboDTMFDev", lists::kDtmfDeviation, true);
    auto* dtmfGrid = new QGridLayout(FrameDTMF_);
    addRow(dtmfGrid,
           label(FrameDTMF_, "lblPorch", "Front Porch Time in Milliseconds:", cboPorchTime_),
           cboPorchTime_);
    addRow(dtmfGrid, label(FrameDTMF_, "lblAniRate", "Character Rate/Second:", cboANIRate_),
           cboANIRate_);
    addRow(dtmfGrid, label(FrameDTMF_, "LabelANIDev", "Single tone deviation (Hz)", cboDTMFDev_),
           cboDTMFDev_);
    dtmfGrid->setColumnStretch(0, 1);

    FrameDTMFUtil_ = new QGroupBox(QStringLiteral("DTMF Deviation Utility"), this);
    FrameDTMFUtil_->setObjectName(QStringLiteral("FrameDTMFUtil"));
    DTMFSlider_ = new QSlider(Qt::Horizontal, FrameDTMFUtil_);
    DTMFSlider_->setObjectName(QStringLiteral("DTMFSlider"));
    DTMFSlider_->setRange(0, kDtmfDeviationCodes - 1);
    DTMFSlider_->setSingleStep(1);
    DTMFSlider_->setPageStep(5);
    DTMFSlider_->setTickPosition(QSlider::TicksBelow);
    DTMFSlider_->setTickInterval(1);
    cmdWriteDTMF_ = new QPushButton(QStringLiteral("Write DTMF Deviation"), FrameDTMFUtil_);
    cmdWriteDTMF_->setObjectName(QStringLiteral("cmdWriteDTMF"));
    auto* utilBox = new QVBoxLayout(FrameDTMFUtil_);
    utilBox->addWidget(DTMFSlider_);
    utilBox->addWidget(cmdWriteDTMF_, 0, Qt::AlignHCenter);

    // One column of labels and one of fields through all three groups.
    const QList<QComboBox*> boxes{cboPriRate_,   cboGlobalBat_, cboBAnkScan_,
                                  cboPorchTime_, cboANIRate_,   cboDTMFDev_};
    const QList<QLabel*> labels = findChildren<QLabel*>();
    int fieldWidth = 0;
    int labelWidth = 0;
    for (const QComboBox* b : boxes) fieldWidth = std::max(fieldWidth, b->sizeHint().width());
    for (const QLabel* l : labels) labelWidth = std::max(labelWidth, l->sizeHint().width());
    for (QComboBox* b : boxes) b->setMinimumWidth(fieldWidth);
    txtPassWord_->setMinimumWidth(fieldWidth);
    txtPassWord_->setMaximumWidth(fieldWidth);
    for (QLabel* l : labels) l->setMinimumWidth(labelWidth);
    const QMargins inside = unitGrid->contentsMargins();
    passRow->setContentsMargins(inside.left() + 1, 0, inside.right() + 1, 0);

    auto* main = new QVBoxLayout(this);
    main->addWidget(fraUnit_);
    main->addLayout(passRow);
    main->addWidget(FrameDTMF_);
    main->addWidget(FrameDTMFUtil_);
    main->setSizeConstraint(QLayout::SetFixedSize);

    // Changes the program makes are made with the signals blocked, so every notification
    // here is the user's.
    for (QComboBox* box : {cboPriRate_, cboGlobalBat_, cboBAnkScan_, cboPorchTime_, cboANIRate_})
        connect(box, &QComboBox::currentIndexChanged, this, &frmGlobals::markEdited);
    connect(txtPassWord_, &QLineEdit::textEdited, this, &frmGlobals::markEdited);
    connect(cboDTMFDev_, &QComboBox::currentIndexChanged, this, &frmGlobals::cboDTMFDev_Change);
    connect(DTMFSlider_, &QSlider::valueChanged, this, &frmGlobals::DTMFSlider_Change);
    connect(cmdWriteDTMF_, &QPushButton::clicked, this, &frmGlobals::cmdWriteDTMF_Click);
}

void frmGlobals::loadGlobals() {
    const GlobalParams p = LoadGlobalsToForm(doc_.mem);
    {
        const QSignalBlocker block(txtPassWord_);
        txtPassWord_->setText(QString::fromStdString(p.password));
    }
    setIndex(cboGlobalBat_, p.globalBat);
    setIndex(cboBAnkScan_, p.bankScan);
    setIndex(cboPriRate_, p.priRate);
    setIndex(cboDTMFDev_, p.dtmfDev);
    setIndex(cboANIRate_, p.aniRate);
    setIndex(cboPorchTime_, p.porchTime);
    {
        const QSignalBlocker block(DTMFSlider_);
        DTMFSlider_->setValue(DtmfDeviationCode(doc_.mem));
    }
    edited_ = false;
}

GlobalParams frmGlobals::formValues() const {
    GlobalParams p;
    p.password = txtPassWord_->text().toStdString();
    p.globalBat = cboGlobalBat_->currentIndex();
    p.bankScan = cboBAnkScan_->currentIndex();
    p.priRate = cboPriRate_->currentIndex();
    p.dtmfDev = cboDTMFDev_->currentIndex();
    p.aniRate = cboANIRate_->currentIndex();
    p.porchTime = cboPorchTime_->currentIndex();
    return p;
}

void frmGlobals::storeGlobals() {
    if (!edited_) return;
    StoreGlobalsFromForm(doc_.mem, formValues());
    edited_ = false;
}

void frmGlobals::cboDTMFDev_Change(int index) {
    if (!DtmfCodeValid(index)) return;
    StoreDtmfDeviation(doc_.mem, index);
    const QSignalBlocker block(DTMFSlider_);
    DTMFSlider_->setValue(index);
}

void frmGlobals::DTMFSlider_Change(int position) {
    if (!DtmfCodeValid(position)) return;
    StoreDtmfDeviation(doc_.mem, position);
    setIndex(cboDTMFDev_, position);
}

void frmGlobals::cmdWriteDTMF_Click() {
    if (writing_) return;
    const int code = DTMFSlider_->value();
    StoreDtmfDeviation(doc_.mem, code);
    setIndex(cboDTMFDev_, code);
    // The link lets the window system run while it waits for the radio: keep this
    // window from being closed or pressed again meanwhile.
    writing_ = true;
    cmdWriteDTMF_->setEnabled(false);
    lastWrite_ = WriteDtmfDeviation(link_, code);
    cmdWriteDTMF_->setEnabled(true);
    writing_ = false;
}

bool frmGlobals::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) {
        loadGlobals();
    } else if (e->type() == QEvent::WindowDeactivate) {
        storeGlobals();
    }
    return QWidget::event(e);
}

void frmGlobals::closeEvent(QCloseEvent* e) {
    if (writing_) {
        e->ignore();
        return;
    }
    storeGlobals();
    const double dpi = logicalDpi(this);
    writeGlobalWindowPosition(settings_, pixelsToTwips(pos().y(), dpi),
                              pixelsToTwips(pos().x(), dpi));
    e->accept();
    emit unloaded();
}

void frmGlobals::placeFromSettings() {
    adjustSize();
    const double dpi = logicalDpi(this);
    const QScreen* screen = screenOf(this);
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const Extent screenTwips{pixelsToTwips(area.width(), dpi), pixelsToTwips(area.height(), dpi)};
    const Extent windowTwips{pixelsToTwips(width(), dpi), pixelsToTwips(height(), dpi)};
    const WindowGeometry g = readGlobalWindowPosition(settings_, screenTwips, windowTwips);
    QPoint at(twipsToPixels(g.left, dpi), twipsToPixels(g.top, dpi));
    // A stored place on a screen that is no longer there would hide the window.
    bool visible = false;
    for (const QScreen* s : QGuiApplication::screens())
        visible = visible || s->availableGeometry().intersects(QRect(at, size()));
    if (!visible && !QGuiApplication::screens().isEmpty()) {
        at = QPoint(area.x() + centredPosition(area.width(), width()),
                    area.y() + centredPosition(area.height(), height()));
    }
    move(at);
}

}  // namespace zav
