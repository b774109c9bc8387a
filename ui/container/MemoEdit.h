#pragma once

#include <QPoint>
#include <QStringList>
#include <QTextCursor>
#include <QTextEdit>

#include <vector>

// The container window's text control, used both as the editor and as the read-only view. A
// link shows its target as its tooltip. A click on a link the memo may open (OpenableLink: web,
// ftp and plain mail addresses; press and release on the same link without moving) asks for its
// address to be opened, and only such a link shows the pointing hand; any other link stays text,
// and its tooltip says why it does not open. In the read-only view, web and mail addresses written
// as plain text (AddressesInText) are shown and opened as links too; the text itself is left as it
// is, so the memo is never changed by showing it. Pasting while the clipboard holds files asks for
// them to be added as attachments instead of inserting their names as text.
class TMemoEdit : public QTextEdit
{
    Q_OBJECT

public:
    explicit TMemoEdit(QWidget* parent = nullptr);

    // Paste: the clipboard's files as attachments when it holds a file list, else its text.
    void PasteOrAttach();
    // The local files the clipboard holds; empty when it holds none.
    static QStringList ClipboardFiles();

signals:
    void linkClicked(const QString& address);
    void filesPasted(const QStringList& fileNames);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    // The target of the link at a point of the viewport, or of the plain-text address there; empty
    // where there is neither.
    QString TargetAt(const QPoint& at) const;
    // The address a click at a point of the viewport opens; empty where there is no link or the
    // link stays text.
    QString OpenableLinkAt(const QPoint& at) const;
    // Finds the addresses written as plain text (read-only only) and underlines them as links.
    void MarkPlainAddresses();

    struct TPlainAddress
    {
        QTextCursor FRange;
        QString FTarget;
    };
    std::vector<TPlainAddress> FPlainAddresses; // in the order of the text

    QString FPressedLink;
    QPoint FPressedAt;
};
