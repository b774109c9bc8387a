#include "DialogStrip.h"

#include "ui/start/AboutForm.h"
#include "Artwork.h"
#include "ClickableLabel.h"
#include "LanguageSwitch.h"
#include "ui/services/OpenWithShell.h"
#include "ui/services/QtUserInterface.h"
#include "UiText.h"
#include "language/LangWatchable.h"
#include "language/Messages.h"

#include <QHBoxLayout>

namespace {

constexpr int StripHeight = 22;
constexpr int LogoWidth = 80;

} // namespace

TDialogStrip::TDialogStrip(TSettings& settings, QWidget* parent, TLogoClick logoClick)
    : QFrame(parent), FSettings(settings), FLogoClick(logoClick), FFlag(new TClickableLabel(this)),
      FLogo(new TClickableLabel(this))
{
    setObjectName(QStringLiteral("Strip"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    QPalette yellow = palette();
    yellow.setColor(QPalette::Window, QColor(255, 224, 0));
    setPalette(yellow);
    setFixedHeight(StripHeight);

    FFlag->setObjectName(QStringLiteral("LanguageFlag"));
    FLogo->setObjectName(QStringLiteral("Logo"));
    FLogo->setPixmap(Artwork::Picture(QStringLiteral("logo-mini"), QSize(LogoWidth, 18)));
    FLogo->setFixedWidth(LogoWidth);
    FLogo->setAlignment(Qt::AlignCenter);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(3, 1, 3, 1);
    layout->addStretch();
    layout->addWidget(FFlag);
    layout->addWidget(FLogo);

    connect(FFlag, &TClickableLabel::clicked, this, [this] {
        SwitchToNextLanguage(FSettings);
        emit languageSwitched();
    });
    connect(FLogo, &TClickableLabel::clicked, this, [this] {
        if (FLogoClick == TLogoClick::About) {
            ShowAbout(window(), FSettings);
            return;
        }
        TQtUserInterface messages(window(), FSettings);
        OpenWithShell(UiText(msg::UrlHome), messages);
    });
    Relabel();
}

void TDialogStrip::Relabel()
{
    FFlag->setPixmap(Artwork::Flag(LanguageHolder().Language()));
    FFlag->setToolTip(UiText(msg::ClickFlagToChangeLanguage));
}

void TDialogStrip::AddAtLeft(QWidget* widget)
{
    static_cast<QHBoxLayout*>(layout())->insertWidget(0, widget);
}
