#include "FindList.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace search {

FindList::FindList(QWidget* parent) : QTreeView(parent), m_model(new FindResultsModel(this))
{
    setModel(m_model);
    setRootIsDecorated(false);
    setUniformRowHeights(true);  // a hundred thousand results lay out in constant time per row
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAllColumnsShowFocus(true);
    header()->setSectionsClickable(true);
    header()->setStretchLastSection(true);
    header()->resizeSection(FindResultsModel::ColName, fontMetrics().averageCharWidth() * 24);
    connect(header(), &QHeaderView::sectionClicked, this, &FindList::columnClicked);
    // The sort indicator follows the model's order, as the folder list's would.
    auto indicate = [this] {
        header()->setSortIndicatorShown(m_model->isSorted());
        header()->setSortIndicator(m_model->sortKey(), m_model->sortOrder());
    };
    connect(m_model, &QAbstractItemModel::layoutChanged, this, indicate);
    connect(m_model, &QAbstractItemModel::modelReset, this, indicate);
}

int FindList::rowAt(const QPoint& viewportPos) const
{
    const QModelIndex i = indexAt(viewportPos);
    return i.isValid() ? i.row() : -1;
}

int FindList::selectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void FindList::selectRow(int row)
{
    if (row < 0 || row >= m_model->count()) {
        deselectAll();
        return;
    }
    const QModelIndex i = m_model->index(row, 0);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(i);
}

void FindList::deselectAll() { selectionModel()->clearSelection(); }

void FindList::mousePressEvent(QMouseEvent* event)
{
    QTreeView::mousePressEvent(event);
    const QPoint pos = event->position().toPoint();
    Q_EMIT mousePressed(event->button(), pos, rowAt(pos));
}

void FindList::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeView::mouseReleaseEvent(event);
    const QPoint pos = event->position().toPoint();
    Q_EMIT mouseReleased(event->button(), pos, rowAt(pos));
}

}  // namespace search
