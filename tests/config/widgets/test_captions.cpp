#include "appearance.h"
#include "captionfit.h"
#include "folderbrowser.h"
#include "mainwindow.h"
#include "optiondialog.h"
#include "setupdialog.h"
#include "testsupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QtTest>

// Every caption of every window shows whole, with the built-in texts and with
// each language the package ships, in this platform's own style.
class TestCaptions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        Appearance::applyApplicationFont(*qApp);
        Appearance::applyApplicationStyle(*qApp);
    }
    void cleanup() { dropConfigurator(); }

    void captionsFit_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("built-in") << QString();
        const QDir shipped(QStringLiteral(KORVEL_LANGUAGES));
        for (const QString &name : shipped.entryList({QStringLiteral("*.lang")}, QDir::Files))
            QTest::newRow(qPrintable(name)) << name;
    }

    void captionsFit()
    {
        QFETCH(QString, language);
        PackageFolder folder;
        MessageLog messages;
        if (!language.isEmpty()) {
            QVERIFY(QFile::copy(QDir(QStringLiteral(KORVEL_LANGUAGES)).filePath(language),
                                folder.path() + QLatin1Char('/') + language));
            folder.write(QStringLiteral("pfad.kst"), "c:\\sierra\\half-life\r\n" + language.toLatin1() + "\r\n\r\n\r\n");
        }
        restartConfigurator();

        const QList<QWidget *> windows{
            configurator(),        dialog<RestockDialog>(),         dialog<ServerAccessDialog>(),
            dialog<SoundDialog>(), dialog<TextMessageDialog>(),     dialog<PersonalModeDialog>(),
            dialog<SetupDialog>(), dialog<SetupDialog>()->browser()};
        QStringList clipped;
        for (QWidget *window : windows) {
            window->ensurePolished();
            for (const QString &caption : CaptionFit::clippedCaptions(window))
                clipped << window->windowTitle() + QStringLiteral(": ") + caption;
        }
        QVERIFY2(clipped.isEmpty(), qPrintable(QStringLiteral("in %1 style:\n").arg(qApp->style()->name())
                                               + clipped.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestCaptions)
#include "test_captions.moc"
