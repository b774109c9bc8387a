#pragma once

#include <QObject>
#include <QSet>

class IAppCommands;
class IContainerWindow;
class QDropEvent;
class QWidget;
class TSettings;
class TTemporaryFiles;

// Makes widgets of a window accept what is dragged onto them from anywhere: files, virtual files,
// rich and plain text, decided as TDropDecision does. The result goes to the application's drop
// operations for the owner window (none for the start window) after the drop has been answered,
// so that the source is never kept waiting on a question the operation asks. A text drag inside
// an editor stays the editor's own, and so does text dropped on an editor from anywhere: it is
// inserted where it is dropped and can be undone, as in any editor; files dropped there still go
// to the application.
class TDropZone : public QObject
{
    Q_OBJECT

public:
    TDropZone(IAppCommands& commands, IContainerWindow* owner, TSettings& settings, TTemporaryFiles& temporaryFiles,
              QObject* parent);

    enum class TTextDrop
    {
        ToApplication, // text dropped replaces the message (the start window, the attachment list)
        ToEditor,      // text dropped is the editor's own
    };

    // Accepts drops on the widget (on its viewport when it scrolls).
    void Watch(QWidget& widget, TTextDrop textDrop = TTextDrop::ToApplication);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Drop(QDropEvent& event);

    IAppCommands& FCommands;
    IContainerWindow* FOwner;
    TSettings& FSettings;
    TTemporaryFiles& FTemporaryFiles;
    QSet<const QObject*> FEditors; // the watched viewports whose text drops are their own
};
