#include "AboutForm.h"

#include "ui/widgets/Artwork.h"
#include "ui/widgets/DialogStrip.h"
#include "ui/widgets/Fonts.h"
#include "ui/widgets/LanguageSwitch.h"
#include "ui/widgets/UiText.h"
#include "app/EXEVersion.h"
#include "language/LangWatchable.h"
#include "language/Messages.h"
#include "settings/Settings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSysInfo>
#include <QVBoxLayout>

TAboutForm::TAboutForm(const TEXEVersion& version, TSettings& settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      FVersion(version), FSettings(settings), FLogo(new QLabel(this)), FProgramVersion(new QLabel(this)),
      FBuildNumber(new QLabel(this)), FComputerName(new QLabel(this)), FCloseButton(new QPushButton(this)),
      FStrip(new TDialogStrip(settings, this))
{
    setObjectName(QStringLiteral("fAbout"));
    FLogo->setObjectName(QStringLiteral("AboutLogo"));
    FLogo->setPixmap(Artwork::Picture(QStringLiteral("logo"), QSize(96, 96)));
    FLogo->setAlignment(Qt::AlignCenter);
    FProgramVersion->setObjectName(QStringLiteral("ProgramVersion"));
    FBuildNumber->setObjectName(QStringLiteral("BuildNumber"));
    FComputerName->setObjectName(QStringLiteral("ComputerName"));
    FComputerName->setWordWrap(true);
    for (QLabel* label : {FProgramVersion, FBuildNumber, FComputerName}) {
        label->setFont(Fonts::Sans(14));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    FCloseButton->setObjectName(QStringLiteral("CloseButton"));
    FCloseButton->setDefault(true);
    connect(FCloseButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addStretch();
    texts->addWidget(FProgramVersion);
    texts->addWidget(FBuildNumber);
    texts->addSpacing(12);
    texts->addWidget(FComputerName);
    texts->addStretch();
    auto* body = new QHBoxLayout;
    body->setContentsMargins(16, 16, 16, 8);
    body->setSpacing(20);
    body->addWidget(FLogo);
    body->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(16, 0, 16, 8);
    buttons->addStretch();
    buttons->addWidget(FCloseButton);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addLayout(body, 1);
    outer->addLayout(buttons);
    outer->addWidget(FStrip);
    resize(439, 311);
    setMinimumSize(439, 311);
    connect(FStrip, &TDialogStrip::languageSwitched, this, [this] { raise(); });
    SwitchToStoredLanguage(FSettings, FWatcher);
}

void TAboutForm::Relabel()
{
    setWindowTitle(UiText(msg::AboutSealvane));
    FProgramVersion->setText(UiText(msg::ProgramVersion, {FVersion.VersionText}));
    const QString build =
        QStringLiteral("%1.%2.%3.%4").arg(FVersion.Major).arg(FVersion.Minor).arg(FVersion.Release).arg(FVersion.Build);
    FBuildNumber->setText(UiText(msg::BuildNumber, {build.toStdString()}));
    FComputerName->setText(UiText(msg::ComputerNameIs, {QSysInfo::machineHostName().toStdString()}));
    FCloseButton->setText(UiText(msg::Close));
    FStrip->Relabel();
    FSettings.ActiveLanguage = LanguageHolder().Language();
}

void ShowAbout(QWidget* owner, TSettings& settings)
{
    TEXEVersion version;
    version.ReadRunningProgram();
    TAboutForm form(version, settings, owner);
    form.exec();
}
