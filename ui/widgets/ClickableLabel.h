#pragma once

#include <QLabel>

// A picture that acts on a click, with the hand cursor: the language flag and the logo.
class TClickableLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TClickableLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
