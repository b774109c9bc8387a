#include "MemoEdit.h"

#include "dragdrop/FileList.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>

TMemoEdit::TMemoEdit(QWidget* parent) : QTextEdit(parent)
{
    setAcceptRichText(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

QStringList TMemoEdit::ClipboardFiles()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data != nullptr ? FileList::LocalFiles(*data) : QStringList();
}

void TMemoEdit::PasteOrAttach()
{
    const QStringList files = ClipboardFiles();
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
