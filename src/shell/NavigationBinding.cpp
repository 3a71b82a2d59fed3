#include "NavigationBinding.h"

#include "AttachmentPanel.h"

#include "articles/ArticlePane.h"
#include "MainToolbar.h"
#include "OrganiseBinding.h"
#include "WizardBinding.h"
#include "Twips.h"

#include "articles/ArticleView.h"
#include "catalogue/FolderList.h"
#include "catalogue/Navigator.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QToolButton>

namespace shell {

NavigationBinding::NavigationBinding(const NavigationWidgets& widgets, const NavigationServices& services,
                                     QObject* parent)
    : QObject(parent), m_w(widgets), m_organise(&services.organise)
{
    catalogue::NavigatorHooks hooks;
    hooks.openEntry = [view = &services.articleView] { view->openEntry(); };
    hooks.extract = [attachments = &services.attachments] { attachments->extractAttachments(); };
    hooks.seeAlso = [this] { popUpSeeAlso(); };
    hooks.clearAttachments = [list = m_w.LstFile] { list->clear(); };
    hooks.copy = [view = &services.articleView] { view->copySelection(); };
    hooks.add = [wizard = &services.wizard] { wizard->newEntry(); };
    hooks.properties = [wizard = &services.wizard] { wizard->properties(); };
    m_organise->fillHooks(hooks);
    // The other commands arrive with later work; their items stay disabled.
    m_nav = new catalogue::Navigator(services.state, std::move(hooks), this);
    m_nav->connectWidgets();
    m_organise->connectWindow();

    connect(m_w.TbMain, &MainToolbar::buttonClicked, m_nav, &catalogue::Navigator::toolbarButton);
    connect(m_w.TbMain, &MainToolbar::buttonMenuClicked, m_nav, &catalogue::Navigator::toolbarMenu);
    // The Edit menu's "Копировать" is the toolbar's "copy".
    connect(m_w.MnuEditCopy, &QAction::triggered, m_nav,
            [nav = m_nav] { nav->toolbarButton(catalogue::ToolButton::Copy); });
    connect(m_w.MnuViewLargeIcon, &QAction::triggered, m_nav, &catalogue::Navigator::viewLargeIcons);
    connect(m_w.MnuViewSmallIcon, &QAction::triggered, m_nav, &catalogue::Navigator::viewList);
    connect(m_w.MnuViewTable, &QAction::triggered, m_nav, &catalogue::Navigator::viewTable);
    connect(m_nav, &catalogue::Navigator::navigationChanged, this, &NavigationBinding::reflect);
    reflect();
}

void NavigationBinding::setToolbarButton(catalogue::ToolButton button, bool enabled, int picture)
{
    using catalogue::ToolButton;
    const bool keep = picture == catalogue::PicKeep;
    if (button == ToolButton::Extract)
        m_nav->setExtract(enabled, keep ? m_nav->extractPicture() : picture);
    else if (button == ToolButton::Up)
        m_nav->setUpEnabled(enabled);
    else if (button == ToolButton::See)
        m_nav->setSeeEnabled(enabled);
    else
        m_w.TbMain->setButtonEnabled(button, enabled);
    if (!keep && button != ToolButton::Extract)
        m_w.TbMain->setPicture(button, picture);
}

void NavigationBinding::showArticlePane() { m_nav->setArticleVisible(true); }

void NavigationBinding::popUpSeeAlso()
{
    const QToolButton* b = m_w.TbMain->button(catalogue::ToolButton::See);
    m_w.MnuSee->popup(b->mapToGlobal(QPoint(twipsToPixels(160, screenDpiX()), b->height())));
}

void NavigationBinding::reflect()
{
    const bool article = m_nav->articleVisible();
    m_w.LvPapka->setVisible(!article);
    m_w.RTF->setVisible(article);
    m_w.TbMain->setButtonEnabled(catalogue::ToolButton::Up, m_nav->upEnabled());
    m_w.TbMain->setButtonEnabled(catalogue::ToolButton::See, m_nav->seeEnabled());
    m_w.TbMain->setButtonEnabled(catalogue::ToolButton::Extract, m_nav->extractEnabled());
    m_w.TbMain->setPicture(catalogue::ToolButton::Extract, m_nav->extractPicture());
    m_w.MnuEditExtract->setEnabled(m_nav->extractEnabled());
    // While an article is shown the address is the article's own.
    if (!article)
        m_w.txtAddress->setText(m_nav->address());
}

}  // namespace shell
