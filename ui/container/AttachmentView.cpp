#include "AttachmentView.h"

#include "AttachmentModel.h"
#include "DragOutView.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListView>
#include <QTreeView>

#include <algorithm>
#include <cmath>

namespace {

constexpr int SymbolSize = 32;
const QSize SymbolGrid(104, 72);

} // namespace

TAttachmentView::TAttachmentView(TAttachmentModel& model, QWidget* parent)
    : QStackedWidget(parent), FModel(model), FSymbols(new TDragOutView<QListView>(this)),
      FDetails(new TDragOutView<QTreeView>(this)), FSelection(new QItemSelectionModel(&model, this))
{
    static_cast<TDragOutView<QListView>*>(FSymbols)->SetDragHandler([this] { emit dragRequested(FSymbols); });
    static_cast<TDragOutView<QTreeView>*>(FDetails)->SetDragHandler([this] { emit dragRequested(FDetails); });
    setObjectName(QStringLiteral("AttachmentList"));

    FSymbols->setObjectName(QStringLiteral("AttachmentSymbols"));
    FSymbols->setModel(&model);
    FSymbols->setViewMode(QListView::IconMode);
    FSymbols->setIconSize(QSize(SymbolSize, SymbolSize));
    FSymbols->setGridSize(SymbolGrid);
    // Every item has the grid's size: ten thousand entries are laid out without measuring each.
    FSymbols->setUniformItemSizes(true);
    FSymbols->setMovement(QListView::Static);
    FSymbols->setResizeMode(QListView::Adjust);
    FSymbols->setWordWrap(false);
    FSymbols->setTextElideMode(Qt::ElideMiddle);

    FDetails->setObjectName(QStringLiteral("AttachmentDetails"));
    FDetails->setModel(&model);
    FDetails->setRootIsDecorated(false);
    FDetails->setItemsExpandable(false);
    FDetails->setUniformRowHeights(true);
    FDetails->setAllColumnsShowFocus(true);
    FDetails->setSortingEnabled(false);
    FDetails->header()->setSectionsClickable(true);
    FDetails->header()->setStretchLastSection(false);
    FDetails->header()->setSortIndicatorShown(false);
    connect(FDetails->header(), &QHeaderView::sectionClicked, this, &TAttachmentView::headerClicked);

    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(FSymbols), static_cast<QAbstractItemView*>(FDetails)}) {
        view->setSelectionModel(FSelection);
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setDragEnabled(true);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        view->installEventFilter(this);
        connect(view, &QAbstractItemView::doubleClicked, this,
                [this](const QModelIndex& index) { emit rowActivated(index.row()); });
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, view](const QPoint& at) { emit menuRequested(view->viewport()->mapToGlobal(at)); });
        addWidget(view);
    }
    connect(FSelection, &QItemSelectionModel::selectionChanged, this, &TAttachmentView::selectionChanged);
    connect(&model, &QAbstractItemModel::modelReset, this, &TAttachmentView::selectionChanged);
    setCurrentWidget(FSymbols);
}

void TAttachmentView::ShowLargeSymbols()
{
    setCurrentWidget(FSymbols);
}

void TAttachmentView::ShowDetails(const TPercents& percents)
{
    setCurrentWidget(FDetails);
    const double width = FDetails->viewport()->width();
    for (int column = 0; column < TAttachmentModel::ColumnCount; ++column) {
        FDetails->setColumnWidth(column, static_cast<int>(std::lround(width / 100.0 * percents[column])));
    }
}

bool TAttachmentView::IsDetailView() const
{
    return currentWidget() == FDetails;
}

TAttachmentView::TPercents TAttachmentView::ColumnPercents() const
{
    TPercents percents{};
    const double width = std::max(1, FDetails->viewport()->width());
    for (int column = 0; column < TAttachmentModel::ColumnCount; ++column) {
        percents[column] = static_cast<int>(std::lround(FDetails->columnWidth(column) * 100.0 / width));
    }
    return percents;
}

void TAttachmentView::SetSortMark(int column, bool ascending)
{
    QHeaderView* header = FDetails->header();
    header->setSortIndicatorShown(column >= 0);
    if (column >= 0) {
        header->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    }
}

std::vector<int> TAttachmentView::SelectedRows() const
{
    std::vector<int> rows;
    for (const QItemSelectionRange& range : FSelection->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            rows.push_back(row);
        }
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

bool TAttachmentView::HasSelection() const
{
    return FSelection->hasSelection();
}

void TAttachmentView::SetHint(const QString& hint)
{
    for (QWidget* view : {static_cast<QWidget*>(FSymbols), static_cast<QWidget*>(FDetails)}) {
        view->setToolTip(hint);
        view->setAccessibleName(hint);
    }
}

bool TAttachmentView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == FSymbols || watched == FDetails)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Delete)) {
            emit deletePressed();
            return true;
        }
        if (key->matches(QKeySequence::Copy)) {
            emit copyPressed();
            return true;
        }
        if (key->matches(QKeySequence::Paste)) {
            emit pastePressed();
            return true;
        }
    }
    return QStackedWidget::eventFilter(watched, event);
}
