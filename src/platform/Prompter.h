#pragma once
// Every place where the program stops and waits for the user goes through here,
// so tests can answer from a script.
#include <QString>

#include <optional>

class QWidget;

namespace platform {

// Message box styles, as the program's messages use them.
enum class MsgStyle {
    Plain,        // no icon, OK
    Information,  // question with OK and Cancel and the information icon
    Warning,      // notice with the warning icon
    Critical,     // refusal or error with the critical icon
    OkCancel,     // question with OK and Cancel, no icon
};

class Prompter {
public:
    virtual ~Prompter() = default;
    // Shows a message; returns true for OK (always true for single-button boxes).
    virtual bool message(MsgStyle style, const QString& title, const QString& text) = 0;
    // The input box: the typed text, or nothing on Cancel.
    virtual std::optional<QString> input(const QString& title, const QString& prompt,
                                         const QString& initial) = 0;
};

// Real dialogs, parented to the given window.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    bool message(MsgStyle style, const QString& title, const QString& text) override;
    std::optional<QString> input(const QString& title, const QString& prompt,
                                 const QString& initial) override;

private:
    QWidget* m_parent;
};

}  // namespace platform
