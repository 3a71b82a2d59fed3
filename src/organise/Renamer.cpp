#include "Renamer.h"

#include "OrganiseTexts.h"

#include "catalogue/FolderList.h"
#include "store/Database.h"

#include <QAbstractItemView>
#include <QGuiApplication>
#include <QListView>
#include <QPointer>
#include <QTimer>
#include <QTreeView>

namespace organise {

using namespace store;

namespace {

const QChar Sep = QLatin1Char('\\');

bool same(QStringView a, QStringView b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// Whether a row's Path lies in the folder `folder` or below it: equal to it,
// or it followed by "\" (never a sibling whose name begins the same way).
bool liesIn(const QString& path, const QString& folder)
{
    if (path.size() == folder.size())
        return same(path, folder);
    return path.size() > folder.size() && path[folder.size()] == Sep &&
           same(QStringView(path).left(folder.size()), folder);
}

QString joined(const QString& parent, const QString& name) { return parent.isEmpty() ? name : parent + Sep + name; }

}  // namespace

Renamer::Renamer(OrganiseContext context, catalogue::FolderList& list, QObject* parent)
    : QObject(parent), m_c(std::move(context)), m_list(list)
{
}

void Renamer::attach()
{
    catalogue::FolderModel* model = m_list.items();
    model->setLabelsEditable(true);
    model->labelEditable = [this](int row) { return canRename(row); };
    // The rename runs once the editor has closed: its messages are modal, and
    // a message box taking the focus from an open editor would commit it again.
    model->labelValidator = [this, model](int row, const QString& text) {
        const QString tag = model->tag(row);
        const QString old = model->text(row);
        QTimer::singleShot(0, this, [this, tag, old, text] {
            const int now = rowOf(tag, old);
            if (now >= 0)
                afterLabelEdit(now, text);
        });
        return false;  // the list shows the new name when the views are patched
    };
    // A click on the selected item's name starts the edit, as users expect;
    // F2 comes through editSelected.
    for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(m_list.iconView()),
                                 static_cast<QAbstractItemView*>(m_list.reportView())})
        v->setEditTriggers(QAbstractItemView::SelectedClicked);
}

int Renamer::rowOf(const QString& tag, const QString& text) const
{
    const catalogue::FolderModel& model = *m_list.items();
    if (tag.isEmpty())
        return model.findText(text);
    for (int row = 0; row < model.count(); ++row) {
        if (model.tag(row) == tag)
            return row;
    }
    return -1;
}

bool Renamer::canRename(int row) const
{
    const catalogue::FolderModel& model = *m_list.items();
    if (row < 0 || row >= model.count())
        return false;
    const QString& current = m_c.state.currentFolder;
    const Branch branch = branchOf(current);
    if (branch == Branch::None || branch == Branch::AboveRoot || branch == Branch::Root)
        return false;
    // An entry: any with a title. An item with a tag and no text is a folder
    // record's own, which has no title to give.
    if (!model.tag(row).isEmpty())
        return !model.text(row).isEmpty();
    // A folder: a folder of the catalogue, below "Записи" or inside a base.
    QString base;
    const std::optional<QString> parent = cataloguePathOf(current, &base);
    if (!parent)
        return false;
    // Inside a base, rows filed in "Избранное" are listed in a folder of that
    // name; renaming it would take them out of the favourites.
    if (branch == Branch::Bases && parent->isEmpty() && isFavouritesPath(model.text(row)))
        return false;
    return true;
}

void Renamer::editSelected()
{
    const int row = m_list.selectedRow();
    if (canRename(row))
        m_list.editLabel(row);
}

void Renamer::refuse(const QString& message, const QString& tag, const QString& text)
{
    m_c.fail(message);
    // The edit begins again on the same item.
    QPointer<catalogue::FolderList> list(&m_list);
    QTimer::singleShot(0, this, [this, list, tag, text] {
        const int row = list ? rowOf(tag, text) : -1;
        if (row < 0)
            return;
        list->selectRow(row);
        list->editLabel(row);
    });
}

bool Renamer::afterLabelEdit(int row, const QString& newName)
{
    const catalogue::FolderModel& model = *m_list.items();
    if (!canRename(row))
        return false;
    const QString old = model.text(row);
    const QString tag = model.tag(row);
    if (newName == old)
        return false;
    // A "\" would make a folder of part of the name; a blank name is no name.
    bool invalid = newName.trimmed().isEmpty() || newName.contains(Sep);
    // A folder at the top named "избранное" would file its entries in the favourites.
    if (tag.isEmpty()) {
        const std::optional<QString> parent = cataloguePathOf(m_c.state.currentFolder);
        invalid = invalid || (parent && parent->isEmpty() && isFavouritesPath(newName));
    }
    if (invalid) {
        refuse(texts::invalidName(), tag, old);
        return false;
    }
    // The item itself may change the letter case of its own name.
    const int existing = model.findText(newName);
    if (existing >= 0 && existing != row) {
        refuse(texts::nameExists(), tag, old);
        return false;
    }
    const bool renamed = tag.isEmpty() ? renameFolder(old, newName) : renameEntry(tag, newName);
    // The item stays the selected one under its new name.
    if (renamed)
        m_list.selectRow(rowOf(tag, newName));
    return renamed;
}

bool Renamer::renameEntry(const QString& tag, const QString& newName)
{
    if (!m_c.state.goToRecord(tag))
        return false;
    Recordset& rs = *m_c.state.rsBase;
    const qint64 n = rs.recordNumber();
    const EntryPlace before = EntryPlace::of(rs);
    Result<void> r = rs.edit();
    if (r)
        r = rs.setValue(ColName, newName);
    if (r)
        r = rs.update();
    if (!r) {
        rs.cancelUpdate();
        m_c.fail(texts::renameEntryFailed(before.label(), r.message()));
        return false;
    }
    EntryPlace after = before;
    after.name = newName;
    m_c.views.entryChanged(n, before, after);
    return true;
}

bool Renamer::renameFolder(const QString& oldName, const QString& newName)
{
    catalogue::MainState& state = m_c.state;
    if (!state.rsBase || !state.base)
        return false;
    QString base;
    const std::optional<QString> parent = cataloguePathOf(state.currentFolder, &base);
    if (!parent)
        return false;
    const bool inBase = branchOf(state.currentFolder) == Branch::Bases;
    const QString from = joined(*parent, oldName);
    const QString to = joined(*parent, newName);

    // The rows in the folder or below it, whatever branch shows them; inside a
    // base only that base's. Rows filed in "Избранное" are not in a folder of
    // that name.
    struct Move {
        qint64 row;
        QString path;
    };
    std::vector<Move> moves;
    QStringList bases;
    Recordset& rs = *state.rsBase;
    const qint64 count = rs.recordCount();
    rs.moveFirst();
    for (qint64 i = 1; i <= count; ++i, rs.moveNext()) {
        const QString path = rs.text(ColPath);
        if (!liesIn(path, from) || isFavouritesPath(path))
            continue;
        const QString rowBase = rs.text(ColBaseName);
        if (inBase && !same(rowBase, base))
            continue;
        moves.push_back({i, to + path.mid(from.size())});
        if (!bases.contains(rowBase, Qt::CaseInsensitive))
            bases << rowBase;
    }
    // A folder no row's Path names (a title holding "\") has nothing to rename.
    if (moves.empty())
        return false;

    // Thousands of rows take seconds to rewrite: the list is painted without
    // its closed editor and the pointer shows the wait; any message comes after.
    m_list.repaint();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const Result<void> stored = [&]() -> Result<void> {
        Transaction t(*state.base);
        if (Result<void> begun = t.begun(); !begun)
            return begun;
        for (const Move& m : moves) {
            rs.moveTo(m.row);
            Result<void> r = rs.edit();
            if (r)
                r = rs.setValue(ColPath, m.path);
            if (r)
                r = rs.update();
            if (!r) {
                rs.cancelUpdate();
                return r;  // every row written so far goes back with the transaction
            }
        }
        return t.commit();
    }();
    QGuiApplication::restoreOverrideCursor();
    if (!stored) {
        m_c.fail(texts::renameFolderFailed(from, stored.message()));
        return false;
    }
    // Only now, with every row stored, do the views change.
    // Inside a base the folder splits from its namesakes of other bases below
    // "Записи"; a folder "Избранное" shares its base branches with the rows
    // filed in the favourites. Both are rare enough to load again.
    if (inBase || isFavouritesPath(from) || !m_c.views.folderRenamed(from, to, bases)) {
        if (Result<void> r = m_c.views.reload(); !r)
            m_c.fail(texts::reloadFailed(r.message()));
    }
    return true;
}

}  // namespace organise
