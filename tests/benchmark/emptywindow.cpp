// A Qt Widgets window with nothing in it, the size of the configurator's main
// window: the start-up benchmark compares the configurator against it.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Empty Window"));
    window.setFixedSize(520, 298);
    window.show();
    return app.exec();
}
