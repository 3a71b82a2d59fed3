#pragma once
// A tree view over its own PathTreeModel: the catalogue tree and the pickers'
// trees. It mirrors the nodes' expanded flags and reports presses and node
// clicks with the mouse button, as the navigation handlers need them.
#include "PathTreeModel.h"

#include <QTreeView>

namespace catalogue {

class PathTree : public QTreeView {
    Q_OBJECT
public:
    explicit PathTree(QWidget* parent = nullptr);

    PathTreeModel* nodes() const { return m_model; }

    // The four tree operations on this tree's model.
    Node* addNodePath(const QString& path, const QString& tag, int image, int folderImage)
    {
        return m_model->addNodePath(path, tag, image, folderImage);
    }
    bool nodeExists(const QString& path) const { return m_model->nodeExists(path); }
    Node* getNode(const QString& path) const { return m_model->getNode(path); }
    void capitaliseNodes() { m_model->capitaliseNodes(); }

    // Hit test at a point of the viewport.
    Node* nodeAt(const QPoint& viewportPos) const;
    Node* selectedNode() const;
    void selectNode(Node* node);
    void deselectAll();

Q_SIGNALS:
    // Every mouse press, before the view handles it; hit is null beside the nodes.
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& viewportPos,
                      catalogue::Node* hit);
    // A node was clicked (pressed and released on it, with any button) or made
    // current from the keyboard.
    void nodeClicked(catalogue::Node* node);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyExpandedFlags(const QModelIndex& parent);
    // True when the point lies in the node's row but left of the node (its
    // indentation, with the expander arrow).
    bool isBesideNode(const QPoint& viewportPos, const QModelIndex& index) const;
    PathTreeModel* m_model;
    QPersistentModelIndex m_pressed;
    bool m_syncing = false;
};

// The catalogue tree `Twv`: a PathTree showing the catalogue's small pictures.
class CatalogueTree : public PathTree {
    Q_OBJECT
public:
    explicit CatalogueTree(QWidget* parent = nullptr);
};

}  // namespace catalogue
