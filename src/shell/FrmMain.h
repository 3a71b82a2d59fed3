#pragma once
// `FrmMain`, the main window: the composition root. It builds the window's
// controls (named as the rest of the program knows them), owns the shared main
// state, and connects the controls to the handler classes of each subsystem. The
// handlers hold the logic; this class holds none.
#include "catalogue/MainState.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QTabBar;

namespace catalogue {
class AlphaIndexList;
class CatalogueTree;
class FolderList;
}  // namespace catalogue

namespace articles {
class ArticlePane;
class ArticleView;
class EditBar;
class RichTextEditor;
}  // namespace articles

namespace dialogs {
class CommonDialogs;
}

namespace search {
class FindList;
}

namespace platform {
class DesktopShell;
class Prompter;
}  // namespace platform

namespace shell {

class AttachmentPanel;
class History;
class CoolBar;
class NavigationBinding;
class LogoAnimation;
class SearchBinding;
class MainLayout;
class MaintenanceBinding;
class MainToolbar;
class SplitterBar;
class StatusPanels;
struct StartupWidgets;
class WizardBinding;
class ZelvorantResizer;

class FrmMain : public QMainWindow {
    Q_OBJECT
public:
    // dialogs: the file and folder choosers; the real ones when not given.
    FrmMain(const QString& appDir, platform::Prompter& prompter, platform::DesktopShell& desktop,
            dialogs::CommonDialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~FrmMain() override;

    catalogue::MainState& state() { return m_state; }
    platform::Prompter& prompter() { return m_prompter; }
    platform::DesktopShell& desktop() { return m_desktop; }
    MainLayout& mainLayout() { return *m_layout; }
    LogoAnimation& logo() { return *m_logo; }
    articles::ArticleView& articleView() { return *m_articleView; }
    articles::RichTextEditor& editor() { return *m_editor; }
    AttachmentPanel& attachmentPanel() { return *m_attachments; }
    NavigationBinding& navigation() { return *m_navigation; }
    History& history() { return *m_history; }
    SearchBinding& search() { return *m_search; }
    WizardBinding& wizardBinding() { return *m_wizardBinding; }
    // Compaction, the installed bases, printing, the web links and the About box.
    MaintenanceBinding& maintenance() { return *m_maintenance; }
    // The controls the load sequence fills in.
    StartupWidgets startupWidgets() const;

    // The controls.
    QWidget* client = nullptr;
    CoolBar* CB = nullptr;
    MainToolbar* TbMain = nullptr;
    QWidget* PicLogo = nullptr;
    QLabel* Image2 = nullptr;
    QLineEdit* txtAddress = nullptr;
    ZelvorantResizer* TRTema = nullptr;
    QWidget* PicTema = nullptr;
    QTabBar* TabMain = nullptr;
    QWidget* PicTwv = nullptr;
    catalogue::CatalogueTree* Twv = nullptr;
    QWidget* PicAlpha = nullptr;
    QLineEdit* TxtAlphaText = nullptr;
    catalogue::AlphaIndexList* LstAlphaList = nullptr;
    QWidget* PicFind = nullptr;
    QLineEdit* TxtFind = nullptr;
    QPushButton* CmdFind = nullptr;
    search::FindList* LVFind = nullptr;
    SplitterBar* picDivider = nullptr;
    articles::EditBar* CBEdit = nullptr;
    QComboBox* CboFont = nullptr;
    QComboBox* CboFontSize = nullptr;
    articles::ArticlePane* RTF = nullptr;
    catalogue::FolderList* LvPapka = nullptr;
    SplitterBar* PicH = nullptr;
    ZelvorantResizer* TRFiles = nullptr;
    QListWidget* LstFile = nullptr;
    StatusPanels* Status = nullptr;
    QProgressBar* PrProgress = nullptr;

    // The menu bar's items, and the pop-up menus that never show in it.
    QAction *MnuFileAdd, *MnuFileProp, *MnuFileCompress, *MnuFileSend, *MnuFileDel, *MnuFilePageSetting,
        *MnuFilePrint, *MnuFileExit;
    QAction *MnuEditCopy, *MnuEditAddToFavorites, *MnuEditExtract;
    QAction *MnuViewContent, *MnuViewFile, *MnuViewLargeIcon, *MnuViewSmallIcon, *MnuViewTable, *MnuViewSetting;
    QAction *MnuHelpAbout, *MnuZelvorantHomePage, *MnuVbRussian;
    QMenu* MnuSee = nullptr;
    QMenu* MnuInFile = nullptr;

Q_SIGNALS:
    // Every way of closing the window passes here first (`Form_QueryUnload`).
    void queryUnload();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    void buildLeftPanel();
    void buildRightArea();
    void connectHandlers();

    platform::Prompter& m_prompter;
    platform::DesktopShell& m_desktop;
    catalogue::MainState m_state;
    std::unique_ptr<MainLayout> m_layout;
    LogoAnimation* m_logo = nullptr;
    articles::ArticleView* m_articleView = nullptr;
    articles::RichTextEditor* m_editor = nullptr;
    std::unique_ptr<dialogs::CommonDialogs> m_ownDialogs;
    AttachmentPanel* m_attachments = nullptr;
    NavigationBinding* m_navigation = nullptr;
    History* m_history = nullptr;
    SearchBinding* m_search = nullptr;
    WizardBinding* m_wizardBinding = nullptr;
    dialogs::CommonDialogs* m_dialogs = nullptr;
    MaintenanceBinding* m_maintenance = nullptr;
};

}  // namespace shell
