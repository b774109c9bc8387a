#include "OptionsSecurityPage.h"

#include "OptionRules.h"
#include "ui/widgets/UiText.h"
#include "language/Messages.h"
#include "sealed/ContainerFormats.h"
#include "settings/Settings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int NumberFieldWidth = 48;

std::int64_t ValueOf(const QLineEdit* field)
{
    return ReadLeadingInteger(field->text().toStdString());
}

} // namespace

TOptionsSecurityPage::TOptionsSecurityPage(QWidget* parent)
    : TOptionsPage(parent), FPasswordGroup(MakeGridGroup(this, "PasswordGroup")),
      FRememberTime(AddNumberRow(FPasswordGroup, 0, "RememberTime")),
      FTypoFields(Make<QCheckBox>(FPasswordGroup, "TypoFieldsCheck")), FWipeGroup(MakeGridGroup(this, "WipeGroup")),
      FTempCycles(AddNumberRow(FWipeGroup, 0, "WipeCyclesTemp")),
      FUserCycles(AddNumberRow(FWipeGroup, 1, "WipeCyclesUser")), FFormatGroup(MakeGroup(this, "FormatGroup")),
      FClassicFormat(Make<QRadioButton>(FFormatGroup, "ClassicFormatRadio")),
      FSealedFormat(Make<QRadioButton>(FFormatGroup, "SealedFormatRadio")), FFormat(new QButtonGroup(this)),
      FFormatExplanation(Make<QLabel>(FFormatGroup, "FormatExplanation"))
{
    setObjectName(QStringLiteral("SecurityPage"));
    static_cast<QGridLayout*>(FPasswordGroup->layout())->addWidget(FTypoFields, 1, 0, 1, 4);
    FFormat->setObjectName(QStringLiteral("FormatButtons"));
    FFormat->addButton(FClassicFormat, static_cast<int>(ClassicFormat));
    FFormat->addButton(FSealedFormat, static_cast<int>(SealedFormat));
    FFormatExplanation->setWordWrap(true);
    QLayout* format = FFormatGroup->layout();
    format->addWidget(FClassicFormat);
    format->addWidget(FSealedFormat);
    format->addWidget(FFormatExplanation);
    auto* page = new QVBoxLayout(this);
    page->addWidget(FPasswordGroup);
    page->addWidget(FWipeGroup);
    page->addWidget(FFormatGroup);
    page->addStretch();
}

QGroupBox* TOptionsSecurityPage::MakeGridGroup(QWidget* parent, const char* name)
{
    auto* group = Make<QGroupBox>(parent, name);
    auto* grid = new QGridLayout(group);
    grid->setColumnStretch(3, 1);
    return group;
}

TOptionsSecurityPage::TNumberRow TOptionsSecurityPage::AddNumberRow(QGroupBox* group, int row, const char* name)
{
    const QByteArray base(name);
    TNumberRow numberRow{Make<QLabel>(group, (base + "Label").constData()),
                         Make<QLineEdit>(group, (base + "Edit").constData()),
                         Make<QLabel>(group, (base + "Range").constData())};
    numberRow.FField->setFixedWidth(NumberFieldWidth);
    numberRow.FLabel->setBuddy(numberRow.FField);
    auto* grid = static_cast<QGridLayout*>(group->layout());
    grid->addWidget(numberRow.FLabel, row, 0);
    grid->addWidget(numberRow.FField, row, 1);
    grid->addWidget(numberRow.FRange, row, 2);
    return numberRow;
}

void TOptionsSecurityPage::Load(const TSettings& settings)
{
    FRememberTime.FField->setText(QString::number(settings.SaveLastPWDTime));
    FTypoFields->setChecked(settings.DisplayTypoFields);
    FTempCycles.FField->setText(QString::number(settings.WipeCyclesTemp));
    FUserCycles.FField->setText(QString::number(settings.WipeCyclesUser));
    const std::int64_t format =
        IsWritableFormat(settings.NewContainerFormat) ? settings.NewContainerFormat : DefaultFormat;
    FFormat->button(static_cast<int>(format))->setChecked(true);
}

void TOptionsSecurityPage::Save(TSettings& settings) const
{
    settings.SaveLastPWDTime = InRangeOr(ValueOf(FRememberTime.FField), 0, 99, 0);
    settings.DisplayTypoFields = FTypoFields->isChecked();
    settings.WipeCyclesTemp = InRangeOr(ValueOf(FTempCycles.FField), 1, 8, 1);
    settings.WipeCyclesUser = InRangeOr(ValueOf(FUserCycles.FField), 1, 8, 1);
    settings.NewContainerFormat = FFormat->checkedId();
}

void TOptionsSecurityPage::Relabel()
{
    FPasswordGroup->setTitle(UiText(msg::Password));
    Relabel(FRememberTime, UiText(msg::RememberPassword), UiText(msg::RememberMinutesRange));
    FTypoFields->setText(UiText(msg::CheckCodeHint));
    FWipeGroup->setTitle(UiText(msg::Wipe));
    Relabel(FTempCycles, UiText(msg::WipeCyclesTempFiles), UiText(msg::WipeRunsRange));
    Relabel(FUserCycles, UiText(msg::WipeCyclesUserFiles), UiText(msg::WipeRunsRange));
    FFormatGroup->setTitle(UiText(msg::NewContainerFormat));
    FFormatExplanation->setText(UiText(msg::SealedFormatExplanation));
    const std::pair<QRadioButton*, const TMessage*> choices[] = {{FClassicFormat, &msg::ClassicFormatChoice},
                                                                 {FSealedFormat, &msg::SealedFormatChoice}};
    for (const auto& [button, caption] : choices) {
        button->setText(UiText(*caption));
        button->setAccessibleName(FFormatGroup->title() + QLatin1Char(' ') + button->text());
        button->setAccessibleDescription(FFormatExplanation->text());
    }
}

void TOptionsSecurityPage::Relabel(const TNumberRow& row, const QString& label, const QString& range)
{
    row.FLabel->setText(label);
    row.FRange->setText(range);
    row.FField->setAccessibleName(label + QLatin1Char(' ') + range);
}
