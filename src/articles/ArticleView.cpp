#include "ArticleView.h"

#include "ArticlePane.h"
#include "ArticleTexts.h"
#include "catalogue/MainState.h"
#include "catalogue/Texts.h"
#include "platform/DesktopShell.h"
#include "richtext/Rtf.h"
#include "store/Record.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextDocument>
#include <QTextEdit>

namespace articles {

using namespace store;

namespace {

// Puts an article into the pane as a new document read away from the view,
// then shown. Read into the shown document, the pane's cursor would be carried
// to the end by the text going in, and its first move would lay out the whole
// article at once instead of screen by screen. A new document also drops the
// pictures of the previous article. Documents belong to the pane, which
// deletes the one it showed before.
void showRtf(QTextEdit& pane, const QByteArray& rtf)
{
    const QPointer<QTextDocument> old = pane.document();
    auto* doc = new QTextDocument(&pane);
    doc->setDefaultFont(old->defaultFont());
    doc->setDocumentMargin(old->documentMargin());
    doc->setIndentWidth(old->indentWidth());
    doc->setDefaultStyleSheet(old->defaultStyleSheet());
    // Reading is not an edit the user could undo.
    doc->setUndoRedoEnabled(false);
    richtext::readRtf(rtf, doc);
    doc->setUndoRedoEnabled(true);
    doc->setModified(false);
    pane.setDocument(doc);
    if (old && old->parent() == &pane)
        old->deleteLater();
}

}  // namespace

ArticleView::ArticleView(catalogue::MainState& state, ArticleWidgets widgets, platform::DesktopShell& desktop,
                         QObject* parent)
    : QObject(parent), m_state(state), m_w(std::move(widgets)), m_desktop(desktop)
{
    if (!m_w.mnuSee)
        return;
    for (QAction* a : m_w.mnuSee->actions()) {
        if (a->objectName() == QLatin1String("MnuSeeItem"))
            m_seeItems = {a};
        else if (a->objectName() == QLatin1String("MnuSeeLine1"))
            m_seeLine = a;
    }
    if (m_seeItems.isEmpty()) {
        // Element 0 exists from the start, hidden until an article has references.
        QAction* first = new QAction(texts::seeItemCaption(), m_w.mnuSee);
        first->setObjectName(QStringLiteral("MnuSeeItem"));
        m_w.mnuSee->insertAction(m_seeLine, first);
        m_seeItems = {first};
    }
    QAction* first = m_seeItems.front();
    connect(first, &QAction::triggered, this, [this, first] { seeAlsoChosen(first->data().toString()); });
}

bool ArticleView::openEntry()
{
    Recordset* rs = m_state.rsBase.get();
    if (!rs || rs->eof() || rs->bof())
        return false;
    // What the user typed into the article shown now is stored before anything
    // else is shown or launched; the store puts the recordset back on this entry.
    m_state.flushPendingEdits();
    const QString target = rs->text(ColLinkTarget);
    if (!target.isEmpty()) {
        // Links and programs are the desktop's; the window keeps what it showed.
        // A refusal is said, never swallowed: the user clicked and must learn why
        // nothing opened.
        const platform::LaunchResult launched = m_desktop.launch(target);
        if (!launched.ok() && m_w.warn)
            m_w.warn(texts::cannotLaunch(launched, target));
        return false;
    }
    const QString name = rs->text(ColName);
    const QString entry = rs->text(ColPath) + QLatin1Char('\\') + name;
    QByteArray body = rs->bytes(ColBody);
    QString fileList = rs->text(ColFileList), seeAlso = rs->text(ColSeeAlso);
    // A row that cannot be read is shown empty and locked, never as an empty
    // article (nor taken for a folder record), and the pane does not take it:
    // nothing typed there can be stored over it.
    const Result<void> read = rs->readStatus();
    // A folder record (no title) names a folder, not an article: nothing to show
    // and nothing to type into. Navigation lists its folder instead.
    if (read && catalogue::isFolderRecord(*rs))
        return false;
    // From here on the pane belongs to this row.
    m_state.displayedEntry = read ? QString::number(rs->recordNumber()) : QString();
    m_state.displayedId = read ? rs->currentRowId() : 0;
    if (!read) {
        body.clear();
        fileList.clear();
        seeAlso.clear();
    }
    if (m_w.address)
        m_w.address->setText(catalogue::texts::addressPrefix() + entry);
    if (m_w.rtf)
        showRtf(*m_w.rtf, body);
    if (m_w.showArticlePane)
        m_w.showArticlePane();
    if (m_w.setStatusPanel)
        m_w.setStatusPanel(catalogue::PanelEntry, name);
    fillAttachments(fileList);
    if (m_w.setToolbarButton)
        m_w.setToolbarButton(catalogue::ToolButton::Up, true, catalogue::PicKeep);
    if (m_w.setToolbarButton)
        m_w.setToolbarButton(catalogue::ToolButton::See, true, catalogue::PicKeep);
    fillSeeAlso(seeAlso);
    if (m_w.rtf)
        m_w.rtf->setEnabled(read.ok());
    if (m_w.setStatusPanel)
        m_w.setStatusPanel(catalogue::PanelArticles, catalogue::texts::articleCount(rs->recordCount()));
    if (m_w.relayout)
        m_w.relayout();
    if (!read) {
        if (m_w.rtf)
            m_w.rtf->setReadOnly(true);
        if (m_w.warn)
            m_w.warn(texts::unreadable().arg(entry, read.message()));
        return false;
    }
    Q_EMIT articleShown(name);
    return true;
}

void ArticleView::copySelection()
{
    if (!m_w.rtf)
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(selectionMimeData(*m_w.rtf));
}

void ArticleView::fillAttachments(const QString& fileList)
{
    // "extract" is enabled whenever FileList has any length: a lone blank (all files
    // removed in the wizard) still enables it, with an empty list.
    const bool any = !fileList.isEmpty();
    if (m_w.setToolbarButton)
        m_w.setToolbarButton(catalogue::ToolButton::Extract, any,
                             any ? catalogue::PicExtract : catalogue::PicExtractNone);
    if (m_w.mnuEditExtract)
        m_w.mnuEditExtract->setEnabled(any);
    if (!m_w.lstFile)
        return;
    m_w.lstFile->clear();
    // Piece 0 is what stands before the first ";" and is never a name. The icon comes
    // from the name's type, so no placeholder file is written into the data folder:
    // a hostile name in a base can create nothing anywhere.
    const QStringList pieces = fileList.split(QLatin1Char(';'));
    for (int i = 1; i < pieces.size(); ++i) {
        if (pieces[i].isEmpty())
            continue;
        auto* item = new QListWidgetItem(m_desktop.fileTypeIcon(pieces[i]), pieces[i]);
        m_w.lstFile->addItem(item);
    }
}

void ArticleView::fillSeeAlso(const QString& seeAlso)
{
    // Every element above 0 belongs to the previous article.
    while (m_seeItems.size() > 1)
        delete m_seeItems.takeLast();
    m_seeItems.front()->setVisible(false);
    if (m_seeLine)
        m_seeLine->setVisible(!seeAlso.isEmpty());
    if (seeAlso.isEmpty())
        return;
    const QStringList pieces = seeAlso.split(QStringLiteral(";;"));
    for (int k = 0; k < pieces.size(); ++k) {
        if (pieces[k].isEmpty())
            continue;
        QAction* item = m_seeItems.front();
        if (k > 0) {
            item = new QAction(m_w.mnuSee);
            item->setObjectName(QStringLiteral("MnuSeeItem"));
            m_w.mnuSee->insertAction(m_seeLine, item);
            connect(item, &QAction::triggered, this, [this, item] { seeAlsoChosen(item->data().toString()); });
            m_seeItems.push_back(item);
        }
        // The caption shows the reference as it is ("&" must not become a shortcut);
        // the reference itself rides in the action's data.
        QString caption = pieces[k];
        item->setText(caption.replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setData(pieces[k]);
        item->setVisible(true);
    }
}

void ArticleView::seeAlsoChosen(const QString& reference)
{
    // The reference outlived its entry (removed or renamed since): say so
    // rather than do nothing.
    if (!followSeeAlso(reference) && m_w.warn)
        m_w.warn(texts::seeAlsoMissing(reference));
}

bool ArticleView::followSeeAlso(const QString& reference)
{
    Recordset* rs = m_state.rsBase.get();
    if (!rs || reference.isEmpty())
        return false;
    const QString wanted = reference.toLower();
    const qint64 n = rs->recordCount();
    rs->moveFirst();
    for (qint64 i = 1; i <= n; ++i, rs->moveNext()) {
        const QString here = rs->text(ColPath) + QLatin1Char('\\') + rs->text(ColName);
        if (auto read = rs->readStatus(); !read) {
            if (m_w.warn)  // the row sought may be the one not read
                m_w.warn(read.message());
            return false;
        }
        if (here.toLower() != wanted)
            continue;
        m_state.selItem = QString::number(i);
        openEntry();
        return true;
    }
    return false;
}

}  // namespace articles
