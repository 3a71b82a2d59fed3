#include "FolderModel.h"

#include "RowOrder.h"
#include "Texts.h"

#include <QLocale>

#include <algorithm>

namespace catalogue {

FolderModel::FolderModel(QObject* parent) : QAbstractTableModel(parent) {}

void FolderModel::setPictures(std::vector<QIcon> pictures)
{
    m_pictures = std::move(pictures);
    if (!m_items.empty() && !m_refilling)
        Q_EMIT dataChanged(index(0, 0), index(count() - 1, 0), {Qt::DecorationRole});
}

void FolderModel::rebuildIndex()
{
    m_byText.clear();
    m_byText.reserve(m_items.size());
    for (size_t i = 0; i < m_items.size(); ++i)
        m_byText.emplace(m_items[i].text, int(i));  // keeps the first row of a text
}

int FolderModel::findText(QStringView text) const
{
    const auto it = m_byText.find(text);
    return it == m_byText.end() ? -1 : it->second;
}

namespace {

// Whether a sorts before b by column: texts without regard to letter case, the
// date column by the date itself (its text in the locale's format would not
// sort by time).
int compareColumn(const FolderItem& a, const FolderItem& b, int column)
{
    switch (column) {
    case FolderModel::ColType:
        return QString::compare(a.type, b.type, Qt::CaseInsensitive);
    case FolderModel::ColAdded:
        if (a.added == b.added)
            return 0;
        if (!a.added.isValid())
            return -1;
        if (!b.added.isValid())
            return 1;
        return a.added < b.added ? -1 : 1;
    case FolderModel::ColBase:
        return QString::compare(a.baseName, b.baseName, Qt::CaseInsensitive);
    default:
        return QString::compare(a.text, b.text, Qt::CaseInsensitive);
    }
}

// Whether a sorts before b by column. Sorting is stable: items equal in the
// column keep their order, which after a refill is the order rows listed them.
bool sortsBefore(const FolderItem& a, const FolderItem& b, int column, bool descending)
{
    const int c = compareColumn(a, b, column);
    return descending ? c > 0 : c < 0;
}

// The place of a new item among those equal to it in the column: where a
// refill would have put it, by the row that listed it.
bool beforeInRefillOrder(const FolderItem& a, const FolderItem& b, int column, bool descending)
{
    const int c = compareColumn(a, b, column);
    if (c != 0)
        return descending ? c > 0 : c < 0;
    return a.order < b.order;
}

}  // namespace

int FolderModel::addItem(const QString& text, int icon, const QString& tag, qint64 order)
{
    FolderItem item;
    item.text = text;
    item.icon = icon;
    item.tag = tag;
    item.order = order;
    return insertItem(std::move(item));
}

int FolderModel::insertItem(FolderItem item)
{
    int row = count();
    if (m_sorted) {
        const int key = m_sortKey;
        const bool descending = m_sortOrder == Qt::DescendingOrder;
        const auto it = std::upper_bound(m_items.begin(), m_items.end(), item,
                                         [key, descending](const FolderItem& a, const FolderItem& b) {
                                             return beforeInRefillOrder(a, b, key, descending);
                                         });
        row = int(it - m_items.begin());
    }
    if (!m_refilling)
        beginInsertRows({}, row, row);
    m_items.insert(m_items.begin() + row, std::move(item));
    if (row == count() - 1) {
        m_byText.emplace(m_items.back().text, row);
    } else {
        rebuildIndex();  // rows below moved; a rare single insertion into a sorted list
    }
    if (!m_refilling)
        endInsertRows();
    return row;
}

void FolderModel::renumberAfterRemoval(qint64 n)
{
    // Tags and orders are not shown: no signal.
    for (FolderItem& item : m_items) {
        bool ok = false;
        const qint64 tag = item.tag.toLongLong(&ok);
        if (ok && tag > n)
            item.tag = QString::number(tag - 1);
        if (item.order > n)
            --item.order;
    }
}

void FolderModel::emitRow(int row, int column)
{
    if (m_refilling)
        return;
    const QModelIndex i = index(row, column);
    Q_EMIT dataChanged(i, i);
}

void FolderModel::setText(int row, const QString& text)
{
    FolderItem& item = m_items[size_t(row)];
    if (item.text == text)
        return;
    item.text = text;
    rebuildIndex();
    emitRow(row, ColName);
}

void FolderModel::setType(int row, const QString& type)
{
    m_items[size_t(row)].type = type;
    emitRow(row, ColType);
}

void FolderModel::setAdded(int row, const QDateTime& added)
{
    m_items[size_t(row)].added = added;
    emitRow(row, ColAdded);
}

void FolderModel::setBaseName(int row, const QString& baseName)
{
    m_items[size_t(row)].baseName = baseName;
    emitRow(row, ColBase);
}

void FolderModel::setIcon(int row, int icon)
{
    m_items[size_t(row)].icon = icon;
    emitRow(row, ColName);
}

void FolderModel::removeItem(int row)
{
    if (row < 0 || row >= count())
        return;
    if (!m_refilling)
        beginRemoveRows({}, row, row);
    m_items.erase(m_items.begin() + row);
    rebuildIndex();
    if (!m_refilling)
        endRemoveRows();
}

void FolderModel::clear()
{
    if (!m_refilling)
        beginResetModel();
    m_items.clear();
    m_byText.clear();
    if (!m_refilling)
        endResetModel();
}

void FolderModel::sortItems()
{
    const int key = m_sortKey;
    const bool descending = m_sortOrder == Qt::DescendingOrder;
    std::stable_sort(m_items.begin(), m_items.end(), [key, descending](const FolderItem& a, const FolderItem& b) {
        return sortsBefore(a, b, key, descending);
    });
    rebuildIndex();
}

void FolderModel::sort(int column, Qt::SortOrder order)
{
    m_sortKey = std::clamp(column, 0, ColumnCount - 1);
    m_sortOrder = order;
    m_sorted = true;
    if (m_refilling) {
        sortItems();
        return;
    }
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // Keep persistent indexes (selection, current item) on their items.
    const QModelIndexList before = persistentIndexList();
    const int key = m_sortKey;
    const bool descending = m_sortOrder == Qt::DescendingOrder;
    const std::vector<int> newRow = stableSortRows(
        m_items, [key, descending](const FolderItem& a, const FolderItem& b) {
            return sortsBefore(a, b, key, descending);
        });
    rebuildIndex();
    changePersistentIndexList(before, movedIndexes(*this, before, newRow));
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void FolderModel::setSortKey(int column)
{
    if (column == m_sortKey)
        return;
    m_sortKey = column;
    if (m_sorted)
        sort(m_sortKey, m_sortOrder);
}

void FolderModel::setSortOrder(Qt::SortOrder order)
{
    if (order == m_sortOrder)
        return;
    m_sortOrder = order;
    if (m_sorted)
        sort(m_sortKey, m_sortOrder);
}

void FolderModel::setSorted(bool sorted)
{
    if (!sorted) {
        m_sorted = false;
        return;
    }
    // Turning it on sorts, and so does turning it on again (a column click).
    sort(m_sortKey, m_sortOrder);
}

void FolderModel::beginRefill()
{
    if (m_refilling)
        return;
    beginResetModel();
    m_refilling = true;
}

void FolderModel::endRefill()
{
    if (!m_refilling)
        return;
    m_refilling = false;
    endResetModel();
}

int FolderModel::rowCount(const QModelIndex& parent) const
{
    return (parent.isValid() || m_refilling) ? 0 : count();
}

int FolderModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FolderModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const FolderItem& item = m_items[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        switch (index.column()) {
        case ColName:
            return item.text;
        case ColType:
            return item.type;
        case ColAdded:
            return item.added.isValid() ? QLocale().toString(item.added, QLocale::ShortFormat) : QString();
        case ColBase:
            return item.baseName;
        }
        return {};
    case Qt::DecorationRole:
        if (index.column() == ColName && item.icon >= 1 && size_t(item.icon) <= m_pictures.size())
            return m_pictures[size_t(item.icon - 1)];
        return {};
    case TagRole:
        return item.tag;
    case IconIndexRole:
        return item.icon;
    case SortRole:
        if (index.column() == ColAdded)
            return item.added;
        return data(index, Qt::DisplayRole);
    default:
        return {};
    }
}

bool FolderModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != ColName)
        return false;
    const QString text = value.toString();
    if (labelValidator && !labelValidator(index.row(), text))
        return false;
    setText(index.row(), text);
    return true;
}

QVariant FolderModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case ColName:
        return texts::columnName();
    case ColType:
        return texts::columnType();
    case ColAdded:
        return texts::columnAdded();
    case ColBase:
        return texts::columnBase();
    }
    return {};
}

Qt::ItemFlags FolderModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (m_editable && index.column() == ColName && (!labelEditable || labelEditable(index.row())))
        f |= Qt::ItemIsEditable;
    return f;
}

}  // namespace catalogue
