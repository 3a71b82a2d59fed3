#include "WizardBinding.h"

#include "FrmMain.h"
#include "MainToolbar.h"
#include "NavigationBinding.h"
#include "OrganiseBinding.h"
#include "MaintenanceBinding.h"

#include "articles/ArticleView.h"
#include "articles/FrmAdd.h"
#include "catalogue/AlphaIndexList.h"
#include "catalogue/AlphaIndexModel.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/FolderListing.h"
#include "catalogue/PathTree.h"
#include "catalogue/PathTreeModel.h"
#include "catalogue/Texts.h"
#include "store/Record.h"
#include "store/Recordset.h"
#include "catalogue/MainState.h"
#include "dialogs/CdlgEx.h"
#include "organise/CatalogueViews.h"
#include "organise/FolderPicker.h"
#include "organise/SeeAlsoPicker.h"
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
    window.TbMain->setButtonEnabled(catalogue::ToolButton::Add, true);
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
        s.pickFolder = [this](QWidget* owner) { return chooseFolder(owner); };
        s.pickSeeAlso = [this](QWidget* owner) { return chooseReference(owner); };
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

void WizardBinding::entryAdded(qint64 recordNumber)
{
    // Filed in place in the tree, the folder list and the index, as the
    // organising commands file what they change.
    catalogue::MainState& state = m_w.state();
    store::Recordset* rs = state.rsBase.get();
    if (!rs || !state.twv || recordNumber < 1 || recordNumber > rs->recordCount())
        return reload();
    rs->moveTo(recordNumber);
    m_w.navigation().organise().views().entryAdded(recordNumber, organise::EntryPlace::of(*rs));
    // The count counts every row, so a new one shows in it at once rather
    // than when the next article is opened.
    m_w.maintenance().showCount();
}

void WizardBinding::entryChanged(qint64 recordNumber, const articles::EntryPlace& was)
{
    // The entry leaves every place it had (the bin's too) and is filed again
    // under its new one; nothing else moves.
    catalogue::MainState& state = m_w.state();
    store::Recordset* rs = state.rsBase.get();
    if (!rs || !state.twv || recordNumber < 1 || recordNumber > rs->recordCount())
        return reload();
    organise::EntryPlace before;
    before.path = was.path;
    before.name = was.name;
    before.baseName = was.baseName;
    before.kind = int(was.kind);
    before.deleted = was.deleted;
    before.favourite = was.favourite;
    rs->moveTo(recordNumber);
    m_w.navigation().organise().views().entryChanged(recordNumber, before, organise::EntryPlace::of(*rs));
}

std::optional<QString> WizardBinding::chooseFolder(QWidget* owner)
{
    // `FrmFolder` stays loaded, its tree with it, until it gives a folder.
    catalogue::MainState& state = m_w.state();
    if (!state.rsBase)
        return std::nullopt;
    if (!m_folderPicker)
        m_folderPicker = new organise::FolderPicker(*state.rsBase, owner);
    m_folderPicker->exec();
    const QString chosen = m_folderPicker->result();
    if (chosen.isEmpty())
        return std::nullopt;
    delete m_folderPicker.data();
    return chosen;
}

std::optional<QString> WizardBinding::chooseReference(QWidget* owner)
{
    // `FrmSeeAlso` reads the base afresh at every showing.
    catalogue::MainState& state = m_w.state();
    if (!state.base)
        return std::nullopt;
    auto picker = organise::SeeAlsoPicker::create(*state.base, owner);
    if (!picker) {
        m_w.prompter().message(platform::MsgStyle::Critical, m_w.windowTitle(), picker.message());
        return std::nullopt;
    }
    (*picker)->exec();
    const QString chosen = (*picker)->result();
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

void WizardBinding::reload()
{
    if (const auto r = catalogue::listAlpha(m_w.state()); !r)
        m_w.prompter().message(platform::MsgStyle::Critical, m_w.windowTitle(), r.message());
}

}  // namespace shell
