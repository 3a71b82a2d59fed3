#pragma once
// The ten pictures shared by the catalogue tree and the folder list. Index n is
// the same picture in both sizes; Kind doubles as a picture index (1 to 3).
#include <QIcon>

#include <vector>

namespace catalogue {

enum Picture : int {
    PicNone = 0,
    PicArticle = 1,         // page with a question mark
    PicProgram = 2,         // page with a window
    PicLink = 3,            // page with two circling arrows
    PicFavourites = 4,      // folder with a star
    PicRecycleEmpty = 5,    // empty waste basket
    PicRecycleFull = 6,     // waste basket with paper
    PicInstalledEntry = 7,  // page with a house
    PicFolder = 8,          // folder
    PicInstalledBases = 9,  // package with a window
    PicRoot = 10,           // book with a question mark
};
constexpr int PictureCount = 10;

// The picture with 1-based index, holding a 16×16 and a 32×32 pixmap; a null
// icon for 0, negative or out-of-range indices.
QIcon picture(int index);
// 16×16 (small) or 32×32 (large) pixmap of one picture; null when out of range.
QPixmap picturePixmap(int index, bool large);
// Pictures 1 … 10 in order, for a tree or list that takes a 1-based picture list.
std::vector<QIcon> cataloguePictures();

}  // namespace catalogue
