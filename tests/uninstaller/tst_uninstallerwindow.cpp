#include "captionfit.h"
#include "endprogram.h"
#include "gamedir.h"
#include "lockrows.h"
#include "messagebox.h"
#include "uninstaller.h"

#include <QFontDatabase>
#include <QLabel>
#include <QLockFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

static const QString kCompleted = QString::fromUtf8(
    "Deinstallation abgeschlossen, einige Elemente konnten nicht vollständig entfernt werden. "
    "Bitte löschen sie diese manuell.");

static const QString kNotEmpty = "Ordner nicht leer, behalten";
static const QString kEmpty = "Ordner des Pakets, leer, behalten";

// What stays after a run in the standard tree, each with its reason, after
// the package folders with `folderNote`; none without a folder qor.
static QString stays(const QString &folderNote = QString())
{
    return (folderNote.isEmpty() ? QString("\n\n")
                                 : QDir::toNativeSeparators("\n\nqor (%1)\nqor/sub (%1)\n").arg(folderNote))
        + QString::fromUtf8("backup (die Originaldateien des Spiels, absichtlich behalten)\n")
        + QDir::toNativeSeparators(QCoreApplication::applicationFilePath())
        + QString::fromUtf8(" (der Uninstaller selbst, er kann sich nicht löschen, während er läuft)");
}

// The window's one control of kind T named `name` (its objectName); a name
// missing or found twice ends the test at once, saying which.
template <class T>
static T *control(const QWidget &window, const char *name)
{
    const QList<T *> found = window.findChildren<T *>(QLatin1String(name));
    if (found.size() != 1)
        qFatal("the uninstaller window has %d %s named \"%s\", not one", int(found.size()),
               T::staticMetaObject.className(), name);
    return found.first();
}

class TestUninstallerWindow : public QObject
{
    Q_OBJECT

    QStringList m_events; // "message|title|text" and "end", in order

private slots:
    void init()
    {
        m_events.clear();
        setMessageHandler([this](const QString &title, const QString &text) {
            m_events << "message|" + title + '|' + text;
        });
        setEndHandler([this] { m_events << "end"; });
    }
    void cleanup()
    {
        setMessageHandler({});
        setEndHandler({});
    }

    void layout()
    {
        Uninstaller w;
        w.show();
        QCOMPARE(w.windowTitle(), QString("Uninstaller"));
        QCOMPARE(w.size(), QSize(404, 279));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        // Its four controls, each under its own name.
        QStringList names;
        for (const QWidget *child : w.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            names << child->objectName();
        names.sort();
        QCOMPARE(names, QStringList({"Command1", "Label1", "Label2", "Picture1"}));
        QCOMPARE(control<QLabel>(w, "Picture1")->geometry(), QRect(8, 8, 137, 265));
        QCOMPARE(control<QLabel>(w, "Label1")->geometry(), QRect(152, 16, 241, 33));
        QCOMPARE(control<QLabel>(w, "Label2")->geometry(), QRect(160, 56, 217, 57));
        QCOMPARE(control<QPushButton>(w, "Command1")->geometry(), QRect(320, 240, 73, 25));

        QCOMPARE(control<QLabel>(w, "Label1")->text(), QString("Uninstaller"));
        // Windows' "MS Sans Serif" is a bitmap font: its TrueType successor is asked for there.
#ifdef Q_OS_WIN
        QCOMPARE(control<QLabel>(w, "Label1")->font().families().value(0), QString("Microsoft Sans Serif"));
#else
        QCOMPARE(control<QLabel>(w, "Label1")->font().families().value(0), QString("MS Sans Serif"));
#endif
        QCOMPARE(control<QLabel>(w, "Label1")->font().pointSizeF(), 13.5);
        QVERIFY(control<QLabel>(w, "Label1")->font().bold());
        QCOMPARE(control<QLabel>(w, "Label2")->text(),
                 QString("Dieses Programm Deinstalliert das Korvel von ihrem Computer. Klicken sie "
                         "auf Start Uninstall um mit der De-Installation zu beginnen"));
        QCOMPARE(control<QPushButton>(w, "Command1")->text(), QString("Start Uninstall"));
        // Its text may come from a language file: never taken for markup.
        QCOMPARE(control<QLabel>(w, "Label2")->textFormat(), Qt::PlainText);

        // The texts fit their fixed boxes in the font and style this system gives them.
        const QStringList clipped = CaptionFit::clippedCaptions(&w);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));

        const QImage picture = control<QLabel>(w, "Picture1")->pixmap().toImage();
        QCOMPARE(picture.size(), QSize(137, 266));
        QVERIFY(!picture.hasAlphaChannel());
        QVERIFY(picture.pixel(2, 2) != picture.pixel(68, 14)); // drawn, not blank
    }

    void click_data()
    {
        const QString wrongFolder = QString::fromUtf8(
            "Wrong folder|Dieser Ordner ist kein cstrike-Ordner mit Korvel (kein Ordner qor und keine "
            "Sicherung in backup). Es wurde nichts verändert. Bitte starten sie den Uninstaller im "
            "Ordner cstrike des Spiels.\n\n");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QString>("message"); // the wrong folder's path follows; empty: nothing happens
        QTest::addColumn<int>("key");         // pressed on the focused button; none: clicked
        QTest::newRow("all done") << "cstrike" << QStringList()
                                  << "Completed|Deinstallation abgeschlossen." + stays(kNotEmpty) << 0;
        QTest::newRow("kb_act.lst not restored")
            << "cstrike" << QStringList("gfx")
            << "Completed|Deinstallation abgeschlossen."
                + QString::fromUtf8("\n\nDiese Spieldateien wurden nicht wiederhergestellt. Bitte nicht "
                                    "löschen, sondern die Sicherung von Hand darüber kopieren:\n")
                + QDir::toNativeSeparators("backup/kb_act.lst -> gfx/shell/kb_act.lst") + stays(kNotEmpty) << 0;
        QTest::newRow("home folder with qor") << "home" << QStringList() << wrongFolder << 0;
        QTest::newRow("cstrike without qor or backups")
            << "cstrike" << QStringList{"qor", "backup/commandmenu.txt", "backup/kb_act.lst", "backup/valve.rc"}
            << wrongFolder << 0;
        QTest::newRow("CStrike with one backup")
            << "CStrike" << QStringList{"qor", "backup/commandmenu.txt", "backup/kb_act.lst"}
            << "Completed|Deinstallation abgeschlossen." + stays() << 0;
        // The package's folders stay, empty, among what is left; the box asks to delete nothing.
        QTest::newRow("a normal install")
            << "cstrike" << QStringList{"qor/sub/deeper", "qor/lang", "qor/empty"}
            << "Completed|Deinstallation abgeschlossen." + stays(kEmpty) << 0;
        // The keyboard presses it as on Windows; other keys leave it.
        const QString done = "Completed|Deinstallation abgeschlossen." + stays(kNotEmpty);
        QTest::newRow("Enter") << "cstrike" << QStringList() << done << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << "cstrike" << QStringList() << done << int(Qt::Key_Enter);
        QTest::newRow("Escape") << "cstrike" << QStringList() << QString() << int(Qt::Key_Escape);
    }
    void click()
    {
        QFETCH(QString, folder);
        QFETCH(QStringList, removed);
        QFETCH(QString, message);
        QFETCH(int, key);
        GameDir game(folder);
        QVERIFY(game.makeStandardTree());
        for (const QString &path : removed)
            QVERIFY(QFileInfo(path).isDir() ? QDir(path).removeRecursively() : QFile::remove(path));
        const Tree before = snapshot(".");

        Uninstaller w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QPushButton *start = control<QPushButton>(w, "Command1");
        if (key) {
            start->setFocus();
            QTest::keyClick(start, Qt::Key(key));
        } else {
            QTest::mouseClick(start, Qt::LeftButton);
        }
        if (message.isEmpty()) {
            QVERIFY(m_events.isEmpty());
            QVERIFY(start->isEnabled());
            compareTree(snapshot("."), before);
            return;
        }

        const bool acts = message.startsWith("Completed");
        if (!acts)
            message += QDir::toNativeSeparators(QDir::currentPath());
        QCOMPARE(m_events, (QStringList{"message|" + message, "end"}));
        QVERIFY(!control<QPushButton>(w, "Command1")->isEnabled());
        compareTree(snapshot("."), acts ? expectedAfter(before) : before);
    }

    // The program holding the lock is named: a configurator, or another
    // uninstaller started at the same time.
    void lockHeld_data()
    {
        QTest::addColumn<bool>("configurator");
        QTest::addColumn<QString>("message");
        QTest::newRow("by a configurator")
            << true
            << QString::fromUtf8("Configurator open|Der Korvel Configurator ist geöffnet, er hält die Sperrdatei\n%1\n"
                                 "Bitte schließen sie ihn zuerst und starten sie den Uninstaller dann erneut. Es "
                                 "wurde nichts verändert.");
        QTest::newRow("by another uninstaller")
            << false
            << QString::fromUtf8("Uninstaller running|Ein anderer Uninstaller läuft schon, er hält die Sperrdatei\n%1\n"
                                 "Bitte warten sie, bis er fertig ist. Dieser zweite Start hat nichts verändert.");
    }
    void lockHeld()
    {
        QFETCH(bool, configurator);
        QFETCH(QString, message);
        GameDir game;
        QVERIFY(game.makeStandardTree());
        OtherProgram other;
        QLockFile uninstaller("qor/config.lock");
        if (!configurator)
            QVERIFY(uninstaller.tryLock(0));
        else if (!other.started())
            QSKIP("this system has no sleep program to stand for the configurator");
        else
            QVERIFY(GameDir::put("qor/config.lock", other.lock()));
        const Tree before = snapshot(".");
        Uninstaller w;
        QTest::mouseClick(control<QPushButton>(w, "Command1"), Qt::LeftButton);
        QCOMPARE(m_events, (QStringList{"message|" + message.arg(QDir::toNativeSeparators(
                                                        QFileInfo("qor/config.lock").absoluteFilePath())),
                                        "end"}));
        compareTree(snapshot("."), before);
    }

    // The language the configurator recorded, read before the run deletes it.
    void recordedLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("explanation");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("completed");
        QTest::addColumn<QString>("itself");
        QTest::newRow("english") << "english.lang"
                                 << "This program removes Korvel from your computer. Click Start Uninstall "
                                    "to begin the uninstallation."
                                 << "Start Uninstall" << "message|Completed|Uninstallation completed."
                                 << " (the uninstaller itself, it cannot delete itself while it runs)";
        QTest::newRow("deutsch") << "deutsch.lang"
                                 << "Dieses Programm Deinstalliert das Korvel von ihrem Computer. Klicken sie "
                                    "auf Deinstallieren um mit der De-Installation zu beginnen"
                                 << "Deinstallieren" << "message|Abgeschlossen|Deinstallation abgeschlossen."
                                 << QString::fromUtf8(" (der Uninstaller selbst, er kann sich nicht löschen, "
                                                      "während er läuft)");
    }

    void recordedLanguage()
    {
        QFETCH(QString, language);
        GameDir game;
        QVERIFY(game.makeStandardTree());
        QFile::remove("qor/" + language);
        QVERIFY(QFile::copy(KORVEL_LANGUAGES "/" + language, "qor/" + language));
        QVERIFY(GameDir::put("qor/pfad.kst", "C:\\Sierra\\Half-Life\r\n" + language.toLatin1() + "\r\n"));
        Uninstaller w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTEST(control<QLabel>(w, "Label2")->text(), "explanation");
        QTEST(control<QPushButton>(w, "Command1")->text(), "button");
        const QStringList clipped = CaptionFit::clippedCaptions(&w);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
        // All three in the heading's face, one that scales smoothly: a bitmap
        // face loses strokes at 150 %.
        const QFontInfo heading(control<QLabel>(w, "Label1")->font());
        for (const QWidget *text : std::initializer_list<const QWidget *>{
                 control<QLabel>(w, "Label1"), control<QLabel>(w, "Label2"), control<QPushButton>(w, "Command1")}) {
            const QFontInfo drawn(text->font());
            QVERIFY2(QFontDatabase::isSmoothlyScalable(drawn.family(), drawn.styleName()), qPrintable(drawn.family()));
            QCOMPARE(drawn.family(), heading.family());
        }

        QTest::mouseClick(control<QPushButton>(w, "Command1"), Qt::LeftButton);
        QTEST(m_events.value(0).section('\n', 0, 0), "completed");
        QFETCH(QString, itself);
        QVERIFY2(m_events.value(0).endsWith(itself), qPrintable(m_events.value(0)));
    }

    void closeChangesNothing()
    {
        GameDir game;
        QVERIFY(game.makeStandardTree());
        const Tree before = snapshot(".");
        Uninstaller w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.close());
        QCOMPARE(m_events, QStringList());
        compareTree(snapshot("."), before);
    }

    void realMessageBox()
    {
        setMessageHandler({});
        QString seen;
        QTimer::singleShot(0, [&seen] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                seen = QString("%1|%2|%3|%4|%5").arg(box->windowTitle(), box->text()).arg(box->icon())
                           .arg(box->standardButtons()).arg(box->textFormat());
                box->button(QMessageBox::Ok)->click();
            }
        });
        // A language file's markup is shown as written.
        const QString marked = "<b>" + kCompleted + "</b>";
        showMessage(nullptr, "Completed", marked);
        QCOMPARE(seen, QString("Completed|%1|%2|%3|%4").arg(marked).arg(QMessageBox::NoIcon)
                           .arg(QMessageBox::Ok).arg(Qt::PlainText));
    }
};

QTEST_MAIN(TestUninstallerWindow)
#include "tst_uninstallerwindow.moc"
