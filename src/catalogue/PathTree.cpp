#include "PathTree.h"

#include "Pictures.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace catalogue {

PathTree::PathTree(QWidget* parent) : QTreeView(parent), m_model(new PathTreeModel(this))
{
    setModel(m_model);
    setHeaderHidden(true);
    setUniformRowHeights(true);  // keeps layout linear in the number of shown rows
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(16, 16));

    connect(m_model, &PathTreeModel::nodeExpandedChanged, this, [this](const QModelIndex& index, bool expanded) {
        if (m_syncing)
            return;
        m_syncing = true;
        QTreeView::setExpanded(index, expanded);
        m_syncing = false;
    });
    auto follow = [this](const QModelIndex& index, bool expanded) {
        if (m_syncing)
            return;
        if (Node* n = m_model->nodeFromIndex(index)) {
            m_syncing = true;
            m_model->setExpanded(n, expanded);
            m_syncing = false;
        }
    };
    connect(this, &QTreeView::expanded, this, [follow](const QModelIndex& i) { follow(i, true); });
    connect(this, &QTreeView::collapsed, this, [follow](const QModelIndex& i) { follow(i, false); });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { applyExpandedFlags({}); });
}

void PathTree::applyExpandedFlags(const QModelIndex&)
{
    // After a rebuild the view has forgotten everything; give it the flags back.
    m_syncing = true;
    m_model->forEachNode([this](Node* n) {
        if (n->isExpanded())
            QTreeView::setExpanded(m_model->indexOf(n), true);
    });
    m_syncing = false;
}

Node* PathTree::nodeAt(const QPoint& viewportPos) const
{
    return m_model->nodeFromIndex(indexAt(viewportPos));
}

Node* PathTree::selectedNode() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? nullptr : m_model->nodeFromIndex(rows.first());
}

void PathTree::selectNode(Node* node)
{
    if (!node) {
        deselectAll();
        return;
    }
    const QModelIndex i = m_model->indexOf(node);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    scrollTo(i);
}

void PathTree::deselectAll()
{
    selectionModel()->clearSelection();
}

bool PathTree::isBesideNode(const QPoint& viewportPos, const QModelIndex& index) const
{
    // The row reaches across the indentation, where the expander arrow lies; the
    // node itself begins with its picture.
    const QRect item = visualRect(index);
    return isRightToLeft() ? viewportPos.x() > item.right() : viewportPos.x() < item.left();
}

void PathTree::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const QModelIndex hit = indexAt(pos);
    // A press on the arrow opens or closes the branch and nothing more: it
    // must not become a click on the node.
    m_pressed = hit.isValid() && !isBesideNode(pos, hit) ? QPersistentModelIndex(hit) : QPersistentModelIndex();
    Q_EMIT mousePressed(event->button(), event->modifiers(), pos, m_model->nodeFromIndex(hit));
    QTreeView::mousePressEvent(event);
}

void PathTree::mouseReleaseEvent(QMouseEvent* event)
{
    const QModelIndex released = indexAt(event->position().toPoint());
    const QPersistentModelIndex pressed = m_pressed;
    m_pressed = QPersistentModelIndex();
    QTreeView::mouseReleaseEvent(event);
    if (released.isValid() && pressed.isValid() && released == QModelIndex(pressed)) {
        if (Node* n = m_model->nodeFromIndex(released))
            Q_EMIT nodeClicked(n);
    }
}

void PathTree::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex before = currentIndex();
    QTreeView::keyPressEvent(event);
    const QModelIndex after = currentIndex();
    if (after.isValid() && after != before) {
        if (Node* n = m_model->nodeFromIndex(after))
            Q_EMIT nodeClicked(n);
    }
}

CatalogueTree::CatalogueTree(QWidget* parent) : PathTree(parent)
{
    nodes()->setPictures(cataloguePictures());
}

}  // namespace catalogue
