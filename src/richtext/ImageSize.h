#pragma once
// Internal: the pixel size a PNG or JPEG states in its header, read by hand: neither the
// reader nor the writer runs an image decoder over what a file brought in.
#include <QByteArray>
#include <QSize>

namespace richtext::detail {

// The size in pixels, or an empty size when the header says nothing readable.
QSize imagePixelSize(const QByteArray& data);

}  // namespace richtext::detail
