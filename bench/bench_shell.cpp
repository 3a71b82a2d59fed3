// Start-up: from the start of the main window's load (fonts, layout, the whole
// catalogue with progress on the splash window, the root listed) to the window
// shown, offscreen. Run with BM_ListAlpha/32766 in the same process: the load
// of the catalogue is most of it.
#include "Generator.h"
#include "platform/DesktopShell.h"
#include "platform/Prompter.h"
#include "shell/FrmMain.h"
#include "shell/FrmSplash.h"
#include "shell/Startup.h"
#include "store/AppFiles.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// Answers nothing: a benchmark that reaches a message box has failed anyway.
class SilentPrompter : public platform::Prompter {
public:
    bool message(platform::MsgStyle, const QString&, const QString&) override { return true; }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return std::nullopt; }
};

class NoDesktop : public platform::DesktopShell {
public:
    bool open(const QString&) override { return false; }
    QIcon fileTypeIcon(const QString&) override { return {}; }
};

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

}  // namespace

BENCHMARK(BM_Startup)->Arg(32766)->Unit(benchmark::kMillisecond)->Iterations(5);
