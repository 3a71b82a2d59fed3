#include "FindResultsModel.h"

#include "SearchTexts.h"
#include "catalogue/Pictures.h"
#include "catalogue/RowOrder.h"
#include "catalogue/Texts.h"

#include <algorithm>

namespace search {

FindResultsModel::FindResultsModel(QObject* parent) : QAbstractTableModel(parent) {}

void FindResultsModel::clear()
{
    beginResetModel();
    m_items.clear();
    endResetModel();
}

void FindResultsModel::append(std::vector<FindItem> items)
{
    if (items.empty())
        return;
    const int first = count();
    beginInsertRows({}, first, first + int(items.size()) - 1);
    m_items.insert(m_items.end(), std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
    endInsertRows();
}

void FindResultsModel::removeIds(const std::vector<qint64>& ids)
{
    const std::unordered_set<qint64> gone(ids.begin(), ids.end());
    // From the end, so that the rows still to look at keep their numbers.
    for (int row = count() - 1; row >= 0; --row) {
        if (!gone.count(m_items[size_t(row)].id))
            continue;
        int first = row;
        while (first > 0 && gone.count(m_items[size_t(first - 1)].id))
            --first;
        beginRemoveRows({}, first, row);
        m_items.erase(m_items.begin() + first, m_items.begin() + row + 1);
        endRemoveRows();
        row = first;
    }
}

void FindResultsModel::sortItems()
{
    const int key = m_sortKey;
    const bool descending = m_sortOrder == Qt::DescendingOrder;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    // Texts without regard to letter case, equal ones in the order found.
    auto sortsBefore = [key, descending](const FindItem& x, const FindItem& y) {
        const int c = key == ColSection ? QString::compare(x.path, y.path, Qt::CaseInsensitive)
                                        : QString::compare(x.name, y.name, Qt::CaseInsensitive);
        return descending ? c > 0 : c < 0;
    };
    const std::vector<int> newRow = catalogue::stableSortRows(m_items, sortsBefore);
    changePersistentIndexList(before, catalogue::movedIndexes(*this, before, newRow));
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void FindResultsModel::setSortKey(int column)
{
    column = std::clamp(column, 0, ColumnCount - 1);
    if (column == m_sortKey)
        return;
    m_sortKey = column;
    if (m_sorted)
        sortItems();
}

void FindResultsModel::setSortOrder(Qt::SortOrder order)
{
    if (order == m_sortOrder)
        return;
    m_sortOrder = order;
    if (m_sorted)
        sortItems();
}

void FindResultsModel::setSorted(bool sorted)
{
    m_sorted = sorted;
    // Turning it on sorts, and so does turning it on again (a column click).
    if (sorted)
        sortItems();
}

int FindResultsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }

int FindResultsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant FindResultsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const FindItem& item = m_items[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return index.column() == ColSection ? item.path : item.name;
    case Qt::DecorationRole:
        // A copy in the bin shows the bin's picture beside a live one of the same name.
        if (index.column() == ColName)
            return catalogue::picture(item.deleted ? catalogue::PicRecycleFull : item.kind);
        return {};
    case TagRole:
        return item.tag;
    case IdRole:
        return item.id;
    default:
        return {};
    }
}

QVariant FindResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == ColSection ? texts::columnSection() : catalogue::texts::columnName();
}

}  // namespace search
