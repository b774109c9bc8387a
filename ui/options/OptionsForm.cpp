#include "OptionsForm.h"

#include "ui/widgets/DialogStrip.h"
#include "ui/widgets/LanguageSwitch.h"
#include "ui/services/OpenWithShell.h"
#include "OptionsGeneralPage.h"
#include "OptionsMapiPage.h"
#include "OptionsSecurityPage.h"
#include "OptionsUserPage.h"
#include "OptionsWindowPage.h"
#include "ui/services/QtUserInterface.h"
#include "ui/widgets/UiText.h"
#include "language/Messages.h"
#include "settings/InstallRecord.h"
#include "settings/Settings.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int MsPerRememberUnit = 10'000;

} // namespace

TOptionsForm::TOptionsForm(TSettings& settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      FSettings(settings), FInstalled(IsInstalled()), FPages(new QTabWidget(this)),
      FNotInstalledText(new QPlainTextEdit(this)), FDownloadButton(new QPushButton(this)),
      FSaveButton(new QPushButton(this)), FCancelButton(new QPushButton(this)), FStrip(new TDialogStrip(settings, this))
{
    setObjectName(QStringLiteral("fOptions"));
    FPages->setObjectName(QStringLiteral("OptionsPages"));
    FPageList = {new TOptionsGeneralPage(settings, FPages), new TOptionsWindowPage(FPages),
                 new TOptionsUserPage(FPages), new TOptionsMapiPage(FPages), new TOptionsSecurityPage(FPages)};
    for (TOptionsPage* page : FPageList) {
        FPages->addTab(page, QString());
    }
    FNotInstalledText->setObjectName(QStringLiteral("NotInstalledText"));
    FNotInstalledText->setReadOnly(true);
    FDownloadButton->setObjectName(QStringLiteral("DownloadButton"));
    FDownloadButton->setAutoDefault(false);
    FSaveButton->setObjectName(QStringLiteral("SaveButton"));
    FSaveButton->setDefault(FInstalled);
    FCancelButton->setObjectName(QStringLiteral("CancelButton"));
    FCancelButton->setAutoDefault(false);
    connect(FSaveButton, &QPushButton::clicked, this, &TOptionsForm::SaveOptions);
    connect(FCancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(FDownloadButton, &QPushButton::clicked, this, &TOptionsForm::DownloadSetup);
    connect(FStrip, &TDialogStrip::languageSwitched, this, [this] { raise(); });

    // Without an installation nothing would be kept: the pages give way to the explanation, in
    // the room the pages would take.
    auto* notInstalled = new QWidget(this);
    notInstalled->setObjectName(QStringLiteral("NotInstalledPanel"));
    auto* explanation = new QVBoxLayout(notInstalled);
    explanation->setContentsMargins(0, 0, 0, 0);
    explanation->addWidget(FNotInstalledText, 1);
    explanation->addWidget(FDownloadButton, 0, Qt::AlignLeft);
    auto* body = new QStackedWidget(this);
    body->setObjectName(QStringLiteral("OptionsBody"));
    body->addWidget(FPages);
    body->addWidget(notInstalled);
    body->setCurrentWidget(FInstalled ? static_cast<QWidget*>(FPages) : notInstalled);
    FSaveButton->setVisible(FInstalled);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 0, 8, 8);
    buttons->addStretch();
    buttons->addWidget(FSaveButton);
    buttons->addWidget(FCancelButton);
    auto* framed = new QVBoxLayout;
    framed->setContentsMargins(8, 8, 8, 0);
    framed->addWidget(body);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addLayout(framed, 1);
    outer->addLayout(buttons);
    outer->addWidget(FStrip);
    SwitchToStoredLanguage(FSettings, FWatcher);
    LoadOptions();
    resize(sizeHint().expandedTo(QSize(520, 480)));
}

void TOptionsForm::LoadOptions()
{
    for (TOptionsPage* page : FPageList) {
        page->Load(FSettings);
    }
}

void TOptionsForm::SaveOptions()
{
    if (!FInstalled) {
        return;
    }
    for (const TOptionsPage* page : FPageList) {
        page->Save(FSettings);
    }
    // When the file cannot be written (the settings have said why), the values stay in use for
    // this run instead of being replaced by the old ones from the file.
    if (FSettings.Save(true)) {
        FSettings.Load();
    }
    emit settingsSaved(RememberPasswordMs(FSettings));
    accept();
}

void TOptionsForm::Relabel()
{
    setWindowTitle(UiText(msg::Options));
    const TMessage* titles[] = {&msg::General, &msg::Window, &msg::User, &msg::Mapi, &msg::Security};
    for (int index = 0; index < FPages->count(); ++index) {
        FPages->setTabText(index, UiText(*titles[index]));
        FPageList[static_cast<std::size_t>(index)]->Relabel();
    }
    FNotInstalledText->setPlainText(
        UiText(msg::NotInstalledExplanation).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    FNotInstalledText->setAccessibleName(UiText(msg::Note));
    FDownloadButton->setText(UiText(msg::DownloadSetupVersion));
    FSaveButton->setText(UiText(msg::SaveSettingsAndClose));
    FCancelButton->setText(UiText(msg::Cancel));
    FStrip->Relabel();
}

int TOptionsForm::RememberPasswordMs(const TSettings& settings)
{
    return std::clamp(settings.SaveLastPWDTime, 0, 99) * MsPerRememberUnit;
}

void TOptionsForm::DownloadSetup()
{
    TQtUserInterface messages(this, FSettings);
    OpenWithShell(UiText(msg::UrlUpdate), messages);
    reject();
}

bool ShowOptions(QWidget* owner, TSettings& settings, const std::function<void(int rememberPasswordMs)>& onSaved)
{
    TOptionsForm form(settings, owner);
    if (onSaved) {
        QObject::connect(&form, &TOptionsForm::settingsSaved, onSaved);
    }
    return form.exec() == QDialog::Accepted;
}
