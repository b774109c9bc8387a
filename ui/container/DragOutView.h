#pragma once

#include <functional>

// An item view whose drags belong to its owner: pressing on a selected item and moving runs the
// owner's drag (the selected attachments as files) instead of the toolkit's drag of item data.
// The toolkit keeps a multiple selection when such a press begins a drag.
template <class TView> class TDragOutView : public TView
{
public:
    using TView::TView;

    void SetDragHandler(std::function<void()> handler) { FDragHandler = std::move(handler); }

protected:
    void startDrag(Qt::DropActions) override
    {
        if (FDragHandler) {
            FDragHandler();
        }
    }

private:
    std::function<void()> FDragHandler;
};
