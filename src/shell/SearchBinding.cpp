#include "SearchBinding.h"

#include "FrmMain.h"
#include "NavigationBinding.h"
#include "ShellTexts.h"
#include "StatusPanels.h"

#include "articles/ArticlePane.h"
#include "articles/ArticleView.h"
#include "catalogue/AlphaIndexList.h"
#include "catalogue/Navigator.h"
#include "platform/Prompter.h"
#include "search/AlphaIndex.h"
#include "search/FindList.h"
#include "search/FullTextSearch.h"
#include "search/SearchTexts.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

namespace shell {

SearchBinding::SearchBinding(FrmMain& w) : QObject(&w)
{
    auto openEntry = [&w] { return w.articleView().openEntry(); };
    auto showPane = [&w] { w.navigation().showArticlePane(); };
    auto enableUp = [&w] { w.navigation().navigator().setUpEnabled(true); };

    search::AlphaIndexWidgets index;
    index.box = w.TxtAlphaText;
    index.list = w.LstAlphaList;
    index.openEntry = openEntry;
    index.showArticlePane = showPane;
    index.enableUp = enableUp;
    index.showItemMenu = [&w](const QPoint& at) {
        w.navigation().navigator().showContextMenu(catalogue::Navigator::Location::Ordinary, at);
    };
    m_index = new search::AlphaIndex(w.state(), std::move(index), this);

    search::SearchWidgets find;
    find.box = w.TxtFind;
    find.button = w.CmdFind;
    find.list = w.LVFind;
    find.progress = w.PrProgress;
    find.pane = w.RTF;
    find.setStatus = [status = w.Status](const QString& text) { status->setPanelText(catalogue::PanelMessage, text); };
    find.setStatusReady = [status = w.Status] { status->setPanelText(catalogue::PanelMessage, texts::ready()); };
    w.Status->fitPanelTo(catalogue::PanelMessage,
                         {search::texts::preparing(), search::texts::searching(), search::texts::stopped()});
    find.openEntry = openEntry;
    find.showArticlePane = showPane;
    find.enableUp = enableUp;
    find.showItemMenu = [&w](bool inBin, const QPoint& at) {
        using Location = catalogue::Navigator::Location;
        w.navigation().navigator().showContextMenu(inBin ? Location::RecycleBin : Location::Ordinary, at);
    };
    find.warn = [&w](const QString& message) {
        w.prompter().message(platform::MsgStyle::Critical, w.windowTitle(), message);
    };
    m_find = new search::FullTextSearch(w.state(), std::move(find), this);
    connect(&w.articleView(), &articles::ArticleView::articleShown, m_find, &search::FullTextSearch::articleShown);
    // The search page shown: the texts are read ahead of the first search.
    connect(w.TabMain, &QTabBar::currentChanged, m_find, [find = m_find](int page) {
        if (page == 2)
            find->warmUp();
    });

    w.TxtAlphaText->setAccessibleName(search::texts::indexBoxName());
    w.LstAlphaList->setAccessibleName(texts::tabAlphaTip());
    w.TxtFind->setAccessibleName(search::texts::findBoxName());
    w.CmdFind->setAccessibleName(texts::tabFind());
    w.LVFind->setAccessibleName(search::texts::resultsName());
}

}  // namespace shell
