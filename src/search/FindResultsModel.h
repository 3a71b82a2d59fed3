#pragma once
// The items of the result list `LVFind`: one per row found, with its title
// ("Имя"), its folder ("Раздел"), its stable row Id and the RecordNumber it had
// when found (the tag). Sorts by a column as the folder list does.
#include <QAbstractTableModel>
#include <QString>

#include <unordered_set>
#include <vector>

namespace search {

struct FindItem {
    qint64 id = 0;
    QString tag;  // RecordNumber as decimal text
    QString name;
    QString path;
    int kind = 0;
    bool deleted = false;
};

class FindResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColName = 0, ColSection = 1 };
    static constexpr int ColumnCount = 2;
    enum Role { TagRole = Qt::UserRole + 1, IdRole };

    explicit FindResultsModel(QObject* parent = nullptr);

    int count() const { return int(m_items.size()); }
    const FindItem& item(int row) const { return m_items[size_t(row)]; }

    void clear();
    // Appends in the order given (the search's table order).
    void append(std::vector<FindItem> items);
    // Items whose rows are gone leave the list.
    void removeIds(const std::vector<qint64>& ids);

    // Sort column (0-based) and order (0 ascending, 1 descending), as the folder list.
    int sortKey() const { return m_sortKey; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    bool isSorted() const { return m_sorted; }
    void setSortKey(int column);
    void setSortOrder(Qt::SortOrder order);
    void setSorted(bool sorted);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void sortItems();

    std::vector<FindItem> m_items;
    int m_sortKey = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    bool m_sorted = false;
};

}  // namespace search
