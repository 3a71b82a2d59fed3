#pragma once
// `PrintArticle` and the printer dialog: the article pane's text printed on the
// program's printer, which the dialog chooses and which stays chosen for the
// next print. Where no printer is installed the print dialog offers a PDF file.
#include <QObject>
#include <QString>

#include <memory>

class QPrinter;
class QTextEdit;
class QWidget;

namespace catalogue {
struct MainState;
}
namespace dialogs {
class CommonDialogs;
}
namespace platform {
class Prompter;
}

namespace shell {

class ArticlePrinter : public QObject {
    Q_OBJECT
public:
    ArticlePrinter(catalogue::MainState& state, QTextEdit* pane, dialogs::CommonDialogs& dialogs,
                   platform::Prompter& prompter, QWidget* owner);
    ~ArticlePrinter() override;

    // `PrintArticle`: whatever the pane holds, also while the folder list is in
    // front of it; the whole text stays selected afterwards. True when it printed.
    bool printArticle();
    // "Ус&тановки принтера": the printer dialog; its choice becomes the
    // program's printer.
    void printerSetup();

    // The program's printer: the system's default one until the dialog chooses.
    QPrinter& printer();

private:
    // Whether printing needs the dialog first: no printer is installed, or the
    // output goes to a file, which is confirmed each time rather than overwritten.
    bool needsDestination();
    QString destinationName();

    catalogue::MainState& m_state;
    QTextEdit* m_pane;
    dialogs::CommonDialogs& m_dialogs;
    platform::Prompter& m_prompter;
    QWidget* m_owner;
    std::unique_ptr<QPrinter> m_printer;
};

}  // namespace shell
