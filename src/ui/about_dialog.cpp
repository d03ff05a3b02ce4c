#include "ui/about_dialog.h"

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

AboutDialog::AboutDialog(Prompts& prompts, QWidget* parent, SystemInfoFinder finder,
                         ProgramStarter starter)
    : QDialog(parent), prompts_(prompts), finder_(std::move(finder)), starter_(std::move(starter)) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About ZAVPROG"));
    setModal(true);

    auto* iconLabel = new QLabel(this);
    iconLabel->setObjectName(QStringLiteral("picIcon"));
    iconLabel->setPixmap(appPixmap(48));

    auto* titleLabel = new QLabel(tr("ZAV Editor for Windows 95/NT "), this);
    titleLabel->setObjectName(QStringLiteral("lblTitle"));
    QFont big = titleLabel->font();
    big.setPointSizeF(big.pointSizeF() + 3);
    big.setBold(true);
    titleLabel->setFont(big);

    const Version v = programVersion();
    auto* versionLabel =
        new QLabel(tr("Version %1.%2.%3").arg(v.major).arg(v.minor).arg(v.revision), this);
    versionLabel->setObjectName(QStringLiteral("lblVersion"));

    auto* descriptionLabel =
        new QLabel(tr("ZAVPROG - An editor for programming ZAV series Ostrane Radios."), this);
    descriptionLabel->setObjectName(QStringLiteral("lblDescription"));
    descriptionLabel->setWordWrap(true);

    auto* disclaimerLabel =
        new QLabel(tr("Warning: programming a radio outside its licensed frequencies and "
                      "settings may be unlawful. Keep a frequency file of every radio "
                      "before writing to it."),
                   this);
    disclaimerLabel->setObjectName(QStringLiteral("lblDisclaimer"));
    disclaimerLabel->setWordWrap(true);

    auto* okButton = new QPushButton(tr("OK"), this);
    okButton->setObjectName(QStringLiteral("cmdOK"));
    okButton->setDefault(true);
    auto* sysInfoButton = new QPushButton(tr("&System Info..."), this);
    sysInfoButton->setObjectName(QStringLiteral("cmdSysInfo"));
    sysInfoButton->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(16);
    grid->addWidget(iconLabel, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(titleLabel, 0, 1);
    grid->addWidget(versionLabel, 1, 1);
    grid->addWidget(descriptionLabel, 2, 1);
    grid->addWidget(separator(this), 3, 0, 1, 2);
    grid->addWidget(disclaimerLabel, 4, 0, 1, 2);
    grid->addWidget(separator(this), 5, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(sysInfoButton);
    grid->addLayout(buttons, 6, 0, 1, 2);
    setMinimumWidth(440);

    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(sysInfoButton, &QPushButton::clicked, this, &AboutDialog::startSysInfo);
}

void AboutDialog::startSysInfo() {
    auto tool = finder_ ? finder_() : std::nullopt;
    if (!tool || !starter_ || !starter_(*tool)) prompts_.ask(notice(kUnavailable));
}

}  // namespace zav
