#pragma once
// Binds the catalogue's navigation to the window: it gives the navigator the
// commands other parts carry out (showing an entry, extracting, the see-also
// pop-up), routes the toolbar and the View menu to it, and makes the window show
// the navigation state (which pane, the toolbar's states, the address).
#include "catalogue/Controls.h"

#include <QObject>

namespace catalogue {
class Navigator;
}

namespace shell {

class AttachmentPanel;
class FrmMain;
class OrganiseBinding;

class NavigationBinding : public QObject {
    Q_OBJECT
public:
    NavigationBinding(FrmMain& window, AttachmentPanel& attachments);

    catalogue::Navigator& navigator() const { return *m_nav; }
    OrganiseBinding& organise() const { return *m_organise; }

    // A toolbar state set by the article display, kept by the navigator.
    void setToolbarButton(catalogue::ToolButton button, bool enabled, int picture);
    void showArticlePane();
    // The "see" button's pop-up, just below the button.
    void popUpSeeAlso();

private:
    void reflect();

    FrmMain& m_w;
    catalogue::Navigator* m_nav = nullptr;
    OrganiseBinding* m_organise = nullptr;
};

}  // namespace shell
