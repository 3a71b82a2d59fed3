// The article wizard: opening it on an article with 20 MB of attachments (the
// archive unpacked into the data folder and listed), and the properties commit
// on a base of 200,000 rows with the views filed anew (BM_RawScan/200000 beside
// it in the same run).
#include "BenchSupport.h"
#include "Generator.h"

#include "articles/FrmAdd.h"
#include "attachments/PackArchive.h"
#include "catalogue/MainState.h"
#include "shell/FrmMain.h"
#include "shell/Startup.h"
#include "shell/WizardBinding.h"
#include "store/AppFiles.h"
#include "store/Database.h"
#include "store/Record.h"
#include "store/Recordset.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeWidget>

namespace {

void BM_WizardFiles(benchmark::State& state)
{
    QTemporaryDir app;
    const store::AppFiles files(app.path());
    QDir().mkpath(files.dataFolder());
    auto db = store::Database::create(files.basePath());
    auto rs = (*db)->openRecordset();
    // Five files of 4 MB of varied bytes.
    QList<attachments::PackEntry> entries;
    QString list;
    for (int i = 0; i < 5; ++i) {
        QByteArray bytes(4 * 1024 * 1024, '\0');
        quint32 x = 2463534242u + quint32(i);
        for (char& c : bytes) {
            x ^= x << 13, x ^= x >> 17, x ^= x << 5;
            c = char(x);
        }
        const QString name = QStringLiteral("file%1.bin").arg(i);
        entries.push_back({name, bytes});
        list += QLatin1Char(';') + name;
    }
    auto archive = attachments::packEntries(entries);
    if (!archive) {
        state.SkipWithError(archive.message().toUtf8().constData());
        return;
    }
    (*rs)->addNew();
    (void)(*rs)->setValue(store::ColName, QStringLiteral("Вложения"));
    (void)(*rs)->setValue(store::ColArchive, *archive);
    (void)(*rs)->setValue(store::ColFileList, list);
    (void)(*rs)->update();
    catalogue::MainState main;
    main.appDir = app.path();
    main.adoptBase(*db);
    main.rsBase = std::move(*(*db)->openRecordset());
    bench::SilentPrompter prompter;
    articles::WizardServices s;
    s.prompter = &prompter;
    articles::FrmAdd wizard(main, std::move(s));
    for (auto _ : state) {
        main.rsBase->moveFirst();
        wizard.vStep = articles::FrmAdd::Files;
        if (!wizard.masterStep() || wizard.LVFile->topLevelItemCount() != 5)
            state.SkipWithError("the files were not listed");
    }
    state.SetBytesProcessed(state.iterations() * archive->size());
}

void BM_WizardProperties(benchmark::State& state)
{
    auto base = gen::cachedBase(state.range(0));
    if (!base) {
        state.SkipWithError(base.message().toUtf8().constData());
        return;
    }
    QTemporaryDir app;
    const store::AppFiles files(app.path());
    QDir().mkpath(files.dataFolder());
    // A copy: the commit changes the base.
    if (!QFile::copy(*base, files.basePath())) {
        state.SkipWithError("cannot copy the generated base");
        return;
    }
    bench::SilentPrompter prompter;
    bench::NoDesktop desktop;
    shell::FrmMain window(app.path(), prompter, desktop);
    if (const auto loaded = shell::formLoad(window, nullptr); !loaded) {
        state.SkipWithError(loaded.message().toUtf8().constData());
        return;
    }
    catalogue::MainState& main = window.state();
    articles::FrmAdd& wizard = window.wizardBinding().wizard();
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        main.selItem = QString::number(state.range(0) / 2);
        main.goToRecord(main.selItem);
        wizard.vStep = articles::FrmAdd::Properties;
        wizard.masterStep();
        wizard.TxtName->setText(QStringLiteral("Переименованная %1").arg(round++));
        state.ResumeTiming();
        wizard.cmdGoClick();
    }
}

}  // namespace

BENCHMARK(BM_WizardFiles)->Name("BM_WizardFiles/20MB")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_WizardProperties)->Arg(200000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
