#include "AttachmentPanel.h"

#include "ShellTexts.h"

#include "attachments/AttachmentActions.h"
#include "catalogue/MainState.h"
#include "dialogs/CdlgEx.h"
#include "store/AppFiles.h"
#include "platform/Prompter.h"
#include "store/Record.h"
#include "store/Recordset.h"

#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QTextEdit>

namespace shell {

AttachmentPanel::AttachmentPanel(catalogue::MainState& state, QListWidget* list, QTextEdit* articlePane,
                                 QMenu* popup, QWidget* owner, platform::Prompter& prompter,
                                 platform::DesktopShell& desktop, dialogs::CommonDialogs& dialogs)
    : QObject(owner),
      m_state(state),
      m_list(list),
      m_pane(articlePane),
      m_popup(popup),
      m_owner(owner),
      m_prompter(prompter),
      m_dialogs(dialogs),
      m_actions(std::make_unique<attachments::AttachmentActions>(
          prompter, desktop, store::AppFiles(state.appDir).dataFolder(), texts::startFailedTitle()))
{
    connect(list, &QListWidget::itemDoubleClicked, this, &AttachmentPanel::lstFileDblClick);
    list->viewport()->installEventFilter(this);
}

AttachmentPanel::~AttachmentPanel() = default;

bool AttachmentPanel::articleShown() const { return m_pane->isVisible(); }

std::optional<QByteArray> AttachmentPanel::displayedArchive()
{
    if (!m_state.goToDisplayed())
        return QByteArray();
    // An Archive that cannot be read is said so, not taken for one without files.
    auto archive = m_state.rsBase->read(store::ColArchive);
    if (!archive) {
        m_prompter.message(platform::MsgStyle::Critical, texts::startFailedTitle(), archive.message());
        return std::nullopt;
    }
    return archive->toByteArray();
}

void AttachmentPanel::lstFileDblClick()
{
    const QListWidgetItem* item = m_list->currentItem();
    if (!articleShown() || !item || !item->isSelected())
        return;
    if (const auto archive = displayedArchive())
        m_actions->openFile(*archive, item->text());
}

QStringList AttachmentPanel::filesForDrag(const QStringList& itemTexts)
{
    if (!articleShown())
        return {};
    const auto archive = displayedArchive();
    if (!archive)
        return {};
    const auto files = m_actions->filesForDrag(*archive, itemTexts);
    if (!files.problems.isEmpty())
        m_prompter.message(platform::MsgStyle::Critical, texts::startFailedTitle(),
                           files.problems.join(QLatin1Char('\n')));
    return files.paths;
}

void AttachmentPanel::extractAttachments()
{
    const auto archive = displayedArchive();
    if (!archive)
        return;
    m_actions->extractAll(*archive, [this](const QString& prompt) {
        dialogs::CdlgEx dialog(m_dialogs, m_prompter, m_state.appDir);
        dialog.dialogPrompt = prompt;
        dialog.fileName.clear();
        dialog.hOwner = m_owner;
        dialog.showFolder(QString());
        return dialog.initDir;
    });
}

bool AttachmentPanel::eventFilter(QObject* watched, QEvent* event)
{
    // `LstFile_MouseUp`: the right button pops up the attachments menu.
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() == Qt::RightButton && articleShown())
            m_popup->popup(me->globalPosition().toPoint());
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace shell
