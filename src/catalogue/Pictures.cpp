#include "Pictures.h"

#include <QPixmap>

// The resource file lives in a static library: nothing refers to it, so the
// linker would drop it unless it is registered by hand.
static void registerCatalogueResources()
{
    Q_INIT_RESOURCE(catalogue);
}

namespace catalogue {

namespace {

// Role names of the pictures 1 … 10 in the resource file.
const char* const Names[PictureCount] = {
    "article", "program", "link", "favourites", "recycle-empty",
    "recycle-full", "installed-entry", "folder", "installed-bases", "root",
};

QString resourcePath(int index, int size)
{
    return QStringLiteral(":/catalogue/%1/%2.png").arg(QString::number(size), QLatin1String(Names[index - 1]));
}

void ensureResources()
{
    static const bool done = [] {
        registerCatalogueResources();
        return true;
    }();
    (void)done;
}

}  // namespace

QIcon picture(int index)
{
    if (index < 1 || index > PictureCount)
        return {};
    ensureResources();
    QIcon icon;
    icon.addFile(resourcePath(index, 16), QSize(16, 16));
    icon.addFile(resourcePath(index, 32), QSize(32, 32));
    return icon;
}

QPixmap picturePixmap(int index, bool large)
{
    if (index < 1 || index > PictureCount)
        return {};
    ensureResources();
    return QPixmap(resourcePath(index, large ? 32 : 16));
}

std::vector<QIcon> cataloguePictures()
{
    static const std::vector<QIcon> pictures = [] {
        std::vector<QIcon> all;
        for (int i = 1; i <= PictureCount; ++i)
            all.push_back(picture(i));
        return all;
    }();
    return pictures;
}

}  // namespace catalogue
