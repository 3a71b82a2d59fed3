#pragma once
// Binds the commands of base maintenance, printing, the web links and the About
// box to the main window's menus and toolbar.
#include <QObject>

#include <functional>
#include <memory>

class QDialog;

namespace dialogs {
class CommonDialogs;
}

namespace shell {

class ArticlePrinter;
class BaseCompaction;
class FrmMain;
class WebLinks;

class MaintenanceBinding : public QObject {
    Q_OBJECT
public:
    MaintenanceBinding(FrmMain& window, dialogs::CommonDialogs& dialogs);
    ~MaintenanceBinding() override;

    ArticlePrinter& printer() { return *m_printer; }
    BaseCompaction& compaction() { return *m_compaction; }
    WebLinks& links() { return *m_links; }

    // `MnuViewSetting_Click`: "Настройки", modal.
    void showSettings();
    // `MnuHelpAbout_Click`.
    void showAbout();
    // The catalogue load after the bases changed, with the count in the status bar.
    void rebuildCatalogue();
    // "Статей: N" for the rows the base holds now.
    void showCount();

    // Runs a modal window; tests drive the window instead.
    std::function<int(QDialog& window)> runModal;

private:
    void baseLost();
    // A text in the status bar, painted at once: the long commands keep the
    // event loop from running until they end. An empty text puts back what was there.
    void showWorking(const QString& text);

    FrmMain& m_w;
    ArticlePrinter* m_printer = nullptr;
    BaseCompaction* m_compaction = nullptr;
    std::unique_ptr<WebLinks> m_links;
    QString m_statusBefore;
};

}  // namespace shell
