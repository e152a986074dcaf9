#include "folderbrowser.h"
#include "mainwindow.h"
#include "optiondialog.h"
#include "setupdialog.h"
#include "testsupport.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <cstdio>

// Two screens at 200 % scaling: a 1280 x 1024 one (640 x 512 in the windows'
// coordinates) and, right of it, one too small for any dialog.
namespace {

const QRect kLarge(0, 0, 640, 512);
const QRect kSmall(1280, 0, 200, 150);

// Where the window's frame lies once `opener` has shown it.
QRect openedFrame(QPushButton *opener, QWidget *window)
{
    QTest::mouseClick(opener, Qt::LeftButton);
    if (!QTest::qWaitForWindowExposed(window))
        qFatal("%s does not show", window->metaObject()->className());
    return window->frameGeometry();
}

} // namespace

class TestPlacement : public QObject
{
    Q_OBJECT

private slots:
    void optionDialogsOpenOverTheMainWindow()
    {
        QCOMPARE(QGuiApplication::screens().value(1)->availableGeometry(), kSmall);
        PackageFolder folder;
        folder.write(QStringLiteral("pfad.kst"), "c:\\hl\r\n");
        MainWindow *m = restartConfigurator();
        m->move(40, 100);
        const QPair<QPushButton *, QWidget *> dialogs[]
            = {{control<QPushButton>(m, "Command2"), dialog<RestockDialog>()},
               {control<QPushButton>(m, "Command4"), dialog<ServerAccessDialog>()},
               {control<QPushButton>(m, "Command6"), dialog<SoundDialog>()},
               {control<QPushButton>(m, "Command7"), dialog<TextMessageDialog>()},
               {control<QPushButton>(m, "Command9"), dialog<PersonalModeDialog>()},
               {control<QPushButton>(m, "Command8"), dialog<SetupDialog>()}};
        for (const auto &dialog : dialogs)
            QCOMPARE(openedFrame(dialog.first, dialog.second).center(), m->frameGeometry().center());

        // Centred over a main window low on the screen, the restock dialog
        // would hang off it (the 19 px of the report); it moves just far enough.
        m = restartConfigurator();
        m->move(100, 300);
        RestockDialog *r = dialog<RestockDialog>();
        QRect frame = openedFrame(control<QPushButton>(m, "Command2"), r);
        QCOMPARE(frame.bottom(), kLarge.bottom());
        QCOMPARE(frame.center().x(), m->frameGeometry().center().x());

        // Moved by the user, it opens there again; partly off the screen, it comes back.
        r->move(30, 20);
        r->hide();
        QCOMPARE(openedFrame(control<QPushButton>(m, "Command2"), r).topLeft(), QPoint(30, 20));
        r->hide();
        r->move(-50, 400);
        frame = openedFrame(control<QPushButton>(m, "Command2"), r);
        QCOMPARE(frame.left(), 0);
        QVERIFY2(kLarge.contains(frame), qPrintable(QDebug::toString(frame)));

        // Always on the main window's screen, at its corner when larger than it.
        m->move(kSmall.topLeft());
        QTRY_COMPARE(m->screen(), QGuiApplication::screens().at(1));
        QCOMPARE(openedFrame(control<QPushButton>(m, "Command9"), dialog<PersonalModeDialog>()).topLeft(),
                 kSmall.topLeft());
        QCOMPARE(openedFrame(control<QPushButton>(m, "Command2"), r).topLeft(), kSmall.topLeft());
    }

    void firstStartCentresTheSetupAndTheBrowserOverIt()
    {
        PackageFolder folder;
        restartConfigurator();
        SetupDialog *setup = dialog<SetupDialog>();
        QVERIFY(QTest::qWaitForWindowExposed(setup));
        const QPoint offCentre = setup->frameGeometry().center() - kLarge.center();
        QVERIFY2(offCentre.manhattanLength() <= 2, // halves rounded on either axis
                 qPrintable(QDebug::toString(offCentre)));

        setup->move(10, 10);
        QCOMPARE(openedFrame(control<QPushButton>(setup, "search"), dialog<SetupDialog>()->browser()).center(),
                 setup->frameGeometry().center());
    }
};

int main(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    // The screens below come from the offscreen platform, which the Windows
    // build does not link; Wine's one screen can't be set to them.
    Q_UNUSED(argc)
    Q_UNUSED(argv)
    std::puts("SKIP: the made-up screens need the offscreen platform, which the Windows build lacks");
    return 77;
#endif
    // The offscreen platform takes its screens from a file; a relative path,
    // since the platform argument splits at every colon.
    const QString config = QStringLiteral("test_placement_screens.json");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(R"({"screens": [
            {"name": "large", "x": 0, "y": 0, "width": 1280, "height": 1024},
            {"name": "small", "x": 1280, "y": 0, "width": 400, "height": 300}]})") < 0)
        qFatal("cannot write %s", qPrintable(config));
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    QFile::remove(config); // read by now
    TestPlacement test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_placement.moc"
