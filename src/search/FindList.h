#pragma once
// `LVFind`: the result list in report view over a FindResultsModel, reporting
// presses, releases and header clicks with the row under the pointer.
#include "FindResultsModel.h"

#include <QTreeView>

namespace search {

class FindList : public QTreeView {
    Q_OBJECT
public:
    explicit FindList(QWidget* parent = nullptr);

    FindResultsModel* items() const { return m_model; }
    // The row under a point of the viewport, or -1.
    int rowAt(const QPoint& viewportPos) const;
    int selectedRow() const;
    void selectRow(int row);
    void deselectAll();

Q_SIGNALS:
    void mousePressed(Qt::MouseButton button, const QPoint& viewportPos, int row);
    void mouseReleased(Qt::MouseButton button, const QPoint& viewportPos, int row);
    // A header was clicked; column is 0-based.
    void columnClicked(int column);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    FindResultsModel* m_model;
};

}  // namespace search
