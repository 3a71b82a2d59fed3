#pragma once
// The items of the folder list: name, type, creation date and source base, a
// picture index and a tag (RecordNumber, or empty for a folder). Names are found
// through a case-insensitive hash, so "does this name exist" costs no scan.
#include "CaseKey.h"

#include <QAbstractTableModel>
#include <QDateTime>
#include <QIcon>
#include <QString>

#include <functional>
#include <unordered_map>
#include <vector>

namespace catalogue {

struct FolderItem {
    QString text;
    QString type;
    QDateTime added;  // invalid when not shown
    QString baseName;
    QString tag;
    int icon = 0;
    // The RecordNumber of the row that listed the item first: items equal in
    // the sort column keep this order, the order a refill adds them in.
    qint64 order = 0;
};

class FolderModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColName = 0, ColType = 1, ColAdded = 2, ColBase = 3 };
    static constexpr int ColumnCount = 4;
    enum Role {
        TagRole = Qt::UserRole + 1,  // QString
        IconIndexRole,               // int
        SortRole,                    // what the column sorts by (dates as QDateTime)
    };

    explicit FolderModel(QObject* parent = nullptr);

    void setPictures(std::vector<QIcon> pictures);

    int count() const { return int(m_items.size()); }
    const FolderItem& item(int row) const { return m_items[size_t(row)]; }
    QString text(int row) const { return m_items[size_t(row)].text; }
    QString tag(int row) const { return m_items[size_t(row)].tag; }

    // Adds an item and returns its row: appended while the list is not sorted,
    // put in its sorted place while it is.
    int addItem(const QString& text, int icon, const QString& tag, qint64 order = 0);
    // The same with every column given, so a sorted list places it by them.
    int insertItem(FolderItem item);
    // Row n is gone from the base: the RecordNumbers above it in tags and
    // orders name the rows one place further forward.
    void renumberAfterRemoval(qint64 n);
    void setText(int row, const QString& text);
    void setType(int row, const QString& type);
    void setAdded(int row, const QDateTime& added);
    void setBaseName(int row, const QString& baseName);
    void setIcon(int row, int icon);
    void removeItem(int row);
    void clear();

    // GetItem: the first row whose text equals `text` without regard to letter
    // case, or -1. ItemExists: whether there is one.
    int findText(const QString& text) const { return findText(QStringView(text)); }
    int findText(QStringView text) const;
    bool containsText(const QString& text) const { return findText(text) >= 0; }

    // Sorting by SortKey (0-based column) and SortOrder. Turning Sorted on sorts
    // the items once; while it is on, a change of key or order sorts again and
    // new items go to their sorted place.
    int sortKey() const { return m_sortKey; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    bool isSorted() const { return m_sorted; }
    void setSortKey(int column);
    void setSortOrder(Qt::SortOrder order);
    void setSorted(bool sorted);

    // Brackets a refill: one model reset instead of a signal per item.
    void beginRefill();
    void endRefill();

    // QAbstractItemModel
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Label editing through a view; the validator may refuse a new text, and
    // labelEditable, when set, says which items may be edited at all.
    void setLabelsEditable(bool editable) { m_editable = editable; }
    std::function<bool(int row, const QString& newText)> labelValidator;
    std::function<bool(int row)> labelEditable;

private:
    void sortItems();
    void rebuildIndex();
    void emitRow(int row, int column);

    std::vector<FolderItem> m_items;
    std::unordered_map<QString, int, CaseInsensitiveHash, CaseInsensitiveEqual> m_byText;  // folded text → first row
    std::vector<QIcon> m_pictures;
    int m_sortKey = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    bool m_sorted = false;
    bool m_refilling = false;
    bool m_editable = false;
};

}  // namespace catalogue
