#include "BaseCompaction.h"

#include "ShellTexts.h"
#include "Startup.h"

#include "catalogue/CatalogueLoader.h"
#include "catalogue/MainState.h"
#include "platform/Prompter.h"
#include "store/AppFiles.h"
#include "store/StoreTexts.h"
#include "store/ReadOnlyCheck.h"

namespace shell {

BaseCompaction::BaseCompaction(catalogue::MainState& state, platform::Prompter& prompter, QObject* parent)
    : QObject(parent),
      compactFile([](const QString& base, const QString& backup) { return store::Compaction(base, backup).run(); }),
      m_state(state),
      m_prompter(prompter)
{
}

bool BaseCompaction::run()
{
    const store::AppFiles files(m_state.appDir);
    const auto say = [this](const QString& message) {
        m_prompter.message(platform::MsgStyle::Critical, title, message);
    };
    if (!m_state.base || !m_state.base->isOpen()) {
        say(texts::baseClosed(files.basePath()));
        return false;
    }
    if (store::openedReadOnly(*m_state.base)) {
        say(store::texts::readOnlyBase(m_state.base->path()));
        return false;
    }
    // What the user typed goes into the file before the file is copied.
    m_state.flushPendingEdits();
    setBusyPointer(true);
    if (working)
        working(texts::compacting());
    if (m_state.rsBase)
        m_state.rsBase->close();
    m_state.rsBase.reset();
    m_state.base->close();
    m_state.base.reset();
    files.clearDataFolder();

    const auto compacted = compactFile(files.basePath(), files.backupPath());
    // Rows and their order are kept, so every RecordNumber stays valid; the load
    // opens the file anew and rebuilds the views from it all the same, whether
    // the file was replaced or not.
    const store::Result<void> loaded = catalogue::listAlpha(m_state);
    if (working)
        working(QString());
    setBusyPointer(false);
    if (!loaded) {
        // Nothing may go on writing through a connection to a file that is gone.
        m_state.rsBase.reset();
        m_state.base.reset();
        if (baseLost)
            baseLost();
        const QString reopen = texts::reopenFailed(loaded.message());
        say(compacted ? reopen : texts::oneAfterOther(compacted.message(), reopen));
        return false;
    }
    if (reopened)
        reopened();
    if (!compacted) {
        say(compacted.message());
        return false;
    }
    return true;
}

}  // namespace shell
