#include "FrmMain.h"

#include "AccessibleNames.h"
#include "AttachmentPanel.h"
#include "CoolBar.h"
#include "CopyAvailability.h"
#include "DragFileList.h"
#include "ElidedToolTips.h"
#include "History.h"
#include "KeyBindings.h"
#include "LogoAnimation.h"
#include "NavigationBinding.h"
#include "OrganiseBinding.h"
#include "MainLayout.h"
#include "MaintenanceBinding.h"
#include "MainToolbar.h"
#include "Pictures.h"
#include "SearchBinding.h"
#include "ShellTexts.h"
#include "SplitterBar.h"
#include "StatusPanels.h"
#include "Startup.h"
#include "Twips.h"
#include "WizardBinding.h"
#include "ZelvorantResizer.h"

#include "articles/ArticlePane.h"
#include "articles/ArticleView.h"
#include "articles/EditBar.h"
#include "articles/ArticleTexts.h"
#include "articles/RichTextEditor.h"
#include "dialogs/CdlgEx.h"
#include "catalogue/AlphaIndexList.h"
#include "dialogs/CommonDialogs.h"
#include "catalogue/FolderList.h"
#include "catalogue/Navigator.h"
#include "catalogue/PathTree.h"
#include "platform/Prompter.h"
#include "search/FindList.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QTreeView>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTextEdit>

namespace shell {

namespace {

QAction* item(QMenu* menu, const char* name, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

void separator(QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(QString::fromLatin1(name)); }

int buttonCode(Qt::MouseButtons b)
{
    return (b & Qt::LeftButton ? catalogue::MouseLeft : 0) | (b & Qt::RightButton ? catalogue::MouseRight : 0) |
        (b & Qt::MiddleButton ? catalogue::MouseMiddle : 0);
}

// Calls f on every mouse-button release over the watched widget.
class ReleaseWatcher : public QObject {
public:
    ReleaseWatcher(QObject* parent, std::function<void()> f) : QObject(parent), m_f(std::move(f)) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease)
            m_f();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_f;
};

}  // namespace

FrmMain::FrmMain(const QString& appDir, platform::Prompter& prompter, platform::DesktopShell& desktop,
                 dialogs::CommonDialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), m_prompter(prompter), m_desktop(desktop)
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowIcon(appIcon());
    m_state.appDir = appDir;

    client = new QWidget(this);
    setCentralWidget(client);
    CB = new CoolBar(client);
    TbMain = CB->toolbar();
    PicLogo = CB->logoBox();
    Image2 = CB->logoImage();
    txtAddress = CB->address();

    buildMenus();
    buildLeftPanel();
    buildRightArea();

    Status = new StatusPanels(client);
    PrProgress = new QProgressBar(client);
    PrProgress->setObjectName(QStringLiteral("PrProgress"));
    PrProgress->setTextVisible(false);
    PrProgress->setValue(0);

    m_state.twv = Twv;
    m_state.lvPapka = LvPapka;
    m_state.lstAlphaList = LstAlphaList;

    MainLayoutWidgets arranged;
    arranged.client = client;
    arranged.CB = CB;
    arranged.Image2 = Image2;
    arranged.Status = Status;
    arranged.PrProgress = PrProgress;
    arranged.TRTema = TRTema;
    arranged.TabMain = TabMain;
    arranged.PicTwv = PicTwv;
    arranged.Twv = Twv;
    arranged.PicAlpha = PicAlpha;
    arranged.TxtAlphaText = TxtAlphaText;
    arranged.LstAlphaList = LstAlphaList;
    arranged.PicFind = PicFind;
    arranged.TxtFind = TxtFind;
    arranged.CmdFind = CmdFind;
    arranged.LVFind = LVFind;
    arranged.picDivider = picDivider;
    arranged.CBEdit = CBEdit;
    arranged.RTF = RTF;
    arranged.LvPapka = LvPapka;
    arranged.PicH = PicH;
    arranged.TRFiles = TRFiles;
    arranged.MnuViewContent = MnuViewContent;
    arranged.MnuViewFile = MnuViewFile;
    m_layout = std::make_unique<MainLayout>(*this, arranged);
    m_logo = new LogoAnimation(Image2, this);

    articles::ArticleWidgets article;
    article.rtf = RTF;
    article.lstFile = LstFile;
    article.address = txtAddress;
    article.mnuEditExtract = MnuEditExtract;
    article.mnuSee = MnuSee;
    // The navigation keeps the panes' and the toolbar's state; the article
    // display changes it through the navigation.
    article.setToolbarButton = [this](catalogue::ToolButton button, bool enabled, int picture) {
        m_navigation->setToolbarButton(button, enabled, picture);
    };
    article.setStatusPanel = [status = Status](catalogue::StatusPanel panel, const QString& text) {
        status->setPanelText(panel, text);
    };
    article.showArticlePane = [this] { m_navigation->showArticlePane(); };
    article.relayout = [layout = m_layout.get()] { layout->formResize(); };
    article.warn = [this](const QString& message) {
        m_prompter.message(platform::MsgStyle::Critical, windowTitle(), message);
    };
    m_articleView = new articles::ArticleView(m_state, std::move(article), m_desktop, this);

    if (!dialogs) {
        m_ownDialogs = std::make_unique<dialogs::QtCommonDialogs>();
        dialogs = m_ownDialogs.get();
    }
    articles::EditorWidgets editing;
    editing.rtf = RTF;
    editing.bar = CBEdit;
    editing.owner = this;
    editing.newDialog = [this, dialogs] {
        return std::make_unique<dialogs::CdlgEx>(*dialogs, m_prompter, m_state.appDir);
    };
    editing.warn = [this](const QString& message) {
        m_prompter.message(platform::MsgStyle::Critical, windowTitle(), message);
    };
    // The shown article's row is gone for good: the list comes back, and the
    // status bar stops naming an entry that no longer exists.
    editing.closeArticle = [this] {
        m_navigation->navigator().leaveArticle();
        Status->setPanelText(catalogue::PanelEntry, QString());
    };
    editing.prompter = &m_prompter;
    m_editor = new articles::RichTextEditor(m_state, std::move(editing), this);
    m_dialogs = dialogs;
    m_attachments = new AttachmentPanel(m_state, LstFile, RTF, MnuInFile, this, m_prompter, m_desktop, *dialogs);
    static_cast<DragFileList*>(LstFile)->unpackForDrag = [panel = m_attachments](const QStringList& items) {
        return panel->filesForDrag(items);
    };
    m_maintenance = new MaintenanceBinding(*this, *dialogs);

    connectHandlers();
}

FrmMain::~FrmMain() = default;

void FrmMain::buildMenus()
{
    QMenu* file = menuBar()->addMenu(texts::mnuFile());
    file->setObjectName(QStringLiteral("MnuFile"));
    MnuFileAdd = item(file, "MnuFileAdd", texts::mnuFileAdd());
    MnuFileProp = item(file, "MnuFileProp", texts::mnuFileProp());
    separator(file, "MnuFileLine4");
    MnuFileCompress = item(file, "MnuFileCompress", texts::mnuFileCompress());
    MnuFileSend = item(file, "MnuFileSend", texts::mnuFileSend());
    MnuFileDel = item(file, "MnuFileDel", texts::mnuFileDel());
    separator(file, "MnuFileLine1");
    MnuFilePageSetting = item(file, "MnuFilePageSetting", texts::mnuFilePageSetting());
    MnuFilePrint = item(file, "MnuFilePrint", texts::mnuFilePrint());
    separator(file, "MnuFileLine2");
    MnuFileExit = item(file, "MnuFileExit", texts::mnuFileExit());

    QMenu* edit = menuBar()->addMenu(texts::mnuEdit());
    edit->setObjectName(QStringLiteral("MnuEdit"));
    MnuEditCopy = item(edit, "MnuEditCopy", texts::mnuEditCopy());
    MnuEditAddToFavorites = item(edit, "MnuEditAddToFavorites", texts::mnuEditAddToFavorites());
    MnuEditExtract = item(edit, "MnuEditExtract", texts::mnuEditExtract());

    QMenu* view = menuBar()->addMenu(texts::mnuView());
    view->setObjectName(QStringLiteral("MnuView"));
    MnuViewContent = item(view, "MnuViewContent", texts::mnuViewContent());
    MnuViewFile = item(view, "MnuViewFile", texts::mnuViewFile());
    for (QAction* a : {MnuViewContent, MnuViewFile}) {
        a->setCheckable(true);
        a->setChecked(true);
    }
    separator(view, "MnuViewLine2");
    MnuViewLargeIcon = item(view, "MnuViewLargeIcon", texts::mnuViewLargeIcon());
    MnuViewSmallIcon = item(view, "MnuViewSmallIcon", texts::mnuViewSmallIcon());
    MnuViewTable = item(view, "MnuViewTable", texts::mnuViewTable());
    separator(view, "MnuViewLine3");
    MnuViewSetting = item(view, "MnuViewSetting", texts::mnuViewSetting());

    QMenu* help = menuBar()->addMenu(texts::mnuHelp());
    help->setObjectName(QStringLiteral("MnuHelp"));
    MnuHelpAbout = item(help, "MnuHelpAbout", texts::mnuHelpAbout());
    separator(help, "MnuHelpLine1");
    MnuZelvorantHomePage = item(help, "MnuZelvorantHomePage", texts::mnuHomePage());
    MnuVbRussian = item(help, "MnuVbRussian", texts::mnuVbRussian());

    // Commands that arrive with later work stay visibly disabled until then;
    // publishing an article never existed.
    // The article display enables "extract" with the toolbar button.
    MnuEditExtract->setEnabled(false);
    for (QAction* later : {MnuFileAdd, MnuFileProp, MnuFileCompress, MnuFileSend, MnuFileDel, MnuFilePageSetting,
                           MnuFilePrint, MnuEditAddToFavorites, MnuViewSetting,
                           MnuHelpAbout, MnuZelvorantHomePage, MnuVbRussian})
        later->setEnabled(false);

    MnuSee = new QMenu(texts::mnuSee(), this);
    MnuSee->setObjectName(QStringLiteral("MnuSee"));
    QAction* seeItem = item(MnuSee, "MnuSeeItem", articles::texts::seeItemCaption());
    seeItem->setVisible(false);
    QAction* seeLine = MnuSee->addSeparator();
    seeLine->setObjectName(QStringLiteral("MnuSeeLine1"));
    seeLine->setVisible(false);
    item(MnuSee, "MnuSeeAdd", texts::mnuSeeAdd())->setEnabled(false);

    MnuInFile = new QMenu(texts::mnuInFile(), this);
    MnuInFile->setObjectName(QStringLiteral("MnuInFile"));
    item(MnuInFile, "MnuInFileExtract", texts::mnuInFileExtract());
    separator(MnuInFile, "MnuInLine");
    item(MnuInFile, "MnuInEdit", texts::mnuInEdit())->setEnabled(false);

    // Toolbar commands that arrive with later work.
    using catalogue::ToolButton;
    for (ToolButton b : {ToolButton::Add, ToolButton::Del, ToolButton::Print})
        TbMain->setButtonEnabled(b, false);
}

void FrmMain::buildLeftPanel()
{
    TRTema = new ZelvorantResizer(client);
    TRTema->setObjectName(QStringLiteral("TRTema"));
    PicTema = new QWidget;
    PicTema->setObjectName(QStringLiteral("PicTema"));
    TRTema->setContent(PicTema);

    TabMain = new QTabBar(PicTema);
    TabMain->setObjectName(QStringLiteral("TabMain"));
    TabMain->setDrawBase(true);
    TabMain->setExpanding(false);
    TabMain->addTab(texts::tabTopics());
    TabMain->setTabToolTip(0, texts::tabTopicsTip());
    TabMain->addTab(texts::tabAlpha());
    TabMain->setTabToolTip(1, texts::tabAlphaTip());
    TabMain->addTab(texts::tabFind());
    TabMain->setTabToolTip(2, texts::tabFind());

    PicTwv = new QWidget(PicTema);
    PicTwv->setObjectName(QStringLiteral("PicTwv"));
    Twv = new catalogue::CatalogueTree(PicTwv);
    Twv->setObjectName(QStringLiteral("Twv"));

    PicAlpha = new QWidget(PicTema);
    PicAlpha->setObjectName(QStringLiteral("PicAlpha"));
    TxtAlphaText = new QLineEdit(PicAlpha);
    TxtAlphaText->setObjectName(QStringLiteral("TxtAlphaText"));
    LstAlphaList = new catalogue::AlphaIndexList(PicAlpha);
    LstAlphaList->setObjectName(QStringLiteral("LstAlphaList"));

    PicFind = new QWidget(PicTema);
    PicFind->setObjectName(QStringLiteral("PicFind"));
    TxtFind = new QLineEdit(PicFind);
    TxtFind->setObjectName(QStringLiteral("TxtFind"));
    CmdFind = new QPushButton(texts::findButton(), PicFind);
    CmdFind->setObjectName(QStringLiteral("CmdFind"));
    LVFind = new search::FindList(PicFind);
    LVFind->setObjectName(QStringLiteral("LVFind"));

    PicAlpha->hide();
    PicFind->hide();

    picDivider = new SplitterBar(Qt::Vertical, client);
    picDivider->setObjectName(QStringLiteral("picDivider"));
}

void FrmMain::buildRightArea()
{
    CBEdit = new articles::EditBar(client);
    CboFont = CBEdit->cboFont();
    CboFontSize = CBEdit->cboFontSize();

    RTF = new articles::ArticlePane(client);
    RTF->setObjectName(QStringLiteral("RTF"));
    RTF->setAccessibleName(articles::texts::paneName());
    // Editable once an article is shown in it.
    RTF->setReadOnly(true);
    RTF->hide();
    LvPapka = new catalogue::FolderList(client);
    LvPapka->setObjectName(QStringLiteral("LvPapka"));

    PicH = new SplitterBar(Qt::Horizontal, client);
    PicH->setObjectName(QStringLiteral("PicH"));

    TRFiles = new ZelvorantResizer(client);
    TRFiles->setObjectName(QStringLiteral("TRFiles"));
    auto* files = new DragFileList;
    LstFile = files;
    LstFile->setObjectName(QStringLiteral("LstFile"));
    TRFiles->setContent(LstFile);
}

void FrmMain::connectHandlers()
{
    MainLayout* layout = m_layout.get();
    // The View menu's toggles decide the check mark themselves.
    for (auto [action, handler] : {std::pair{MnuViewContent, &MainLayout::mnuViewContentClick},
                                   std::pair{MnuViewFile, &MainLayout::mnuViewFileClick}}) {
        connect(action, &QAction::triggered, this, [action = action, handler = handler, layout] {
            action->setChecked(!action->isChecked());
            (layout->*handler)();
        });
    }
    connect(TRTema, &ZelvorantResizer::closeClick, this, [layout] { layout->trTemaCloseClick(); });
    connect(TRFiles, &ZelvorantResizer::closeClick, this, [layout] { layout->trFilesCloseClick(); });
    connect(CB, &CoolBar::heightChanged, this, [layout] { layout->formResize(); });
    connect(picDivider, &SplitterBar::mouseMoved, this,
            [layout](Qt::MouseButtons b, Qt::KeyboardModifiers, QPoint p) {
                layout->picDividerMouseMove(buttonCode(b), 0, pixelsToTwips(p.x(), screenDpiX()),
                                            pixelsToTwips(p.y(), screenDpiY()));
            });
    connect(PicH, &SplitterBar::mouseMoved, this, [layout](Qt::MouseButtons b, Qt::KeyboardModifiers, QPoint p) {
        layout->picHMouseMove(buttonCode(b), 0, pixelsToTwips(p.x(), screenDpiX()),
                              pixelsToTwips(p.y(), screenDpiY()));
    });
    TabMain->installEventFilter(new ReleaseWatcher(TabMain, [layout] { layout->tabMainMouseUp(); }));
    // A click changes the current tab on the press; keyboard changes count too.
    connect(TabMain, &QTabBar::currentChanged, this, [layout] {
        layout->tabMainMouseUp();
        layout->focusShownPage();
    });
    connect(MnuFileExit, &QAction::triggered, this, &QWidget::close);

    AttachmentPanel* files = m_attachments;
    connect(MnuEditExtract, &QAction::triggered, files, &AttachmentPanel::extractAttachments);
    m_wizardBinding = new WizardBinding(*this, *m_dialogs);
    NavigationWidgets navigated;
    navigated.TbMain = TbMain;
    navigated.txtAddress = txtAddress;
    navigated.LvPapka = LvPapka;
    navigated.RTF = RTF;
    navigated.LstFile = LstFile;
    navigated.MnuEditCopy = MnuEditCopy;
    navigated.MnuEditExtract = MnuEditExtract;
    navigated.MnuViewLargeIcon = MnuViewLargeIcon;
    navigated.MnuViewSmallIcon = MnuViewSmallIcon;
    navigated.MnuViewTable = MnuViewTable;
    navigated.MnuSee = MnuSee;
    auto* organise = new OrganiseBinding(*this);
    m_navigation = new NavigationBinding(
        navigated, NavigationServices{m_state, *m_articleView, *files, *m_wizardBinding, *organise}, this);
    // An article opens at its top, ready to be edited.
    connect(m_articleView, &articles::ArticleView::articleShown, RTF, [rtf = RTF, editor = m_editor](const QString& name) {
        rtf->setTextCursor(QTextCursor(rtf->document()));
        rtf->ensureCursorVisible();
        editor->articleShown(name);
    });
    connect(MnuInFile->findChild<QAction*>(QStringLiteral("MnuInFileExtract")), &QAction::triggered, files,
            &AttachmentPanel::extractAttachments);

    // The alphabetical index and the full-text search.
    m_search = new SearchBinding(*this);

    // What users expect of a desktop program, each in a class of its own.
    catalogue::Navigator& nav = m_navigation->navigator();
    m_history = new History(nav, m_state, Twv, this);
    new KeyBindings(*this, *m_history);
    new CopyAvailability(nav, MnuEditCopy, TbMain, this);
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(Twv),
                                    static_cast<QAbstractItemView*>(LvPapka->iconView()),
                                    static_cast<QAbstractItemView*>(LvPapka->reportView())})
        ElidedToolTips::install(view);
    nameControls(*this);
}

StartupWidgets FrmMain::startupWidgets() const
{
    StartupWidgets loaded;
    loaded.CboFont = CboFont;
    loaded.Twv = Twv;
    loaded.Status = Status;
    loaded.TRTema = TRTema;
    loaded.TRFiles = TRFiles;
    loaded.RTF = RTF;
    return loaded;
}

void FrmMain::closeEvent(QCloseEvent* event)
{
    Q_EMIT queryUnload();
    event->accept();
}

void FrmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    m_layout->formResize();
}

}  // namespace shell
