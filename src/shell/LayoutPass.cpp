#include "LayoutPass.h"

#include "ZelvorantResizer.h"

#include <algorithm>
#include <cmath>

namespace shell {

namespace {

// A Move: all four or nothing (a negative size fails the whole call).
bool move(Box& b, int left, int top, int width, int height)
{
    if (width < 0 || height < 0)
        return false;
    b = Box{left, top, width, height};
    return true;
}

// A Move without a height keeps the height.
bool move(Box& b, int left, int top, int width) { return move(b, left, top, width, b.height); }

void setWidth(Box& b, int width)
{
    if (width >= 0)
        b.width = width;
}

void setHeight(Box& b, int height)
{
    if (height >= 0)
        b.height = height;
}

// The attachments panel shows as the View menu says.
void showFilesPanel(MainGeometry& g) { g.filesPanelVisible = g.filesShown; }

// The logo band is as high as the toolbar band and wide enough for the logo.
void fitLogoBand(MainGeometry& g)
{
    g.band2Width = LogoBandWidth;
    g.band2Height = g.band1Height;
    setHeight(g.PicLogo, g.band1Height);
    g.PicLogo.top = 0;
    setWidth(g.PicLogo, LogoBandWidth);
}

void centreLogo(MainGeometry& g)
{
    g.Image2.left = (g.PicLogo.width - g.Image2.width) / 2;
    g.Image2.top = (g.PicLogo.height - g.Image2.height) / 2;
}

// The attachments splitter starts right of the divider (when the contents show)
// and sits the dragged height above the bottom while that leaves room.
void placeFilesSplitter(MainGeometry& g)
{
    const int x0 = g.contentShown ? g.picDivider.left : 0;
    if (g.clientHeight - g.filesPaneHeight > 2000) {
        g.PicH.left = x0 + 60;
        g.PicH.top = g.clientHeight - g.filesPaneHeight;
    } else {
        g.PicH.left = x0;
    }
    if (g.PicH.top < 2000)
        g.PicH.top = 2000;
}

void stretchDivider(MainGeometry& g)
{
    setHeight(g.picDivider, g.windowHeight - g.CB.height - 600);
    g.picDivider.top = g.CB.height;
}

// The tab strip takes the size its box had before this pass.
void sizeTabStripToItsBox(MainGeometry& g) { move(g.TabMain, 0, 0, g.PicTema.width, g.PicTema.height); }

// The caption panel stretches the box inside it at once.
void placeContentsPanel(MainGeometry& g)
{
    if (move(g.TRTema, 0, g.CB.height + 10, g.picDivider.left + 20,
             g.windowHeight - g.CB.height - 710 - g.Status.height)) {
        const QRect c = resizerLayout(g.TRTema.width, g.TRTema.height, 0, 0).content;
        move(g.PicTema, c.left(), c.top(), c.width(), c.height());
    }
}

void matchFilesSplitterToArticle(MainGeometry& g) { setWidth(g.PicH, g.RTF.width); }

void placeAlphaText(MainGeometry& g) { move(g.TxtAlphaText, 0, 0, g.TabMain.width - 100); }

void placeAlphaAndFindPages(MainGeometry& g)
{
    for (Box* page : {&g.PicAlpha, &g.PicFind})
        move(*page, g.TabMain.left + 50, g.TabMain.top + 500, g.TabMain.width - 100, g.TabMain.height - 600);
}

void placeFindRow(MainGeometry& g)
{
    move(g.TxtFind, 0, 0, g.PicFind.width - 300);
    move(g.CmdFind, g.TxtFind.width + 100, 0, 200, g.TxtFind.height);
}

void placeFindList(MainGeometry& g)
{
    move(g.LVFind, 0, g.TxtFind.height + 70, g.PicFind.width, g.PicFind.height - g.LVFind.top);
}

void placeTopicsPage(MainGeometry& g)
{
    move(g.PicTwv, g.TabMain.left + 50, g.TabMain.top + 500, g.TabMain.width - 100, g.TabMain.height - 600);
    move(g.Twv, 0, 0, g.PicTwv.width, g.PicTwv.height);
}

void placeAlphaList(MainGeometry& g)
{
    const int t = g.TxtAlphaText.top + g.TxtAlphaText.height + 100;
    move(g.LstAlphaList, 0, t, g.TxtAlphaText.width, g.PicAlpha.height - t);
}

// Where the article area ends: at the attachments splitter, or above the
// status bar when the attachments are hidden.
int articleAreaBottom(const MainGeometry& g)
{
    return g.filesShown ? g.windowHeight - g.CB.height - (g.windowHeight - g.PicH.top) + 80 - g.PicH.height
                        : g.clientHeight - g.CB.height - g.Status.height - 40;
}

// The edit bar and the article right of the divider, or across the whole
// width when the contents are hidden (and the divider with them).
void placeEditBarAndArticle(MainGeometry& g, int bottom)
{
    if (g.contentShown) {
        g.dividerVisible = true;
        const int w = g.windowWidth - g.TabMain.width - g.TabMain.left - 250;
        move(g.CBEdit, g.picDivider.left + 60, g.CB.height + 10, w);
        move(g.RTF, g.picDivider.left + 60, g.CBEdit.top + g.CBEdit.height, w, bottom - (g.CBEdit.height + 10));
    } else {
        move(g.CBEdit, 20, g.CB.height + 10, g.windowWidth - 250);
        move(g.RTF, 0, g.CBEdit.top + g.CBEdit.height, g.windowWidth - 100, bottom - (g.CBEdit.height + 10));
        g.dividerVisible = false;
    }
}

// The folder list takes the place of the edit bar and the article together.
void placeFolderList(MainGeometry& g)
{
    move(g.LvPapka, g.RTF.left, g.CB.height + 10, g.RTF.width, g.RTF.height + g.CBEdit.height + 10);
}

void placeFilesPanel(MainGeometry& g)
{
    move(g.TRFiles, g.RTF.left, g.PicH.top + 40, g.RTF.width, g.clientHeight - g.PicH.top - 40 - g.Status.height);
}

void placeProgressBar(MainGeometry& g)
{
    move(g.PrProgress, g.panel2Left + 40, g.Status.top + 60, g.panel2Width - 80, g.Status.height - 100);
}

}  // namespace

int wholeTwips(double v) { return int(std::nearbyint(v)); }

void layoutPass(MainGeometry& g)
{
    // The order matters: each step reads what the steps before it left, and
    // some read a box an earlier pass set (the tab strip, the article's width).
    showFilesPanel(g);
    fitLogoBand(g);
    centreLogo(g);
    placeFilesSplitter(g);
    stretchDivider(g);
    sizeTabStripToItsBox(g);
    placeContentsPanel(g);
    matchFilesSplitterToArticle(g);
    placeAlphaText(g);
    placeAlphaAndFindPages(g);
    placeFindRow(g);
    placeFindList(g);
    placeTopicsPage(g);
    placeAlphaList(g);
    placeEditBarAndArticle(g, articleAreaBottom(g));
    placeFolderList(g);
    placeFilesPanel(g);
    matchFilesSplitterToArticle(g);
    placeProgressBar(g);
}

int dragDivider(int left, double x, int clientWidth)
{
    return std::max(200, std::min(wholeTwips(left + x), wholeTwips(clientWidth - 6000.0)));
}

void fitSplittersToWindow(MainGeometry& g, const SplitterWishes& wishes)
{
    g.picDivider.left = dragDivider(wishes.dividerLeft, 0, g.clientWidth);
    if (wishes.filesPaneHeight <= 0) {
        g.filesPaneHeight = wishes.filesPaneHeight;
        return;
    }
    // The right area runs from below the cool bar to the status bar; the
    // splitter may not rise above its middle.
    const int top = g.CB.height + 10;
    const int bottom = g.clientHeight - g.Status.height;
    const int tallest = g.clientHeight - (top + bottom + 1) / 2;
    g.filesPaneHeight = std::max(0, std::min(wishes.filesPaneHeight, tallest));
}

FilesSplit dragFilesSplitter(int top, double y, int clientHeight, int filesPaneHeight)
{
    const int highest = wholeTwips(clientHeight - 5000.0);
    const int wanted = wholeTwips(top + y);
    // The decision uses the lower margin 200; the position then uses 650.
    const int t = std::max(highest, std::min(wanted, wholeTwips(clientHeight - 200.0)));
    if (t < 2000)
        return {2000, filesPaneHeight};
    const int newTop = std::max(highest, std::min(wanted, wholeTwips(clientHeight - 650.0)));
    return {newTop, wholeTwips(double(clientHeight) - newTop)};
}

}  // namespace shell
