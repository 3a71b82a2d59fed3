#include "WizardBinding.h"

#include "FrmMain.h"
#include "MainToolbar.h"
#include "NavigationBinding.h"

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

namespace {

using catalogue::Node;
namespace ct = catalogue::texts;

QString under(const QString& branch, const QString& rest)
{
    return ct::root() + QLatin1Char('\\') + branch + QLatin1Char('\\') + rest;
}

// The tree paths an entry is filed under, as the catalogue load files it.
struct Filing {
    QString path;
    int folderImage;
};
std::vector<Filing> filingsOf(const QString& path, const QString& name, const QString& base, bool deleted,
                              bool favourite)
{
    const QString entry = path + QLatin1Char('\\') + name;
    std::vector<Filing> out{{under(ct::installedBases(), base + QLatin1Char('\\') + entry), 8}};
    if (deleted)
        out.push_back({under(ct::recycleBin(), name), 6});
    else if (store::isFavouritesPath(path))
        out.push_back({under(ct::favourites(), name), 4});
    else
        out.push_back({under(ct::records(), entry), 8});
    if (favourite)
        out.push_back({under(ct::favourites(), name), 4});
    return out;
}

// Takes the entry's node off the tree. A node that other entries or folders
// hang below only loses its number; folders left empty go with it, up to the
// root's branches, as a rebuild would not make them.
void unfile(catalogue::PathTreeModel& tree, const QString& path, const QString& tag)
{
    Node* node = tree.getNode(path);
    if (!node || node->tag() != tag)
        return;
    if (node->childCount() > 0) {
        tree.setTag(node, QString());
        return;
    }
    Node* parent = node->parent();
    tree.removeNode(node);
    while (parent && parent->parent() && parent->parent()->parent() && parent->childCount() == 0 &&
           parent->tag().isEmpty()) {
        Node* up = parent->parent();
        tree.removeNode(parent);
        parent = up;
    }
}

}  // namespace

void WizardBinding::entryAdded(qint64 recordNumber)
{
    // Filed in place: the tree's two paths, the index, the folder list.
    catalogue::MainState& state = m_w.state();
    store::Recordset* rs = state.rsBase.get();
    if (!rs || !state.twv || recordNumber < 1 || recordNumber > rs->recordCount())
        return reload();
    rs->moveTo(recordNumber);
    file(recordNumber);
    catalogue::listPapka(state);
}

void WizardBinding::entryChanged(qint64 recordNumber, const articles::EntryPlace& before)
{
    // The entry leaves every node it had (the bin's too) and is filed again
    // under its new place, in the tree and the index; nothing else moves.
    catalogue::MainState& state = m_w.state();
    store::Recordset* rs = state.rsBase.get();
    if (!rs || !state.twv || recordNumber < 1 || recordNumber > rs->recordCount())
        return reload();
    const QString tag = QString::number(recordNumber);
    catalogue::PathTreeModel& tree = *state.twv->nodes();
    for (const Filing& f : filingsOf(before.path, before.name, before.baseName, before.deleted, before.favourite))
        unfile(tree, f.path, tag);
    if (state.lstAlphaList)
        state.lstAlphaList->items()->removeTag(recordNumber);
    rs->moveTo(recordNumber);
    file(recordNumber);
    catalogue::listPapka(state);
}

void WizardBinding::file(qint64 recordNumber)
{
    catalogue::MainState& state = m_w.state();
    store::Recordset& rs = *state.rsBase;
    const QString tag = QString::number(recordNumber);
    const QString name = rs.text(store::ColName);
    const int kind = int(rs.integer(store::ColKind));
    for (const Filing& f : filingsOf(rs.text(store::ColPath), name, rs.text(store::ColBaseName),
                                     rs.flag(store::ColDeleted), rs.flag(store::ColFavorite)))
        state.twv->addNodePath(f.path, tag, kind, f.folderImage);
    if (state.lstAlphaList && !rs.flag(store::ColDeleted) && !name.isEmpty())
        state.lstAlphaList->items()->append(name, recordNumber);
}

void WizardBinding::reload()
{
    if (const auto r = catalogue::listAlpha(m_w.state()); !r)
        m_w.prompter().message(platform::MsgStyle::Critical, m_w.windowTitle(), r.message());
}

}  // namespace shell
