#include "FrmSetting.h"

#include "ShellTexts.h"
#include "WebLinks.h"

#include "catalogue/MainState.h"
#include "platform/Prompter.h"
#include "store/AppFiles.h"
#include "store/InstalledBases.h"
#include "store/StoreTexts.h"
#include "store/ReadOnlyCheck.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell {

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    return b;
}

}  // namespace

FrmSetting::FrmSetting(catalogue::MainState& state, platform::Prompter& prompter, WebLinks& links,
                       std::function<void()> rebuild, QWidget* parent)
    : QDialog(parent), m_state(state), m_prompter(prompter), m_links(links), m_rebuild(std::move(rebuild))
{
    setObjectName(QStringLiteral("FrmSetting"));
    setWindowTitle(texts::settingsCaption());
    setModal(true);

    Label1 = new QLabel(texts::settingsLabel(), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    LstBase = new QListWidget(this);
    LstBase->setObjectName(QStringLiteral("LstBase"));
    LstBase->setAccessibleName(texts::settingsLabel());
    LstBase->setSelectionMode(QAbstractItemView::SingleSelection);
    Label1->setBuddy(LstBase);
    Command1 = button(this, "Command1", texts::deleteButton());
    Command4 = button(this, "Command4", texts::okButton());
    Command4->setDefault(true);
    const QString address = m_links.homeAddress();
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    // A long address would stretch the window; the frame shows its start and
    // end, and the whole of it as the tip.
    Frame1->setTitle(address.isEmpty() ? texts::noDownloadAddress()
                                       : Frame1->fontMetrics().elidedText(address, Qt::ElideMiddle, 420));
    Frame1->setToolTip(address);
    Frame1->setAccessibleName(address.isEmpty() ? texts::noDownloadAddress() : address);
    CmdDownload = button(Frame1, "CmdDownload", texts::downloadButton());

    auto* frame = new QHBoxLayout(Frame1);
    frame->addStretch(1);
    frame->addWidget(CmdDownload);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command4);
    buttons->addStretch(1);
    auto* list = new QHBoxLayout;
    list->addWidget(LstBase, 1);
    list->addLayout(buttons);
    auto* all = new QVBoxLayout(this);
    all->addWidget(Label1);
    all->addLayout(list, 1);
    all->addWidget(Frame1);
    resize(460, 320);

    connect(Command1, &QPushButton::clicked, this, &FrmSetting::command1Click);
    connect(Command4, &QPushButton::clicked, this, &FrmSetting::command4Click);
    connect(CmdDownload, &QPushButton::clicked, this, &FrmSetting::cmdDownloadClick);
}

void FrmSetting::refuse(const QString& message)
{
    m_prompter.message(platform::MsgStyle::Critical, windowTitle(), message);
}

bool FrmSetting::formLoad()
{
    LstBase->clear();
    if (!m_state.base || !m_state.base->isOpen()) {
        refuse(texts::baseClosed(store::AppFiles(m_state.appDir).basePath()));
        return false;
    }
    auto bases = store::InstalledBases::read(*m_state.base);
    if (!bases) {
        refuse(bases.message());
        return false;
    }
    LstBase->addItems(bases->names());
    return true;
}

void FrmSetting::command1Click()
{
    // As written, deleting with no line selected deleted every row whose base
    // name is blank; with nothing selected nothing happens.
    const QList<QListWidgetItem*> selected = LstBase->selectedItems();
    if (selected.isEmpty())
        return;
    const QString name = selected.front()->text();
    if (!m_state.base || !m_state.base->isOpen()) {
        refuse(texts::baseClosed(store::AppFiles(m_state.appDir).basePath()));
        return;
    }
    if (store::openedReadOnly(*m_state.base)) {
        refuse(store::texts::readOnlyBase(m_state.base->path()));
        return;
    }
    if (!m_prompter.message(platform::MsgStyle::OkCancel, texts::deleteTitle(), texts::deleteQuestion(name)))
        return;
    // The shown article's last keystrokes are stored before its row may go.
    m_state.flushPendingEdits();
    if (working)
        working(texts::deletingBase(name));
    auto removed = store::InstalledBases::remove(*m_state.base, name);
    if (working)
        working(QString());
    if (!removed) {
        refuse(removed.message());
        return;
    }
    hide();
    if (m_rebuild)
        m_rebuild();
    accept();
}

void FrmSetting::command4Click()
{
    hide();
    if (m_rebuild)
        m_rebuild();
    accept();
}

void FrmSetting::cmdDownloadClick() { m_links.openHomePage(); }

}  // namespace shell
