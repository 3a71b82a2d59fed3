#pragma once
// Opens the article wizard from the menus, the toolbar and the context menus,
// on the row each opener names, and files what it changed in the views.
#include <QObject>

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace articles {
class FrmAdd;
struct EntryPlace;
}  // namespace articles
namespace dialogs {
class CommonDialogs;
}

namespace shell {

class FrmMain;

class WizardBinding : public QObject {
    Q_OBJECT
public:
    WizardBinding(FrmMain& window, dialogs::CommonDialogs& dialogs);
    ~WizardBinding() override;

    // The one wizard window, made on first use and kept: its mode, the last
    // file added and its dialog object live until the program ends.
    articles::FrmAdd& wizard();

    // "&Новая статья" and "add".
    void newEntry();
    // "&Свойства" and "Свойства" of the context menus: the entry SelItem names.
    void properties();
    // "&Изменить список файлов" and "&Изменить ссылки": the shown article, then
    // shown again with what changed. Nothing when no article is shown.
    void editFiles();
    void editSeeAlso();

    // The pickers (`FrmFolder`, `FrmSeeAlso`), when the program has them.
    std::function<std::optional<QString>(QWidget* owner)> pickFolder;
    std::function<std::optional<QString>(QWidget* owner)> pickSeeAlso;

private:
    void editShown(int step);
    void entryAdded(qint64 recordNumber);
    void entryChanged(qint64 recordNumber, const articles::EntryPlace& before);
    void reload();
    // Files the entry rsBase stands on in the tree and the index.
    void file(qint64 recordNumber);

    FrmMain& m_w;
    dialogs::CommonDialogs& m_dialogs;
    articles::FrmAdd* m_wizard = nullptr;
};

}  // namespace shell
