#include "uninstaller.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Uninstaller window;
    window.show();
    return app.exec();
}
