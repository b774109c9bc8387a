#include "OptionsWindowPage.h"

#include "ui/widgets/UiText.h"
#include "language/Messages.h"
#include "settings/Settings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

TOptionsWindowPage::TOptionsWindowPage(QWidget* parent)
    : TOptionsPage(parent), FContainerGroup(MakeGroup(this, "ContainerGroup")),
      FContainerOnTop(AddCheckBox(FContainerGroup, "ContainerOnTopCheck")),
      FCloseAfterMail(AddCheckBox(FContainerGroup, "CloseAfterMailCheck")),
      FCloseAfterAnswer(AddCheckBox(FContainerGroup, "CloseAfterAnswerCheck")),
      FUserDimensions(AddCheckBox(FContainerGroup, "UserDimensionsCheck")),
      FStartGroup(MakeGroup(this, "StartWindowGroup")), FStartOnTop(AddCheckBox(FStartGroup, "StartOnTopCheck")),
      FUserPositioning(AddCheckBox(FStartGroup, "UserPositioningCheck"))
{
    setObjectName(QStringLiteral("WindowPage"));
    auto* page = new QVBoxLayout(this);
    page->addWidget(FContainerGroup);
    page->addWidget(FStartGroup);
    page->addStretch();
}

void TOptionsWindowPage::Load(const TSettings& settings)
{
    FContainerOnTop->setChecked(settings.fContainer_StayOntTop);
    FCloseAfterMail->setChecked(settings.fContainer_CloseAfterMail);
    FCloseAfterAnswer->setChecked(settings.fContainer_CloseAfterAnswer);
    FUserDimensions->setChecked(settings.fContainer_UserDimensions);
    FStartOnTop->setChecked(settings.fStart_StayOnTop);
    FUserPositioning->setChecked(settings.fStart_UserPositioning);
}

void TOptionsWindowPage::Save(TSettings& settings) const
{
    settings.fContainer_StayOntTop = FContainerOnTop->isChecked();
    settings.fContainer_CloseAfterMail = FCloseAfterMail->isChecked();
    settings.fContainer_CloseAfterAnswer = FCloseAfterAnswer->isChecked();
    settings.fContainer_UserDimensions = FUserDimensions->isChecked();
    settings.fStart_StayOnTop = FStartOnTop->isChecked();
    settings.fStart_UserPositioning = FUserPositioning->isChecked();
}

void TOptionsWindowPage::Relabel()
{
    FContainerGroup->setTitle(UiText(msg::Container));
    FContainerOnTop->setText(UiText(msg::StayOnTop));
    FCloseAfterMail->setText(UiText(msg::CloseContainerOnMailing));
    FCloseAfterAnswer->setText(UiText(msg::CloseReceivedAfterAnswering));
    FUserDimensions->setText(UiText(msg::ReuseWindowSize));
    FStartGroup->setTitle(UiText(msg::Sealvane));
    FStartOnTop->setText(UiText(msg::StayOnTop));
    FUserPositioning->setText(UiText(msg::UseLastWindowPosition));
}
