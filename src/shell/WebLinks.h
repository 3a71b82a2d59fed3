#pragma once
// The web addresses the program hands to the desktop: the maker's home page
// (also the page where bases are downloaded), read from orvex.ini, and the
// outside site of "VB на Русском". A missing address or a desktop that cannot
// open one is said, never swallowed.
#include <QString>

namespace platform {
class DesktopShell;
class Prompter;
}  // namespace platform

namespace shell {

class WebLinks {
public:
    WebLinks(QString appDir, platform::DesktopShell& desktop, platform::Prompter& prompter);

    // `ReadIni`("www", "home", orvex.ini); empty when the file or key is missing.
    QString homeAddress() const;
    // "&Домашняя страница Zelvorant" and "&Загрузить". True when the desktop took it.
    bool openHomePage();
    // "VB на Русском".
    bool openVbRussian();

    static QString vbRussianAddress()
    {
        return QStringLiteral("https://learn.microsoft.com/ru-ru/dotnet/visual-basic/");
    }

private:
    bool open(const QString& address);

    QString m_appDir;
    platform::DesktopShell& m_desktop;
    platform::Prompter& m_prompter;
};

}  // namespace shell
