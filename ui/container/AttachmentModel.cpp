#include "AttachmentModel.h"

#include "language/Messages.h"
#include "text/ShownText.h"
#include "ui/widgets/UiText.h"

#include <QApplication>
#include <QDateTime>
#include <QMimeDatabase>
#include <QStyle>

namespace {

// A name chosen by a container's sender, each control character (and line or paragraph
// separator) shown as a box: it can neither break the list's rows nor a copy of them into lines
// or columns. So are the directional controls, which would show the name's end reversed.
QString VisibleName(QString name)
{
    for (QChar& character : name) {
        const QChar::Category category = character.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph || IsDirectionalControl(character.unicode())) {
            character = QChar(0x25A1);
        }
    }
    return name;
}

} // namespace

TAttachmentModel::TAttachmentModel(QObject* parent) : QAbstractTableModel(parent)
{
    Relabel();
}

void TAttachmentModel::Reload(const TCatalog* catalog)
{
    beginResetModel();
    FEntries.clear();
    if (catalog != nullptr) {
        FEntries.assign(catalog->begin(), catalog->end());
    }
    FIconKeys.assign(FEntries.size(), QString());
    endResetModel();
}

void TAttachmentModel::Relabel()
{
    FTitles[ColumnName] = UiText(msg::Filename);
    FTitles[ColumnSize] = UiText(msg::Bytes);
    FTitles[ColumnDate] = UiText(msg::ModifiedDate);
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

int TAttachmentModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(FEntries.size());
}

int TAttachmentModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

Qt::ItemFlags TAttachmentModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.isValid() ? flags | Qt::ItemIsDragEnabled : flags;
}

QVariant TAttachmentModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const TFileInfo& entry = *Entry(index.row());
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case ColumnName:
            return VisibleName(QString::fromStdString(entry.FPath.FileName()));
        case ColumnSize:
            return SizeText(entry.FSize, FLocale);
        case ColumnDate:
            return DateText(entry.FModified, FLocale);
        default:
            return {};
        }
    }
    if (role == Qt::DecorationRole && index.column() == ColumnName) {
        return IconFor(index.row());
    }
    if (role == Qt::TextAlignmentRole && index.column() == ColumnSize) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

QVariant TAttachmentModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount) {
        return FTitles[section];
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

QString TAttachmentModel::SizeText(std::int64_t size, const QLocale& locale)
{
    QLocale grouping = locale;
    grouping.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouping.toString(static_cast<qlonglong>(size));
}

QString TAttachmentModel::DateText(std::int64_t localSeconds, const QLocale& locale)
{
    // The stored seconds count the local wall clock as if it were UTC: read them back as UTC to
    // get the wall-clock fields, shown without any zone conversion.
    const QDateTime wallClock = QDateTime::fromSecsSinceEpoch(localSeconds, Qt::UTC);
    return locale.toString(wallClock.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(wallClock.time(), QLocale::ShortFormat);
}

const QIcon& TAttachmentModel::IconFor(int row) const
{
    QString& key = FIconKeys[static_cast<std::size_t>(row)];
    if (key.isEmpty()) {
        static const QMimeDatabase mimeTypes;
        const QMimeType type = mimeTypes.mimeTypeForFile(QString::fromStdString(Entry(row)->FPath.FileName()),
                                                         QMimeDatabase::MatchExtension);
        key = type.name();
        if (!FIcons.contains(key)) {
            const QIcon generic =
                QIcon::fromTheme(type.genericIconName(), QApplication::style()->standardIcon(QStyle::SP_FileIcon));
            FIcons.insert(key, QIcon::fromTheme(type.iconName(), generic));
        }
    }
    return *FIcons.find(key);
}
