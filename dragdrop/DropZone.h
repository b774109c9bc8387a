#pragma once

#include <QObject>

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
// an editor stays the editor's own.
class TDropZone : public QObject
{
    Q_OBJECT

public:
    TDropZone(IAppCommands& commands, IContainerWindow* owner, TSettings& settings, TTemporaryFiles& temporaryFiles,
              QObject* parent);

    // Accepts drops on the widget (on its viewport when it scrolls).
    void Watch(QWidget& widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Drop(QDropEvent& event);

    IAppCommands& FCommands;
    IContainerWindow* FOwner;
    TSettings& FSettings;
    TTemporaryFiles& FTemporaryFiles;
};
