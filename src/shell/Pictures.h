#pragma once
// The shell's pictures, painted here rather than shipped: the toolbar's picture
// list (normal and hot), the logo animation's frames and the splash picture.
#include "catalogue/Controls.h"

#include <QIcon>
#include <QPixmap>

namespace shell {

inline constexpr int ToolPictureCount = 13;
inline constexpr int ToolPictureSize = 24;  // pixels
// The picture numbers the program refers to are catalogue::ToolPicture.
using catalogue::ToolPicture;
// Picture `index` (1 … ToolPictureCount); hot is the hovered look.
QPixmap toolPicture(int index, bool hot);
// Both looks in one icon (hot as the Active mode).
QIcon toolIcon(int index);

inline constexpr int LogoFrameCount = 30;
inline constexpr int LogoSize = 40;  // pixels
// Frame `n` (1 … LogoFrameCount) of the turning logo.
QPixmap logoFrame(int n);

QPixmap splashPicture(const QSize& size);
// The program's icon, in every size of the installed desktop icon (the same files).
QIcon appIcon();

}  // namespace shell
