#include "language.h"
#include "mainwindow.h"
#include "optiondialog.h"
#include "platform.h"
#include "testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <functional>

namespace {

MainWindow *shownMainWindow()
{
    MainWindow *main = configurator();
    main->show();
    if (!QTest::qWaitForWindowExposed(main))
        qFatal("the main window does not show");
    return main;
}

template <class W>
int windowsOf()
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += qobject_cast<W *>(widget) ? 1 : 0;
    return count;
}

struct Dialog
{
    std::function<QPushButton *(MainWindow *)> opener;
    std::function<QWidget *()> window;
    std::function<int()> count;
    std::function<QLineEdit *()> box;
    std::function<QPushButton *()> close;
};

const QMap<QString, Dialog> &dialogs()
{
    static const QMap<QString, Dialog> all = {
        {"restock",
         {[](MainWindow *m) { return control<QPushButton>(m, "Command2"); }, [] { return dialog<RestockDialog>(); },
          windowsOf<RestockDialog>, [] { return control<QComboBox>(dialog<RestockDialog>(), "big3")->lineEdit(); },
          [] { return control<QPushButton>(dialog<RestockDialog>(), "Command1"); }}},
        {"amcm",
         {[](MainWindow *m) { return control<QPushButton>(m, "Command4"); },
          [] { return dialog<ServerAccessDialog>(); }, windowsOf<ServerAccessDialog>,
          [] { return control<QLineEdit>(dialog<ServerAccessDialog>(), "pass"); },
          [] { return control<QPushButton>(dialog<ServerAccessDialog>(), "Command1"); }}},
        {"sound",
         {[](MainWindow *m) { return control<QPushButton>(m, "Command6"); }, [] { return dialog<SoundDialog>(); },
          windowsOf<SoundDialog>, [] { return control<QLineEdit>(dialog<SoundDialog>(), "snd2"); },
          [] { return control<QPushButton>(dialog<SoundDialog>(), "Command2"); }}},
        {"text",
         {[](MainWindow *m) { return control<QPushButton>(m, "Command7"); }, [] { return dialog<TextMessageDialog>(); },
          windowsOf<TextMessageDialog>, [] { return control<QLineEdit>(dialog<TextMessageDialog>(), "Text8"); },
          [] { return control<QPushButton>(dialog<TextMessageDialog>(), "Command2"); }}},
        {"funmode",
         {[](MainWindow *m) { return control<QPushButton>(m, "Command9"); },
          [] { return dialog<PersonalModeDialog>(); }, windowsOf<PersonalModeDialog>,
          [] { return control<QLineEdit>(dialog<PersonalModeDialog>(), "plant"); },
          [] { return control<QPushButton>(dialog<PersonalModeDialog>(), "Command1"); }}},
    };
    return all;
}

} // namespace

class TestNavigation : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        Platform::setOpenWebAddressHook({});
        dropConfigurator();
    }

    void dialogsKeepTheirValues_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("closedBy");
        for (const QString &name : dialogs().keys()) {
            for (const char *closedBy : {"Schließen", "title bar", "Escape", "Enter on Schließen"})
                QTest::newRow(qPrintable(name + ' ' + closedBy)) << name << QString::fromUtf8(closedBy);
        }
    }

    void dialogsKeepTheirValues()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, closedBy);
        const Dialog &d = dialogs()[dialog];
        PackageFolder folder;
        MainWindow *main = shownMainWindow();

        QTest::mouseClick(d.opener(main), Qt::LeftButton);
        QWidget *window = d.window();
        QPointer<QWidget> alive(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTest::mouseClick(d.opener(main), Qt::LeftButton);
        QCOMPARE(d.window(), window);
        QCOMPARE(d.count(), 1);

        d.box()->setFocus();
        QTest::keyClicks(d.box(), "value-1!");
        if (closedBy == QLatin1String("title bar")) {
            QVERIFY(window->close());
        } else if (closedBy == QLatin1String("Escape")) {
            QVERIFY(QTest::qWaitForWindowActive(window));
            QTest::keyClick(d.box(), Qt::Key_Escape);
        } else if (closedBy == QLatin1String("Enter on Schließen")) {
            d.close()->setFocus(Qt::TabFocusReason);
            QTest::keyClick(d.close(), Qt::Key_Return);
        } else {
            QTest::mouseClick(d.close(), Qt::LeftButton);
        }
        // Whatever closing left for the event loop to do, done now.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(alive);
        QVERIFY(window->isHidden());
        QVERIFY(main->isVisible());
        QCOMPARE(d.window(), window);
        QCOMPARE(d.box()->text(), QStringLiteral("value-1!"));

        QTest::mouseClick(d.opener(main), Qt::LeftButton);
        QCOMPARE(d.window(), window);
        QVERIFY(window->isVisible());
        QCOMPARE(d.box()->text(), QStringLiteral("value-1!"));
        QCOMPARE(d.count(), 1);
    }

    // The texts are those of the language in force at the moment of the
    // click, whether the restock dialog was ever opened or not; showing them
    // builds no dialog.
    void pluginHelpAndDisclaimer()
    {
        PackageFolder folder;
        MessageLog log;
        MainWindow *main = shownMainWindow();
        QTest::mouseClick(control<QPushButton>(main, "Command5"), Qt::LeftButton);
        QTest::mouseClick(control<QLabel>(main, "Haftungsausschluss"), Qt::LeftButton);
        QVERIFY(!hasDialog<RestockDialog>());

        QStringList language(kLanguageLines);
        language[int(LanguageLine::PluginHelp) - 1] = QStringLiteral("Zeile 11");
        language[int(LanguageLine::DisclaimerText) - 1] = QStringLiteral("Zeile 16");
        putLanguageInForce(language);
        QTest::mouseClick(control<QPushButton>(main, "Command2"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(dialog<RestockDialog>(), "Command1"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(main, "Command5"), Qt::LeftButton);
        QTest::mouseClick(control<QLabel>(main, "Haftungsausschluss"), Qt::LeftButton);
        QVERIFY(dialog<RestockDialog>()->isHidden());

        QCOMPARE(log.entries.size(), 4);
        QCOMPARE(log.entries[0].title, QStringLiteral("Plugin Information"));
        QCOMPARE(log.entries[0].text, QStringLiteral("In diesem Fenster sehen sie, welche Plugins Installiert wurden."));
        QCOMPARE(log.entries[1].title, QStringLiteral("Haftungsausschluss"));
        QCOMPARE(log.entries[1].text,
                 QStringLiteral("Der Programmierer dieses Scriptes übernimmt keine Haftung für eventuelle Schäden, "
                                "die beim Benutzen dieses Programmes auftreten können."));
        QCOMPARE(log.entries[2].title, QStringLiteral("Plugin Information"));
        QCOMPARE(log.entries[2].text, QStringLiteral("Zeile 11"));
        QCOMPARE(log.entries[3].title, QStringLiteral("Haftungsausschluss"));
        QCOMPARE(log.entries[3].text, QStringLiteral("Zeile 16"));
    }

    void titleShowsTheAboutBox()
    {
        PackageFolder folder;
        MessageLog log;
        MainWindow *main = shownMainWindow();
        QTest::mouseClick(control<QLabel>(main, "Label1"), Qt::RightButton);
        QVERIFY(log.entries.isEmpty());
        QTest::mouseClick(control<QLabel>(main, "Label1"), Qt::LeftButton);
        QCOMPARE(log.entries.size(), 1);
        QCOMPARE(log.entries[0].title, QStringLiteral("About"));
        QVERIFY(log.entries[0].text.contains(QStringLiteral("Korvel Configurator " KORVEL_VERSION ",")));
        QVERIFY(log.entries[0].text.contains(QStringLiteral("developers")));
        QVERIFY(!log.entries[0].text.contains(QLatin1Char('\n')));
    }

    // The browser's answer is not looked at: a failure shows nothing.
    void webAddressOpensInTheBrowser()
    {
        PackageFolder folder;
        MessageLog log;
        QStringList opened;
        Platform::setOpenWebAddressHook([&opened](const QString &address) {
            opened << address;
            return 2; // what the shell answers when it finds nothing to open
        });
        MainWindow *main = shownMainWindow();
        QCOMPARE(control<QLabel>(main, "url")->text(), QStringLiteral("korvel.example"));
        QTest::mouseClick(control<QLabel>(main, "url"), Qt::LeftButton);
        QCOMPARE(opened, QStringList{QStringLiteral("https://korvel.example")});
        QVERIFY(log.entries.isEmpty());
    }
};

QTEST_MAIN(TestNavigation)
#include "test_navigation.moc"
