// search: the window's full-text search from the command line, for base authors
// and scripts.
#include "Command.h"

#include "search/SearchEngine.h"
#include "store/Database.h"
#include "store/Recordset.h"

namespace tool {
namespace {

// A text on one output line: tabs and line breaks would split the fields.
QString field(QString text)
{
    for (QChar& c : text)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    return text;
}

int searchBase(const QStringList& a)
{
    const QString cmd = QStringLiteral("search");
    if (a.size() < 2)
        return fail(cmd, QStringLiteral("нужны аргументы: BASE TERMS"));
    auto db = store::Database::open(a[0]);
    if (!db)
        return fail(cmd, db.message());
    auto rs = (*db)->openRecordset();
    if (!rs)
        return fail(cmd, rs.message());
    // The terms as one text, as typed into the search box: форма, модуль
    const QString terms = a.mid(1).join(QLatin1Char(' '));
    search::SearchEngine engine(*db);
    search::SearchRun run(engine, terms);
    run.runToEnd();
    if (!run.outcome())
        return fail(cmd, run.outcome().message());
    QString text;
    for (const search::Hit& h : run.takeHits()) {
        const qint64 n = (*rs)->recordNumberOfId(h.id);
        if (n > 0)
            text += QStringLiteral("%1\t%2\t%3\n").arg(n).arg(field(h.path), field(h.name));
    }
    out(text);
    return 0;
}

const Registrar r({QStringLiteral("search"), QStringLiteral("search BASE TERMS"),
                   QStringLiteral("Ищет статьи, в тексте которых есть хотя бы одно из слов TERMS (через запятую, без "
                                  "учёта регистра, также внутри слов), как поиск в окне программы. Печатает найденные "
                                  "записи в порядке таблицы: номер записи, Path и Name через табуляцию. Если в базе "
                                  "нет данных поиска, сначала строит их."),
                   searchBase});

}  // namespace
}  // namespace tool
