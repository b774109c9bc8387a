#include "DropZone.h"

#include "DropDecision.h"
#include "app/AppCommands.h"
#include "app/TemporaryFiles.h"
#include "settings/Settings.h"

#include <QAbstractScrollArea>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>

TDropZone::TDropZone(IAppCommands& commands, IContainerWindow* owner, TSettings& settings,
                     TTemporaryFiles& temporaryFiles, QObject* parent)
    : QObject(parent), FCommands(commands), FOwner(owner), FSettings(settings), FTemporaryFiles(temporaryFiles)
{
}

void TDropZone::Watch(QWidget& widget, TTextDrop textDrop)
{
    auto* scrolling = qobject_cast<QAbstractScrollArea*>(&widget);
    QWidget& target = scrolling != nullptr ? *scrolling->viewport() : widget;
    target.setAcceptDrops(true);
    target.installEventFilter(this);
    if (textDrop == TTextDrop::ToEditor) {
        FEditors.insert(&target);
    }
}

bool TDropZone::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        // Text dragged inside an editor is moved there by the editor itself.
        const QObject* source = drop->source();
        if (source != nullptr && (source == watched || source == watched->parent()) && !drop->mimeData()->hasUrls()) {
            return false;
        }
        // Text dropped on an editor is inserted there by the editor itself.
        if (FEditors.contains(watched) && !TDropDecision::OffersFiles(*drop->mimeData())) {
            return false;
        }
        drop->setDropAction(TDropDecision::Action(drop->possibleActions(), drop->proposedAction()));
        drop->accept();
        if (event->type() == QEvent::Drop) {
            Drop(*drop);
        }
        return true;
    }
    case QEvent::DragLeave:
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

void TDropZone::Drop(QDropEvent& event)
{
    TDropDecision decision = TDropDecision::Of(*event.mimeData(), FSettings.TempPath);
    if (decision.FKind == TDropDecision::TKind::VirtualFiles) {
        for (const std::string& fileName : decision.FFiles) {
            FTemporaryFiles.Add(fileName);
        }
    }
    // Run once the drop has been answered; a window closed meanwhile takes the call with it.
    QTimer::singleShot(0, this, [this, decision = std::move(decision)] {
        switch (decision.FKind) {
        case TDropDecision::TKind::Files:
        case TDropDecision::TKind::VirtualFiles:
            FCommands.DropFiles(FOwner, decision.FFiles);
            break;
        case TDropDecision::TKind::Text:
            FCommands.DropText(FOwner, decision.FText, decision.FRich);
            break;
        case TDropDecision::TKind::Nothing:
            break;
        }
    });
}
