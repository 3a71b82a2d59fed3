#pragma once
// Hands documents, programs and web addresses to the desktop, and asks it for
// the icon of a file type. Tests put a recording implementation in its place.
#include <QIcon>
#include <QString>

namespace platform {

class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    // The "open" verb: a document, a program or a web address. False when the
    // desktop refused it.
    virtual bool open(const QString& target) = 0;
    // Icon of the type of the named file (by its name; the file need not exist).
    virtual QIcon fileTypeIcon(const QString& fileName) = 0;
};

// QDesktopServices and the icon theme.
class QtDesktopShell : public DesktopShell {
public:
    bool open(const QString& target) override;
    QIcon fileTypeIcon(const QString& fileName) override;
};

}  // namespace platform
