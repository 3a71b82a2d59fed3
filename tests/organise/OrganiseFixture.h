#pragma once
// A small base loaded into the catalogue's views, the organising commands on
// it with scripted prompts, and a comparison of the patched views with what a
// fresh catalogue load of the same base shows.
#include "../catalogue/Fixtures.h"
#include "Scripted.h"

#include "catalogue/AlphaIndexList.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/FolderListing.h"
#include "catalogue/FolderList.h"
#include "catalogue/PathTree.h"
#include "organise/CatalogueViews.h"
#include "organise/Favourites.h"
#include "organise/RecycleBin.h"
#include "organise/Renamer.h"

#include <sqlite3.h>

#include <QStringList>

#include <algorithm>
#include <memory>

namespace orgtest {

using cattest::at;
using cattest::Root;
using cattest::Row;
using cattest::row;

inline const QString ErrorTitle = QStringLiteral("Kodrix");

// The scripted prompts, also keeping the text each input box was given.
class Prompter : public testsupport::ScriptedPrompter {
public:
    std::optional<QString> input(const QString& title, const QString& prompt, const QString& initial) override
    {
        initials.push_back(initial);
        return ScriptedPrompter::input(title, prompt, initial);
    }
    std::vector<QString> initials;
};

// The catalogue's three views over one main state.
struct Views {
    catalogue::CatalogueTree tree;
    catalogue::FolderList list;
    catalogue::AlphaIndexList index;
    catalogue::MainState state;

    Views(const QString& appDir, const QString& folder)
    {
        state.appDir = appDir;
        state.twv = &tree;
        state.lvPapka = &list;
        state.lstAlphaList = &index;
        state.currentFolder = folder;
    }
};

// Everything the views show, in a form two loads can be compared by: every
// node (path, text, tag, picture and the RecordNumbers ending there; siblings
// in any order), every list item in list order and every index item in order.
inline QStringList treeLines(const catalogue::PathTreeModel& model)
{
    QStringList lines;
    model.forEachNode([&](catalogue::Node* n) {
        QStringList landings;
        for (qint64 j : model.landings(n))
            landings << QString::number(j);
        lines << QStringLiteral("%1 | tag %2 | pic %3 | rows %4 | children %5")
                     .arg(n->fullPath(), n->tag())
                     .arg(n->image())
                     .arg(landings.join(QLatin1Char(',')))
                     .arg(n->childCount());
    });
    lines.sort();
    return lines;
}

inline QStringList listLines(const catalogue::FolderModel& list)
{
    QStringList lines;
    for (int r = 0; r < list.count(); ++r) {
        const catalogue::FolderItem& i = list.item(r);
        lines << QStringLiteral("%1 | tag %2 | %3 | %4 | %5 | icon %6")
                     .arg(i.text, i.tag, i.type, i.added.toString(Qt::ISODate), i.baseName)
                     .arg(i.icon);
    }
    return lines;
}

inline QStringList indexLines(const catalogue::AlphaIndexModel& index)
{
    QStringList lines;
    for (int r = 0; r < index.count(); ++r)
        lines << index.text(r) + QStringLiteral(" | ") + QString::number(index.tag(r));
    return lines;
}

struct Snapshot {
    QStringList tree, list, index;
    bool operator==(const Snapshot&) const = default;
};

inline Snapshot snapshot(catalogue::MainState& s)
{
    return {treeLines(*s.twv->nodes()), listLines(*s.lvPapka->items()), indexLines(*s.lstAlphaList->items())};
}

// Reports the first lines where two listings part.
inline ::testing::AssertionResult sameLines(const char* what, const QStringList& patched, const QStringList& loaded)
{
    if (patched == loaded)
        return ::testing::AssertionSuccess();
    auto r = ::testing::AssertionFailure() << what << " differ (patched " << patched.size() << " lines, loaded "
                                           << loaded.size() << ")\n";
    int shown = 0;
    for (const QString& l : patched) {
        if (!loaded.contains(l) && shown++ < 6)
            r << "  only patched: " << l.toStdString() << "\n";
    }
    shown = 0;
    for (const QString& l : loaded) {
        if (!patched.contains(l) && shown++ < 6)
            r << "  only loaded:  " << l.toStdString() << "\n";
    }
    if (shown == 0) {
        for (qsizetype i = 0; i < std::min(patched.size(), loaded.size()); ++i) {
            if (patched[i] != loaded[i]) {
                r << "  at " << i << ": " << patched[i].toStdString() << "\n      vs " << loaded[i].toStdString();
                break;
            }
        }
    }
    return r;
}

class OrganiseTest : public ::testing::Test {
protected:
    // Writes the rows and loads them, showing `folder` in the list.
    void load(const std::vector<Row>& rows, const QString& folder = Root)
    {
        renamer.reset();
        favourites.reset();
        bin.reset();
        catalogueViews.reset();
        views.reset();
        base = std::make_unique<cattest::TempBase>();
        views = std::make_unique<Views>(base->appDir(), folder);
        // Opening a base derives its key, which costs more than anything a
        // test does with it: the connection that wrote the rows serves the
        // test and its reloads.
        std::shared_ptr<store::Database> db = write(rows);
        ASSERT_TRUE(db);
        views->state.base = db;
        ASSERT_TRUE(catalogue::listAlpha(views->state).ok());
        catalogueViews = std::make_unique<organise::CatalogueViews>(views->state);
        const organise::OrganiseContext context{views->state, prompter, *catalogueViews, ErrorTitle};
        bin = std::make_unique<organise::RecycleBin>(context);
        favourites = std::make_unique<organise::Favourites>(context);
        renamer = std::make_unique<organise::Renamer>(context, views->list);
        renamer->attach();
    }
    catalogue::MainState& state() { return views->state; }

    // A new base at the application folder's place holding these rows.
    std::shared_ptr<store::Database> write(const std::vector<Row>& rows)
    {
        std::vector<testsupport::BaseRow> content;
        for (const Row& r : rows) {
            testsupport::BaseRow row{{store::ColPath, r.path},
                                     {store::ColName, r.name},
                                     {store::ColBody, QStringLiteral("\r\n")},
                                     {store::ColKind, r.kind},
                                     {store::ColDeleted, r.deleted},
                                     {store::ColFavorite, r.favourite},
                                     {store::ColBaseName, r.base},
                                     {store::ColAdded, r.added}};
            if (!r.linkTarget.isEmpty())
                row.push_back({store::ColLinkTarget, r.linkTarget});
            content.push_back(std::move(row));
        }
        std::shared_ptr<store::Database> db;
        const QString failed = testsupport::writeBase(base->basePath(), content, &db);
        EXPECT_TRUE(failed.isEmpty()) << failed.toStdString();
        return db;
    }
    catalogue::PathTreeModel& tree() { return *views->tree.nodes(); }
    catalogue::FolderModel& list() { return *views->list.items(); }
    catalogue::Node* node(const QString& path) { return tree().getNode(path); }

    // Shows a folder in the list, as a click on its node does.
    void show(const QString& folder)
    {
        state().currentFolder = folder;
        catalogue::listPapka(state());
    }
    // SelItem := the RecordNumber the node of `path` carries.
    void select(const QString& path)
    {
        catalogue::Node* n = node(path);
        ASSERT_NE(n, nullptr) << path.toStdString();
        state().selItem = n->tag();
    }
    void selectRow(qint64 n) { state().selItem = QString::number(n); }
    int listRow(const QString& text) { return list().findText(text); }

    // The views as a fresh load of the same base shows them.
    Snapshot reloaded()
    {
        Views fresh(base->appDir(), state().currentFolder);
        fresh.state.base = state().base;
        EXPECT_TRUE(catalogue::listAlpha(fresh.state).ok());
        return snapshot(fresh.state);
    }
    ::testing::AssertionResult matchesReload()
    {
        const Snapshot patched = snapshot(state());
        const Snapshot loaded = reloaded();
        if (auto r = sameLines("tree", patched.tree, loaded.tree); !r)
            return r;
        if (auto r = sameLines("folder list", patched.list, loaded.list); !r)
            return r;
        return sameLines("index", patched.index, loaded.index);
    }

    // A value of row n as stored.
    QString stored(qint64 n, int column)
    {
        store::Recordset& rs = *state().rsBase;
        rs.moveTo(n);
        return rs.text(column);
    }
    // Makes every write that sets `column` of a row named `name` fail, as a
    // base that refuses the change would.
    void refuseWrites(const QString& name)
    {
        const QString sql = QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON main WHEN OLD.Name = '%1' "
                                           "BEGIN SELECT RAISE(ABORT, 'запись защищена'); END;"
                                           "CREATE TRIGGER refuse_delete BEFORE DELETE ON main WHEN OLD.Name = '%1' "
                                           "BEGIN SELECT RAISE(ABORT, 'запись защищена'); END;")
                                .arg(name);
        ASSERT_EQ(sqlite3_exec(state().base->handle(), sql.toUtf8().constData(), nullptr, nullptr, nullptr),
                  SQLITE_OK);
    }
    // The texts of the prompts shown so far.
    QStringList shownTexts() const
    {
        QStringList t;
        for (const auto& p : prompter.shown)
            t << p.text;
        return t;
    }

    std::unique_ptr<cattest::TempBase> base;
    Prompter prompter;
    std::unique_ptr<Views> views;
    std::unique_ptr<organise::CatalogueViews> catalogueViews;
    std::unique_ptr<organise::RecycleBin> bin;
    std::unique_ptr<organise::Favourites> favourites;
    std::unique_ptr<organise::Renamer> renamer;
};

}  // namespace orgtest
