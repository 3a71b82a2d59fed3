#pragma once
// Every control of the main window carries an accessible name, its caption or
// the text of its label, so that a screen reader can say what it is and an
// end-to-end test can find it by role and name.
namespace shell {

class FrmMain;

// Names the window's controls; buttons without a name of their own take their
// caption or, failing that, their tooltip.
void nameControls(FrmMain& window);

}  // namespace shell
