// The views patched after each organising command show what a fresh catalogue
// load of the same base shows: the tree (every node, its tag, picture and the
// rows ending there), the folder list in its order, and the index. Scenarios
// on a small base with the awkward cases side by side, each with the list
// showing one of several folders; then a long run of random commands on a
// generated base.
#include "OrganiseFixture.h"

#include "Generator.h"
#include "catalogue/FolderListing.h"
#include "store/Record.h"

#include <QRandomGenerator>

using namespace orgtest;
using namespace store;

namespace {

std::vector<Row> awkwardRows()
{
    auto with = [](Row r, auto f) {
        f(r);
        return r;
    };
    const QString g = QStringLiteral("Графика");
    const QString other = QStringLiteral("Другое");
    return {
        row(g, QStringLiteral("Линии")),                                                       // 1
        row(g, QStringLiteral("API")),                                                          // 2 also a folder
        row(QStringLiteral("Графика\\API"), QStringLiteral("Вызов")),                          // 3
        row(QStringLiteral("Графика старая"), QStringLiteral("Старьё"), 2),                    // 4
        row(QStringLiteral("ГРАФИКА\\api"), QStringLiteral("Пример")),                         // 5
        with(row(QStringLiteral("избранное"), QStringLiteral("Ярлык"), 3),
             [](Row& r) { r.linkTarget = QStringLiteral("http://example.org/"); }),             // 6 filed in favourites
        with(row(other, QStringLiteral("Сайт"), 3),
             [](Row& r) { r.linkTarget = QStringLiteral("http://example.com/"); }),             // 7 link
        row(other, QStringLiteral("Дубль")),                                                    // 8
        with(row(other, QStringLiteral("Дубль"), 2),
             [](Row& r) { r.added = QDateTime(QDate(2010, 1, 1), QTime(9, 0)); }),              // 9 same place as 8
        with(row(g, QStringLiteral("Старое")), [](Row& r) { r.deleted = 1; }),                 // 10
        with(row(other, QStringLiteral("Старое"), 2), [](Row& r) { r.deleted = 1; }),          // 11 same bin node
        with(row(g, QStringLiteral("Любимая")), [](Row& r) { r.favourite = 1; }),              // 12
        row(QStringLiteral("Графика\\Корзина"), QStringLiteral("Внутри")),                     // 13
        row(other, QStringLiteral("Ноль"), 0),                                                   // 14
        row(QString(), QStringLiteral("Без папки")),                                            // 15
        row(QStringLiteral("Разное"), QString(), 8),                                            // 16 folder record
        row(QStringLiteral("Разное"), QStringLiteral("Запись")),                               // 17
        with(row(QStringLiteral("Избранное"), QStringLiteral("Избранная")),
             [](Row& r) { r.favourite = 1; }),                                                  // 18 filed and favourite
        with(row(g, QStringLiteral("Чужая")), [](Row& r) { r.base = QStringLiteral("Примеры"); }),  // 19
        with(row(other, QStringLiteral("Линии")), [](Row& r) { r.favourite = 1; }),            // 20 a favourite's namesake
    };
}

struct Op {
    enum Type { Bin, Restore, FavAdd, FavRemove, Purge, RenameEntry, RenameFolder } type;
    qint64 row = 0;        // the entry, for all but RenameFolder
    QString folder;        // RenameFolder: the folder shown; RenameEntry: likewise
    QString oldName;       // RenameFolder: the item renamed
    QString newName;
};

Op toBin(qint64 r) { return {Op::Bin, r, {}, {}, {}}; }
Op restore(qint64 r) { return {Op::Restore, r, {}, {}, {}}; }
Op favAdd(qint64 r) { return {Op::FavAdd, r, {}, {}, {}}; }
Op favRemove(qint64 r) { return {Op::FavRemove, r, {}, {}, {}}; }
Op purge(qint64 r) { return {Op::Purge, r, {}, {}, {}}; }
Op renameEntry(qint64 r, const char* folder, const char* name)
{
    return {Op::RenameEntry, r, at(folder), {}, QString::fromUtf8(name)};
}
Op renameFolder(const char* folder, const char* from, const char* to)
{
    return {Op::RenameFolder, 0, at(folder), QString::fromUtf8(from), QString::fromUtf8(to)};
}

struct Scenario {
    const char* name;
    std::vector<Op> ops;
};

class ViewsMatchReload : public OrganiseTest {
protected:
    void run(const Op& op)
    {
        switch (op.type) {
        case Op::Bin:
        case Op::Restore:
        case Op::FavAdd:
        case Op::FavRemove:
        case Op::Purge:
            selectRow(op.row);
            if (op.type != Op::Restore)
                prompter.answerMessage(true);
            if (op.type == Op::Bin)
                EXPECT_TRUE(bin->deleteItem(false));
            else if (op.type == Op::Restore)
                EXPECT_TRUE(bin->restore());
            else if (op.type == Op::FavAdd)
                EXPECT_TRUE(favourites->add());
            else if (op.type == Op::FavRemove)
                EXPECT_TRUE(favourites->remove());
            else
                EXPECT_TRUE(bin->deleteFromBase());
            break;
        case Op::RenameEntry: {
            show(op.folder);
            const QString tag = QString::number(op.row);
            int r = -1;
            for (int i = 0; i < list().count(); ++i)
                if (list().tag(i) == tag)
                    r = i;
            ASSERT_GE(r, 0) << "no item for row " << op.row;
            EXPECT_TRUE(renamer->afterLabelEdit(r, op.newName));
            break;
        }
        case Op::RenameFolder:
            show(op.folder);
            ASSERT_GE(listRow(op.oldName), 0) << op.oldName.toStdString();
            EXPECT_TRUE(renamer->afterLabelEdit(listRow(op.oldName), op.newName));
            break;
        }
        EXPECT_TRUE(prompter.allAnswered());
    }
};

TEST_F(ViewsMatchReload, EveryCommandLeavesTheViewsAsALoadWould)
{
    const std::vector<Scenario> scenarios{
        {"an entry to the bin", {toBin(1)}},
        {"an entry whose path is also a folder to the bin and back", {toBin(2), restore(2)}},
        {"both entries of one place to the bin, the later first", {toBin(9), toBin(8)}},
        {"the earlier of two bin namesakes restored, then the other", {restore(10), restore(11)}},
        {"the later of two bin namesakes restored", {restore(11)}},
        {"favourites added and removed", {favAdd(14), favAdd(1), favRemove(12), favRemove(18), favRemove(20)}},
        {"a favourite to the bin and back", {toBin(12), restore(12)}},
        {"a favourite filed in favourites to the bin", {toBin(18)}},
        {"a link to the bin and a kind-0 entry to the bin", {toBin(7), toBin(14)}},
        {"the last entry beside a folder record", {toBin(17)}},
        {"an entry without a folder to the bin and back", {toBin(15), restore(15)}},
        {"the only entries of a folder gone and back", {toBin(4), restore(4)}},
        {"an entry of another base", {toBin(19), favAdd(3)}},
        {"deleted for good, then more changes", {purge(10), toBin(1), favAdd(9), purge(10), restore(1)}},
        {"deleted for good, the later namesake", {purge(11)}},
        {"everything below one folder emptied", {toBin(1), toBin(2), toBin(3), toBin(5), toBin(12), toBin(13), toBin(19)}},
    };
    const QStringList folders{QString(),
                              Root,
                              at("Записи"),
                              at("Записи\\Графика"),
                              at("Записи\\Другое"),
                              at("Записи\\Графика\\API"),
                              at("Корзина"),
                              at("Избранное"),
                              at("Установленные базы"),
                              at("Установленные базы\\Основная\\Графика"),
                              at("Записи\\Разное")};
    load(awkwardRows());
    for (const Scenario& s : scenarios) {
        for (const QString& folder : folders) {
            SCOPED_TRACE(std::string(s.name) + " / shown: " + folder.toStdString());
            // Each run is rolled back, and the catalogue loaded again.
            Transaction scope(*state().base);
            ASSERT_TRUE(scope.begun().ok());
            state().currentFolder = folder;
            ASSERT_TRUE(catalogue::listAlpha(state()).ok());
            for (const Op& op : s.ops) {
                run(op);
                ASSERT_TRUE(matchesReload());
            }
        }
    }
}

TEST_F(ViewsMatchReload, RenamesLeaveTheViewsAsALoadWould)
{
    const std::vector<Scenario> scenarios{
        {"an entry", {renameEntry(1, "Записи\\Графика", "Кривые")}},
        {"an entry whose path is also a folder", {renameEntry(2, "Записи\\Графика", "Интерфейс")}},
        {"the first of two entries of one place", {renameEntry(8, "Записи\\Другое", "Дубль первый")}},
        {"an entry in the bin, to its namesake's name", {renameEntry(10, "Корзина", "СТАРОЕ")}},
        {"a favourite in favourites", {renameEntry(12, "Избранное", "Самая любимая")}},
        {"the letter case of an entry", {renameEntry(17, "Записи\\Разное", "ЗАПИСЬ")}},
        {"a folder at the top", {renameFolder("Записи", "Графика", "Рисование")}},
        {"a folder below another", {renameFolder("Записи\\Графика", "API", "Интерфейсы")}},
        {"a folder holding a folder record", {renameFolder("Записи", "Разное", "Всякое")}},
        {"a folder's letter case", {renameFolder("Записи", "Другое", "ДРУГОЕ")}},
        {"a folder inside a base", {renameFolder("Установленные базы\\Основная", "Другое", "Прочее")}},
        {"a folder named like a base's other folder", {renameFolder("Записи", "Графика старая", "Старая графика")}},
    };
    load(awkwardRows());
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.name);
        Transaction scope(*state().base);
        ASSERT_TRUE(scope.begun().ok());
        ASSERT_TRUE(catalogue::listAlpha(state()).ok());
        for (const Op& op : s.ops) {
            run(op);
            ASSERT_TRUE(matchesReload());
        }
    }
}

// Random commands on a generated base: folders one to four deep, links,
// folder records, deleted rows and favourites. Titles and folders are
// sometimes renamed to a few shared names, so that the bin and the favourites
// hold namesakes. KODRIX_RANDOM_SEED and KODRIX_RANDOM_STEPS run it longer.
TEST_F(ViewsMatchReload, ARunOfRandomCommands)
{
    auto scratch = std::make_unique<cattest::TempBase>();
    ASSERT_TRUE(gen::generateBase(scratch->basePath(), {240, 7, {}}).ok());
    // Copy the generated rows into the fixture's own base through its writer.
    std::vector<Row> rows;
    {
        auto db = Database::open(scratch->basePath());
        ASSERT_TRUE(db.ok());
        auto rs = (*db)->openRecordset();
        ASSERT_TRUE(rs.ok());
        Recordset& r = **rs;
        for (r.moveFirst(); !r.eof(); r.moveNext()) {
            Row x = row(r.text(ColPath), r.text(ColName), int(r.integer(ColKind)));
            x.deleted = int(r.integer(ColDeleted));
            x.favourite = int(r.integer(ColFavorite));
            x.base = r.text(ColBaseName);
            x.linkTarget = r.text(ColLinkTarget);
            x.added = r.dateTime(ColAdded);
            rows.push_back(x);
        }
    }
    load(rows);
    QRandomGenerator rng(qEnvironmentVariableIsSet("KODRIX_RANDOM_SEED") ? quint32(qEnvironmentVariableIntValue("KODRIX_RANDOM_SEED")) : 11u);
    const QStringList shared{QStringLiteral("Альфа"), QStringLiteral("альфа"), QStringLiteral("Бета")};
    const QStringList sharedFolders{QStringLiteral("Папка А"), QStringLiteral("Папка Б"), QStringLiteral("Сеть")};
    int checked = 0;
    const int steps = qEnvironmentVariableIntValue("KODRIX_RANDOM_STEPS") > 0 ? qEnvironmentVariableIntValue("KODRIX_RANDOM_STEPS") : 160;
    for (int step = 0; step < steps; ++step) {
        Recordset& rs = *state().rsBase;
        const qint64 n = 1 + rng.bounded(int(rs.recordCount()));
        rs.moveTo(n);
        if (catalogue::isFolderRecord(rs))
            continue;
        const organise::EntryPlace p = organise::EntryPlace::of(rs);
        SCOPED_TRACE(QStringLiteral("step %1, row %2 (%3)").arg(step).arg(n).arg(p.label()).toStdString());
        // Where the list stands while the command runs.
        const QStringList folders{Root, at("Записи"), at("Корзина"), at("Избранное"),
                                  at("Записи\\") + p.path.section(QLatin1Char('\\'), 0, 0),
                                  at("Установленные базы\\") + p.baseName};
        show(folders[rng.bounded(int(folders.size()))]);
        const int roll = rng.bounded(100);
        SCOPED_TRACE(QStringLiteral("roll %1 in %2, deleted %3 favourite %4")
                         .arg(roll)
                         .arg(state().currentFolder)
                         .arg(p.deleted)
                         .arg(p.favourite)
                         .toStdString());
        if (p.deleted) {
            run(roll < 75 ? restore(n) : purge(n));
        } else if (roll < 35) {
            run(toBin(n));
        } else if (roll < 60) {
            run(p.favourite ? favRemove(n) : favAdd(n));
        } else if (roll >= 90 && !p.path.isEmpty() && !isFavouritesPath(p.path)) {
            // Its folder at the top renamed, when the new name is free there.
            show(at("Записи"));
            const QString from = p.path.section(QLatin1Char('\\'), 0, 0);
            const QString to = sharedFolders[rng.bounded(int(sharedFolders.size()))];
            if (listRow(from) < 0 || listRow(to) >= 0)
                continue;
            EXPECT_TRUE(renamer->afterLabelEdit(listRow(from), to));
        } else if (!isFavouritesPath(p.path)) {
            // Renamed in its own folder, to a shared name when that is free there.
            show(at("Записи\\") + p.path);
            const QString name = shared[rng.bounded(int(shared.size()))];
            if (listRow(name) >= 0)
                continue;
            const QString tag = QString::number(n);
            for (int i = 0; i < list().count(); ++i) {
                if (list().tag(i) == tag) {
                    EXPECT_TRUE(renamer->afterLabelEdit(i, name));
                    break;
                }
            }
        }
        ASSERT_TRUE(matchesReload());
        ++checked;
    }
    EXPECT_GT(checked, 100);
}

}  // namespace
