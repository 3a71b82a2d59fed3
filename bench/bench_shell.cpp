// Opening entries in the real window, offscreen.
//
// Start-up: from the start of the main window's load (fonts, layout, the whole
// catalogue with progress on the splash window, the root listed) to the window
// shown, offscreen. Run with BM_ListAlpha/32766 in the same process: the load
// of the catalogue is most of it.
#include "BenchSupport.h"
#include "Generator.h"
#include "platform/DesktopShell.h"
#include "platform/Prompter.h"
#include "shell/FrmMain.h"
#include "shell/FrmSplash.h"
#include "shell/Startup.h"
#include "articles/ArticleView.h"
#include "catalogue/MainState.h"
#include "store/AppFiles.h"
#include "store/Database.h"
#include "store/Record.h"
#include "store/Recordset.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using bench::makeArticleBase;
using bench::NoDesktop;
using bench::SilentPrompter;

void BM_Startup(benchmark::State& state)
{
    auto base = gen::cachedBase(state.range(0));
    if (!base) {
        state.SkipWithError(base.message().toUtf8().constData());
        return;
    }
    QTemporaryDir app;
    const store::AppFiles files(app.path());
    QDir().mkpath(files.dataFolder());
    if (!QFile::link(*base, files.basePath())) {
        state.SkipWithError("cannot link the generated base");
        return;
    }
    SilentPrompter prompter;
    NoDesktop desktop;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<shell::FrmMain>(app.path(), prompter, desktop);
        auto splash = std::make_unique<shell::FrmSplash>();
        splash->show();
        QCoreApplication::processEvents();
        state.ResumeTiming();

        const auto loaded = shell::formLoad(*window, splash.get());

        state.PauseTiming();
        if (!loaded) {
            state.SkipWithError(loaded.message().toUtf8().constData());
            break;
        }
        window->hide();
        window.reset();
        splash.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

// From the entry chosen to the article painted in the shown window: the body
// read from the base, its rich text put into the pane, the attachments and the
// see-also menu filled, the first screen laid out and painted.
void BM_OpenEntry(benchmark::State& state)
{
    QTemporaryDir app;
    const store::AppFiles files(app.path());
    QDir().mkpath(files.dataFolder());
    if (auto made = makeArticleBase(files.basePath(), 1024 * 1024); !made) {
        state.SkipWithError(made.message().toUtf8().constData());
        return;
    }
    SilentPrompter prompter;
    NoDesktop desktop;
    shell::FrmMain window(app.path(), prompter, desktop);
    if (const auto loaded = shell::formLoad(window, nullptr); !loaded) {
        state.SkipWithError(loaded.message().toUtf8().constData());
        return;
    }
    window.show();
    QCoreApplication::processEvents();
    catalogue::MainState& main = window.state();
    const QString big = QStringLiteral("1");
    for (auto _ : state) {
        // Another article first, so every round replaces a small text by the big one.
        state.PauseTiming();
        main.selItem = QStringLiteral("2");
        main.goToRecord(main.selItem);
        window.articleView().openEntry();
        QCoreApplication::processEvents();
        state.ResumeTiming();

        main.selItem = big;
        main.goToRecord(big);
        window.articleView().openEntry();
        // Until the article is on screen: the posted layout and update events,
        // then the paint. The rest of the article is laid out afterwards in
        // slices while the program waits for the user; that is not counted.
        QCoreApplication::sendPostedEvents();
        window.repaint();
    }
    state.counters["see_also"] = double(window.articleView().seeAlsoItems().size());
}

}  // namespace

BENCHMARK(BM_OpenEntry)->Name("BM_OpenEntry/1MB")->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_Startup)->Arg(32766)->Unit(benchmark::kMillisecond)->Iterations(5);
