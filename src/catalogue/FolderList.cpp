#include "FolderList.h"

#include "Pictures.h"
#include "Texts.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QStackedLayout>
#include <QStyledItemDelegate>
#include <QTreeView>

#include <algorithm>

namespace catalogue {

namespace {

// A label edit ends on Tab as on Enter: the name typed is given, and no edit
// opens on the next item. (The view's own Tab opens the next item's editor,
// whose unchanged name then comes in after the new one and undoes the rename.)
class LabelDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            auto* editor = qobject_cast<QWidget*>(watched);
            if (editor && (key == Qt::Key_Tab || key == Qt::Key_Backtab)) {
                Q_EMIT commitData(editor);
                Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(watched, event);
    }
};

// Gives every item of the icon view one size: in large icons the grid's cell,
// so a wrapped name has the whole cell's width (and all items share one size,
// which keeps the layout of thousands of items cheap).
class CellDelegate : public LabelDelegate {
public:
    using LabelDelegate::LabelDelegate;
    void setCell(QSize cell) { m_cell = cell; }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return m_cell.isValid() ? m_cell : QStyledItemDelegate::sizeHint(option, index);
    }

private:
    QSize m_cell;
};

}  // namespace

FolderList::FolderList(QWidget* parent)
    : QWidget(parent),
      m_model(new FolderModel(this)),
      m_icons(new QListView(this)),
      m_report(new QTreeView(this)),
      m_stack(new QStackedLayout(this))
{
    m_model->setPictures(cataloguePictures());
    m_stack->setContentsMargins(0, 0, 0, 0);
    m_stack->addWidget(m_icons);
    m_stack->addWidget(m_report);

    m_icons->setModel(m_model);
    m_icons->setItemDelegate(new CellDelegate(m_icons));
    m_icons->setMovement(QListView::Static);
    m_icons->setResizeMode(QListView::Adjust);
    m_icons->setSelectionMode(QAbstractItemView::SingleSelection);
    m_icons->setEditTriggers(QAbstractItemView::NoEditTriggers);

    m_report->setModel(m_model);
    m_report->setItemDelegate(new LabelDelegate(m_report));
    // One selection for both views, so switching modes keeps the selected item.
    m_report->setSelectionModel(m_icons->selectionModel());
    m_report->setRootIsDecorated(false);
    m_report->setItemsExpandable(false);
    m_report->setUniformRowHeights(true);
    m_report->setAllColumnsShowFocus(true);
    m_report->setSelectionMode(QAbstractItemView::SingleSelection);
    m_report->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_report->setIconSize(QSize(16, 16));
    m_report->header()->setSectionsClickable(true);
    m_report->header()->setSortIndicatorShown(false);
    // Room for a long title, the widest type and a full date and time; the
    // user may still drag the borders.
    {
        const QFontMetrics fm(m_report->font());
        const int pad = 3 * fm.averageCharWidth() + 16;
        m_report->header()->setMinimumSectionSize(40);
        m_report->header()->resizeSection(0, fm.averageCharWidth() * 40 + pad);
        m_report->header()->resizeSection(1, fm.horizontalAdvance(texts::typeProgram()) + pad);
        m_report->header()->resizeSection(2, fm.horizontalAdvance(QStringLiteral("00.00.0000 00:00")) + pad);
    }
    connect(m_report->header(), &QHeaderView::sectionClicked, this, [this](int section) {
        Q_EMIT columnClicked(section);
    });

    for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(m_icons), static_cast<QAbstractItemView*>(m_report)}) {
        v->installEventFilter(this);
        v->viewport()->installEventFilter(this);
        v->setContextMenuPolicy(Qt::DefaultContextMenu);
    }
    setFocusProxy(m_icons);
    setViewMode(ViewMode::LargeIcons);
}

void FolderList::setViewMode(ViewMode mode)
{
    m_mode = mode;
    if (mode == ViewMode::Report) {
        m_stack->setCurrentWidget(m_report);
        setFocusProxy(m_report);
        return;
    }
    const bool large = mode == ViewMode::LargeIcons;
    m_icons->setViewMode(large ? QListView::IconMode : QListView::ListMode);
    m_icons->setIconSize(large ? QSize(32, 32) : QSize(16, 16));
    m_icons->setMovement(QListView::Static);
    m_icons->setWrapping(true);
    m_icons->setWordWrap(large);
    // A cell holds a long word (such as the standard "Установленные") whole
    // and two lines of a longer name; only longer ones are cut short.
    const QFontMetrics fm(m_icons->font());
    const QSize cell(std::max(96, fm.horizontalAdvance(texts::installedBases().section(QLatin1Char(' '), 0, 0)) + 16),
                     32 + 2 * fm.lineSpacing() + 12);
    m_icons->setGridSize(large ? cell : QSize());
    static_cast<CellDelegate*>(m_icons->itemDelegate())->setCell(large ? cell - QSize(4, 4) : QSize());
    // In the one-line list each name keeps its own width: one size for all
    // would be the first name's and cut the longer ones.
    m_icons->setUniformItemSizes(large);
    // Small icons run in rows; the list runs in columns, top to bottom.
    m_icons->setFlow(mode == ViewMode::List ? QListView::TopToBottom : QListView::LeftToRight);
    m_stack->setCurrentWidget(m_icons);
    setFocusProxy(m_icons);
}

QAbstractItemView* FolderList::currentView() const
{
    return m_mode == ViewMode::Report ? static_cast<QAbstractItemView*>(m_report)
                                      : static_cast<QAbstractItemView*>(m_icons);
}

int FolderList::selectedRow() const
{
    const QModelIndexList rows = m_icons->selectionModel()->selectedIndexes();
    for (const QModelIndex& i : rows)
        return i.row();
    return -1;
}

QString FolderList::selectedTag() const
{
    const int row = selectedRow();
    return row < 0 ? QString() : m_model->tag(row);
}

void FolderList::selectRow(int row)
{
    if (row < 0 || row >= m_model->count()) {
        deselectAll();
        return;
    }
    const QModelIndex i = m_model->index(row, 0);
    m_icons->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    currentView()->scrollTo(i);
}

void FolderList::deselectAll()
{
    m_icons->selectionModel()->clearSelection();
}

int FolderList::rowAt(const QPoint& pos) const
{
    QAbstractItemView* v = currentView();
    const QModelIndex i = v->indexAt(v->viewport()->mapFrom(this, pos));
    return i.isValid() ? i.row() : -1;
}

void FolderList::editLabel(int row)
{
    if (row < 0 || row >= m_model->count())
        return;
    currentView()->edit(m_model->index(row, FolderModel::ColName));
}

void FolderList::forward(QAbstractItemView* view, QEvent* event)
{
    m_forwarding = true;
    QCoreApplication::sendEvent(view->viewport(), event);
    m_forwarding = false;
}

bool FolderList::eventFilter(QObject* watched, QEvent* event)
{
    if (m_forwarding)
        return false;
    QAbstractItemView* v = currentView();
    if (watched == v->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease: {
            auto* me = static_cast<QMouseEvent*>(event);
            const QPoint pos = v->viewport()->mapTo(this, me->position().toPoint());
            const QModelIndex i = v->indexAt(me->position().toPoint());
            const int row = i.isValid() ? i.row() : -1;
            if (event->type() == QEvent::MouseButtonPress) {
                Q_EMIT mousePressed(me->button(), me->modifiers(), pos, row);
            } else {
                // The view selects on press; let it finish the click before
                // the handlers read the selection.
                forward(v, event);
                Q_EMIT mouseReleased(me->button(), me->modifiers(), pos, row);
                return true;
            }
            break;
        }
        case QEvent::MouseButtonDblClick:
            forward(v, event);
            Q_EMIT doubleClicked();
            return true;
        case QEvent::ContextMenu:
            // The menus open on the right button's release (mouseReleased);
            // the view's own context menu would come on top of them.
            return true;
        default:
            break;
        }
    } else if (watched == v && event->type() == QEvent::KeyPress) {
        // A key the label editor passed on (Enter ends the edit and the line
        // edit lets it travel up) belongs to the edit, not to the list: as a
        // list key it would open the entry under the name it is losing.
        if (v->indexWidget(v->currentIndex()))
            return true;
        auto* ke = static_cast<QKeyEvent*>(event);
        Q_EMIT keyPressed(ke->key(), ke->modifiers());
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace catalogue
