#include "ImageSize.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>

#include <algorithm>

namespace richtext::detail {

QSize imagePixelSize(const QByteArray& d)
{
    auto be16 = [&d](qsizetype i) { return (uchar(d[i]) << 8) | uchar(d[i + 1]); };
    auto be32 = [&](qsizetype i) { return (qint64(be16(i)) << 16) | be16(i + 2); };
    if (d.startsWith("\x89PNG") && d.size() >= 24)
        return QSize(int(std::min<qint64>(be32(16), 100000)), int(std::min<qint64>(be32(20), 100000)));
    qsizetype i = 2;
    while (d.startsWith("\xFF\xD8") && i + 9 < d.size() && uchar(d[i]) == 0xFF) {
        const uchar marker = uchar(d[i + 1]);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return QSize(be16(i + 7), be16(i + 5));
        i += 2 + be16(i + 2);
    }
    return {};
}

void copyPictures(const QTextDocument& pictures, const QTextDocument& from, QTextDocument& to)
{
    for (QTextBlock b = pictures.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.isImageFormat())
                continue;
            const QUrl url(f.toImageFormat().name());
            to.addResource(QTextDocument::ImageResource, url, from.resource(QTextDocument::ImageResource, url));
        }
}

}  // namespace richtext::detail
