#pragma once
// The main window's layout pass and its two splitters, as arithmetic in twips
// with no widgets: the window feeds in what it measured and applies the result.
namespace shell {

struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const Box&) const = default;
};

// The whole arrangement, in twips. The pass reads and writes it in its fixed
// order; each value read is the one it has at that moment of the pass.
struct MainGeometry {
    // Outer size of the window and its client area.
    int windowWidth = 0;
    int windowHeight = 0;
    int clientWidth = 0;
    int clientHeight = 0;

    bool contentShown = true;  // check mark of the View menu's "Содержание"
    bool filesShown = true;    // check mark of the View menu's "Вложенные файлы"
    int filesPaneHeight = 0;   // splitter top to client bottom; 0 until first dragged

    int band1Height = 0;  // toolbar band of the top cool bar
    int band2Width = 0;   // logo band, set by the pass
    int band2Height = 0;

    Box CB, PicLogo, Image2;
    Box picDivider, PicH;
    Box TRTema, PicTema, TabMain;
    Box TxtAlphaText, LstAlphaList, PicAlpha;
    Box TxtFind, CmdFind, LVFind, PicFind;
    Box PicTwv, Twv;
    Box CBEdit, RTF, LvPapka;
    Box TRFiles;
    Box Status, PrProgress;
    int panel2Left = 0;  // status panel 2, in the status bar
    int panel2Width = 0;

    bool filesPanelVisible = true;
    bool dividerVisible = true;
};

inline constexpr int LogoBandWidth = 800;

// One layout pass. A step whose sizes come out negative fails alone and leaves
// its control as it was; every other step still runs.
void layoutPass(MainGeometry& g);

// v rounded to the nearest whole twip, halves to the even neighbour.
int wholeTwips(double v);

// The vertical splitter dragged with the left button: its new left edge, from
// its current one and the mouse's X in its own coordinates.
int dragDivider(int left, double x, int clientWidth);

// Where the user put the two splitters. The window keeps these while it is too
// small to honour them and gives them back when it grows again.
struct SplitterWishes {
    int dividerLeft = 0;
    int filesPaneHeight = 0;  // 0: never dragged
};

// Re-limits the splitters for the window's present size, before a pass: the
// divider no further right than a drag may put it (the right area keeps 6000
// twips), the attachments panel no taller than the article area above it.
// Within those limits the wishes stand.
void fitSplittersToWindow(MainGeometry& g, const SplitterWishes& wishes);

// The attachments splitter dragged with the left button.
struct FilesSplit {
    int top;
    int filesPaneHeight;
};
FilesSplit dragFilesSplitter(int top, double y, int clientHeight, int filesPaneHeight);

}  // namespace shell
