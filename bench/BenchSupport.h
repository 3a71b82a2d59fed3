#pragma once
// What the window benchmarks share: prompts nobody answers, a desktop that
// opens nothing, and a small base with one big article.
#include "platform/DesktopShell.h"
#include "platform/Prompter.h"
#include "store/Result.h"

#include <QIcon>
#include <QString>

namespace bench {

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
    bool startProgram(const QString&, const QStringList&) override { return false; }
};

// A base of a few small entries and one article of about `bytes` bytes of rich
// text with three attachments and three see-also references, as row 1.
store::Result<void> makeArticleBase(const QString& path, qsizetype bytes);

}  // namespace bench
