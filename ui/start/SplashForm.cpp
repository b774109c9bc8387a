#include "SplashForm.h"

#include "ui/widgets/Artwork.h"
#include "ui/widgets/Fonts.h"
#include "StartForm.h"
#include "ui/widgets/UiText.h"
#include "app/EXEVersion.h"
#include "language/Messages.h"
#include "settings/Settings.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace {

constexpr int PictureWidth = 400;
constexpr int PictureHeight = 250;

} // namespace

TSplashForm::TSplashForm(TStartForm& startForm, TSettings& settings)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), FStartForm(startForm),
      FSettings(settings), FPicture(new QLabel(this)), FVersion(new QLabel(this))
{
    setObjectName(QStringLiteral("Splash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowOpacity(0.0);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, Qt::white);
    setPalette(black);
    FPicture->setPixmap(Artwork::Picture(QStringLiteral("splash"), QSize(PictureWidth, PictureHeight)));
    FPicture->setGeometry(1, 1, PictureWidth, PictureHeight);
    setFixedSize(PictureWidth + 2, PictureHeight + 2);

    TEXEVersion version;
    version.ReadRunningProgram();
    FVersion->setObjectName(QStringLiteral("SplashVersion"));
    FVersion->setFont(Fonts::Sans(11));
    FVersion->setText(VersionCaption(QString::fromStdString(version.VersionText), version.Major, version.Minor,
                                     version.Release, version.Build));
    FVersion->adjustSize();
    FVersion->move(4, height() - 4 - FVersion->height());

    FHandOverTimer.setInterval(1);
    connect(&FHandOverTimer, &QTimer::timeout, this, &TSplashForm::HandOver);
}

QString TSplashForm::VersionCaption(const QString& versionText, int major, int minor, int release, int build)
{
    return UiText(msg::Version) + QStringLiteral(" ") + versionText + QStringLiteral(" - ") +
           QStringLiteral("%1.%2.%3.%4").arg(major).arg(minor).arg(release).arg(build);
}

void TSplashForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    FHandOverTimer.start();
}

void TSplashForm::HandOver()
{
    FHandOverTimer.stop();
    if (FSettings.fStart_TrayMode) {
        FStartForm.HideInTray();
    } else {
        FStartForm.show();
        FStartForm.raise();
        FStartForm.activateWindow();
    }
    close();
}
