#pragma once
// Binds the catalogue's navigation to the window: it gives the navigator the
// commands other parts carry out (showing an entry, extracting, the see-also
// pop-up), routes the toolbar and the View menu to it, and makes the window show
// the navigation state (which pane, the toolbar's states, the address).
#include "catalogue/Controls.h"

#include <QObject>

class QAction;
class QLineEdit;
class QListWidget;
class QMenu;

namespace articles {
class ArticlePane;
class ArticleView;
}  // namespace articles

namespace catalogue {
class FolderList;
class Navigator;
struct MainState;
}  // namespace catalogue

namespace shell {

class AttachmentPanel;
class MainToolbar;
class OrganiseBinding;
class WizardBinding;

// The controls the navigation drives and shows its state in.
struct NavigationWidgets {
    MainToolbar* TbMain = nullptr;
    QLineEdit* txtAddress = nullptr;
    catalogue::FolderList* LvPapka = nullptr;
    articles::ArticlePane* RTF = nullptr;
    QListWidget* LstFile = nullptr;
    QAction* MnuEditCopy = nullptr;
    QAction* MnuEditExtract = nullptr;
    QAction* MnuViewLargeIcon = nullptr;
    QAction* MnuViewSmallIcon = nullptr;
    QAction* MnuViewTable = nullptr;
    // The see-also pop-up.
    QMenu* MnuSee = nullptr;
};

// What the navigation's commands are carried out by.
struct NavigationServices {
    catalogue::MainState& state;
    articles::ArticleView& articleView;
    AttachmentPanel& attachments;
    WizardBinding& wizard;
    // The recycle bin, favourites and the link address.
    OrganiseBinding& organise;
};

class NavigationBinding : public QObject {
    Q_OBJECT
public:
    NavigationBinding(const NavigationWidgets& widgets, const NavigationServices& services, QObject* parent);

    catalogue::Navigator& navigator() const { return *m_nav; }
    OrganiseBinding& organise() const { return *m_organise; }

    // A toolbar state set by the article display, kept by the navigator.
    void setToolbarButton(catalogue::ToolButton button, bool enabled, int picture);
    void showArticlePane();
    // The "see" button's pop-up, just below the button.
    void popUpSeeAlso();

private:
    void reflect();

    NavigationWidgets m_w;
    catalogue::Navigator* m_nav = nullptr;
    OrganiseBinding* m_organise = nullptr;
};

}  // namespace shell
