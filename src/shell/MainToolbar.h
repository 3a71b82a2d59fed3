#pragma once
// `TbMain`: the main toolbar. Each button shows a picture of the toolbar list
// by number, in a normal and a hot look. Clicks come out as the button's
// identity, for whoever dispatches the commands.
#include "catalogue/Controls.h"

#include <QToolBar>

#include <array>

class QToolButton;

namespace shell {

class MainToolbar : public QToolBar {
    Q_OBJECT
public:
    explicit MainToolbar(QWidget* parent = nullptr);

    using Button = catalogue::ToolButton;

    QToolButton* button(Button b) const { return m_buttons[index(b)]; }
    // The buttons' names (object names), in toolbar order.
    QStringList keys() const;
    void setButtonEnabled(Button b, bool enabled);
    bool isButtonEnabled(Button b) const;
    // Picture number of the toolbar list shown by the button; PicKeep and
    // numbers outside the list leave it as it is.
    void setPicture(Button b, int picture);
    int picture(Button b) const { return m_pictures[index(b)]; }

Q_SIGNALS:
    void buttonClicked(catalogue::ToolButton b);
    // An item of the "style" button's drop-down.
    void buttonMenuClicked(catalogue::ToolMenuItem item);

private:
    static std::size_t index(Button b) { return static_cast<std::size_t>(b); }
    QToolButton* add(Button b, const QString& caption, const QString& tip, int picture);

    std::array<QToolButton*, catalogue::ToolButtons.size()> m_buttons{};
    std::array<int, catalogue::ToolButtons.size()> m_pictures{};
};

}  // namespace shell
