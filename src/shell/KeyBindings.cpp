#include "KeyBindings.h"

#include "AttachmentPanel.h"
#include "FrmMain.h"
#include "History.h"
#include "MainLayout.h"
#include "NavigationBinding.h"
#include "Startup.h"

#include "articles/ArticlePane.h"
#include "catalogue/FolderList.h"
#include "catalogue/Navigator.h"
#include "catalogue/PathTree.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QShortcut>
#include <QTabBar>

namespace shell {

namespace {

// Pages of the left panel's tab strip.
constexpr int IndexPage = 1;
constexpr int SearchPage = 2;

void shortcut(QWidget* window, const QKeySequence& keys, std::function<void()> action)
{
    auto* s = new QShortcut(keys, window);
    s->setContext(Qt::WindowShortcut);
    QObject::connect(s, &QShortcut::activated, window, std::move(action));
}

// Where a menu for the view's current item goes: beside the item, or at the
// view's corner when nothing is current.
QPoint menuPoint(QAbstractItemView* view)
{
    const QRect r = view->visualRect(view->currentIndex());
    const QPoint local = r.isValid() ? r.center() : QPoint(8, 8);
    return view->viewport()->mapToGlobal(local);
}

}  // namespace

bool isContextMenuKey(int key, Qt::KeyboardModifiers modifiers)
{
    return key == Qt::Key_Menu || (key == Qt::Key_F10 && (modifiers & Qt::ShiftModifier));
}

KeyBindings::KeyBindings(FrmMain& window, History& history) : QObject(&window), m_w(window), m_history(history)
{
    shortcut(&m_w, QKeySequence(Qt::ALT | Qt::Key_Left), [this] { m_history.back(); });
    shortcut(&m_w, QKeySequence(Qt::ALT | Qt::Key_Right), [this] { m_history.forward(); });
    shortcut(&m_w, QKeySequence(Qt::Key_Back), [this] { m_history.back(); });
    shortcut(&m_w, QKeySequence(Qt::Key_Forward), [this] { m_history.forward(); });
    shortcut(&m_w, QKeySequence(Qt::Key_F5), [this] { reloadCatalogue(m_w); });
    shortcut(&m_w, QKeySequence(Qt::CTRL | Qt::Key_F), [this] { goToSearch(); });
    shortcut(&m_w, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A), [this] { goToIndex(); });

    connect(m_w.LvPapka, &catalogue::FolderList::keyPressed, this, &KeyBindings::folderListKey);
    m_w.Twv->installEventFilter(this);
    m_w.LstFile->installEventFilter(this);
    // The mouse's side buttons, wherever in the window they are pressed.
    qApp->installEventFilter(this);
}

KeyBindings::~KeyBindings()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void KeyBindings::goToSearch()
{
    m_w.TabMain->setCurrentIndex(SearchPage);
    m_w.mainLayout().tabMainMouseUp();
    m_w.TxtFind->setFocus(Qt::ShortcutFocusReason);
    m_w.TxtFind->selectAll();
}

void KeyBindings::goToIndex()
{
    m_w.TabMain->setCurrentIndex(IndexPage);
    m_w.mainLayout().tabMainMouseUp();
    m_w.TxtAlphaText->setFocus(Qt::ShortcutFocusReason);
    m_w.TxtAlphaText->selectAll();
}

void KeyBindings::folderListKey(int key, Qt::KeyboardModifiers modifiers)
{
    catalogue::Navigator& nav = m_w.navigation().navigator();
    catalogue::FolderList* list = m_w.LvPapka;
    const int row = list->selectedRow();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && row >= 0 && list->items()->tag(row).isEmpty()) {
        // A folder opens as a double click opens it (entries are the navigator's).
        nav.listDoubleClick();
    } else if (key == Qt::Key_Backspace && !nav.articleVisible()) {
        nav.up();
    } else if (isContextMenuKey(key, modifiers)) {
        contextMenuOfSelection(list->currentView());
    }
}

void KeyBindings::contextMenuOfSelection(QWidget* focus)
{
    catalogue::Navigator& nav = m_w.navigation().navigator();
    if (focus == m_w.LvPapka->currentView() || focus == m_w.LvPapka) {
        QAbstractItemView* view = m_w.LvPapka->currentView();
        const int row = m_w.LvPapka->selectedRow();
        if (row >= 0)
            nav.listMouseUp(Qt::RightButton, row, menuPoint(view));
    } else if (focus == m_w.Twv) {
        catalogue::Node* node = m_w.Twv->selectedNode();
        if (!node)
            return;
        // The navigator shows a node's menu for a right-button click; the
        // button is set back at once, so the next key moves as keys do.
        nav.treeMouseDown(Qt::RightButton, node);
        nav.treeNodeClick(node, menuPoint(m_w.Twv));
        nav.treeMouseDown(Qt::LeftButton, node);
    } else if (focus == m_w.LstFile) {
        if (m_w.LstFile->currentItem() && m_w.RTF->isVisible())
            m_w.MnuInFile->popup(menuPoint(m_w.LstFile));
    }
}

bool KeyBindings::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        const auto* me = static_cast<QMouseEvent*>(event);
        if (widget && widget->window() == &m_w &&
            (me->button() == Qt::BackButton || me->button() == Qt::ForwardButton)) {
            me->button() == Qt::BackButton ? m_history.back() : m_history.forward();
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress || (watched != m_w.Twv && watched != m_w.LstFile))
        return false;
    const auto* ke = static_cast<QKeyEvent*>(event);
    if (isContextMenuKey(ke->key(), ke->modifiers())) {
        contextMenuOfSelection(static_cast<QWidget*>(watched));
        return true;
    }
    if (watched == m_w.LstFile && (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter)) {
        m_w.attachmentPanel().lstFileDblClick();
        return true;
    }
    return false;
}

}  // namespace shell
