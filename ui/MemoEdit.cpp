#include "MemoEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

TMemoEdit::TMemoEdit(QWidget* parent) : QTextEdit(parent)
{
    setAcceptRichText(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

QStringList TMemoEdit::LocalFiles(const QMimeData* data)
{
    QStringList files;
    if (data == nullptr || !data->hasUrls()) {
        return files;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            files.append(url.toLocalFile());
        }
    }
    return files;
}

void TMemoEdit::PasteOrAttach()
{
    const QStringList files = LocalFiles(QApplication::clipboard()->mimeData());
    if (!files.isEmpty()) {
        emit filesPasted(files);
    } else if (!isReadOnly()) {
        paste();
    }
}

void TMemoEdit::keyPressEvent(QKeyEvent* event)
{
    if (event == QKeySequence::Paste) {
        PasteOrAttach();
        event->accept();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void TMemoEdit::mousePressEvent(QMouseEvent* event)
{
    FPressedLink = event->button() == Qt::LeftButton ? anchorAt(event->position().toPoint()) : QString();
    FPressedAt = event->position().toPoint();
    QTextEdit::mousePressEvent(event);
}

void TMemoEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QTextEdit::mouseReleaseEvent(event);
    const QPoint at = event->position().toPoint();
    const bool click = (at - FPressedAt).manhattanLength() < QApplication::startDragDistance();
    if (event->button() == Qt::LeftButton && click && !FPressedLink.isEmpty() && anchorAt(at) == FPressedLink) {
        emit linkClicked(FPressedLink);
    }
    FPressedLink.clear();
}
