#pragma once
// Binds the alphabetical index and the full-text search to the window: their
// controls, the article display that opens what they find, the navigation's
// menus and panes, and the status bar.
#include <QObject>

namespace search {
class AlphaIndex;
class FullTextSearch;
}  // namespace search

namespace shell {

class FrmMain;

class SearchBinding : public QObject {
    Q_OBJECT
public:
    explicit SearchBinding(FrmMain& window);

    search::AlphaIndex& index() const { return *m_index; }
    search::FullTextSearch& find() const { return *m_find; }

private:
    search::AlphaIndex* m_index = nullptr;
    search::FullTextSearch* m_find = nullptr;
};

}  // namespace shell
