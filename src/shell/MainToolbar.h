#pragma once
// `TbMain`: the main toolbar. Buttons are addressed by key; each shows a
// picture of the toolbar list by number, in a normal and a hot look. Clicks come
// out as keys, for whoever dispatches the commands.
#include <QHash>
#include <QToolBar>

class QToolButton;

namespace shell {

class MainToolbar : public QToolBar {
    Q_OBJECT
public:
    explicit MainToolbar(QWidget* parent = nullptr);

    QToolButton* button(const QString& key) const { return m_buttons.value(key); }
    QStringList keys() const { return m_order; }
    void setButtonEnabled(const QString& key, bool enabled);
    bool isButtonEnabled(const QString& key) const;
    // Picture number of the toolbar list shown by the button.
    void setPicture(const QString& key, int picture);
    int picture(const QString& key) const { return m_pictures.value(key); }

Q_SIGNALS:
    void buttonClicked(const QString& key);
    // An item of a button's drop-down ("big", "small", "report").
    void buttonMenuClicked(const QString& key);

private:
    QToolButton* addKeyed(const QString& key, const QString& caption, const QString& tip, int picture);

    QHash<QString, QToolButton*> m_buttons;
    QHash<QString, int> m_pictures;
    QStringList m_order;
};

}  // namespace shell
