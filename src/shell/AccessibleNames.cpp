#include "AccessibleNames.h"

#include "FrmMain.h"
#include "MainToolbar.h"
#include "ShellTexts.h"
#include "SplitterBar.h"
#include "StatusPanels.h"
#include "ZelvorantResizer.h"

#include "catalogue/AlphaIndexList.h"
#include "catalogue/FolderList.h"
#include "catalogue/PathTree.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTreeView>
#include <QTreeWidget>

namespace shell {

namespace {

QString withoutMnemonic(QString caption) { return caption.remove(QLatin1Char('&')).trimmed(); }

void name(QWidget* w, const QString& text)
{
    if (w)
        w->setAccessibleName(text);
}

}  // namespace

void nameControls(FrmMain& w)
{
    name(w.TbMain, texts::accToolbar());
    name(w.Image2, texts::accLogo());
    name(w.txtAddress, QString(texts::addressLabel()).remove(QLatin1Char(':')));
    name(w.TRTema, texts::contentsCaption());
    name(w.TRTema->closeBox(), texts::accClosePanel(texts::contentsCaption()));
    name(w.TabMain, texts::contentsCaption());
    name(w.Twv, texts::tabTopicsTip());
    // The index and the search pages are named by their own binding.
    name(w.picDivider, texts::accDivider());
    name(w.LvPapka, texts::accFolderList());
    name(w.LvPapka->iconView(), texts::accFolderList());
    name(w.LvPapka->reportView(), texts::accFolderList());
    name(w.PicH, texts::accFilesSplitter());
    name(w.TRFiles, texts::filesCaption());
    name(w.TRFiles->closeBox(), texts::accClosePanel(texts::filesCaption()));
    name(w.LstFile, texts::filesCaption());
    name(w.Status, texts::accStatusBar());
    name(w.PrProgress, texts::accProgress());
    // Buttons say what their caption or their tooltip says.
    for (QAbstractButton* b : w.findChildren<QAbstractButton*>()) {
        if (!b->accessibleName().isEmpty())
            continue;
        const QString caption = withoutMnemonic(b->text());
        // A bar too narrow for its buttons or menus shows the rest behind this one.
        if (b->objectName() == QLatin1String("qt_toolbar_ext_button"))
            b->setAccessibleName(texts::accMoreButtons());
        else if (b->objectName() == QLatin1String("qt_menubar_ext_button"))
            b->setAccessibleName(texts::accMoreMenus());
        else
            b->setAccessibleName(caption.isEmpty() ? b->toolTip() : caption);
    }
}

}  // namespace shell
