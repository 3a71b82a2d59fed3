// OpenEntry on real widgets over a small encrypted base.
#include "DamagedBase.h"
#include "Scripted.h"
#include "TestSupport.h"
#include "articles/ArticleView.h"
#include "catalogue/MainState.h"
#include "richtext/Rtf.h"
#include "store/Database.h"
#include "store/Recordset.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QTextEdit>

using namespace store;

namespace {

struct Row {
    QString path, name, body, fileList, seeAlso, target;
    bool nullFileList = false;
    Row(QString p = {}, QString n = {}, QString b = {}, QString f = {}, QString s = {}, QString t = {}, bool nf = false)
        : path(std::move(p)), name(std::move(n)), body(std::move(b)), fileList(std::move(f)), seeAlso(std::move(s)),
          target(std::move(t)), nullFileList(nf) {}
};

class ArticleViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        state.appDir = tmp.path() + QStringLiteral("/Кодрикс");
        QDir().mkpath(state.appDir + QStringLiteral("/data"));
        seeItem = menu.addAction(QStringLiteral("Итем"));
        seeItem->setObjectName(QStringLiteral("MnuSeeItem"));
        seeLine = menu.addSeparator();
        seeLine->setObjectName(QStringLiteral("MnuSeeLine1"));
        menu.addAction(QStringLiteral("&Изменить ссылки"));
        rtf.setPlainText(QStringLiteral("прежний текст"));
        address.setText(QStringLiteral("прежний адрес"));
    }

    QString basePath() const { return state.appDir + QStringLiteral("/basemain.mdb"); }

    void addRows(const std::vector<Row>& rows)
    {
        std::vector<testsupport::BaseRow> content;
        for (const Row& r : rows)
            content.push_back({{ColPath, r.path},
                               {ColName, r.name},
                               {ColBody, r.body.toUtf8()},
                               {ColFileList, r.nullFileList ? QVariant() : QVariant(r.fileList)},
                               {ColSeeAlso, r.seeAlso.isEmpty() ? QVariant() : QVariant(r.seeAlso)},
                               {ColLinkTarget, r.target.isEmpty() ? QVariant() : QVariant(r.target)}});
        const QString failed = testsupport::writeBase(basePath(), content, &state.base);
        ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
        state.rsBase = std::move(*state.base->openRecordset());
        view = std::make_unique<articles::ArticleView>(state, widgets(), desktop);
    }

    articles::ArticleWidgets widgets()
    {
        articles::ArticleWidgets w;
        w.rtf = &rtf;
        w.lstFile = &files;
        w.address = &address;
        w.mnuEditExtract = &extractAction;
        w.mnuSee = &menu;
        w.setToolbarButton = [this](catalogue::ToolButton button, bool enabled, int picture) {
            buttons[button] = {enabled, picture};
        };
        w.setStatusPanel = [this](catalogue::StatusPanel panel, const QString& text) { panels[panel] = text; };
        w.showArticlePane = [this] { ++paneShown; };
        w.relayout = [this] { ++layouts; };
        w.warn = [this](const QString& m) { warnings.push_back(m); };
        return w;
    }

    void open(int recordNumber)
    {
        state.rsBase->moveTo(recordNumber);
        state.selItem = QString::number(recordNumber);
        view->openEntry();
    }

    QStringList listed() const
    {
        QStringList names;
        for (int i = 0; i < files.count(); ++i)
            names << files.item(i)->text();
        return names;
    }
    QStringList visibleSeeItems() const
    {
        QStringList captions;
        for (QAction* a : view->seeAlsoItems())
            if (a->isVisible())
                captions << a->data().toString();
        return captions;
    }

    QTemporaryDir tmp;
    catalogue::MainState state;
    testsupport::RecordingShell desktop;
    QTextEdit rtf;
    QListWidget files;
    QLineEdit address;
    QAction extractAction{QStringLiteral("&Извлечь вложенные файлы")};
    QMenu menu;
    QAction* seeItem = nullptr;
    QAction* seeLine = nullptr;
    std::map<catalogue::ToolButton, std::pair<bool, int>> buttons;
    std::map<int, QString> panels;
    int paneShown = 0;
    int layouts = 0;
    QStringList warnings;
    std::unique_ptr<articles::ArticleView> view;
};

const QString Rtf = QStringLiteral("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 Arial;}}\\f0 "
                                   "\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2 \\b VB\\b0\\par}");

}  // namespace

TEST_F(ArticleViewTest, ArticleIsShownWithAddressStatusAndLayout)
{
    addRows({{QStringLiteral("Графика\\API"), QStringLiteral("BitBlt"), Rtf, {}, {}, {}, true},
             {QStringLiteral("x"), QStringLiteral("y"), Rtf, {}, {}, {}}});
    open(1);
    EXPECT_EQ(address.text(), QStringLiteral("BaseMain:\\\\Графика\\API\\BitBlt"));
    EXPECT_EQ(rtf.toPlainText(), QStringLiteral("Привет VB"));
    EXPECT_EQ(panels[3], QStringLiteral("BitBlt"));
    EXPECT_EQ(panels[5], QStringLiteral("Статей: 2"));
    EXPECT_EQ(paneShown, 1);
    EXPECT_EQ(layouts, 1);
    EXPECT_TRUE(buttons[catalogue::ToolButton::Up].first);
    EXPECT_TRUE(buttons[catalogue::ToolButton::See].first);
    EXPECT_TRUE(desktop.opened.empty());
}

TEST_F(ArticleViewTest, ALinkGoesToTheDesktopAndNothingElseChanges)
{
    addRows({{QString(), QStringLiteral("Ссылка"), Rtf, QStringLiteral(";a.bas"), QStringLiteral("x\\y;;"),
              QStringLiteral("https://example.org/vb")}});
    open(1);
    EXPECT_EQ(desktop.opened, std::vector<QString>{QStringLiteral("https://example.org/vb")});
    EXPECT_TRUE(desktop.started.empty());
    EXPECT_EQ(address.text(), QStringLiteral("прежний адрес"));
    EXPECT_EQ(rtf.toPlainText(), QStringLiteral("прежний текст"));
    EXPECT_TRUE(panels.empty());
    EXPECT_TRUE(buttons.empty());
    EXPECT_EQ(files.count(), 0);
    EXPECT_EQ(layouts, 0);
    EXPECT_TRUE(warnings.empty());

    // A target the desktop refuses is named in a message; the window still
    // keeps what it showed.
    desktop.openResult = false;
    open(1);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("«https://example.org/vb»")));
    EXPECT_EQ(rtf.toPlainText(), QStringLiteral("прежний текст"));
    EXPECT_EQ(layouts, 0);
}

TEST_F(ArticleViewTest, AProgramIsRunWithItsArgumentsOrNamedWhenItCannotBe)
{
    // sh is on every PATH; the other program is on none.
    addRows({{QString(), QStringLiteral("Оболочка"), Rtf, QString(), QString(), QStringLiteral("sh -c \"exit 0\"")},
             {QString(), QStringLiteral("Калькулятор"), Rtf, QString(), QString(),
              QStringLiteral("no-such-calculator-kodrix --mode=basic")}});
    open(1);
    ASSERT_EQ(desktop.started.size(), 1u);
    EXPECT_EQ(desktop.started[0].mid(1), (QStringList{QStringLiteral("-c"), QStringLiteral("exit 0")}));
    EXPECT_TRUE(desktop.started[0][0].endsWith(QStringLiteral("/sh"))) << desktop.started[0][0].toStdString();
    EXPECT_TRUE(desktop.opened.empty());
    EXPECT_TRUE(warnings.empty());

    open(2);
    EXPECT_EQ(desktop.started.size(), 1u);
    EXPECT_TRUE(desktop.opened.empty());
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], QStringLiteral("Не удалось запустить программу «no-such-calculator-kodrix»: она не найдена "
                                          "ни по указанному пути, ни в папках программ (PATH)."));

    // Found, but the system would not start it.
    desktop.startResult = false;
    open(1);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_TRUE(warnings[1].startsWith(QStringLiteral("Не удалось запустить программу «"))) << warnings[1].toStdString();
    EXPECT_TRUE(warnings[1].contains(QStringLiteral("отказалась")));
    EXPECT_EQ(rtf.toPlainText(), QStringLiteral("прежний текст"));
}

TEST_F(ArticleViewTest, AttachmentListFollowsFileList)
{
    struct Case {
        const char* what;
        QString fileList;
        bool null;
        bool extract;
        QStringList names;
    };
    const std::vector<Case> cases = {
        {"null", QString(), true, false, {}},
        {"empty", QString(), false, false, {}},
        {"single blank", QStringLiteral(" "), false, true, {}},
        {"two names", QStringLiteral(";Form1.frm;Project1.vbp"), false, true,
         {QStringLiteral("Form1.frm"), QStringLiteral("Project1.vbp")}},
        {"empty pieces", QStringLiteral(";a.txt;;b.zip;"), false, true, {QStringLiteral("a.txt"), QStringLiteral("b.zip")}},
        {"hostile names", QStringLiteral(";../../evil.txt;..\\x.bat;/etc/passwd"), false, true,
         {QStringLiteral("../../evil.txt"), QStringLiteral("..\\x.bat"), QStringLiteral("/etc/passwd")}},
    };
    std::vector<Row> rows;
    for (const auto& c : cases)
        rows.push_back({QStringLiteral("П"), QString::fromUtf8(c.what), Rtf, c.fileList, {}, {}, c.null});
    addRows(rows);
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].what);
        files.addItem(QStringLiteral("от прошлой статьи"));
        open(int(i) + 1);
        EXPECT_EQ(listed(), cases[i].names);
        EXPECT_EQ(buttons[catalogue::ToolButton::Extract], std::make_pair(cases[i].extract, cases[i].extract ? 6 : 8));
        EXPECT_EQ(extractAction.isEnabled(), cases[i].extract);
    }
    // The icons come from the names alone: nothing was written anywhere.
    EXPECT_EQ(QDir(state.appDir + QStringLiteral("/data")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList());
    EXPECT_FALSE(QFile::exists(tmp.path() + QStringLiteral("/evil.txt")));
}

TEST_F(ArticleViewTest, SeeAlsoMenuIsRebuiltForEveryArticle)
{
    addRows({{QStringLiteral("А"), QStringLiteral("Три"), Rtf, {}, QStringLiteral("Графика\\API\\Рисование;;Файлы\\Поиск;;A & B\\C;;")},
             {QStringLiteral("А"), QStringLiteral("Ни одной"), Rtf, {}, {}},
             {QStringLiteral("А"), QStringLiteral("Одна"), Rtf, {}, QStringLiteral(";;Файлы\\Поиск;;")}});
    open(1);
    EXPECT_EQ(visibleSeeItems(), (QStringList{QStringLiteral("Графика\\API\\Рисование"), QStringLiteral("Файлы\\Поиск"),
                                              QStringLiteral("A & B\\C")}));
    EXPECT_EQ(view->seeAlsoItems().size(), 3);
    EXPECT_EQ(view->seeAlsoItems()[2]->text(), QStringLiteral("A && B\\C"));
    EXPECT_TRUE(seeLine->isVisible());
    EXPECT_EQ(menu.actions().size(), 5);  // three items, the separator, "Изменить ссылки"

    open(2);
    EXPECT_EQ(view->seeAlsoItems().size(), 1);
    EXPECT_FALSE(view->seeAlsoItems()[0]->isVisible());
    EXPECT_FALSE(seeLine->isVisible());
    EXPECT_EQ(menu.actions().size(), 3);

    // An empty first piece leaves element 0 hidden; the reference gets element 1.
    open(3);
    EXPECT_FALSE(view->seeAlsoItems()[0]->isVisible());
    EXPECT_EQ(visibleSeeItems(), QStringList{QStringLiteral("Файлы\\Поиск")});
}

TEST_F(ArticleViewTest, FollowingAReferenceOpensTheFirstMatchWhateverTheCase)
{
    addRows({{QStringLiteral("Статьи"), QStringLiteral("Начало"), Rtf, {}, QStringLiteral("Графика\\Api\\Пример;;")},
             {QStringLiteral("графика\\api"), QStringLiteral("пример"), Rtf, {}, {}},
             {QStringLiteral("графика\\api"), QStringLiteral("пример"), Rtf, {}, {}},
             {QStringLiteral("Графика\\Api"), QString(), QString(), {}, {}}});
    open(1);
    view->seeAlsoItems()[0]->trigger();
    EXPECT_EQ(state.selItem, QStringLiteral("2"));
    EXPECT_EQ(state.displayedEntry, QStringLiteral("2"));
    EXPECT_EQ(address.text(), QStringLiteral("BaseMain:\\\\графика\\api\\пример"));

    for (const char* missing : {"Графика\\Api", "Нет\\Такой", ""}) {
        SCOPED_TRACE(missing);
        view->followSeeAlso(QString::fromUtf8(missing));
        EXPECT_EQ(state.selItem, QStringLiteral("2"));
    }
}

// "copy" replaces whatever the clipboard held with the selection in both forms;
// the rich form reads back with its formatting.
TEST_F(ArticleViewTest, CopyPutsTheSelectionAsRichAndPlainText)
{
    addRows({{QStringLiteral("x"), QStringLiteral("y"),
              QStringLiteral("{\\rtf1\\ansi\\ansicpg1251\\f0 \\'e4\\'e0 \\b VB\\b0\\par \\'ed\\'e5\\'f2\\par}")}});
    open(1);
    auto* previous = new QMimeData;
    previous->setData(QStringLiteral("application/x-other"), "old");
    QGuiApplication::clipboard()->setMimeData(previous);

    QTextCursor c(rtf.document());
    c.setPosition(3);  // after "да "
    c.setPosition(9, QTextCursor::KeepAnchor);  // "VB", the paragraph mark, "нет"
    rtf.setTextCursor(c);
    view->copySelection();

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_FALSE(data->hasFormat(QStringLiteral("application/x-other")));
    EXPECT_EQ(data->text(), QStringLiteral("VB\nнет"));
    QTextDocument back;
    richtext::readRtf(data->data(QStringLiteral("text/rtf")), &back);
    EXPECT_EQ(back.toPlainText(), QStringLiteral("VB\nнет"));
    EXPECT_TRUE(back.begin().begin().fragment().charFormat().font().bold());
    EXPECT_EQ(data->data(QStringLiteral("application/rtf")), data->data(QStringLiteral("text/rtf")));
}

// Every article gets a document of its own; the pane keeps only the one shown,
// with the pane's font, and the cursor at the start.
TEST_F(ArticleViewTest, OpeningArticlesKeepsOneDocumentWithThePanesFont)
{
    addRows({{QStringLiteral("x"), QStringLiteral("a"), Rtf}, {QStringLiteral("x"), QStringLiteral("b"), Rtf}});
    QFont font(QStringLiteral("DejaVu Serif"), 13);
    rtf.document()->setDefaultFont(font);
    for (int round = 0; round < 3; ++round) {
        open(1);
        open(2);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(rtf.findChildren<QTextDocument*>(Qt::FindDirectChildrenOnly).size(), 1);
    EXPECT_EQ(rtf.findChildren<QTextDocument*>(Qt::FindDirectChildrenOnly).front(), rtf.document());
    EXPECT_EQ(rtf.document()->defaultFont(), font);
    EXPECT_EQ(rtf.textCursor().position(), 0);
    EXPECT_FALSE(rtf.textCursor().hasSelection());
    EXPECT_EQ(rtf.toPlainText(), QStringLiteral("Привет VB"));
}

// An article whose row cannot be read is never shown as an empty article: the
// pane is emptied and locked, the window names the entry and the base and
// suggests the check, the pane lets go of the row, and nothing is written after.
TEST_F(ArticleViewTest, AnUnreadableArticleIsNamedLockedAndNeverWrittenOver)
{
    const QString path = basePath();
    ASSERT_EQ(testsupport::writeLongBodiesBase(path, 40), QString());
    ASSERT_TRUE(testsupport::damageMiddlePage(path));  // the body of row 20
    const QByteArray damaged = testsupport::readFile(path);
    state.base = *Database::open(path);
    state.rsBase = std::move(*state.base->openRecordset());
    view = std::make_unique<articles::ArticleView>(state, widgets(), desktop);
    int shown = 0;
    QObject::connect(view.get(), &articles::ArticleView::articleShown, [&shown] { ++shown; });

    state.displayedEntry = QStringLiteral("20");
    open(20);
    ASSERT_EQ(warnings.size(), 1u);
    const QString& m = warnings[0];
    EXPECT_TRUE(m.contains(QStringLiteral("«Папка\\Статья 20»"))) << m.toStdString();
    EXPECT_TRUE(m.contains(QDir::toNativeSeparators(path))) << m.toStdString();
    EXPECT_TRUE(m.contains(QStringLiteral("запись 20 "))) << m.toStdString();
    EXPECT_TRUE(m.contains(QStringLiteral("kodrix-base check"))) << m.toStdString();
    EXPECT_TRUE(rtf.toPlainText().isEmpty());
    EXPECT_FALSE(rtf.isEnabled());
    EXPECT_EQ(files.count(), 0);
    EXPECT_TRUE(state.displayedEntry.isEmpty());
    EXPECT_EQ(state.displayedId, 0);  // the editor has no row to store into
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(address.text(), QStringLiteral("BaseMain:\\\\Папка\\Статья 20"));
    EXPECT_FALSE(state.rsBase->edit().ok());

    open(1);  // a sound row opens as always
    EXPECT_EQ(warnings.size(), 1u);
    EXPECT_TRUE(rtf.isEnabled());
    EXPECT_EQ(shown, 1);
    state.rsBase.reset();
    state.base->close();
    EXPECT_EQ(testsupport::readFile(path), damaged);
}
