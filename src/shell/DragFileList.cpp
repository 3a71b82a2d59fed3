#include "DragFileList.h"

#include <QMimeData>
#include <QUrl>

namespace shell {

DragFileList::DragFileList(QWidget* parent) : QListWidget(parent)
{
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

}  // namespace shell
