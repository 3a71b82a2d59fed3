#include "History.h"

#include "catalogue/MainState.h"
#include "catalogue/Navigator.h"
#include "catalogue/PathTree.h"
#include "store/Recordset.h"

namespace shell {

namespace {
// Enough for a long session of reading; the oldest places go first.
constexpr size_t MostPlaces = 200;
}  // namespace

History::History(catalogue::Navigator& navigator, catalogue::MainState& state, catalogue::PathTree* tree,
                 QObject* parent)
    : QObject(parent), m_nav(navigator), m_state(state), m_tree(tree)
{
    connect(&m_nav, &catalogue::Navigator::navigationChanged, this, &History::record);
}

void History::record()
{
    if (m_showing)
        return;
    const Place here{m_state.currentFolder, m_nav.articleVisible() ? m_state.displayedId : 0};
    if (m_current >= 0 && m_places[size_t(m_current)] == here)
        return;
    m_places.resize(size_t(m_current + 1));
    m_places.push_back(here);
    if (m_places.size() > MostPlaces)
        m_places.erase(m_places.begin());
    m_current = int(m_places.size()) - 1;
}

void History::back()
{
    if (canGoBack())
        show(m_current - 1);
}

void History::forward()
{
    if (canGoForward())
        show(m_current + 1);
}

void History::show(int index)
{
    const Place place = m_places[size_t(index)];
    m_current = index;
    m_showing = true;
    qint64 number = 0;
    if (place.entryId > 0 && m_state.rsBase)
        number = m_state.rsBase->recordNumberOfId(place.entryId);
    // Going back shows; it never starts a program the entry was made into since.
    if (number > 0 && (!m_state.goToRecord(QString::number(number)) ||
                       !m_state.rsBase->text(store::ColLinkTarget).isEmpty()))
        number = 0;
    // The folder first, so that "up" from an entry leads back to where it was
    // opened. An entry removed since (or no longer an article) is passed over:
    // its folder is shown.
    if (number == 0 || m_state.currentFolder != place.folder) {
        if (m_tree) {
            if (catalogue::Node* node = m_tree->getNode(place.folder))
                m_tree->selectNode(node);
        }
        m_nav.showFolder(place.folder);
    }
    if (number > 0) {
        m_state.selItem = QString::number(number);
        m_nav.openSelected();
    }
    m_showing = false;
}

}  // namespace shell
