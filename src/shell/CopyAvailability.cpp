#include "CopyAvailability.h"

#include "MainToolbar.h"

#include "catalogue/Navigator.h"

#include <QAction>

namespace shell {

CopyAvailability::CopyAvailability(catalogue::Navigator& navigator, QAction* menuItem, MainToolbar* toolbar,
                                   QObject* parent)
    : QObject(parent), m_nav(navigator), m_item(menuItem), m_toolbar(toolbar)
{
    connect(&m_nav, &catalogue::Navigator::navigationChanged, this, &CopyAvailability::follow);
    follow();
}

void CopyAvailability::follow()
{
    const bool article = m_nav.articleVisible();
    m_item->setEnabled(article);
    m_toolbar->setButtonEnabled(catalogue::ToolButton::Copy, article);
}

}  // namespace shell
