#include "DragFileList.h"

#include <QDrag>
#include <QMimeData>
#include <QUrl>

namespace shell {

DragFileList::DragFileList(QWidget* parent) : QListWidget(parent)
{
    setViewMode(QListView::IconMode);
    setIconSize(QSize(32, 32));
    setResizeMode(QListView::Adjust);
    // Static movement switches dragging off (a list whose items cannot move
    // is taken for one that offers nothing to drag), so dragging is switched on
    // after it, and must stay after any later change of movement or view mode.
    setMovement(QListView::Static);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
}

QMimeData* DragFileList::mimeData(const QList<QListWidgetItem*>& items) const
{
    if (!unpackForDrag)
        return nullptr;
    // The list's order, not the order of selecting.
    QList<QListWidgetItem*> ordered = items;
    std::sort(ordered.begin(), ordered.end(),
              [this](QListWidgetItem* a, QListWidgetItem* b) { return row(a) < row(b); });
    QStringList texts;
    for (const QListWidgetItem* item : ordered)
        texts << item->text();
    const QStringList paths = unpackForDrag(texts);
    if (paths.isEmpty())
        return nullptr;
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls << QUrl::fromLocalFile(p);
    auto* data = new QMimeData;
    data->setUrls(urls);
    return data;
}

void DragFileList::startDrag(Qt::DropActions)
{
    // The icon view's own drag would also offer to move the items within the
    // list; here they only go out, as copies of the files.
    const QList<QListWidgetItem*> items = selectedItems();
    if (items.isEmpty())
        return;
    QMimeData* data = mimeData(items);
    if (!data)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    const QListWidgetItem* first = currentItem() && currentItem()->isSelected() ? currentItem() : items.first();
    drag->setPixmap(first->icon().pixmap(iconSize()));
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}

}  // namespace shell
