// The empty window with one label: what showing any text costs, for scale
// beside the empty window in the start-up benchmark.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Label Window"));
    window.setFixedSize(520, 298);
    auto *label = new QLabel(QStringLiteral("Korvel Configurator"), &window);
    label->move(8, 8);
    window.show();
    return app.exec();
}
