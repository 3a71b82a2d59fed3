#include "Prompter.h"

#include <QInputDialog>
#include <QMessageBox>

namespace platform {

bool QtPrompter::message(MsgStyle style, const QString& title, const QString& text)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (style) {
    case MsgStyle::Plain: box.setIcon(QMessageBox::NoIcon); break;
    case MsgStyle::Information: box.setIcon(QMessageBox::Information); break;
    case MsgStyle::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgStyle::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgStyle::OkCancel: box.setIcon(QMessageBox::NoIcon); break;
    }
    const bool question = style == MsgStyle::Information || style == MsgStyle::OkCancel;
    box.setStandardButtons(question ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

std::optional<QString> QtPrompter::input(const QString& title, const QString& prompt, const QString& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

}  // namespace platform
