#pragma once

#include <QWidget>

// The password quality meter: three coloured bands, "bad", "sufficient" and "good", side by side,
// with a bar along their lower edge. Which band the bar ends under is the rating.
class TQualityMeter : public QWidget
{
    Q_OBJECT

public:
    explicit TQualityMeter(QWidget* parent = nullptr);

    // 0 to 100.
    void SetPosition(int position);
    int Position() const { return FPosition; }
    // The band labels in the current language.
    void Relabel();

    QSize sizeHint() const override { return {277, 23}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int FPosition = 0;
    QString FLabels[3];
};
