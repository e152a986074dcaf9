#include "appearance.h"
#include "mainwindow.h"
#include "package.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The program ends only when the main window closes, never because the
    // last visible window (the setup dialog, say) went away.
    app.setQuitOnLastWindowClosed(false);
    Appearance::applyApplicationFont(app);
    Appearance::applyApplicationStyle(app);

    // A shortcut without its start folder starts the program elsewhere: that
    // start ends there, before the lock or any setting is written.
    if (!MainWindow::startsInPackage(QCoreApplication::applicationDirPath()))
        return 1;

    // The lock goes with the package, at every end of the program.
    Package package(QDir::currentPath());
    MainWindow window(package);
    window.startup();
    return app.exec();
}
