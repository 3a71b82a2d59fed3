#pragma once
// The keys and mouse buttons a desktop program is expected to answer, beyond
// what each control does by itself: Alt+Left and Alt+Right (and the mouse's
// back and forward buttons) through the history; Enter on a folder item opens
// it and Backspace in the list goes up; Shift+F10 and the Menu key open the
// context menu of the selection; F5 loads the catalogue again; Ctrl+F goes to
// the search box and Ctrl+Shift+A to the index box.
#include <QObject>

class QWidget;

namespace shell {

class FrmMain;
class History;

class KeyBindings : public QObject {
    Q_OBJECT
public:
    KeyBindings(FrmMain& window, History& history);
    ~KeyBindings() override;

    void goToSearch();
    void goToIndex();
    // The context menu of what is selected in the widget that has the focus.
    void contextMenuOfSelection(QWidget* focus);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void folderListKey(int key, Qt::KeyboardModifiers modifiers);

    FrmMain& m_w;
    History& m_history;
};

// Whether a key press asks for the context menu (the Menu key, or Shift+F10).
bool isContextMenuKey(int key, Qt::KeyboardModifiers modifiers);

}  // namespace shell
