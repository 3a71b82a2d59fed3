// Typing into an article: from a key event in the shown article to the change
// committed in the base, against its floor, one SQL update of a Body of the
// same size in a transaction.
#include "BenchSupport.h"
#include "Generator.h"

#include "articles/ArticlePane.h"
#include "articles/ArticleView.h"
#include "articles/RichTextEditor.h"
#include "catalogue/MainState.h"
#include "richtext/Rtf.h"
#include "shell/FrmMain.h"
#include "shell/Startup.h"
#include "store/AppFiles.h"
#include "store/Database.h"
#include "store/Record.h"
#include "store/Recordset.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextDocument>

#include <sqlite3.h>

namespace {


// `synchronous`: the engine's durability setting; the program runs with FULL
// (the write-ahead log is synced at every commit), NORMAL is measured beside it.
void BM_BodyUpdate(benchmark::State& state, qsizetype bytes, const char* synchronous)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("basemain.mdb"));
    if (auto made = bench::makeArticleBase(path, bytes); !made) {
        state.SkipWithError(made.message().toUtf8().constData());
        return;
    }
    auto db = store::Database::open(path);
    if (!db) {
        state.SkipWithError(db.message().toUtf8().constData());
        return;
    }
    // The body as the editor would store it, one letter changed per round.
    QTextDocument doc;
    auto rs = (*db)->openRecordset();
    (*rs)->moveFirst();
    richtext::readRtf((*rs)->bytes(store::ColBody), &doc);
    QByteArray body = richtext::writeRtf(&doc);
    sqlite3* h = (*db)->handle();
    sqlite3_exec(h, (QByteArray("PRAGMA synchronous = ") + synchronous).constData(), nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h, "UPDATE main SET Body = ?1 WHERE Id = 1", -1, &st, nullptr);
    int round = 0;
    for (auto _ : state) {
        body[body.size() / 2] = char('a' + (round++ % 26));
        store::Transaction t(**db);
        sqlite3_bind_text64(st, 1, body.constData(), sqlite3_uint64(body.size()), SQLITE_STATIC, SQLITE_UTF8);
        if (sqlite3_step(st) != SQLITE_DONE)
            state.SkipWithError("update failed");
        sqlite3_reset(st);
        if (!t.commit())
            state.SkipWithError("commit failed");
    }
    sqlite3_finalize(st);
    state.SetBytesProcessed(state.iterations() * body.size());
}

void BM_Keystroke(benchmark::State& state, qsizetype bytes)
{
    QTemporaryDir app;
    const store::AppFiles files(app.path());
    QDir().mkpath(files.dataFolder());
    if (auto made = bench::makeArticleBase(files.basePath(), bytes); !made) {
        state.SkipWithError(made.message().toUtf8().constData());
        return;
    }
    bench::SilentPrompter prompter;
    bench::NoDesktop desktop;
    shell::FrmMain window(app.path(), prompter, desktop);
    if (const auto loaded = shell::formLoad(window, nullptr); !loaded) {
        state.SkipWithError(loaded.message().toUtf8().constData());
        return;
    }
    window.show();
    catalogue::MainState& main = window.state();
    main.selItem = QStringLiteral("1");
    main.goToRecord(main.selItem);
    window.articleView().openEntry();
    QCoreApplication::processEvents();
    articles::ArticlePane* pane = window.RTF;
    pane->setFocus();
    QTextCursor c(pane->document());
    c.setPosition(pane->document()->characterCount() / 2);
    pane->setTextCursor(c);
    int stored = 0;
    QObject::connect(&window.editor(), &articles::RichTextEditor::stored, [&stored] { ++stored; });
    int round = 0;
    for (auto _ : state) {
        const int before = stored;
        const QChar ch = QChar(u'а' + (round++ % 32));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(pane, &press);
        QCoreApplication::sendEvent(pane, &release);
        // The change is stored on the next turn of the event loop.
        while (stored == before)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    if (window.editor().hasPending())
        state.SkipWithError("a change was left unstored");
}

}  // namespace

constexpr qsizetype KB = 1024;
BENCHMARK_CAPTURE(BM_BodyUpdate, 100KB, 100 * KB, "FULL")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_BodyUpdate, 1MB, 1024 * KB, "FULL")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_BodyUpdate, 100KB_syncNormal, 100 * KB, "NORMAL")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Keystroke, 100KB, 100 * KB)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Keystroke, 1MB, 1024 * KB)->Unit(benchmark::kMillisecond)->UseRealTime();
