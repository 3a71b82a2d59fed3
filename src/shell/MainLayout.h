#pragma once
// The main window's arrangement: the layout pass (`Form_Resize`) applied to
// the real controls, the two splitters, the View-menu panel toggles, the
// caption panels' close boxes and the switching of the left panel's pages. The
// arithmetic itself is layoutPass(), in twips.
#include "LayoutPass.h"

#include <QObject>

class QAction;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabBar;

namespace articles {
class ArticlePane;
class EditBar;
}  // namespace articles

namespace catalogue {
class AlphaIndexList;
class CatalogueTree;
class FolderList;
}  // namespace catalogue

namespace search {
class FindList;
}

namespace shell {

class CoolBar;
class SplitterBar;
class StatusPanels;
class ZelvorantResizer;

// The controls the arrangement measures, places, shows and hides.
struct MainLayoutWidgets {
    QWidget* client = nullptr;
    CoolBar* CB = nullptr;
    QLabel* Image2 = nullptr;
    StatusPanels* Status = nullptr;
    QProgressBar* PrProgress = nullptr;
    ZelvorantResizer* TRTema = nullptr;
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
    articles::ArticlePane* RTF = nullptr;
    catalogue::FolderList* LvPapka = nullptr;
    SplitterBar* PicH = nullptr;
    ZelvorantResizer* TRFiles = nullptr;
    // The View menu's panel toggles.
    QAction* MnuViewContent = nullptr;
    QAction* MnuViewFile = nullptr;
};

// The window frame the arrangement was designed around: the outer size the
// pass works with is the client area plus this allowance (twips), whatever
// frame the desktop draws.
inline constexpr int FrameAllowanceWidth = 120;
inline constexpr int FrameAllowanceHeight = 690;
inline constexpr int DividerWidth = 60;     // twips
inline constexpr int FilesBarHeight = 90;   // twips
inline constexpr int DividerStartLeft = 4500;  // wide enough for the three tabs

class MainLayout : public QObject {
    Q_OBJECT
public:
    // window: the top-level window whose own layout places `client`.
    MainLayout(QWidget& window, const MainLayoutWidgets& widgets);

    // The layout pass: measure, arrange in twips, apply.
    void formResize();

    // The splitters' mouse moves; x and y in twips in the bar's own coordinates,
    // button the set of catalogue::MouseButton held.
    void picDividerMouseMove(int button, int shift, double x, double y);
    void picHMouseMove(int button, int shift, double x, double y);

    void mnuViewContentClick();
    void mnuViewFileClick();
    void trTemaCloseClick();
    void trFilesCloseClick();
    // Any mouse release over the tab strip: the selected tab picks the page.
    void tabMainMouseUp();
    // After the user changed the page: the page's own control takes the
    // keyboard (the tree, the index box, the search box), unless the tab strip
    // has it, so that arrow keys keep walking the tabs. Without this the focus
    // left behind in a hidden page lands on whatever control comes next.
    void focusShownPage();

    const MainGeometry& geometry() const { return m_g; }
    // The splitters as the user put them (kept across restarts); the window
    // shows them re-limited to its size.
    const SplitterWishes& splitterWishes() const { return m_wishes; }
    void setSplitterWishes(const SplitterWishes& wishes);

private:
    void measure();
    void apply();

    QWidget& m_window;
    MainLayoutWidgets m_w;
    MainGeometry m_g;
    SplitterWishes m_wishes;
    bool m_inPass = false;
};

}  // namespace shell
