#pragma once

#include <QDialog>

#include <memory>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class TDialogStrip;
class TPasswordMeter;
class TSettings;

// What both password dialogs share: rows of label, masked field and check-code box, the
// "Hide password" box, OK and Cancel, the language strip, and the raise a moment after showing.
class TPasswordForm : public QDialog
{
    Q_OBJECT

public:
    ~TPasswordForm() override;

    // The captions shared by both dialogs, in the current language.
    virtual void Relabel();

protected:
    TPasswordForm(TSettings& settings, QWidget* parent);

    // One row of the grid: its label, its field (with a meter attached) and its check-code box.
    struct TFieldRow
    {
        QLabel* Label;
        QLineEdit* Field;
        QLabel* CheckCode;
        std::unique_ptr<TPasswordMeter> Meter;
    };
    TFieldRow& AddFieldRow(const QString& name, int fontPixels, int codeFontPixels);
    // Puts the buttons row and the strip below the rows added so far.
    void FinishLayout(int hideBoxWidth, int cancelWidth);
    void showEvent(QShowEvent* event) override;

    // Masks or unmasks every field as "Hide password" says.
    virtual void ApplyHidePassword();

    TSettings& FSettings;
    QGridLayout* FGrid;
    std::vector<std::unique_ptr<TFieldRow>> FRows;
    QCheckBox* FHidePassword;
    QPushButton* FOkButton;
    QPushButton* FCancelButton;
    TDialogStrip* FStrip;
};
