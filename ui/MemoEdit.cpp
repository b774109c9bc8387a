#include "MemoEdit.h"

#include "UiText.h"
#include "dragdrop/FileList.h"
#include "language/Messages.h"
#include "richtext/OpenableLink.h"

#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QToolTip>

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

QString TMemoEdit::OpenableLinkAt(const QPoint& at) const
{
    const std::optional<std::string> address = OpenableLink(anchorAt(at).toStdString());
    return address ? QString::fromStdString(*address) : QString();
}

void TMemoEdit::mousePressEvent(QMouseEvent* event)
{
    FPressedLink = event->button() == Qt::LeftButton ? OpenableLinkAt(event->position().toPoint()) : QString();
    FPressedAt = event->position().toPoint();
    QTextEdit::mousePressEvent(event);
}

void TMemoEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QTextEdit::mouseReleaseEvent(event);
    const QPoint at = event->position().toPoint();
    const bool click = (at - FPressedAt).manhattanLength() < QApplication::startDragDistance();
    if (event->button() == Qt::LeftButton && click && !FPressedLink.isEmpty() && OpenableLinkAt(at) == FPressedLink) {
        emit linkClicked(FPressedLink);
    }
    FPressedLink.clear();
}

void TMemoEdit::mouseMoveEvent(QMouseEvent* event)
{
    QTextEdit::mouseMoveEvent(event);
    // The pointing hand promises a click that opens something.
    const bool openable = !OpenableLinkAt(event->position().toPoint()).isEmpty();
    viewport()->setCursor(openable ? Qt::PointingHandCursor : Qt::IBeamCursor);
}

bool TMemoEdit::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) {
        return QTextEdit::viewportEvent(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString target = anchorAt(help->pos());
    if (target.isEmpty()) {
        QToolTip::hideText();
    } else {
        const QString address = OpenableLinkAt(help->pos());
        QToolTip::showText(help->globalPos(),
                           address.isEmpty() ? UiText(msg::LinkNotOpened, {target.toStdString()}) : address,
                           viewport());
    }
    return true;
}
