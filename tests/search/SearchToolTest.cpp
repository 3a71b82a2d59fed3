// `kodrix-base search BASE TERMS`: the window's search, printed for scripts.
#include "SearchFixture.h"
#include "TestSupport.h"

#include <QProcess>

using namespace searchtest;

namespace {

using testsupport::ToolRun;

ToolRun tool(const QStringList& args) { return testsupport::runBaseTool(args); }

class SearchTool : public SearchBase {};

}  // namespace

TEST_F(SearchTool, PrintsRecordNumberPathAndNameOfEveryHitInTableOrder)
{
    make({article(QStringLiteral("Формы"), QStringLiteral("Загрузка формы"), QStringLiteral("ФОРМА грузится")),
          article(QStringLiteral("Разное"), QStringLiteral("Ничего"), QStringLiteral("пусто")),
          article(QStringLiteral("Классы\\Модули"), QStringLiteral("Модуль\tкласса"), QStringLiteral("модульный")),
          article(QStringLiteral("Формы"), QStringLiteral("Загрузка формы"), QStringLiteral("и форма, и модуль"), 1)});
    rs.reset();
    db.reset();
    const ToolRun r = tool({QStringLiteral("search"), basePath(), QStringLiteral("форма,"), QStringLiteral("Модуль")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("1\tФормы\tЗагрузка формы\n"
                                    "3\tКлассы\\Модули\tМодуль класса\n"
                                    "4\tФормы\tЗагрузка формы\n"));
    // Built once, the search data serves the next run as it is.
    EXPECT_EQ(tool({QStringLiteral("search"), basePath(), QStringLiteral("пуст")}).out,
              QStringLiteral("2\tРазное\tНичего\n"));
    EXPECT_EQ(tool({QStringLiteral("search"), basePath(), QStringLiteral(" , ")}).out, QString());

    const ToolRun missing = tool({QStringLiteral("search"), m_appDir + QStringLiteral("/нет.mdb"), QStringLiteral("x")});
    EXPECT_NE(missing.code, 0);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("нет.mdb"))) << missing.err.toStdString();
}
