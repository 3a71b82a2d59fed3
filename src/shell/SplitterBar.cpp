#include "SplitterBar.h"

#include <QMouseEvent>

namespace shell {

SplitterBar::SplitterBar(Qt::Orientation orientation, QWidget* parent) : QWidget(parent)
{
    setCursor(orientation == Qt::Vertical ? Qt::SplitHCursor : Qt::SplitVCursor);
}

void SplitterBar::mouseMoveEvent(QMouseEvent* event)
{
    Q_EMIT mouseMoved(event->buttons(), event->modifiers(), event->position().toPoint());
}

}  // namespace shell
