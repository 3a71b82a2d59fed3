#pragma once
// "Копировать" (the Edit menu's item and the toolbar's button) copies the
// shown article's selection: with no article shown there is nothing to copy,
// and both are disabled.
#include <QObject>

class QAction;

namespace catalogue {
class Navigator;
}

namespace shell {

class MainToolbar;

class CopyAvailability : public QObject {
    Q_OBJECT
public:
    CopyAvailability(catalogue::Navigator& navigator, QAction* menuItem, MainToolbar* toolbar,
                     QObject* parent = nullptr);

private:
    void follow();

    catalogue::Navigator& m_nav;
    QAction* m_item;
    MainToolbar* m_toolbar;
};

}  // namespace shell
