// Editing the shown article in place: what reaches the base, into which row,
// and what the edit bar does to the selection.
#include "Scripted.h"
#include "SmallBase.h"
#include "../dialogs/ScriptedDialogs.h"

#include "articles/ArticlePane.h"
#include "articles/ArticleView.h"
#include "articles/EditBar.h"
#include "articles/RichTextEditor.h"
#include "catalogue/MainState.h"
#include "dialogs/CdlgEx.h"
#include "richtext/Rtf.h"
#include "store/Database.h"
#include "store/Record.h"
#include "store/Recordset.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>

#include <sqlite3.h>

using namespace store;

namespace {

const QByteArray ArticleRtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fcharset204 Arial;}}\\f0\\fs20 "
                              "\\'d1\\'f2\\'e0\\'f0\\'fb\\'e9 \\b VB\\b0  \\'f2\\'e5\\'ea\\'f1\\'f2\\par}";

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        state.appDir = tmp.path() + QStringLiteral("/Кодрикс");
        QDir().mkpath(state.appDir + QStringLiteral("/data"));
        menu.addAction(QStringLiteral("Итем"))->setObjectName(QStringLiteral("MnuSeeItem"));
        menu.addSeparator()->setObjectName(QStringLiteral("MnuSeeLine1"));
        // 1 an article, 2 a link, 3 another article, 4 a folder record.
        struct R { QString path, name; QByteArray body; QString target; int kind; };
        std::vector<testsupport::BaseRow> rows;
        for (const R& r : {R{QStringLiteral("Строки"), QStringLiteral("Функции InStr"), ArticleRtf, {}, 1},
                           R{QStringLiteral("Ссылки"), QStringLiteral("Калькулятор"), ArticleRtf,
                             QStringLiteral("http://example.org/calc"), 3},
                           R{QStringLiteral("Графика"), QStringLiteral("BitBlt"), ArticleRtf, {}, 1},
                           R{QStringLiteral("Графика\\API"), QString(), {}, {}, KindFolder}}) {
            testsupport::BaseRow row{{ColPath, r.path},
                                     {ColName, r.name},
                                     {ColBody, r.body.isNull() ? QVariant() : QVariant(QString::fromLatin1(r.body))},
                                     {ColKind, r.kind},
                                     {ColBaseName, QStringLiteral("Zelvorant Kodrix")},
                                     {ColAdded, QDateTime(QDate(2004, 5, 6), QTime(7, 8, 9))}};
            if (!r.target.isEmpty())
                row.push_back({ColLinkTarget, r.target});
            rows.push_back(std::move(row));
        }
        std::shared_ptr<Database> db;
        const QString failed = testsupport::writeBase(state.appDir + QStringLiteral("/basemain.mdb"), rows, &db);
        ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
        state.adoptBase(db);
        state.rsBase = std::move(*state.base->openRecordset());

        articles::ArticleWidgets aw;
        aw.rtf = &pane;
        aw.lstFile = &files;
        aw.mnuSee = &menu;
        aw.warn = [this](const QString& m) { warnings << m; };
        view = std::make_unique<articles::ArticleView>(state, std::move(aw), desktop);
        articles::EditorWidgets ew;
        ew.rtf = &pane;
        ew.bar = &bar;
        ew.newDialog = [this] { return std::make_unique<dialogs::CdlgEx>(dialogs, prompter, state.appDir); };
        ew.warn = [this](const QString& m) { warnings << m; };
        ew.closeArticle = [this] { ++closed; };
        ew.prompter = &prompter;
        editor = std::make_unique<articles::RichTextEditor>(state, std::move(ew));
        QObject::connect(view.get(), &articles::ArticleView::articleShown, editor.get(),
                         &articles::RichTextEditor::articleShown);
        pane.resize(500, 300);
        pane.show();
    }

    bool open(int recordNumber)
    {
        state.rsBase->moveTo(recordNumber);
        state.selItem = QString::number(recordNumber);
        const bool shown = view->openEntry();
        QApplication::processEvents();
        return shown;
    }

    // The stored columns of a row straight from the file, by Id.
    QVariantList row(qint64 id)
    {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(state.base->handle(), "SELECT * FROM main WHERE Id = ?1", -1, &st, nullptr);
        sqlite3_bind_int64(st, 1, id);
        QVariantList out;
        if (sqlite3_step(st) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(st); ++c)
                out << (sqlite3_column_type(st, c) == SQLITE_NULL
                            ? QVariant()
                            : QVariant(QByteArray(reinterpret_cast<const char*>(sqlite3_column_blob(st, c)),
                                                  sqlite3_column_bytes(st, c))));
        }
        sqlite3_finalize(st);
        return out;
    }
    QString storedText(qint64 id)
    {
        return richtext::plainText(row(id).value(ColBody).toByteArray());
    }
    // Key events carrying the text, as a keyboard layout delivers Cyrillic.
    void type(const QString& text)
    {
        for (QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(&pane, &press);
            QApplication::sendEvent(&pane, &release);
        }
        QApplication::processEvents();
    }
    void selectWord(int from, int to)
    {
        QTextCursor c(pane.document());
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        pane.setTextCursor(c);
    }
    void click(articles::EditButton b) { bar.button(b)->click(); }

    QTemporaryDir tmp;
    catalogue::MainState state;
    testsupport::RecordingShell desktop;
    testsupport::ScriptedPrompter prompter;
    dialogtest::ScriptedDialogs dialogs;
    articles::ArticlePane pane;
    articles::EditBar bar;
    QListWidget files;
    QMenu menu;
    QStringList warnings;
    int closed = 0;
    std::unique_ptr<articles::ArticleView> view;
    std::unique_ptr<articles::RichTextEditor> editor;
};

}  // namespace

TEST_F(EditorTest, OpeningAndLeavingWithoutTypingWritesNothing)
{
    const QVariantList before1 = row(1), before3 = row(3);
    ASSERT_TRUE(open(1));
    ASSERT_TRUE(open(3));
    ASSERT_TRUE(open(1));
    EXPECT_FALSE(editor->hasPending());
    EXPECT_EQ(row(1), before1);
    EXPECT_EQ(row(3), before3);
}

TEST_F(EditorTest, OneLetterChangesTheBodyOfThatRowAndNothingElse)
{
    const QVariantList before1 = row(1), before3 = row(3);
    ASSERT_TRUE(open(1));
    pane.moveCursor(QTextCursor::Start);
    type(QStringLiteral("Ё"));
    EXPECT_FALSE(editor->hasPending());
    const QVariantList after = row(1);
    EXPECT_EQ(storedText(1), QStringLiteral("ЁСтарый VB текст"));
    for (int c = 0; c < after.size(); ++c) {
        if (c != ColBody) {
            EXPECT_EQ(after[c], before1[c]) << "column " << c;
        }
    }
    EXPECT_EQ(row(3), before3);
    // The recordset is where the caller left it: on the shown entry.
    EXPECT_EQ(state.rsBase->recordNumber(), 1);
}

TEST_F(EditorTest, ALinkLaunchedLeavesThePaneOnItsArticle)
{
    ASSERT_TRUE(open(1));
    EXPECT_FALSE(open(2));
    EXPECT_EQ(desktop.opened, std::vector<QString>{QStringLiteral("http://example.org/calc")});
    EXPECT_EQ(state.displayedEntry, QStringLiteral("1"));
    const QVariantList link = row(2);
    pane.moveCursor(QTextCursor::End);
    type(QStringLiteral("!"));
    EXPECT_TRUE(storedText(1).endsWith(QLatin1Char('!')));
    EXPECT_EQ(row(2), link);
}

TEST_F(EditorTest, AFolderRecordIsNeverShownAsAnArticle)
{
    ASSERT_TRUE(open(3));
    EXPECT_FALSE(open(4));
    EXPECT_EQ(state.displayedEntry, QStringLiteral("3"));
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("Старый VB текст"));
}

TEST_F(EditorTest, RemovingRowsNeverSendsTheTextIntoANeighbour)
{
    ASSERT_TRUE(open(3));
    // Row 1 deleted for good: the shown article is now RecordNumber 2.
    {
        Transaction t(*state.base);
        state.rsBase->moveTo(1);
        ASSERT_TRUE(state.rsBase->remove().ok());
        EXPECT_EQ(state.displayedEntry, QStringLiteral("3"));  // nothing is told before the commit
        ASSERT_TRUE(t.commit().ok());
    }
    EXPECT_EQ(state.displayedEntry, QStringLiteral("2"));
    pane.moveCursor(QTextCursor::End);
    type(QStringLiteral("Z"));
    EXPECT_TRUE(storedText(3).endsWith(QLatin1Char('Z')));
    EXPECT_EQ(storedText(2), QStringLiteral("Старый VB текст"));  // the link's row (now number 1) untouched
    // The article itself deleted: the window leaves it and nothing more is written.
    state.rsBase->moveToId(3);
    ASSERT_TRUE(state.rsBase->remove().ok());
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(state.displayedId, 0);
    EXPECT_TRUE(pane.isReadOnly());
}

TEST_F(EditorTest, ARolledBackRemovalIsNeverAnnounced)
{
    ASSERT_TRUE(open(3));
    {
        Transaction t(*state.base);
        state.rsBase->moveToId(3);
        ASSERT_TRUE(state.rsBase->remove().ok());
    }
    EXPECT_EQ(closed, 0);
    EXPECT_EQ(state.displayedId, 3);
    EXPECT_EQ(row(3).size(), 16);
}

TEST_F(EditorTest, AFailedWriteIsReportedOnceAndTriedAgain)
{
    ASSERT_TRUE(open(1));
    // Another program holds the base's write lock.
    sqlite3_busy_timeout(state.base->handle(), 0);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(state.base->path()).constData(), &other), SQLITE_OK);
    sqlite3_exec(other, "PRAGMA key = 'orchidmaplebrook'; BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    pane.moveCursor(QTextCursor::End);
    type(QStringLiteral("a"));
    type(QStringLiteral("b"));
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("«Функции InStr»")));
    EXPECT_TRUE(editor->hasPending());
    EXPECT_EQ(storedText(1), QStringLiteral("Старый VB текст"));
    EXPECT_TRUE(pane.toPlainText().endsWith(QStringLiteral("ab")));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    type(QStringLiteral("c"));
    EXPECT_FALSE(editor->hasPending());
    EXPECT_EQ(storedText(1), QStringLiteral("Старый VB текстabc"));
    EXPECT_EQ(warnings.size(), 1);
}

TEST_F(EditorTest, UndoAndRedoAreStoredLikeAnyChange)
{
    ASSERT_TRUE(open(1));
    pane.moveCursor(QTextCursor::End);
    type(QStringLiteral("xyz"));
    ASSERT_EQ(storedText(1), QStringLiteral("Старый VB текстxyz"));
    QTest::keyClick(&pane, Qt::Key_Z, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(storedText(1), QStringLiteral("Старый VB текст"));
    QTest::keyClick(&pane, Qt::Key_Y, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(storedText(1), QStringLiteral("Старый VB текстxyz"));
    // Nothing to undo past what was read: the loaded text is not an edit.
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&pane, Qt::Key_Z, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(storedText(1), QStringLiteral("Старый VB текст"));
}

TEST_F(EditorTest, TypeStylesFollowAndApplyToTheSelection)
{
    ASSERT_TRUE(open(1));
    // "Старый VB": partly bold, so "bold" shows unpressed.
    selectWord(0, 9);
    editor->syncEditBar();
    EXPECT_EQ(bar.value(articles::EditButton::Bold), 0);
    click(articles::EditButton::Bold);
    QApplication::processEvents();
    QTextDocument stored;
    richtext::readRtf(row(1).value(ColBody).toByteArray(), &stored);
    for (int pos : {1, 5, 8}) {
        QTextCursor c(&stored);
        c.setPosition(pos);
        EXPECT_GE(c.charFormat().fontWeight(), QFont::Bold) << pos;
    }
    selectWord(7, 9);
    editor->syncEditBar();
    EXPECT_EQ(bar.value(articles::EditButton::Bold), 1);
    // Ctrl+I is the "italic" button.
    QTest::keyClick(&pane, Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(bar.value(articles::EditButton::Italic), 1);
    EXPECT_TRUE(pane.textCursor().charFormat().fontItalic());
}

TEST_F(EditorTest, AlignmentButtons)
{
    ASSERT_TRUE(open(1));
    click(articles::EditButton::Center);
    EXPECT_EQ(pane.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    click(articles::EditButton::Center);
    EXPECT_EQ(pane.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    for (articles::EditButton b : {articles::EditButton::Left, articles::EditButton::Center, articles::EditButton::Right})
        EXPECT_EQ(bar.value(b), 0) << articles::editButtonName(b).data();
    click(articles::EditButton::Right);
    editor->syncEditBar();
    EXPECT_EQ(bar.value(articles::EditButton::Right), 1);
    EXPECT_EQ(bar.value(articles::EditButton::Left), 0);
    QApplication::processEvents();
    QTextDocument stored;
    richtext::readRtf(row(1).value(ColBody).toByteArray(), &stored);
    EXPECT_EQ(stored.firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

TEST_F(EditorTest, ColourIsTakenOnlyWhenTheDialogIsConfirmed)
{
    ASSERT_TRUE(open(1));
    selectWord(0, 6);
    dialogs.colors.push_back(std::nullopt);  // cancelled
    click(articles::EditButton::Color);
    EXPECT_FALSE(pane.textCursor().charFormat().hasProperty(QTextFormat::ForegroundBrush));
    dialogs.colors.push_back(QColor(200, 10, 20));
    click(articles::EditButton::Color);
    EXPECT_EQ(pane.textCursor().charFormat().foreground().color(), QColor(200, 10, 20));
}

TEST_F(EditorTest, FontSizeBoxAcceptsOnlyUsableSizes)
{
    ASSERT_TRUE(open(1));
    struct Case { const char* text; std::optional<int> size; };
    for (const Case& c : {Case{"46", 46}, Case{" 12 ", 12}, Case{"10,4", 10}, Case{"0", {}}, Case{"-3", {}},
                          Case{"2000", {}}, Case{"abc", {}}, Case{"", {}}, Case{"1e9", {}}, Case{"nan", {}}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(articles::RichTextEditor::fontSizeOf(QString::fromLatin1(c.text)), c.size);
    }
    selectWord(0, 6);
    bar.cboFontSize()->setCurrentText(QStringLiteral("46"));
    bar.cboFontSize()->lineEdit()->setFocus();
    QTest::keyClick(bar.cboFontSize()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(pane.textCursor().charFormat().fontPointSize(), 46);
    bar.cboFontSize()->setCurrentText(QStringLiteral("ерунда"));
    QTest::keyClick(bar.cboFontSize()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(pane.textCursor().charFormat().fontPointSize(), 46);
}

TEST_F(EditorTest, PasteTakesRtfThenPlainTextAndNeverAPictureAlone)
{
    ASSERT_TRUE(open(1));
    pane.moveCursor(QTextCursor::End);
    QClipboard* clipboard = QApplication::clipboard();
    {
        auto* data = new QMimeData;
        data->setText(QStringLiteral("{\\rtf1 не разметка}"));
        clipboard->setMimeData(data);
    }
    click(articles::EditButton::Paste);
    EXPECT_TRUE(pane.toPlainText().endsWith(QStringLiteral("{\\rtf1 не разметка}")));
    const QString before = pane.toPlainText();
    {
        auto* data = new QMimeData;
        data->setImageData(QImage(4, 4, QImage::Format_RGB32));
        clipboard->setMimeData(data);
    }
    click(articles::EditButton::Paste);
    EXPECT_EQ(pane.toPlainText(), before);
    // Copy and paste back keeps the formatting: the bold "VB" stays bold.
    selectWord(7, 9);
    click(articles::EditButton::Copy);
    EXPECT_TRUE(clipboard->mimeData()->hasFormat(QStringLiteral("text/rtf")));
    pane.moveCursor(QTextCursor::End);
    click(articles::EditButton::Paste);
    QApplication::processEvents();
    QTextCursor last(pane.document());
    last.movePosition(QTextCursor::End);
    EXPECT_GE(last.charFormat().fontWeight(), QFont::Bold);
    EXPECT_TRUE(storedText(1).endsWith(QStringLiteral("VB")));
}

// An article with content a store would drop (here a footnote and a field): the user is
// asked once per opening, before the first change, whichever way the change comes.
TEST_F(EditorTest, ContentAStoreWouldDropIsAskedAboutBeforeTheFirstChange)
{
    const QByteArray rich = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 Body"
                            "{\\footnote note}{\\field{\\*\\fldinst DATE}{\\fldrslt today}} end\\par}";
    state.rsBase->moveTo(3);
    ASSERT_TRUE(state.rsBase->edit().ok());
    ASSERT_TRUE(state.rsBase->setValue(ColBody, QString::fromLatin1(rich)).ok());
    ASSERT_TRUE(state.rsBase->update().ok());
    const qint64 id = 3;
    const QVariantList before = row(id);

    struct Case {
        const char* name;
        bool agree;
        std::function<void()> change;
    };
    const Case cases[] = {
        {"typing, declined", false, [this] { type(QStringLiteral("x")); }},
        {"Delete key, declined", false, [this] { QTest::keyClick(&pane, Qt::Key_Delete); }},
        {"bold button, declined", false,
         [this] {
             selectWord(0, 4);
             click(articles::EditButton::Bold);
         }},
        // A change the key filter does not see (a context menu's command) is asked
        // about before it is stored, and taken back when declined.
        {"change from elsewhere, declined", false,
         [this] {
             QTextCursor c(pane.document());
             c.insertText(QStringLiteral("x"));
             QApplication::processEvents();
         }},
        {"typing, agreed", true, [this] { type(QStringLiteral("x")); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(open(3));
        prompter.shown.clear();
        prompter.answerMessage(c.agree);
        pane.moveCursor(QTextCursor::Start);
        c.change();
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_TRUE(prompter.shown[0].text.contains(QStringLiteral("«BitBlt»")));
        EXPECT_TRUE(prompter.shown[0].text.contains(QStringLiteral("сноски")));
        EXPECT_TRUE(prompter.shown[0].text.contains(QStringLiteral("поля")));
        // Asked once: further changes go by without a question.
        type(QStringLiteral("y"));
        EXPECT_EQ(prompter.shown.size(), 1u);
        if (c.agree) {
            EXPECT_EQ(storedText(id), QStringLiteral("xyBodytoday end"));
        } else {
            EXPECT_EQ(row(id), before);
            EXPECT_TRUE(pane.isReadOnly());
            EXPECT_EQ(richtext::plainText(pane.document()), QStringLiteral("Bodytoday end"));
        }
    }
    // A plain article asks nothing (an unscripted question fails the test).
    ASSERT_TRUE(open(1));
    type(QStringLiteral("z"));
    EXPECT_EQ(prompter.shown.size(), 1u);
}
