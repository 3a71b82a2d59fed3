#include "AlphaIndexList.h"

#include <QMouseEvent>

namespace catalogue {

AlphaIndexList::AlphaIndexList(QWidget* parent) : QListView(parent), m_model(new AlphaIndexModel(this))
{
    setModel(m_model);
    setUniformItemSizes(true);  // 200,000 titles lay out in constant time per row
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

int AlphaIndexList::rowAt(const QPoint& viewportPos) const
{
    const QModelIndex i = indexAt(viewportPos);
    return i.isValid() ? i.row() : -1;
}

int AlphaIndexList::selectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void AlphaIndexList::selectRow(int row)
{
    if (row < 0 || row >= m_model->count()) {
        deselectAll();
        return;
    }
    const QModelIndex i = m_model->index(row);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    scrollTo(i);
}

void AlphaIndexList::deselectAll()
{
    selectionModel()->clearSelection();
}

void AlphaIndexList::mousePressEvent(QMouseEvent* event)
{
    QListView::mousePressEvent(event);
    const QPoint pos = event->position().toPoint();
    Q_EMIT mousePressed(event->button(), event->modifiers(), pos, rowAt(pos));
}

void AlphaIndexList::mouseReleaseEvent(QMouseEvent* event)
{
    QListView::mouseReleaseEvent(event);
    const QPoint pos = event->position().toPoint();
    Q_EMIT mouseReleased(event->button(), event->modifiers(), pos, rowAt(pos));
}

}  // namespace catalogue
