#pragma once
// A bar the user drags: `picDivider` (between the left panel and the right
// area) and `PicH` (above the attachments). It only reports the mouse; the
// window's layout decides where the bar goes.
#include <QWidget>

namespace shell {

class SplitterBar : public QWidget {
    Q_OBJECT
public:
    SplitterBar(Qt::Orientation orientation, QWidget* parent = nullptr);

Q_SIGNALS:
    // The mouse moved over the bar (or away from it while held); pos is in the
    // bar's own coordinates, in pixels.
    void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};

}  // namespace shell
