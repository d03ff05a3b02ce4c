#include "ui/splash_window.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "iface/prompts.h"
#include "iface/version.h"
#include "ui/app_icon.h"

namespace zav {

namespace {
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int pointDelta = 0,
                  bool bold = false) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    QFont f = l->font();
    if (pointDelta != 0) f.setPointSizeF(f.pointSizeF() + pointDelta);
    f.setBold(bold);
    l->setFont(f);
    return l;
}
}  // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QString::fromLatin1(kAppTitle.data(), static_cast<qsizetype>(kAppTitle.size())));

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Raised);
    frame->setLineWidth(2);

    auto* picture = new QLabel(frame);
    picture->setObjectName(QStringLiteral("imgLogo"));
    picture->setPixmap(appPixmap(96));

    auto* product = makeLabel(
        frame, "lblProductName",
        QString::fromLatin1(kAppTitle.data(), static_cast<qsizetype>(kAppTitle.size())), 14, true);
    const Version v = programVersion();
    versionLabel_ = makeLabel(frame, "lblVersion",
                              tr("Version %1.%2.%3").arg(v.major).arg(v.minor).arg(v.revision), 2);
    auto* companyProduct = makeLabel(frame, "lblCompanyProduct", QStringLiteral("ZAVPROG.EXE"));
    auto* platform = makeLabel(frame, "lblPlatform", tr("for Windows 95"), 2);
    auto* company =
        makeLabel(frame, "lblCompany", tr("Programming editor for ZAV series UHF radios"));
    auto* legal =
        makeLabel(frame, "lblCopyright", tr("Program only radios you are licensed to operate."));

    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(24, 20, 24, 20);
    grid->setHorizontalSpacing(24);
    grid->addWidget(companyProduct, 0, 0, 1, 2);
    grid->addWidget(picture, 1, 0, 4, 1, Qt::AlignTop);
    grid->addWidget(product, 1, 1);
    grid->addWidget(platform, 2, 1);
    grid->addWidget(versionLabel_, 3, 1);
    grid->addItem(new QSpacerItem(0, 16), 4, 1);
    grid->addWidget(company, 5, 0, 1, 2);
    grid->addWidget(legal, 6, 0, 1, 2);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->addWidget(frame);
}

}  // namespace zav
