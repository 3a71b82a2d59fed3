#pragma once
// Test doubles for the seams: prompts answered from a script, a desktop that records.
#include "platform/DesktopShell.h"
#include "platform/Prompter.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>

namespace testsupport {

struct Prompt {
    platform::MsgStyle style;
    QString title;
    QString text;
};

// Answers message and input boxes from queues; a prompt nobody scripted fails the test.
class ScriptedPrompter : public platform::Prompter {
public:
    void answerMessage(bool ok) { m_messageAnswers.push_back(ok); }
    void answerInput(std::optional<QString> text) { m_inputAnswers.push_back(std::move(text)); }

    bool message(platform::MsgStyle style, const QString& title, const QString& text) override
    {
        shown.push_back({style, title, text});
        if (m_messageAnswers.empty()) {
            // Single-button boxes need no script; questions do.
            const bool question = style == platform::MsgStyle::Information || style == platform::MsgStyle::OkCancel;
            if (question)
                ADD_FAILURE() << "unscripted question: " << text.toStdString();
            return true;
        }
        const bool ok = m_messageAnswers.front();
        m_messageAnswers.pop_front();
        return ok;
    }
    std::optional<QString> input(const QString& title, const QString& prompt, const QString& initial) override
    {
        shown.push_back({platform::MsgStyle::Plain, title, prompt});
        if (m_inputAnswers.empty()) {
            ADD_FAILURE() << "unscripted input box: " << prompt.toStdString();
            return std::nullopt;
        }
        (void)initial;
        // Taken apart rather than moved whole: GCC's optimiser otherwise takes
        // the moved-from optional for an uninitialised one.
        const bool answered = m_inputAnswers.front().has_value();
        QString text = answered ? std::move(*m_inputAnswers.front()) : QString();
        m_inputAnswers.pop_front();
        return answered ? std::optional<QString>(std::move(text)) : std::nullopt;
    }
    bool allAnswered() const { return m_messageAnswers.empty() && m_inputAnswers.empty(); }

    std::vector<Prompt> shown;

private:
    std::deque<bool> m_messageAnswers;
    std::deque<std::optional<QString>> m_inputAnswers;
};

// Records what would have been handed to the desktop.
class RecordingShell : public platform::DesktopShell {
public:
    bool open(const QString& target) override
    {
        opened.push_back(target);
        return openResult;
    }
    QIcon fileTypeIcon(const QString& fileName) override
    {
        iconRequests.push_back(fileName);
        return QIcon();
    }
    bool startProgram(const QString& program, const QStringList& arguments) override
    {
        started.push_back(QStringList{program} + arguments);
        return startResult;
    }
    std::vector<QString> opened;
    std::vector<QString> iconRequests;
    std::vector<QStringList> started;  // program, then its arguments
    bool openResult = true;
    bool startResult = true;
};

}  // namespace testsupport
