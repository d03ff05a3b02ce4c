#include "ui/frm_about.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

#include "iface/version.h"
#include "ui/app_icon.h"

namespace zav {

std::optional<std::string> findSystemInfoTool() {
    // Graphical system information programs of the common desktops.
    for (const char* name : {"hardinfo", "kinfocenter", "gnome-system-monitor"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty()) return path.toStdString();
    }
    return std::nullopt;
}

bool startDetached(const std::string& program) {
    return QProcess::startDetached(QString::fromStdString(program), {});
}

namespace {
QFrame* separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}
}  // namespace

frmAbout::frmAbout(Prompts& prompts, QWidget* parent, SystemInfoFinder finder,
                   ProgramStarter starter)
    : QDialog(parent), prompts_(prompts), finder_(std::move(finder)), starter_(std::move(starter)) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ZAVPROG"));
    setModal(true);

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(appPixmap(48));

    auto* lblTitle = new QLabel(QStringLiteral("ZAV Editor for Windows 95/NT "), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() + 3);
    big.setBold(true);
    lblTitle->setFont(big);

    auto* lblVersion = new QLabel(QString::fromStdString(versionText(programVersion())), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));

    auto* lblDescription = new QLabel(
        QStringLiteral("ZAVPROG - An editor for programming ZAV series Ostrane Radios."), this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setWordWrap(true);

    auto* lblDisclaimer = new QLabel(
        QStringLiteral("Warning: programming a radio outside its licensed frequencies and "
                       "settings may be unlawful. Keep a frequency file of every radio "
                       "before writing to it."),
        this);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setWordWrap(true);

    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(16);
    grid->addWidget(picIcon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(lblTitle, 0, 1);
    grid->addWidget(lblVersion, 1, 1);
    grid->addWidget(lblDescription, 2, 1);
    grid->addWidget(separator(this), 3, 0, 1, 2);
    grid->addWidget(lblDisclaimer, 4, 0, 1, 2);
    grid->addWidget(separator(this), 5, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    grid->addLayout(buttons, 6, 0, 1, 2);
    setMinimumWidth(440);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
}

void frmAbout::StartSysInfo() {
    auto tool = finder_ ? finder_() : std::nullopt;
    if (!tool || !starter_ || !starter_(*tool)) {
        Message m;
        m.text = kUnavailable;
        prompts_.ask(m);
    }
}

}  // namespace zav
