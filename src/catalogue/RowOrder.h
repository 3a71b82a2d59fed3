#pragma once
// Sorting the rows of a list model in place: stably, so that equal items keep
// the order they were found in, and with the persistent indexes (selection,
// current item) moved along with their items.
#include <QAbstractItemModel>
#include <QModelIndexList>

#include <algorithm>
#include <numeric>
#include <vector>

namespace catalogue {

// Puts `items` in the stable order `less` gives and returns, for each old row,
// its new row.
template <class Item, class Less>
std::vector<int> stableSortRows(std::vector<Item>& items, Less less)
{
    std::vector<int> order(items.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return less(items[size_t(a)], items[size_t(b)]); });
    std::vector<Item> sorted;
    sorted.reserve(items.size());
    std::vector<int> newRow(items.size());
    for (size_t i = 0; i < order.size(); ++i) {
        newRow[size_t(order[i])] = int(i);
        sorted.push_back(std::move(items[size_t(order[i])]));
    }
    items = std::move(sorted);
    return newRow;
}

// The indexes `before` moved to the rows stableSortRows() gave them.
inline QModelIndexList movedIndexes(const QAbstractItemModel& model, const QModelIndexList& before,
                                    const std::vector<int>& newRow)
{
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& i : before)
        after.push_back(model.index(newRow[size_t(i.row())], i.column()));
    return after;
}

}  // namespace catalogue
