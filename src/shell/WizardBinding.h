#pragma once
// Opens the article wizard from the menus, the toolbar and the context menus,
// on the row each opener names, and files what it changed in the views.
#include <QObject>
#include <QPointer>

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
namespace organise {
class FolderPicker;
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

private:
    void editShown(int step);
    void entryAdded(qint64 recordNumber);
    void entryChanged(qint64 recordNumber, const articles::EntryPlace& before);
    void reload();
    // `FrmFolder` and `FrmSeeAlso` for the wizard: the choice, or nothing.
    std::optional<QString> chooseFolder(QWidget* owner);
    std::optional<QString> chooseReference(QWidget* owner);

    FrmMain& m_w;
    dialogs::CommonDialogs& m_dialogs;
    articles::FrmAdd* m_wizard = nullptr;
    // Owned by the wizard window it was shown over.
    QPointer<organise::FolderPicker> m_folderPicker;
};

}  // namespace shell
