#include "about_box.h"

#include "user_dialogs.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSysInfo>
#include <QVBoxLayout>

namespace tms {

QString systemInformation()
{
    QString text =
        QStringLiteral("Operating system: %1\nKernel: %2 %3\nArchitecture: %4\nQt: %5 (built with %6)")
            .arg(QSysInfo::prettyProductName(), QSysInfo::kernelType(), QSysInfo::kernelVersion(),
                 QSysInfo::currentCpuArchitecture(), QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize size = screen->size();
        text += QStringLiteral("\nScreen: %1 x %2 pixels, %3 bits per pixel, %4 dpi")
                    .arg(size.width())
                    .arg(size.height())
                    .arg(screen->depth())
                    .arg(qRound(screen->logicalDotsPerInch()));
    }
    text += QStringLiteral("\nPlatform: %1").arg(QGuiApplication::platformName());
    return text;
}

AboutBox::AboutBox(const ProgramIdentity& identity, UserDialogs& dialogs, QWidget* owner)
    : QDialog(owner), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About %1").arg(identity.name));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("<b>%1</b> version %2").arg(identity.name, identity.version), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    auto* description = new QLabel(identity.description, this);
    description->setObjectName(QStringLiteral("lblDescription"));
    description->setWordWrap(true);
    auto* systemInfo = new QPushButton(QStringLiteral("System Info"), this);
    systemInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    layout->addWidget(title);
    layout->addWidget(description);
    layout->addWidget(systemInfo);
    layout->addWidget(ok);
    connect(systemInfo, &QPushButton::clicked, this,
            [this] { m_dialogs.tell(QStringLiteral("System Info"), systemInformation()); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace tms
