#include "WebLinks.h"

#include "ShellTexts.h"
#include "ShellTexts.h"

#include "platform/DesktopShell.h"
#include "platform/Prompter.h"
#include "store/AppFiles.h"

#include <QFileInfo>

namespace shell {

WebLinks::WebLinks(QString appDir, platform::DesktopShell& desktop, platform::Prompter& prompter)
    : m_appDir(std::move(appDir)), m_desktop(desktop), m_prompter(prompter)
{
}

QString WebLinks::homeAddress() const
{
    const QString ini = store::AppFiles(m_appDir).iniPath();
    return store::readIni(QStringLiteral("www"), QStringLiteral("home"), ini).trimmed();
}

bool WebLinks::openHomePage()
{
    const QString address = homeAddress();
    if (address.isEmpty()) {
        // Handing the desktop an empty address opens nothing and says nothing.
        const QString ini = store::AppFiles(m_appDir).iniPath();
        m_prompter.message(platform::MsgStyle::Warning, texts::mainTitle(),
                           QFileInfo::exists(ini) ? texts::homeKeyMissing(ini) : texts::iniMissing(ini));
        return false;
    }
    return open(address);
}

bool WebLinks::openVbRussian() { return open(vbRussianAddress()); }

bool WebLinks::open(const QString& address)
{
    if (m_desktop.open(address))
        return true;
    m_prompter.message(platform::MsgStyle::Critical, texts::mainTitle(), texts::addressNotOpened(address));
    return false;
}

}  // namespace shell
