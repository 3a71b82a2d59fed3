#include "ElidedToolTips.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QStyledItemDelegate>
#include <QTextLayout>
#include <QToolTip>

#include <algorithm>

namespace shell {

namespace {

// The view and its delegate fill an item's style option in protected members;
// these classes only name them, so the option is the one the item is drawn with.
struct ViewOption : QAbstractItemView {
    using QAbstractItemView::initViewItemOption;
};
struct DelegateOption : QStyledItemDelegate {
    using QStyledItemDelegate::initStyleOption;
};

}  // namespace

ElidedToolTips::ElidedToolTips(QAbstractItemView* view) : QObject(view), m_view(view) {}

void ElidedToolTips::install(QAbstractItemView* view)
{
    view->viewport()->installEventFilter(new ElidedToolTips(view));
}

QString ElidedToolTips::toolTipAt(QAbstractItemView* view, const QPoint& viewportPos)
{
    const QModelIndex index = view->indexAt(viewportPos);
    if (!index.isValid())
        return {};
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty())
        return {};
    QStyleOptionViewItem option;
    (view->*(&ViewOption::initViewItemOption))(&option);
    option.rect = view->visualRect(index);
    if (auto* delegate = qobject_cast<QStyledItemDelegate*>(view->itemDelegateForIndex(index)))
        (delegate->*(&DelegateOption::initStyleOption))(&option, index);
    const QStyle* style = view->style();
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &option, view);
    // The style keeps a margin on each side of the text; the viewport's edge
    // cuts an item that reaches beyond it (a long name in the one-line list).
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, view) + 1;
    const int right = std::min(textRect.right(), view->viewport()->rect().right());
    const int width = right - textRect.left() + 1 - 2 * margin;
    const QFontMetrics fm(option.font);
    bool cut = false;
    if (option.features & QStyleOptionViewItem::WrapText) {
        // Laid out as the style lays out a wrapped name: whole words while
        // they fit, a word longer than the line broken anywhere.
        QTextLayout layout(text, option.font);
        QTextOption wrap;
        wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(wrap);
        qreal height = 0;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(std::max(1, width));
            height += line.height();
        }
        layout.endLayout();
        cut = height > textRect.height();
    } else {
        cut = fm.horizontalAdvance(text) > width;
    }
    return cut ? text : QString();
}

bool ElidedToolTips::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QObject::eventFilter(watched, event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = toolTipAt(m_view, help->pos());
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), tip, m_view->viewport(),
                           m_view->visualRect(m_view->indexAt(help->pos())));
    return true;
}

}  // namespace shell
