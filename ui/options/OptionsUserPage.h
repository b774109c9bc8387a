#pragma once

#include "OptionsPage.h"
#include "settings/FontData.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

// The page "User": the memo editor's default font and colour with a preview, and the user's own
// mail addresses.
class TOptionsUserPage : public TOptionsPage
{
    Q_OBJECT

public:
    explicit TOptionsUserPage(QWidget* parent);

    void Load(const TSettings& settings) override;
    void Save(TSettings& settings) const override;
    void Relabel() override;

protected:
    // Enter in the address field adds the address instead of closing the dialog.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ChooseFont();
    void ChooseColour();
    void ShowFont();
    void AddAddress();
    void DeleteAddresses();
    void SelectionChanged();

    TFontData FFont;
    QGroupBox* FFontGroup;
    QLabel* FPreview;
    QToolButton* FFontButton;
    QToolButton* FColourButton;
    QGroupBox* FAddressGroup;
    QListWidget* FAddresses;
    QLineEdit* FAddress;
    QPushButton* FAddButton;
    QPushButton* FDeleteButton;
};
