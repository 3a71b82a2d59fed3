#include "AlphaIndex.h"

#include "catalogue/AlphaIndexList.h"
#include "catalogue/CaseKey.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <string>

namespace search {

namespace {

// The folded form the index is sorted by (catalogue::writeCaseFolded).
std::u16string foldedTitle(QStringView text)
{
    std::u16string out(size_t(2 * text.size()), u'\0');
    out.resize(size_t(catalogue::writeCaseFolded(text, out.data()) - out.data()));
    return out;
}

}  // namespace

std::pair<int, int> prefixRun(const catalogue::AlphaIndexModel& titles, const QString& prefix)
{
    const std::u16string p = foldedTitle(prefix);
    const int n = titles.count();
    // Titles before the run sort below p; titles after it have a first |p|
    // folded units above p.
    auto beforeRun = [&](int row) { return foldedTitle(titles.text(row)) < p; };
    auto afterRun = [&](int row) {
        const std::u16string t = foldedTitle(titles.text(row));
        return std::u16string_view(t).substr(0, p.size()) > std::u16string_view(p);
    };
    int lo = 0, hi = n;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (beforeRun(mid))
            lo = mid + 1;
        else
            hi = mid;
    }
    const int first = lo;
    hi = n;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (!afterRun(mid))
            lo = mid + 1;
        else
            hi = mid;
    }
    return {first, lo};
}

AlphaIndex::AlphaIndex(catalogue::MainState& state, AlphaIndexWidgets widgets, QObject* parent)
    : QObject(parent), m_state(state), m_w(std::move(widgets))
{
    if (m_w.box) {
        connect(m_w.box, &QLineEdit::textChanged, this, &AlphaIndex::textChanged);
        m_w.box->installEventFilter(this);
    }
    if (catalogue::AlphaIndexList* list = m_w.list) {
        list->installEventFilter(this);
        connect(list, &catalogue::AlphaIndexList::mousePressed, this,
                [this](Qt::MouseButton b, Qt::KeyboardModifiers, const QPoint&, int row) { mouseDown(b, row); });
        connect(list, &catalogue::AlphaIndexList::mouseReleased, this,
                [this, list](Qt::MouseButton b, Qt::KeyboardModifiers, const QPoint& pos, int row) {
                    mouseUp(b, row, list->viewport()->mapToGlobal(pos));
                });
        // A rebuild of the catalogue makes plain titles; the marks follow the
        // box's text, which the rebuild keeps.
        catalogue::AlphaIndexModel* titles = list->items();
        connect(titles, &QAbstractItemModel::modelReset, this, [this] {
            m_first = m_last = 0;
            mark(true);
        });
        connect(titles, &QAbstractItemModel::rowsInserted, this, [this] {
            m_first = m_last = 0;
            if (m_w.list)
                m_w.list->items()->setMarkedRange(0, m_w.list->items()->count(), false);
            mark(false);
        });
    }
}

void AlphaIndex::textChanged() { mark(true); }

void AlphaIndex::mark(bool scroll)
{
    if (!m_w.list)
        return;
    catalogue::AlphaIndexModel* titles = m_w.list->items();
    const QString text = m_w.box ? m_w.box->text() : QString();
    const auto [first, last] = text.isEmpty() ? std::pair{0, 0} : prefixRun(*titles, text);
    // Only the rows that leave or join the run change: the old run's parts
    // before and after the new one, and the new run's parts before and after
    // the old one.
    if (first < last) {
        titles->setMarkedRange(m_first, std::min(m_last, first), false);
        titles->setMarkedRange(std::max(m_first, last), m_last, false);
        titles->setMarkedRange(first, std::min(last, m_first), true);
        titles->setMarkedRange(std::max(first, m_last), last, true);
    } else {
        titles->setMarkedRange(m_first, m_last, false);
    }
    m_first = first < last ? first : 0;
    m_last = first < last ? last : 0;
    // No title begins with the text: the list stays where it was.
    if (scroll && first < last)
        m_w.list->scrollTo(titles->index(first), QAbstractItemView::PositionAtTop);
}

void AlphaIndex::mouseDown(Qt::MouseButton, int row)
{
    if (row < 0 && m_w.list)
        m_w.list->deselectAll();
}

void AlphaIndex::mouseUp(Qt::MouseButton button, int row, const QPoint& globalPos)
{
    catalogue::AlphaIndexList* list = m_w.list;
    if (!list)
        return;
    if (row < 0) {
        m_state.selItem.clear();
        list->deselectAll();
        return;
    }
    // The title the press selected.
    const int selected = list->selectedRow();
    if (selected < 0)
        return;
    const QString tag = QString::number(list->items()->tag(selected));
    m_state.selItem = tag;
    if (button == Qt::LeftButton) {
        if (!m_state.goToRecord(tag))
            return;
        // A link or program is launched and the pane keeps the row it showed.
        if (m_w.openEntry)
            m_w.openEntry();
        if (m_w.showArticlePane)
            m_w.showArticlePane();
        if (m_w.enableUp)
            m_w.enableUp();
        return;
    }
    if (m_w.showItemMenu)
        m_w.showItemMenu(globalPos);
}

bool AlphaIndex::eventFilter(QObject* watched, QEvent* event)
{
    catalogue::AlphaIndexList* list = m_w.list;
    if (event->type() != QEvent::KeyPress || !list)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return QObject::eventFilter(watched, event);
    if (watched == m_w.box && (enter || key->key() == Qt::Key_Down)) {
        // Down with nothing marked goes to the top of the list; Enter needs a mark.
        const int row = m_first < m_last ? m_first : (!enter && list->items()->count() > 0 ? 0 : -1);
        if (row < 0)
            return false;
        list->selectRow(row);
        if (enter)
            mouseUp(Qt::LeftButton, row);
        else
            list->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (watched == list && enter) {
        if (const int row = list->selectedRow(); row >= 0) {
            mouseUp(Qt::LeftButton, row);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace search
