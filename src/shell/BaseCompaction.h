#pragma once
// `MnuFileCompress_Click`: the window lets go of its base, the file is compacted
// in place (store::Compaction) and opened again by the catalogue load. Whatever
// happens the window ends with a base it can use, or says that it has none.
#include "store/Compaction.h"

#include <QObject>

#include <functional>

namespace catalogue {
struct MainState;
}
namespace platform {
class Prompter;
}

namespace shell {

class BaseCompaction : public QObject {
    Q_OBJECT
public:
    BaseCompaction(catalogue::MainState& state, platform::Prompter& prompter, QObject* parent = nullptr);

    // True when the base was compacted and is open again.
    bool run();

    // The compaction of the file; tests put a failing one here.
    std::function<store::Result<store::Compaction::Report>(const QString& base, const QString& backup)> compactFile;
    // After the catalogue load opened the base again.
    std::function<void()> reopened;
    // When it could not: the window stops offering what needs the base.
    std::function<void()> baseLost;
    // Says in the status bar that the work goes on (an empty text: it is over).
    std::function<void(const QString& text)> working;
    // The message boxes' title.
    QString title;

private:
    catalogue::MainState& m_state;
    platform::Prompter& m_prompter;
};

}  // namespace shell
