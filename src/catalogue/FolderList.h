#pragma once
// The folder list `LvPapka`: one FolderModel shown in four view modes (large
// icons, small icons, list, report) by an icon view and a report view that share
// the model and the selection. Mouse, key and header events come out as signals
// carrying the row under the pointer, so the navigation needs no widget internals.
#include "FolderModel.h"

#include <QWidget>

class QListView;
class QTreeView;
class QStackedLayout;
class QAbstractItemView;

namespace catalogue {

// The view modes, numbered as the navigation stores them.
enum class ViewMode : int { LargeIcons = 0, SmallIcons = 1, List = 2, Report = 3 };

class FolderList : public QWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget* parent = nullptr);

    FolderModel* items() const { return m_model; }

    ViewMode viewMode() const { return m_mode; }
    void setViewMode(ViewMode mode);

    // Sort column (0-based) and order (0 ascending, 1 descending); see FolderModel.
    int sortKey() const { return m_model->sortKey(); }
    Qt::SortOrder sortOrder() const { return m_model->sortOrder(); }
    bool isSorted() const { return m_model->isSorted(); }
    void setSortKey(int column) { m_model->setSortKey(column); }
    void setSortOrder(Qt::SortOrder order) { m_model->setSortOrder(order); }
    void setSorted(bool sorted) { m_model->setSorted(sorted); }

    // The selected item's row, or -1; its tag, or the empty text.
    int selectedRow() const;
    QString selectedTag() const;
    void selectRow(int row);
    void deselectAll();
    // The row under a point given in this widget's coordinates, or -1.
    int rowAt(const QPoint& pos) const;
    // Starts the label edit of a row (renaming).
    void editLabel(int row);

    QAbstractItemView* currentView() const;
    QListView* iconView() const { return m_icons; }
    QTreeView* reportView() const { return m_report; }

Q_SIGNALS:
    // pos is in this widget's coordinates; row is -1 beside the items.
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& pos, int row);
    void mouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& pos, int row);
    void doubleClicked();
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);
    // A header was clicked in report mode; column is 0-based.
    void columnClicked(int column);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Lets the view handle an event first (it selects on press and release).
    void forward(QAbstractItemView* view, QEvent* event);

    FolderModel* m_model;
    QListView* m_icons;
    QTreeView* m_report;
    QStackedLayout* m_stack;
    ViewMode m_mode = ViewMode::LargeIcons;
    bool m_forwarding = false;
};

}  // namespace catalogue
