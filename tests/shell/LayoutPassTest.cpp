// The main window's layout arithmetic in twips, without a window.
#include "shell/LayoutPass.h"

#include <gtest/gtest.h>

using namespace shell;

namespace {

// A maximised window as start-up sees it: 1280 × 740 pixels of client area at
// 96 DPI, the frame allowance, and the heights the controls measure themselves.
MainGeometry window(int clientW = 19200, int clientH = 11100)
{
    MainGeometry g;
    g.clientWidth = clientW;
    g.clientHeight = clientH;
    g.windowWidth = clientW + 120;
    g.windowHeight = clientH + 690;
    g.band1Height = 825;
    g.CB = {0, 0, clientW, 1230};
    g.Image2 = {0, 0, 600, 600};
    g.picDivider = {3500, 0, 60, 0};
    g.PicH = {0, 0, 0, 90};
    g.CBEdit = {0, 0, 0, 450};
    g.TxtAlphaText = {0, 0, 0, 300};
    g.TxtFind = {0, 0, 0, 300};
    g.Status = {0, clientH - 345, clientW, 345};
    g.panel2Left = 1500;
    g.panel2Width = 2400;
    return g;
}

// Start-up: a pass, the attachments splitter 1600 twips up, another pass.
MainGeometry startedUp(int clientW = 19200, int clientH = 11100)
{
    MainGeometry g = window(clientW, clientH);
    layoutPass(g);
    const FilesSplit s = dragFilesSplitter(g.PicH.top, -1600, g.clientHeight, g.filesPaneHeight);
    g.PicH.top = s.top;
    g.filesPaneHeight = s.filesPaneHeight;
    layoutPass(g);
    return g;
}

}  // namespace

TEST(LayoutPass, VerticalSplitterLimits)
{
    struct Case {
        int left;
        double x;
        int clientWidth;
        int expect;
    };
    const Case cases[] = {
        {3500, 250, 19200, 3750},     // free drag
        {3500, -3400, 19200, 200},    // never left of 200
        {3500, 20000, 19200, 13200},  // never right of client width − 6000
        {3500, 2.5, 19200, 3502},     // halves go to the even neighbour
        {3500, 3.5, 19200, 3504},
        {200, 900, 6199, 200},        // client narrower than 6200: stuck at 200
        {200, -900, 6199, 200},
        {3000, 1000, 6100, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << " + " << c.x << " in " << c.clientWidth);
        EXPECT_EQ(dragDivider(c.left, c.x, c.clientWidth), c.expect);
    }
}

TEST(LayoutPass, AttachmentsSplitterLimits)
{
    struct Case {
        int top;
        double y;
        int clientHeight;
        int paneBefore;
        FilesSplit expect;
    };
    const Case cases[] = {
        {9500, -1000, 11100, 1600, {8500, 2600}},   // free drag
        {9500, -8000, 11100, 1600, {6100, 5000}},   // never taller than 5000
        {9500, 1500, 11100, 1600, {10450, 650}},    // never shorter than 650
        {9500, 1550, 11100, 1600, {10450, 650}},    // below the 200 margin too
        {3000, -2000, 4000, 1000, {2000, 1000}},    // short window: 2000, pane kept
        // The decision uses the margin 200, the position the margin 650, so the
        // drag alone can end above 2000; the layout pass then puts it at 2000.
        {2500, 0, 2400, 300, {1750, 650}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.top << " + " << c.y << " in " << c.clientHeight);
        const FilesSplit s = dragFilesSplitter(c.top, c.y, c.clientHeight, c.paneBefore);
        EXPECT_EQ(s.top, c.expect.top);
        EXPECT_EQ(s.filesPaneHeight, c.expect.filesPaneHeight);
    }
}

TEST(LayoutPass, StartUpArrangement)
{
    const MainGeometry g = startedUp();
    EXPECT_EQ(g.filesPaneHeight, 1600);
    EXPECT_EQ(g.PicH.top, 11100 - 1600);
    EXPECT_EQ(g.PicH.left, 3500 + 60);
    // The left panel runs from below the cool bar to just above the status bar.
    EXPECT_EQ(g.TRTema, (Box{0, 1240, 3520, 11100 + 690 - 1230 - 710 - 345}));
    EXPECT_LE(g.TRTema.bottom(), g.Status.top);
    // The tab strip has caught up with its box by the second pass.
    EXPECT_EQ(g.TabMain.width, g.PicTema.width);
    EXPECT_EQ(g.PicTwv, (Box{50, 500, g.TabMain.width - 100, g.TabMain.height - 600}));
    EXPECT_EQ(g.Twv, (Box{0, 0, g.PicTwv.width, g.PicTwv.height}));
    // The article area sits right of the splitter and ends at the attachments splitter.
    EXPECT_EQ(g.CBEdit.left, 3560);
    EXPECT_EQ(g.RTF.left, 3560);
    EXPECT_EQ(g.RTF.top, g.CBEdit.bottom());
    EXPECT_EQ(g.RTF.bottom(), g.PicH.top + 80 - g.PicH.height);
    EXPECT_LE(g.RTF.right(), g.clientWidth);
    // The folder list covers edit bar and article pane, down to 10 below the pane.
    EXPECT_EQ(g.LvPapka, (Box{g.RTF.left, 1240, g.RTF.width, g.RTF.height + g.CBEdit.height + 10}));
    EXPECT_EQ(g.TRFiles, (Box{g.RTF.left, g.PicH.top + 40, g.RTF.width, 1600 - 40 - 345}));
    EXPECT_EQ(g.TRFiles.bottom(), g.Status.top);
    EXPECT_EQ(g.PicH.width, g.RTF.width);
    EXPECT_EQ(g.PrProgress, (Box{1540, g.Status.top + 60, 2320, 245}));
    // The logo band is as high as the toolbar's and shows the logo centred.
    EXPECT_EQ(g.PicLogo.height, 825);
    EXPECT_EQ(g.Image2.left, 100);
    EXPECT_EQ(g.Image2.top, 112);
}

TEST(LayoutPass, TogglingPanelsMovesTheRightArea)
{
    MainGeometry g = startedUp();
    const Box shownEdit = g.CBEdit;
    const Box shownRtf = g.RTF;

    g.contentShown = false;
    layoutPass(g);
    EXPECT_FALSE(g.dividerVisible);
    EXPECT_EQ(g.CBEdit.left, 20);
    EXPECT_EQ(g.CBEdit.width, g.windowWidth - 250);
    EXPECT_EQ(g.RTF.left, 0);
    EXPECT_EQ(g.RTF.width, g.windowWidth - 100);
    EXPECT_GT(g.RTF.width, shownRtf.width);
    EXPECT_EQ(g.LvPapka.left, 0);

    g.contentShown = true;
    layoutPass(g);
    EXPECT_TRUE(g.dividerVisible);
    EXPECT_EQ(g.picDivider.left, 3500);
    EXPECT_EQ(g.CBEdit, shownEdit);
    EXPECT_EQ(g.RTF, shownRtf);

    // Without attachments the article runs down to the status bar; back again,
    // the attachments panel has the height it had.
    const Box files = g.TRFiles;
    g.filesShown = false;
    layoutPass(g);
    EXPECT_FALSE(g.filesPanelVisible);
    EXPECT_EQ(g.RTF.bottom(), g.clientHeight - g.Status.height - 40);
    g.filesShown = true;
    layoutPass(g);
    EXPECT_TRUE(g.filesPanelVisible);
    EXPECT_EQ(g.TRFiles, files);
}

TEST(LayoutPass, SplitterNeverAbove2000AfterThePass)
{
    MainGeometry g = window(19200, 2400);
    g.PicH.top = 2500;
    g.filesPaneHeight = 300;
    const FilesSplit s = dragFilesSplitter(g.PicH.top, 0, g.clientHeight, g.filesPaneHeight);
    g.PicH.top = s.top;
    g.filesPaneHeight = s.filesPaneHeight;
    layoutPass(g);
    EXPECT_EQ(g.PicH.top, 2000);
}

TEST(LayoutPass, ResizeKeepsTheAttachmentsHeight)
{
    MainGeometry g = startedUp();
    g = [&] {
        MainGeometry h = window(15000, 8000);
        h.picDivider = g.picDivider;
        h.PicH = g.PicH;
        h.filesPaneHeight = g.filesPaneHeight;
        h.PicTema = g.PicTema;
        return h;
    }();
    layoutPass(g);
    EXPECT_EQ(g.PicH.top, 8000 - 1600);
    EXPECT_EQ(g.TRFiles.height, 1600 - 40 - 345);
}

TEST(LayoutPass, TinyWindowStillRunsEveryPossibleStep)
{
    MainGeometry g = startedUp();
    const Box twv = g.Twv;
    g.clientWidth = 600;
    g.clientHeight = 900;
    g.windowWidth = 720;
    g.windowHeight = 1590;
    g.Status.top = 900 - 345;
    layoutPass(g);
    // Too short for the attachments height: the splitter stays where it was.
    EXPECT_EQ(g.PicH.top, 11100 - 1600);
    // Negative sizes fail their own steps only: the article pane keeps its old
    // place, while the steps after it still ran.
    EXPECT_GE(g.RTF.width, 0);
    EXPECT_GE(g.RTF.height, 0);
    EXPECT_GE(g.TRTema.height, 0);
    EXPECT_EQ(g.Twv, twv);  // its box did not change size, so neither did it
    EXPECT_EQ(g.PrProgress.top, g.Status.top + 60);
    EXPECT_EQ(g.LvPapka.left, g.RTF.left);
}

TEST(LayoutPass, ASmallWindowKeepsHalfTheRightSideAndAReadableWidthForTheArticle)
{
    // The user's splitters: a wide contents panel and the tallest attachments panel.
    const SplitterWishes wishes{6000, 5000};
    struct Size {
        int widthPx, heightPx;
    };
    for (const Size s : {Size{1280, 740}, Size{800, 560}, Size{640, 440}, Size{500, 310}}) {
        SCOPED_TRACE(std::to_string(s.widthPx) + "x" + std::to_string(s.heightPx));
        MainGeometry g = window(s.widthPx * 15, s.heightPx * 15);
        fitSplittersToWindow(g, wishes);
        layoutPass(g);
        // The article area (edit bar and pane) is at least as tall as the
        // attachments panel below it.
        const int article = g.RTF.bottom() - g.CBEdit.top;
        EXPECT_GE(article, g.TRFiles.height);
        // And at least 6000 twips wide less the borders: 390 pixels.
        EXPECT_GE(g.RTF.width, 6000 - 250 - 80);
        EXPECT_GE(g.picDivider.left, 200);
    }
    // Grown again, the window gives the splitters back as they were put.
    MainGeometry g = window();
    fitSplittersToWindow(g, wishes);
    layoutPass(g);
    EXPECT_EQ(g.picDivider.left, 6000);
    EXPECT_EQ(g.filesPaneHeight, 5000);
    EXPECT_EQ(g.PicH.top, 11100 - 5000);
}
