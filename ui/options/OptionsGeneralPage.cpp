#include "OptionsGeneralPage.h"

#include "ui/widgets/InfoBox.h"
#include "OptionRules.h"
#include "ui/widgets/UiText.h"
#include "app/ContainerName.h"
#include "language/Messages.h"
#include "settings/Settings.h"
#include "settings/TrimText.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

namespace {

// Drops the characters a name part refuses, typed or pasted alike.
class TNamePartValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override
    {
        for (int index = input.size() - 1; index >= 0; --index) {
            if (IsRefusedInNamePart(input[index].unicode())) {
                input.remove(index, 1);
                if (index < position) {
                    --position;
                }
            }
        }
        return Acceptable;
    }
};

} // namespace

TOptionsGeneralPage::TOptionsGeneralPage(TSettings& settings, QWidget* parent)
    : TOptionsPage(parent), FSettings(settings), FGroup(MakeGroup(this, "MiscellaneousGroup")),
      FAutostart(AddCheckBox(FGroup, "AutostartCheck")), FTrayMode(AddCheckBox(FGroup, "TrayModeCheck")),
      FCheckOutlook(AddCheckBox(FGroup, "CheckOutlookCheck")), FExplore(AddCheckBox(FGroup, "ExploreCheck")),
      FSubfolders(AddCheckBox(FGroup, "SubfoldersCheck")), FNameLabel(Make<QLabel>(FGroup, "ContainerNameLabel")),
      FPart1Label(Make<QLabel>(FGroup, "Part1Label")), FNameBegin(Make<QLineEdit>(FGroup, "NameBeginEdit")),
      FPart2Label(Make<QLabel>(FGroup, "Part2Label")), FNameEnd(Make<QLineEdit>(FGroup, "NameEndEdit")),
      FExampleLabel(Make<QLabel>(FGroup, "ExampleLabel")), FExample(Make<QLabel>(FGroup, "ExampleText")),
      FFolderLabel(Make<QLabel>(FGroup, "FolderLabel")), FFolder(Make<QLineEdit>(FGroup, "FolderEdit")),
      FFolderButton(Make<QPushButton>(FGroup, "FolderButton"))
{
    setObjectName(QStringLiteral("GeneralPage"));
    FExample->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FFolder->setReadOnly(true);
    FFolderButton->setText(QStringLiteral("..."));
    FFolderButton->setAutoDefault(false);
    FFolderButton->setFixedWidth(32);
    FPart1Label->setBuddy(FNameBegin);
    FPart2Label->setBuddy(FNameEnd);
    FFolderLabel->setBuddy(FFolder);
    for (QLineEdit* part : {FNameBegin, FNameEnd}) {
        part->setValidator(new TNamePartValidator(part));
        connect(part, &QLineEdit::textChanged, this, &TOptionsGeneralPage::ShowExample);
    }
    connect(FFolderButton, &QPushButton::clicked, this, &TOptionsGeneralPage::ChooseFolder);

    auto* name = new QGridLayout;
    name->addWidget(FPart1Label, 0, 0);
    name->addWidget(FNameBegin, 0, 1);
    name->addWidget(FPart2Label, 1, 0);
    name->addWidget(FNameEnd, 1, 1);
    name->addWidget(FExampleLabel, 2, 0);
    name->addWidget(FExample, 2, 1);
    name->setColumnStretch(1, 1);
    auto* folder = new QHBoxLayout;
    folder->addWidget(FFolder, 1);
    folder->addWidget(FFolderButton);
    auto* group = static_cast<QVBoxLayout*>(FGroup->layout());
    group->addSpacing(8);
    group->addWidget(FNameLabel);
    group->addLayout(name);
    group->addSpacing(8);
    group->addWidget(FFolderLabel);
    group->addLayout(folder);
    group->addStretch();
    auto* page = new QVBoxLayout(this);
    page->addWidget(FGroup);
}

void TOptionsGeneralPage::Load(const TSettings& settings)
{
    FAutostart->setChecked(settings.Autostart);
    FTrayMode->setChecked(settings.fStart_TrayMode);
    FCheckOutlook->setChecked(settings.fStart_CheckForOutlookContainer);
    FExplore->setChecked(settings.ExploreAfterExtract);
    FSubfolders->setChecked(settings.ExtractAllInSubdir);
    FNameBegin->setText(QString::fromStdString(settings.DefaultContainerNameBegin));
    FNameEnd->setText(QString::fromStdString(settings.DefaultContainerNameEnd));
    FFolder->setText(QString::fromStdString(settings.DefaultCurrentDirectory));
    ShowExample();
}

void TOptionsGeneralPage::Save(TSettings& settings) const
{
    settings.Autostart = FAutostart->isChecked();
    settings.fStart_TrayMode = FTrayMode->isChecked();
    settings.fStart_CheckForOutlookContainer = FCheckOutlook->isChecked();
    settings.ExploreAfterExtract = FExplore->isChecked();
    settings.ExtractAllInSubdir = FSubfolders->isChecked();
    settings.DefaultContainerNameBegin = TrimText(FNameBegin->text().toStdString());
    settings.DefaultContainerNameEnd = TrimText(FNameEnd->text().toStdString());
    const std::string folder = TrimText(FFolder->text().toStdString());
    settings.DefaultCurrentDirectory = QFileInfo(QString::fromStdString(folder)).isDir() ? folder : std::string();
}

void TOptionsGeneralPage::Relabel()
{
    FGroup->setTitle(UiText(msg::Miscellaneous));
    FAutostart->setText(UiText(msg::LoadAtSystemStartup));
    FTrayMode->setText(UiText(msg::StartInTray));
    FCheckOutlook->setText(UiText(msg::CheckOutlookAtStartup));
    FExplore->setText(UiText(msg::OpenExplorerAfterExtract));
    FSubfolders->setText(UiText(msg::ExtractIntoSubfolders));
    FNameLabel->setText(UiText(msg::DefaultContainerName));
    FPart1Label->setText(UiText(msg::PartNumber, {std::int64_t{1}}));
    FPart2Label->setText(UiText(msg::PartNumber, {std::int64_t{2}}));
    FExampleLabel->setText(UiText(msg::Example));
    FFolderLabel->setText(UiText(msg::DefaultFolder));
    FNameBegin->setAccessibleName(UiText(msg::DefaultContainerName) + QLatin1Char(' ') + FPart1Label->text());
    FNameEnd->setAccessibleName(UiText(msg::DefaultContainerName) + QLatin1Char(' ') + FPart2Label->text());
    FExample->setAccessibleName(FExampleLabel->text());
    FFolder->setAccessibleName(FFolderLabel->text());
    FFolderButton->setAccessibleName(FFolderLabel->text());
    FFolderButton->setToolTip(FFolderLabel->text());
}

void TOptionsGeneralPage::ShowExample()
{
    FExample->setText(QString::fromStdString(ContainerFileName(
        FNameBegin->text().toStdString(), FNameEnd->text().toStdString(), QDateTime::currentDateTime())));
}

void TOptionsGeneralPage::ChooseFolder()
{
    const QString chosen = AskFolder(UiText(msg::DefaultFolder), FFolder->text().trimmed());
    if (chosen.isEmpty()) {
        return;
    }
    if (QFileInfo(chosen).isDir()) {
        FFolder->setText(chosen);
    } else {
        ShowInfoBox(UiText(msg::Options), UiText(msg::InvalidFolder), FSettings, window());
    }
}
