#include "WizardBinding.h"

#include "FrmMain.h"
#include "MainToolbar.h"
#include "NavigationBinding.h"

#include "articles/ArticleView.h"
#include "articles/FrmAdd.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/MainState.h"
#include "dialogs/CdlgEx.h"
#include "platform/Prompter.h"

#include <QAction>
#include <QMenu>

namespace shell {

WizardBinding::WizardBinding(FrmMain& window, dialogs::CommonDialogs& dialogs)
    : QObject(&window), m_w(window), m_dialogs(dialogs)
{
    connect(window.MnuFileAdd, &QAction::triggered, this, &WizardBinding::newEntry);
    connect(window.MnuFileProp, &QAction::triggered, this, &WizardBinding::properties);
    window.MnuFileAdd->setEnabled(true);
    window.MnuFileProp->setEnabled(true);
    window.TbMain->setButtonEnabled(QStringLiteral("add"), true);
    if (QAction* a = window.MnuInFile->findChild<QAction*>(QStringLiteral("MnuInEdit"))) {
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, &WizardBinding::editFiles);
    }
    if (QAction* a = window.MnuSee->findChild<QAction*>(QStringLiteral("MnuSeeAdd"))) {
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, &WizardBinding::editSeeAlso);
    }
}

WizardBinding::~WizardBinding() = default;

articles::FrmAdd& WizardBinding::wizard()
{
    if (!m_wizard) {
        articles::WizardServices s;
        s.prompter = &m_w.prompter();
        s.newDialog = [this] {
            return std::make_unique<dialogs::CdlgEx>(m_dialogs, m_w.prompter(), m_w.state().appDir);
        };
        s.entryAdded = [this](qint64 n) { entryAdded(n); };
        s.entryChanged = [this](qint64 n, const articles::EntryPlace& before) { entryChanged(n, before); };
        if (pickFolder)
            s.pickFolder = pickFolder;
        if (pickSeeAlso)
            s.pickSeeAlso = pickSeeAlso;
        m_wizard = new articles::FrmAdd(m_w.state(), std::move(s), &m_w);
    }
    return *m_wizard;
}

void WizardBinding::newEntry()
{
    m_w.state().flushPendingEdits();
    articles::FrmAdd& w = wizard();
    w.vStep = articles::FrmAdd::NewEntry;
    w.run();
}

void WizardBinding::properties()
{
    catalogue::MainState& state = m_w.state();
    state.flushPendingEdits();
    if (state.selItem.isEmpty() || catalogue::recordNumberOf(state.selItem) == 0 || !state.goToRecord(state.selItem))
        return;
    articles::FrmAdd& w = wizard();
    w.vStep = articles::FrmAdd::Properties;
    w.run();
}

void WizardBinding::editFiles() { editShown(articles::FrmAdd::Files); }
void WizardBinding::editSeeAlso() { editShown(articles::FrmAdd::SeeAlso); }

void WizardBinding::editShown(int step)
{
    catalogue::MainState& state = m_w.state();
    state.flushPendingEdits();
    // The shown article, never whatever row the recordset happens to stand on.
    if (!state.goToDisplayed())
        return;
    articles::FrmAdd& w = wizard();
    w.vStep = step;
    const bool committed = w.run();
    if (committed && state.goToDisplayed()) {
        state.selItem = state.displayedEntry;
        m_w.articleView().openEntry();
    }
}

void WizardBinding::entryAdded(qint64)
{
    // The views are rebuilt from the base: the new entry gets its place in the
    // tree, the sorted index and the folder list.
    reload();
}

void WizardBinding::entryChanged(qint64, const articles::EntryPlace&)
{
    // Rebuilt rather than patched: the entry leaves every node it had (the
    // bin's too) and is filed again under its new place.
    reload();
}

void WizardBinding::reload()
{
    if (const auto r = catalogue::listAlpha(m_w.state()); !r)
        m_w.prompter().message(platform::MsgStyle::Critical, m_w.windowTitle(), r.message());
}

}  // namespace shell
