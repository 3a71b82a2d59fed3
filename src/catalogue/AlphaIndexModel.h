#pragma once
// The items of the alphabetical index: title, RecordNumber and a mark (bold,
// dark blue) that the index's prefix search sets.
#include <QAbstractListModel>
#include <QString>

#include <vector>

namespace catalogue {

struct AlphaItem {
    QString text;
    qint64 tag = 0;  // RecordNumber
    bool marked = false;
};

class AlphaIndexModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { TagRole = Qt::UserRole + 1, MarkedRole };

    explicit AlphaIndexModel(QObject* parent = nullptr);

    int count() const { return int(m_items.size()); }
    const AlphaItem& item(int row) const { return m_items[size_t(row)]; }
    QString text(int row) const { return m_items[size_t(row)].text; }
    qint64 tag(int row) const { return m_items[size_t(row)].tag; }

    // Filling: appends unsorted; setSorted(true) sorts once by text (letter case
    // ignored, equal titles in the order they were added).
    void clear();
    void append(const QString& text, qint64 tag);
    bool isSorted() const { return m_sorted; }
    void setSorted(bool sorted);
    void beginRefill();
    void endRefill();

    // Removes the items carrying this RecordNumber (an entry filed anew).
    void removeTag(qint64 tag);

    bool isMarked(int row) const { return m_items[size_t(row)].marked; }
    void setMarked(int row, bool marked);
    // Rows [first, last) at once, told to the views as one change.
    void setMarkedRange(int first, int last, bool marked);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Keeping a sorted index in step with single entries, without a reload:
    // the row of an entry's item (-1 when it has none), taking it out, putting
    // one in where a reload would (equal titles by RecordNumber), and moving
    // the numbers above a removed row one place forward.
    int rowOfTag(qint64 tag) const;
    void removeItem(int row);
    int insertSorted(const QString& text, qint64 tag);
    void renumberAfterRemoval(qint64 removed);

private:
    std::vector<AlphaItem> m_items;
    bool m_sorted = false;
    bool m_refilling = false;
};

}  // namespace catalogue
