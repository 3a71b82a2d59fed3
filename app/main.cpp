// kodrix: the program.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Kodrix - Крутейший VB справочник"));
    w.showMaximized();
    return app.exec();
}
