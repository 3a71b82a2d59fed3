#include "AlphaIndexModel.h"

#include "CaseKey.h"

#include <QBrush>
#include <QFont>

#include <algorithm>

namespace catalogue {

namespace {
// Marked titles: bold and dark blue (red 22, green 26, blue 90).
const QColor MarkedColour(22, 26, 90);
}  // namespace

AlphaIndexModel::AlphaIndexModel(QObject* parent) : QAbstractListModel(parent) {}

void AlphaIndexModel::clear()
{
    if (!m_refilling)
        beginResetModel();
    m_items.clear();
    if (!m_refilling)
        endResetModel();
}

void AlphaIndexModel::append(const QString& text, qint64 tag)
{
    AlphaItem item{text, tag, false};
    if (m_sorted) {
        const auto it = std::upper_bound(m_items.begin(), m_items.end(), item, [](const AlphaItem& a, const AlphaItem& b) {
            return QString::compare(a.text, b.text, Qt::CaseInsensitive) < 0;
        });
        const int row = int(it - m_items.begin());
        if (!m_refilling)
            beginInsertRows({}, row, row);
        m_items.insert(it, std::move(item));
        if (!m_refilling)
            endInsertRows();
        return;
    }
    const int row = count();
    if (!m_refilling)
        beginInsertRows({}, row, row);
    m_items.push_back(std::move(item));
    if (!m_refilling)
        endInsertRows();
}

void AlphaIndexModel::setSorted(bool sorted)
{
    const bool was = m_sorted;
    m_sorted = sorted;
    if (!sorted || was)
        return;
    if (!m_refilling)
        beginResetModel();
    // Each title folded once, all into one buffer, then sorted by its folded
    // form; equal titles keep their order of arrival.
    size_t room = 0;
    for (const AlphaItem& item : m_items)
        room += 2 * size_t(item.text.size());
    std::u16string folded(room, u'\0');
    std::vector<std::pair<size_t, size_t>> spans;  // offset and length in folded
    spans.reserve(m_items.size());
    char16_t* const begin = folded.data();
    char16_t* out = begin;
    for (const AlphaItem& item : m_items) {
        char16_t* const from = out;
        out = writeCaseFolded(item.text, out);
        spans.emplace_back(size_t(from - begin), size_t(out - from));
    }
    folded.resize(size_t(out - begin));
    // The first eight folded units, packed so that comparing the numbers
    // compares the units: most comparisons end there without touching the
    // buffer (titles often share their first word).
    struct Entry {
        quint64 head;
        quint64 next;
        size_t at;
    };
    std::vector<Entry> order(m_items.size());
    for (size_t i = 0; i < order.size(); ++i) {
        quint64 packed[2] = {0, 0};
        for (size_t k = 0; k < 8; ++k)
            packed[k / 4] = (packed[k / 4] << 16) | (k < spans[i].second ? folded[spans[i].first + k] : 0);
        order[i] = {packed[0], packed[1], i};
    }
    const std::u16string_view all(folded);
    std::sort(order.begin(), order.end(), [&spans, all](const Entry& a, const Entry& b) {
        if (a.head != b.head)
            return a.head < b.head;
        if (a.next != b.next)
            return a.next < b.next;
        const int c = all.substr(spans[a.at].first, spans[a.at].second)
                          .compare(all.substr(spans[b.at].first, spans[b.at].second));
        return c != 0 ? c < 0 : a.at < b.at;
    });
    std::vector<AlphaItem> inOrder;
    inOrder.reserve(m_items.size());
    for (const Entry& e : order)
        inOrder.push_back(std::move(m_items[e.at]));
    m_items = std::move(inOrder);
    if (!m_refilling)
        endResetModel();
}

void AlphaIndexModel::beginRefill()
{
    if (m_refilling)
        return;
    beginResetModel();
    m_refilling = true;
}

void AlphaIndexModel::endRefill()
{
    if (!m_refilling)
        return;
    m_refilling = false;
    endResetModel();
}

void AlphaIndexModel::setMarked(int row, bool marked)
{
    AlphaItem& item = m_items[size_t(row)];
    if (item.marked == marked)
        return;
    item.marked = marked;
    if (!m_refilling) {
        const QModelIndex i = index(row);
        Q_EMIT dataChanged(i, i, {Qt::FontRole, Qt::ForegroundRole, MarkedRole});
    }
}

void AlphaIndexModel::setMarkedRange(int first, int last, bool marked)
{
    first = std::max(first, 0);
    last = std::min(last, count());
    if (first >= last)
        return;
    for (int row = first; row < last; ++row)
        m_items[size_t(row)].marked = marked;
    if (!m_refilling)
        Q_EMIT dataChanged(index(first), index(last - 1), {Qt::FontRole, Qt::ForegroundRole, MarkedRole});
}

int AlphaIndexModel::rowCount(const QModelIndex& parent) const
{
    return (parent.isValid() || m_refilling) ? 0 : count();
}

QVariant AlphaIndexModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const AlphaItem& item = m_items[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return item.text;
    case TagRole:
        return item.tag;
    case MarkedRole:
        return item.marked;
    case Qt::FontRole:
        if (item.marked) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    case Qt::ForegroundRole:
        return QBrush(item.marked ? MarkedColour : QColor(Qt::black));
    default:
        return {};
    }
}

int AlphaIndexModel::rowOfTag(qint64 tag) const
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].tag == tag)
            return int(i);
    }
    return -1;
}

void AlphaIndexModel::removeItem(int row)
{
    if (row < 0 || row >= count())
        return;
    if (!m_refilling)
        beginRemoveRows({}, row, row);
    m_items.erase(m_items.begin() + row);
    if (!m_refilling)
        endRemoveRows();
}

int AlphaIndexModel::insertSorted(const QString& text, qint64 tag)
{
    // A load sorts titles without regard to letter case and keeps equal ones in
    // the order of their rows.
    const AlphaItem item{text, tag, false};
    const auto it = std::upper_bound(m_items.begin(), m_items.end(), item, [](const AlphaItem& a, const AlphaItem& b) {
        const int c = QString::compare(a.text, b.text, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.tag < b.tag;
    });
    const int row = int(it - m_items.begin());
    if (!m_refilling)
        beginInsertRows({}, row, row);
    m_items.insert(it, item);
    if (!m_refilling)
        endInsertRows();
    return row;
}

void AlphaIndexModel::renumberAfterRemoval(qint64 removed)
{
    // Tags are not shown: no signal.
    for (AlphaItem& item : m_items) {
        if (item.tag > removed)
            --item.tag;
    }
}

void AlphaIndexModel::removeTag(qint64 tag)
{
    for (int row = count() - 1; row >= 0; --row) {
        if (m_items[size_t(row)].tag != tag)
            continue;
        if (!m_refilling)
            beginRemoveRows({}, row, row);
        m_items.erase(m_items.begin() + row);
        if (!m_refilling)
            endRemoveRows();
    }
}

}  // namespace catalogue
