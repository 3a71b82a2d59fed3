#pragma once
// Internal: pictures for the reader and the writer. The pixel size a PNG or JPEG
// states in its header is read by hand: neither runs an image decoder over what a
// file brought in.
#include <QByteArray>
#include <QSize>

class QTextDocument;

namespace richtext::detail {

// A document's pictures are resources of the document, not part of its text:
// moving text between documents leaves them behind. Gives `to` the resource
// of every picture `pictures` shows, taken from `from`.
void copyPictures(const QTextDocument& pictures, const QTextDocument& from, QTextDocument& to);

// The size in pixels, or an empty size when the header says nothing readable.
QSize imagePixelSize(const QByteArray& data);

}  // namespace richtext::detail
