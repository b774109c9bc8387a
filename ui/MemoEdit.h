#pragma once

#include <QPoint>
#include <QStringList>
#include <QTextEdit>

// The container window's text control, used both as the editor and as the read-only view. A
// click on a link (press and release on the same link without moving) asks for it to be opened;
// pasting while the clipboard holds files asks for them to be added as attachments instead of
// inserting their names as text.
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

private:
    QString FPressedLink;
    QPoint FPressedAt;
};
