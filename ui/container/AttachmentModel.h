#pragma once

#include "container/Catalog.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QIcon>
#include <QLocale>

#include <vector>

// The attachment list's rows: the entries of a container's catalog in the catalog's order, with
// the columns "Filename", "Bytes" and "Modified Date" and the icon of each file's type, looked up
// by the file name alone. The rows are a copy of the catalog's entry list taken at each reload,
// so that a catalog changed by a flow never leaves the views reading rows that are gone.
class TAttachmentModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum TColumn
    {
        ColumnName,
        ColumnSize,
        ColumnDate,
        ColumnCount
    };

    explicit TAttachmentModel(QObject* parent = nullptr);

    // Takes the catalog's entries (none for a null catalog) and tells the views.
    void Reload(const TCatalog* catalog);
    // The column titles in the current language.
    void Relabel();
    const TCatalog::TEntry& Entry(int row) const { return FEntries[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Rows can be dragged (the window drags the selected attachments out as files).
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // A size with thousands separators and no decimals, whatever the locale's habit.
    static QString SizeText(std::int64_t size, const QLocale& locale);
    // A stored local wall-clock time as the locale writes a date with a time.
    static QString DateText(std::int64_t localSeconds, const QLocale& locale);

private:
    const QIcon& IconFor(int row) const;

    std::vector<TCatalog::TEntry> FEntries;
    QString FTitles[ColumnCount];
    QLocale FLocale;
    // One icon per file type; each row remembers its type's key once looked up.
    mutable QHash<QString, QIcon> FIcons;
    mutable std::vector<QString> FIconKeys;
};
