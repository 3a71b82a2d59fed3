#pragma once
// `CBEdit`: the edit bar above the article pane, with the font-name box
// `CboFont`, the font-size box `CboFontSize` and the edit toolbar `TBEdit`.
// It only shows and reports; RichTextEditor decides what the commands do.
#include <QLatin1StringView>
#include <QWidget>

#include <array>

class QAction;
class QComboBox;
class QToolBar;
class QToolButton;

namespace articles {

// The edit toolbar's buttons, in toolbar order.
enum class EditButton { Cut, Copy, Paste, Bold, Italic, Underline, Left, Center, Right, Color };
inline constexpr int EditButtonCount = 10;

// A button's stable name: its object name, which accessibility tools and
// scripted walk-throughs find it by.
QLatin1StringView editButtonName(EditButton b);

class EditBar : public QWidget {
    Q_OBJECT
public:
    explicit EditBar(QWidget* parent = nullptr);

    QComboBox* cboFont() const { return m_font; }
    QComboBox* cboFontSize() const { return m_size; }
    QToolBar* tbEdit() const { return m_toolbar; }

    QToolButton* button(EditButton b) const { return m_buttons[index(b)]; }
    // A button's value: 1 pressed, 0 not (two-state buttons only keep a state).
    int value(EditButton b) const;
    void setValue(EditButton b, int value);

Q_SIGNALS:
    // `TBEdit_ButtonClick`: a button was clicked; two-state buttons already show
    // their new state.
    void buttonClicked(articles::EditButton b);
    // `CboFont_Click` / Enter in `CboFont`, and the same for `CboFontSize`.
    void fontChosen(const QString& text);
    void sizeChosen(const QString& text);

private:
    QComboBox* m_font;
    QComboBox* m_size;
    QToolBar* m_toolbar;
    static std::size_t index(EditButton b) { return static_cast<std::size_t>(b); }

    std::array<QToolButton*, EditButtonCount> m_buttons{};
    std::array<QAction*, EditButtonCount> m_actions{};
};

}  // namespace articles
