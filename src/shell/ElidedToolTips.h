#pragma once
// A name the view cuts short (a narrow tree, a grid cell, a table column)
// shows whole in a tooltip; a name shown whole gets none.
#include <QObject>
#include <QPoint>
#include <QString>

class QAbstractItemView;

namespace shell {

class ElidedToolTips : public QObject {
    Q_OBJECT
public:
    // Watches the view's tooltip requests; the filter belongs to the view.
    static void install(QAbstractItemView* view);
    // The whole text of the item at the viewport point when the view cuts it
    // short, else the empty text.
    static QString toolTipAt(QAbstractItemView* view, const QPoint& viewportPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ElidedToolTips(QAbstractItemView* view);
    QAbstractItemView* m_view;
};

}  // namespace shell
