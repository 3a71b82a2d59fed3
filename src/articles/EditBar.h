#pragma once
// `CBEdit`: the edit bar above the article pane, with the font-name box
// `CboFont`, the font-size box `CboFontSize` and the edit toolbar `TBEdit`.
// It only shows and reports; RichTextEditor decides what the commands do.
#include <QHash>
#include <QWidget>

class QAction;
class QComboBox;
class QToolBar;
class QToolButton;

namespace articles {

class EditBar : public QWidget {
    Q_OBJECT
public:
    explicit EditBar(QWidget* parent = nullptr);

    QComboBox* cboFont() const { return m_font; }
    QComboBox* cboFontSize() const { return m_size; }
    QToolBar* tbEdit() const { return m_toolbar; }

    // Buttons by key, in toolbar order.
    static const QStringList& keys();
    QToolButton* button(const QString& key) const { return m_buttons.value(key); }
    // A button's value: 1 pressed, 0 not (two-state buttons only keep a state).
    int value(const QString& key) const;
    void setValue(const QString& key, int value);

Q_SIGNALS:
    // `TBEdit_ButtonClick`: a button was clicked; two-state buttons already show
    // their new state.
    void buttonClicked(const QString& key);
    // `CboFont_Click` / Enter in `CboFont`, and the same for `CboFontSize`.
    void fontChosen(const QString& text);
    void sizeChosen(const QString& text);

private:
    QComboBox* m_font;
    QComboBox* m_size;
    QToolBar* m_toolbar;
    QHash<QString, QToolButton*> m_buttons;
    QHash<QString, QAction*> m_actions;
};

}  // namespace articles
