#pragma once
// `LstAlphaList`: a list view over an AlphaIndexModel reporting presses and
// releases with the row under the pointer.
#include "AlphaIndexModel.h"

#include <QListView>

namespace catalogue {

class AlphaIndexList : public QListView {
    Q_OBJECT
public:
    explicit AlphaIndexList(QWidget* parent = nullptr);

    AlphaIndexModel* items() const { return m_model; }
    int rowAt(const QPoint& viewportPos) const;
    int selectedRow() const;
    void selectRow(int row);
    void deselectAll();

Q_SIGNALS:
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& viewportPos, int row);
    void mouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& viewportPos,
                       int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    AlphaIndexModel* m_model;
};

}  // namespace catalogue
