#include "MemoEdit.h"

#include "ui/widgets/UiText.h"
#include "dragdrop/FileList.h"
#include "language/Messages.h"
#include "richtext/AddressesInText.h"
#include "richtext/OpenableLink.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QToolTip>

TMemoEdit::TMemoEdit(QWidget* parent) : QTextEdit(parent)
{
    setAcceptRichText(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QTextEdit::textChanged, this, &TMemoEdit::MarkPlainAddresses);
}

void TMemoEdit::MarkPlainAddresses()
{
    FPlainAddresses.clear();
    QList<ExtraSelection> marks;
    for (QTextBlock block = document()->begin(); isReadOnly() && block.isValid(); block = block.next()) {
        const QByteArray text = block.text().toUtf8();
        // Offsets in UTF-8 bytes become positions in the block, counted on from the last one.
        qsizetype byte = 0;
        int position = block.position();
        const auto advance = [&](qsizetype to) {
            position += static_cast<int>(QString::fromUtf8(text.constData() + byte, to - byte).size());
            byte = to;
        };
        for (const TTextAddress& address : AddressesInText(std::string_view(text.constData(), text.size()))) {
            advance(static_cast<qsizetype>(address.FStart));
            QTextCursor range(document());
            range.setPosition(position);
            advance(static_cast<qsizetype>(address.FStart + address.FLength));
            range.setPosition(position, QTextCursor::KeepAnchor);
            if (range.charFormat().isAnchor()) {
                continue; // written as a link: the link's own target counts
            }
            ExtraSelection mark;
            mark.cursor = range;
            mark.format.setForeground(palette().link());
            mark.format.setFontUnderline(true);
            marks.append(mark);
            FPlainAddresses.push_back({range, QString::fromStdString(address.FTarget)});
        }
    }
    setExtraSelections(marks);
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

QString TMemoEdit::TargetAt(const QPoint& at) const
{
    const QString anchor = anchorAt(at);
    if (!anchor.isEmpty() || FPlainAddresses.empty()) {
        return anchor;
    }
    const QPointF inDocument(at.x() + horizontalScrollBar()->value(), at.y() + verticalScrollBar()->value());
    const int position = document()->documentLayout()->hitTest(inDocument, Qt::ExactHit);
    for (const TPlainAddress& address : FPlainAddresses) {
        if (position >= address.FRange.selectionStart() && position < address.FRange.selectionEnd()) {
            return address.FTarget;
        }
    }
    return {};
}

QString TMemoEdit::OpenableLinkAt(const QPoint& at) const
{
    const std::optional<std::string> address = OpenableLink(TargetAt(at).toStdString());
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
    const QString target = TargetAt(help->pos());
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
