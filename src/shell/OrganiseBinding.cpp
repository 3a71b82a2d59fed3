#include "OrganiseBinding.h"

#include "FrmMain.h"
#include "MainToolbar.h"
#include "ShellTexts.h"

#include "catalogue/FolderList.h"
#include "catalogue/Navigator.h"
#include "organise/CatalogueViews.h"
#include "organise/Favourites.h"
#include "organise/RecycleBin.h"
#include "organise/Renamer.h"

#include <QAction>

namespace shell {

OrganiseBinding::OrganiseBinding(FrmMain& window)
    : QObject(&window), m_w(window), m_views(std::make_unique<organise::CatalogueViews>(window.state()))
{
    const organise::OrganiseContext context{window.state(), window.prompter(), *m_views, texts::mainTitle()};
    m_bin = std::make_unique<organise::RecycleBin>(context);
    m_favourites = std::make_unique<organise::Favourites>(context);
    m_renamer = new organise::Renamer(context, *window.LvPapka, this);
}

OrganiseBinding::~OrganiseBinding() = default;

void OrganiseBinding::fillHooks(catalogue::NavigatorHooks& hooks)
{
    organise::RecycleBin* bin = m_bin.get();
    organise::Favourites* favourites = m_favourites.get();
    hooks.moveToRecycleBin = [bin] { bin->deleteItem(false); };
    hooks.deleteItem = [bin] { bin->deleteItem(false); };
    hooks.restore = [bin] { bin->restore(); };
    hooks.deleteFromBase = [bin] { bin->deleteFromBase(); };
    hooks.addToFavourites = [favourites] { favourites->add(); };
    hooks.removeFromFavourites = [favourites] { favourites->remove(); };
    hooks.editLink = [favourites] { favourites->editLink(); };
}

void OrganiseBinding::connectWindow()
{
    organise::RecycleBin* bin = m_bin.get();
    organise::Favourites* favourites = m_favourites.get();
    m_w.MnuFileDel->setEnabled(true);
    connect(m_w.MnuFileDel, &QAction::triggered, this, [bin] { bin->deleteItem(false); });
    m_w.MnuEditAddToFavorites->setEnabled(true);
    connect(m_w.MnuEditAddToFavorites, &QAction::triggered, this, [favourites] { favourites->add(); });
    m_w.TbMain->setButtonEnabled(catalogue::ToolButton::Del, true);

    m_renamer->attach();
    organise::Renamer* renamer = m_renamer;
    connect(m_w.LvPapka, &catalogue::FolderList::keyPressed, this, [renamer](int key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_F2)
            renamer->editSelected();
    });
}

}  // namespace shell
