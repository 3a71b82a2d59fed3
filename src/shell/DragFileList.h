#pragma once
// `LstFile`: the attachment list, large icons in a grid that the user cannot
// rearrange. Dragging its selected items out offers them as a list of files,
// copy only; the files are unpacked when the drag begins.
#include <QListWidget>

#include <functional>

namespace shell {

class DragFileList : public QListWidget {
    Q_OBJECT
public:
    explicit DragFileList(QWidget* parent = nullptr);

    // Unpacks the named items and gives the paths written (empty: nothing to drag).
    std::function<QStringList(const QStringList& itemTexts)> unpackForDrag;

protected:
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }
    void startDrag(Qt::DropActions supportedActions) override;
};

}  // namespace shell
