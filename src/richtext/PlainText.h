#pragma once
// Internal: the character mapping shared by both plain-text paths, and the non-RTF input path.
#include <QByteArray>
#include <QString>
#include <QStringView>

namespace richtext::detail {

// Appends `text` as the pane's plain text shows it: no-break space as a space, line break as
// "\n", pictures (U+FFFC) and soft hyphens dropped.
void appendShown(QString& out, QStringView text);

// Bytes that are not RTF, as text: UTF-8 when valid, else code page 1251; line ends as "\n"
// and control characters other than tab dropped.
QString decodePlainInput(const QByteArray& bytes);

}  // namespace richtext::detail
