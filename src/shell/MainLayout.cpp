#include "MainLayout.h"

#include "CoolBar.h"
#include "catalogue/Controls.h"

#include "articles/ArticlePane.h"
#include "articles/EditBar.h"
#include "SplitterBar.h"
#include "StatusPanels.h"
#include "Twips.h"
#include "ZelvorantResizer.h"

#include "catalogue/AlphaIndexList.h"
#include "catalogue/FolderList.h"
#include "catalogue/PathTree.h"
#include "search/FindList.h"

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>

namespace shell {

namespace {

int twX(int px) { return pixelsToTwips(px, screenDpiX()); }
int twY(int px) { return pixelsToTwips(px, screenDpiY()); }
int pxX(int tw) { return twipsToPixels(tw, screenDpiX()); }
int pxY(int tw) { return twipsToPixels(tw, screenDpiY()); }

Box toTwips(const QRect& r) { return Box{twX(r.left()), twY(r.top()), twX(r.width()), twY(r.height())}; }

void place(QWidget* w, const Box& b)
{
    // Right and bottom edges are converted, not widths, so neighbours meet.
    const int l = pxX(b.left), t = pxY(b.top);
    w->setGeometry(l, t, std::max(0, pxX(b.right()) - l), std::max(0, pxY(b.bottom()) - t));
}

}  // namespace

MainLayout::MainLayout(QWidget& window, const MainLayoutWidgets& widgets) : m_window(window), m_w(widgets)
{
    m_g.picDivider = Box{DividerStartLeft, 0, DividerWidth, 0};
    m_g.PicH = Box{0, 0, 0, FilesBarHeight};
    m_wishes.dividerLeft = DividerStartLeft;
}

void MainLayout::setSplitterWishes(const SplitterWishes& wishes)
{
    m_wishes = wishes;
    formResize();
}

void MainLayout::measure()
{
    if (QLayout* l = m_window.layout())
        l->activate();
    const QSize client = m_w.client->size();
    m_g.clientWidth = twX(client.width());
    m_g.clientHeight = twY(client.height());
    m_g.windowWidth = m_g.clientWidth + FrameAllowanceWidth;
    m_g.windowHeight = m_g.clientHeight + FrameAllowanceHeight;
    m_g.contentShown = m_w.MnuViewContent->isChecked();
    m_g.filesShown = m_w.MnuViewFile->isChecked();

    // Cool bar and status bar keep to the top and the bottom at their own heights.
    const int cbHeight = m_w.CB->sizeHint().height();
    m_w.CB->setGeometry(0, 0, client.width(), cbHeight);
    m_g.CB = toTwips(m_w.CB->geometry());
    m_g.band1Height = twY(m_w.CB->band1Height());
    const int statusHeight = m_w.Status->sizeHint().height();
    m_w.Status->setGeometry(0, client.height() - statusHeight, client.width(), statusHeight);
    m_g.Status = toTwips(m_w.Status->geometry());
    const QRect panel2 = m_w.Status->panelGeometry(catalogue::PanelProgress);
    m_g.panel2Left = twX(panel2.left());
    m_g.panel2Width = twX(panel2.width());

    m_g.Image2.width = twX(m_w.Image2->width());
    m_g.Image2.height = twY(m_w.Image2->height());
    m_g.CBEdit.height = twY(m_w.CBEdit->sizeHint().height());
    m_g.TxtAlphaText.height = twY(m_w.TxtAlphaText->sizeHint().height());
    m_g.TxtFind.height = twY(m_w.TxtFind->sizeHint().height());
}

void MainLayout::apply()
{
    m_w.CB->setLogoBand(QSize(pxX(m_g.band2Width), pxY(m_g.band2Height)));
    m_w.Image2->move(pxX(m_g.Image2.left), pxY(m_g.Image2.top));

    place(m_w.picDivider, m_g.picDivider);
    place(m_w.PicH, m_g.PicH);
    place(m_w.TRTema, m_g.TRTema);
    place(m_w.TabMain, m_g.TabMain);
    // The tab strip's box covers the pages, but a tab bar stretches its tabs to
    // its own height: keep the widget to the row of tabs.
    m_w.TabMain->resize(m_w.TabMain->width(), std::min(m_w.TabMain->height(), m_w.TabMain->sizeHint().height()));
    place(m_w.PicAlpha, m_g.PicAlpha);
    place(m_w.PicFind, m_g.PicFind);
    place(m_w.PicTwv, m_g.PicTwv);
    place(m_w.Twv, m_g.Twv);
    place(m_w.TxtAlphaText, m_g.TxtAlphaText);
    place(m_w.LstAlphaList, m_g.LstAlphaList);
    place(m_w.TxtFind, m_g.TxtFind);
    place(m_w.CmdFind, m_g.CmdFind);
    place(m_w.LVFind, m_g.LVFind);
    place(m_w.CBEdit, m_g.CBEdit);
    place(m_w.RTF, m_g.RTF);
    place(m_w.LvPapka, m_g.LvPapka);
    place(m_w.TRFiles, m_g.TRFiles);
    place(m_w.PrProgress, m_g.PrProgress);

    m_w.TRFiles->setVisible(m_g.filesPanelVisible);
    m_w.picDivider->setVisible(m_g.dividerVisible);
    // The splitters lie over the panels they border; the progress bar over the status bar.
    m_w.picDivider->raise();
    m_w.PicH->raise();
    m_w.Status->raise();
    m_w.PrProgress->raise();
    m_w.CB->update();
}

void MainLayout::formResize()
{
    if (m_inPass)
        return;
    m_inPass = true;
    measure();
    fitSplittersToWindow(m_g, m_wishes);
    layoutPass(m_g);
    // The tab strip takes its box's size from before the pass; when the box has
    // just changed size, a second pass lets everything inside it catch up rather
    // than lag one resize behind.
    if (m_g.TabMain.width != m_g.PicTema.width || m_g.TabMain.height != m_g.PicTema.height)
        layoutPass(m_g);
    apply();
    m_inPass = false;
}

void MainLayout::picDividerMouseMove(int button, int, double x, double)
{
    if (button != catalogue::MouseLeft)
        return;
    measure();
    m_g.picDivider.left = dragDivider(m_g.picDivider.left, x, m_g.clientWidth);
    m_wishes.dividerLeft = m_g.picDivider.left;
    formResize();
}

void MainLayout::picHMouseMove(int button, int, double, double y)
{
    if (button != catalogue::MouseLeft)
        return;
    measure();
    const FilesSplit s = dragFilesSplitter(m_g.PicH.top, y, m_g.clientHeight, m_g.filesPaneHeight);
    m_g.PicH.top = s.top;
    m_g.filesPaneHeight = s.filesPaneHeight;
    m_wishes.filesPaneHeight = s.filesPaneHeight;
    formResize();
}

void MainLayout::mnuViewContentClick()
{
    const bool show = !m_w.MnuViewContent->isChecked();
    m_w.TRTema->setVisible(show);
    m_w.MnuViewContent->setChecked(show);
    formResize();
}

void MainLayout::mnuViewFileClick()
{
    const bool show = !m_w.MnuViewFile->isChecked();
    m_w.TRFiles->setVisible(show);
    m_w.MnuViewFile->setChecked(show);
    m_w.PicH->setVisible(show);
    formResize();
}

void MainLayout::trTemaCloseClick()
{
    m_w.TRTema->hide();
    m_w.MnuViewContent->setChecked(false);
    formResize();
}

void MainLayout::trFilesCloseClick()
{
    m_w.TRFiles->hide();
    m_w.MnuViewFile->setChecked(false);
    m_w.PicH->hide();
    formResize();
}

void MainLayout::tabMainMouseUp()
{
    QWidget* pages[] = {m_w.PicTwv, m_w.PicAlpha, m_w.PicFind};
    const int index = m_w.TabMain->currentIndex() + 1;
    if (index < 1 || index > 3)
        return;
    for (int i = 0; i < 3; ++i)
        pages[i]->setVisible(i + 1 == index);
}

void MainLayout::focusShownPage()
{
    QWidget* controls[] = {m_w.Twv, m_w.TxtAlphaText, m_w.TxtFind};
    const int index = m_w.TabMain->currentIndex();
    if (index < 0 || index > 2 || m_w.TabMain->hasFocus() || !controls[index]->isVisible())
        return;
    controls[index]->setFocus(Qt::TabFocusReason);
}

}  // namespace shell
