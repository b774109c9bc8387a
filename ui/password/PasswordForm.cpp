#include "PasswordForm.h"

#include "ui/widgets/DialogStrip.h"
#include "ui/widgets/Fonts.h"
#include "PasswordMeter.h"
#include "ui/widgets/UiText.h"
#include "language/LangWatchable.h"
#include "language/Messages.h"
#include "settings/Settings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int LabelWidth = 77;
constexpr int CheckCodeWidth = 23;
constexpr int ButtonWidth = 77;
constexpr int RaiseDelayMs = 100;

} // namespace

TPasswordForm::TPasswordForm(TSettings& settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      FSettings(settings), FGrid(new QGridLayout), FHidePassword(new QCheckBox(this)), FOkButton(new QPushButton(this)),
      FCancelButton(new QPushButton(this)), FStrip(new TDialogStrip(settings, this))
{
    FHidePassword->setObjectName(QStringLiteral("HidePassword"));
    FHidePassword->setChecked(true);
    FOkButton->setObjectName(QStringLiteral("OkButton"));
    FOkButton->setDefault(true);
    FOkButton->setAutoDefault(true);
    FCancelButton->setObjectName(QStringLiteral("CancelButton"));
    FCancelButton->setAutoDefault(false);
    connect(FCancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(FHidePassword, &QCheckBox::toggled, this, [this] { ApplyHidePassword(); });
    connect(FStrip, &TDialogStrip::languageSwitched, this, [this] { raise(); });
}

TPasswordForm::~TPasswordForm() = default;

TPasswordForm::TFieldRow& TPasswordForm::AddFieldRow(const QString& name, int fontPixels, int codeFontPixels)
{
    auto row = std::make_unique<TFieldRow>();
    row->Label = new QLabel(this);
    row->Label->setFont(Fonts::Sans(fontPixels));
    row->Label->setMinimumWidth(LabelWidth);
    row->Field = new QLineEdit(this);
    row->Field->setObjectName(name);
    row->Field->setFont(Fonts::Sans(fontPixels));
    row->Label->setBuddy(row->Field);
    row->CheckCode = new QLabel(this);
    row->CheckCode->setObjectName(name + QStringLiteral("CheckCode"));
    row->CheckCode->setFont(Fonts::Mono(codeFontPixels));
    row->CheckCode->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    row->CheckCode->setAlignment(Qt::AlignCenter);
    row->CheckCode->setFixedWidth(CheckCodeWidth + 6);
    row->CheckCode->setVisible(FSettings.DisplayTypoFields);
    row->Meter = std::make_unique<TPasswordMeter>(row->Field);
    TFieldRow* raw = row.get();
    connect(row->Field, &QLineEdit::textChanged, this, [raw] { raw->CheckCode->setText(raw->Meter->CheckCode()); });

    const int line = static_cast<int>(FRows.size());
    FGrid->addWidget(row->Label, line, 0);
    FGrid->addWidget(row->Field, line, 1);
    FGrid->addWidget(row->CheckCode, line, 2);
    FRows.push_back(std::move(row));
    return *FRows.back();
}

void TPasswordForm::FinishLayout(int hideBoxWidth, int cancelWidth)
{
    FHidePassword->setMinimumWidth(hideBoxWidth);
    FOkButton->setMinimumWidth(ButtonWidth);
    FCancelButton->setMinimumWidth(cancelWidth);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(FHidePassword);
    buttons->addStretch();
    buttons->addWidget(FOkButton);
    buttons->addWidget(FCancelButton);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(4);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(6, 6, 6, 0);
    body->addLayout(FGrid);
    body->addLayout(buttons);
    outer->addLayout(body);
    outer->addWidget(FStrip);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TPasswordForm::Relabel()
{
    FHidePassword->setText(UiText(msg::HidePassword));
    FOkButton->setText(UiText(msg::Ok));
    FCancelButton->setText(UiText(msg::Cancel));
    for (const auto& row : FRows) {
        row->CheckCode->setToolTip(UiText(msg::CheckCodeExplanation));
    }
    FStrip->Relabel();
    FSettings.ActiveLanguage = LanguageHolder().Language();
}

void TPasswordForm::ApplyHidePassword()
{
    for (const auto& row : FRows) {
        row->Meter->ShowPlain(!FHidePassword->isChecked());
    }
    update();
}

void TPasswordForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Once, a moment after showing: to the top of the window order, without taking the focus.
    QTimer::singleShot(RaiseDelayMs, this, [this] { raise(); });
}
