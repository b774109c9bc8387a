#pragma once

#include <QStackedWidget>

#include <array>
#include <vector>

class QItemSelectionModel;
class QListView;
class QTreeView;
class TAttachmentModel;

// The attachment list in its two looks over one model and one selection: large symbols (an icon
// view) and the detail view with the columns "Filename", "Bytes" and "Modified Date". Column
// widths travel as percentages of the list's width. Header clicks, double-clicks, a drag of the
// selected items, the Delete, copy and paste keys and the context menu are passed on to the window.
class TAttachmentView : public QStackedWidget
{
    Q_OBJECT

public:
    using TPercents = std::array<int, 3>;

    TAttachmentView(TAttachmentModel& model, QWidget* parent);

    void ShowLargeSymbols();
    // Switches to the detail view with the columns at these percentages of the list's width.
    void ShowDetails(const TPercents& percents);
    bool IsDetailView() const;
    // The detail view's column widths in percent of its width, rounded.
    TPercents ColumnPercents() const;
    // The header's sort mark: column -1 shows none.
    void SetSortMark(int column, bool ascending);

    // Selected rows, ascending.
    std::vector<int> SelectedRows() const;
    bool HasSelection() const;
    void SetHint(const QString& hint);
    QItemSelectionModel* Selection() const { return FSelection; }
    QTreeView* DetailView() const { return FDetails; }
    QListView* SymbolView() const { return FSymbols; }

signals:
    void headerClicked(int column);
    void rowActivated(int row);
    void selectionChanged();
    void deletePressed();
    void copyPressed();
    void pastePressed();
    // Pressing on a selected item and moving: the view is the drag's source.
    void dragRequested(QWidget* view);
    void menuRequested(const QPoint& globalPosition);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TAttachmentModel& FModel;
    QListView* FSymbols;
    QTreeView* FDetails;
    QItemSelectionModel* FSelection;
};
