#pragma once
// What the window looked like when it was closed, put back at the next start:
// its place and size, the splitters, the panels shown, the folder list's view
// and sorting, the tree's open branches, and the folder and entry shown. Kept
// in the user's settings ("Zelvorant Kodrix"), beside the group "Common".
namespace shell {

class FrmMain;

class WindowState {
public:
    // At shutdown, while the window and the base are still there.
    static void save(FrmMain& window);
    // The window's place, size and maximised state, before it is first laid
    // out. False when none was kept (the first start) or it is unusable.
    static bool restoreGeometry(FrmMain& window);
    // After the catalogue is loaded, before the window is first shown.
    static void restoreLayout(FrmMain& window);
    // After the start has shown the root: the folder and the entry shown last,
    // when they are still in the same base. False when there was nothing to show.
    static bool restoreLocation(FrmMain& window);
};

}  // namespace shell
