#include "Placement.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QPoint ClampedToScreen(QPoint topLeft, QSize size, QSize screen)
{
    QPoint result = topLeft;
    if (result.x() + size.width() > screen.width()) {
        result.setX(screen.width() - size.width());
    }
    if (result.x() < 0) {
        result.setX(0);
    }
    if (result.y() + size.height() > screen.height()) {
        result.setY(screen.height() - size.height());
    }
    if (result.y() < 0) {
        result.setY(0);
    }
    return result;
}

void PlaceAtCursor(QWidget& dialog)
{
    const QPoint cursor = QCursor::pos();
    const QScreen* screen = QGuiApplication::screenAt(cursor);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    dialog.adjustSize();
    const QRect area = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
    const QPoint local = ClampedToScreen(cursor - area.topLeft(), dialog.frameGeometry().size(), area.size());
    dialog.move(local + area.topLeft());
}

void KeepGrownWindowOnScreen(QWidget& window, QSize sizeBefore)
{
    if (!window.isWindow() || !window.isVisible() || window.screen() == nullptr) {
        return;
    }
    // The new texts reach the window's size through the layout requests they have posted.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    if (window.width() <= sizeBefore.width() && window.height() <= sizeBefore.height()) {
        return;
    }
    const QRect area = window.screen()->geometry();
    const QRect frame = window.frameGeometry();
    const QPoint local = ClampedToScreen(frame.topLeft() - area.topLeft(), frame.size(), area.size());
    if (local + area.topLeft() != frame.topLeft()) {
        window.move(local + area.topLeft());
    }
}
