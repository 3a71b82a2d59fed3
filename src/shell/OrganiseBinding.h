#pragma once
// Binds the organising commands to the window: the recycle bin, favourites and
// renaming behind the navigation's menus and keys, the File and Edit menus'
// items, the toolbar's "del", and the folder list's label editing with F2.
#include <QObject>

#include <memory>

namespace catalogue {
struct NavigatorHooks;
}
namespace organise {
class CatalogueViews;
class Favourites;
class RecycleBin;
class Renamer;
}  // namespace organise

namespace shell {

class FrmMain;

class OrganiseBinding : public QObject {
    Q_OBJECT
public:
    explicit OrganiseBinding(FrmMain& window);
    ~OrganiseBinding() override;

    // The commands the navigation's context menus, Delete key and toolbar run.
    void fillHooks(catalogue::NavigatorHooks& hooks);
    // The window's own menu items, the toolbar button and label editing.
    void connectWindow();

    organise::CatalogueViews& views() const { return *m_views; }
    organise::RecycleBin& recycleBin() const { return *m_bin; }
    organise::Favourites& favourites() const { return *m_favourites; }
    organise::Renamer& renamer() const { return *m_renamer; }

private:
    FrmMain& m_w;
    std::unique_ptr<organise::CatalogueViews> m_views;
    std::unique_ptr<organise::RecycleBin> m_bin;
    std::unique_ptr<organise::Favourites> m_favourites;
    organise::Renamer* m_renamer = nullptr;
};

}  // namespace shell
