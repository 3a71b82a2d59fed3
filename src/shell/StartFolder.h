#pragma once
// The application folder a start names on its command line: a folder is the
// application folder itself; a base file ("basemain.mdb") names the folder it
// lies in. Anything else is refused with a message naming it.
#include <QString>

namespace shell {

struct StartFolder {
    QString appDir;  // absolute; empty when refused
    QString error;   // the message for the user when refused
};

StartFolder startFolderFrom(const QString& argument);

}  // namespace shell
