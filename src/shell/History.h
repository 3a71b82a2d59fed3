#pragma once
// Back and forward through the folders and entries shown, as a web browser
// goes through its pages. Every change of what the window shows is a new place
// after the current one (the places ahead are dropped); going back or forward
// shows a place again without recording it.
#include <QObject>
#include <QString>

#include <vector>

namespace catalogue {
class Navigator;
class PathTree;
struct MainState;
}  // namespace catalogue

namespace shell {

class History : public QObject {
    Q_OBJECT
public:
    // A place shown: a folder of the list, or an entry (by its row's Id, which
    // no removal changes) opened from that folder.
    struct Place {
        QString folder;
        qint64 entryId = 0;
        bool operator==(const Place&) const = default;
    };

    History(catalogue::Navigator& navigator, catalogue::MainState& state, catalogue::PathTree* tree,
            QObject* parent = nullptr);

    bool canGoBack() const { return m_current > 0; }
    bool canGoForward() const { return m_current + 1 < int(m_places.size()); }
    void back();
    void forward();

    const std::vector<Place>& places() const { return m_places; }
    int current() const { return m_current; }

private:
    void record();
    void show(int index);

    catalogue::Navigator& m_nav;
    catalogue::MainState& m_state;
    catalogue::PathTree* m_tree;
    std::vector<Place> m_places;
    int m_current = -1;
    bool m_showing = false;
};

}  // namespace shell
