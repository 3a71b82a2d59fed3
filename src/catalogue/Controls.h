#pragma once
// The numbers and keys the window's controls share between modules: the main
// toolbar's buttons and pictures, the status bar's panels and the mouse
// buttons as the splitters receive them. Each lives here once, below every
// module that names them, so a command or a panel is never a bare literal that
// two files must agree on.
#include <QLatin1StringView>

#include <array>

namespace catalogue {

// The main toolbar's buttons, in toolbar order.
enum class ToolButton { Add, Del, Extract, See, Up, Copy, Style, Print };
inline constexpr std::array<ToolButton, 8> ToolButtons = {ToolButton::Add,  ToolButton::Del,  ToolButton::Extract,
                                                          ToolButton::See,  ToolButton::Up,   ToolButton::Copy,
                                                          ToolButton::Style, ToolButton::Print};

// A button's stable name: its object name, which accessibility tools and
// scripted walk-throughs find it by.
constexpr QLatin1StringView toolButtonName(ToolButton b)
{
    switch (b) {
    case ToolButton::Add: return QLatin1StringView("add");
    case ToolButton::Del: return QLatin1StringView("del");
    case ToolButton::Extract: return QLatin1StringView("extract");
    case ToolButton::See: return QLatin1StringView("see");
    case ToolButton::Up: return QLatin1StringView("up");
    case ToolButton::Copy: return QLatin1StringView("copy");
    case ToolButton::Style: return QLatin1StringView("style");
    case ToolButton::Print: return QLatin1StringView("print");
    }
    return {};
}

// The items of the "style" button's drop-down: the folder list's three views.
enum class ToolMenuItem { Big, Small, Report };
inline constexpr std::array<ToolMenuItem, 3> ToolMenuItems = {ToolMenuItem::Big, ToolMenuItem::Small,
                                                              ToolMenuItem::Report};

constexpr QLatin1StringView toolMenuItemName(ToolMenuItem item)
{
    switch (item) {
    case ToolMenuItem::Big: return QLatin1StringView("big");
    case ToolMenuItem::Small: return QLatin1StringView("small");
    case ToolMenuItem::Report: return QLatin1StringView("report");
    }
    return {};
}

// Picture numbers of the toolbar's picture list (1-based) that the program
// refers to; the others are drawn but never chosen by number.
enum ToolPicture : int {
    PicKeep = -1,  // leave the button's picture as it is
    PicAdd = 1,
    PicDel = 2,
    PicSee = 3,
    PicUp = 4,
    PicCopy = 5,
    PicExtract = 6,       // the shown article has attachments
    PicStyle = 7,
    PicExtractNone = 8,   // nothing to extract
    PicPrint = 9,
    PicExtractLeft = 13,  // "up" has just left an article
};

// The status bar's panels, numbered from 1 as the window numbers them.
enum StatusPanel : int {
    PanelMessage = 1,   // "Готово", "Только чтение", the search's progress
    PanelProgress = 2,  // under the progress bar
    PanelEntry = 3,     // the shown entry, or what a long command is doing
    PanelClock = 4,
    PanelArticles = 5,  // "Статей: N"
};
inline constexpr int StatusPanelCount = 5;

// Mouse buttons as a bit set, the way the splitters' move handlers receive them.
enum MouseButton : int {
    MouseLeft = 1,
    MouseRight = 2,
    MouseMiddle = 4,
};

}  // namespace catalogue
