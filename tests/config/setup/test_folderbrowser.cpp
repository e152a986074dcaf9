#include "appearance.h"
#include "directorylist.h"
#include "folderbrowser.h"
#include "gametree.h"
#include "setupdialog.h"
#include "textfiles.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

QListWidgetItem *entry(DirectoryList *list, const QString &name)
{
    for (int i = list->count() - 1; i >= 0; --i) {
        if (list->item(i)->text().trimmed() == name)
            return list->item(i);
    }
    return nullptr;
}

QStringList entries(DirectoryList *list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

void doubleClick(DirectoryList *list, const QString &name)
{
    QListWidgetItem *item = entry(list, name);
    QVERIFY2(item, qPrintable(name));
    list->scrollToItem(item);
    // A real double click: press and release, then the second press comes as a double click.
    const QPoint at = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

void singleClick(DirectoryList *list, const QString &name)
{
    QListWidgetItem *item = entry(list, name);
    QVERIFY2(item, qPrintable(name));
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(QDir::cleanPath(path));
}

FolderBrowser *openBrowser()
{
    QTest::mouseClick(control<QPushButton>(dialog<SetupDialog>(), "search"), Qt::LeftButton);
    return dialog<SetupDialog>()->browser();
}

} // namespace

class TestFolderBrowser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Appearance::applyApplicationFont(*qApp); }

    void controlsStandWhereTheyBelong()
    {
        GameTree tree;
        FolderBrowser *b = dialog<SetupDialog>()->browser();
        QCOMPARE(b->windowTitle(), QStringLiteral("Verzeichnis Suchen"));
        QCOMPARE(b->size(), QSize(265, 177));
        const struct {
            const char *name;
            const char *caption; // null: no caption
            QRect geometry;
        } controls[] = {
            {"Label2", "Path:", {8, 8, 33, 17}},
            {"pfad", "No Path Selected", {40, 8, 201, 17}},
            {"Dir1", nullptr, {16, 32, 233, 81}},
            {"Command1", "OK", {24, 120, 217, 25}},
            {"Label1", "Please Show me your Halflife Directory", {40, 152, 185, 17}},
        };
        QStringList names = {"Line1", "Line2", "Line3", "Line4"};
        for (const auto &expected : controls) {
            QWidget *widget = control<QWidget>(b, expected.name);
            QCOMPARE(widget->geometry(), expected.geometry);
            if (auto *button = qobject_cast<QPushButton *>(widget))
                QCOMPARE(button->text(), QString::fromLatin1(expected.caption));
            else if (auto *label = qobject_cast<QLabel *>(widget))
                QCOMPARE(label->text(), QString::fromLatin1(expected.caption));
            names << QString::fromLatin1(expected.name);
        }
        // No control under another name, none named twice; the border's lines too.
        names.sort();
        QCOMPARE(controlNames(b), names);
        QCOMPARE(b->focusWidget(), control<DirectoryList>(b, "Dir1"));
        QWidget *next = control<DirectoryList>(b, "Dir1")->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        QCOMPARE(next, control<QPushButton>(b, "Command1"));
    }

    void listShowsAncestorsAndSubdirectories()
    {
        GameTree tree;
        QVERIFY(QDir().mkpath(tree.cstrike + QStringLiteral("/maps")));
        FolderBrowser *b = openBrowser();
        QCOMPARE(control<DirectoryList>(b, "Dir1")->currentFolder(), native(tree.qor));

        doubleClick(control<DirectoryList>(b, "Dir1"), QStringLiteral("cstrike"));
        const QStringList shown = entries(control<DirectoryList>(b, "Dir1"));
        const int depth = QDir::cleanPath(tree.cstrike).count(QLatin1Char('/'));
        // The ancestors, each a level deeper, then the subdirectories, sorted.
        QCOMPARE(shown.size(), depth + 1 + 3);
        QCOMPARE(shown.first(), QDir::toNativeSeparators(QDir::rootPath()));
        const QString indent = QStringLiteral("  ").repeated(depth);
        QCOMPARE(shown.at(depth), indent + QStringLiteral("cstrike"));
        QCOMPARE(shown.mid(depth + 1), (QStringList{indent + QStringLiteral("  gfx"), indent + QStringLiteral("  maps"),
                                                    indent + QStringLiteral("  qor")}));
        QCOMPARE(control<DirectoryList>(b, "Dir1")->currentItem()->text(), indent + QStringLiteral("cstrike"));
    }

    void okTakesTheLastOpenedDirectory()
    {
        GameTree tree;
        MessageLog messages;
        SetupDialog *d = dialog<SetupDialog>();
        FolderBrowser *b = openBrowser();
        QVERIFY(b->isVisible());

        // Two levels up is the Half-Life folder.
        doubleClick(control<DirectoryList>(b, "Dir1"), QStringLiteral("cstrike"));
        QCOMPARE(control<DirectoryList>(b, "Dir1")->currentFolder(), native(tree.cstrike));
        QCOMPARE(control<QLabel>(b, "pfad")->text(), native(tree.cstrike));
        doubleClick(control<DirectoryList>(b, "Dir1"), QStringLiteral("Half-Life"));
        QCOMPARE(control<QLabel>(b, "pfad")->text(), native(tree.halfLife));
        QCOMPARE(control<QLineEdit>(d, "pfad")->text(), QStringLiteral("c:\\sierra\\half-life"));

        // Highlighting is no choice.
        singleClick(control<DirectoryList>(b, "Dir1"), QStringLiteral("cstrike"));
        QCOMPARE(control<DirectoryList>(b, "Dir1")->currentItem()->text().trimmed(), QStringLiteral("cstrike"));
        QCOMPARE(control<DirectoryList>(b, "Dir1")->currentFolder(), native(tree.halfLife));
        QCOMPARE(control<QLabel>(b, "pfad")->text(), native(tree.halfLife));

        // Enter presses OK as a click does.
        control<QPushButton>(b, "Command1")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(control<QPushButton>(b, "Command1"), Qt::Key_Return);
        QCOMPARE(control<QLineEdit>(d, "pfad")->text(), native(tree.halfLife));
        QVERIFY(!b->isVisible());
        QVERIFY((hasDialog<SetupDialog>() && dialog<SetupDialog>()->hasBrowser()));
        QCOMPARE(QDir::currentPath(), tree.qor);

        // Shown again as it was left.
        QCOMPARE(openBrowser(), b);
        QCOMPARE(control<DirectoryList>(b, "Dir1")->currentFolder(), native(tree.halfLife));
        QCOMPARE(control<QLabel>(b, "pfad")->text(), native(tree.halfLife));

        // "Save and Go" records it as the browser gave it.
        QTest::mouseClick(control<QPushButton>(d, "Command2"), Qt::LeftButton);
        const QByteArray recorded = ToWindows1252(native(tree.halfLife));
        QCOMPARE(tree.folder.read(QStringLiteral("Half-Life/cstrike/qor/pfad.kst")).split('\r').first(), recorded);
        QCOMPARE(messages.entries.size(), 1); // no language listed: asked for one (test_setupdialog)
    }

    void okAtOnceTakesThePackageFolder()
    {
        GameTree tree;
        SetupDialog *d = dialog<SetupDialog>();
        FolderBrowser *b = openBrowser();
        QTest::mouseClick(control<QPushButton>(b, "Command1"), Qt::LeftButton);
        QCOMPARE(control<QLabel>(b, "pfad")->text(), QStringLiteral("No Path Selected"));
        QCOMPARE(control<QLineEdit>(d, "pfad")->text(), native(tree.qor));
    }

    void enterOpensTheHighlightedEntry()
    {
        GameTree tree;
        FolderBrowser *b = openBrowser();
        singleClick(control<DirectoryList>(b, "Dir1"), QStringLiteral("Half-Life"));
        QCOMPARE(control<DirectoryList>(b, "Dir1")->currentFolder(), native(tree.qor));
        QTest::keyClick(control<DirectoryList>(b, "Dir1"), Qt::Key_Down);
        QTest::keyClick(control<DirectoryList>(b, "Dir1"), Qt::Key_Return);
        QCOMPARE(control<DirectoryList>(b, "Dir1")->currentFolder(), native(tree.cstrike));
        QCOMPARE(control<QLabel>(b, "pfad")->text(), native(tree.cstrike));
    }

    void rootKeepsItsSeparator()
    {
        GameTree tree;
        FolderBrowser *b = openBrowser();
        doubleClick(control<DirectoryList>(b, "Dir1"), QDir::toNativeSeparators(QDir::rootPath()));
        QCOMPARE(control<DirectoryList>(b, "Dir1")->currentFolder(), QDir::toNativeSeparators(QDir::rootPath()));
        QVERIFY(control<DirectoryList>(b, "Dir1")->currentFolder().endsWith(QDir::separator()));
        QCOMPARE(QDir::currentPath(), tree.qor);
    }

    void vanishedDirectoryIsNotOpened()
    {
        GameTree tree;
        QVERIFY(QDir().mkpath(tree.cstrike + QStringLiteral("/maps")));
        FolderBrowser *b = openBrowser();
        doubleClick(control<DirectoryList>(b, "Dir1"), QStringLiteral("cstrike"));
        QVERIFY(QDir(tree.cstrike).rmdir(QStringLiteral("maps")));
        doubleClick(control<DirectoryList>(b, "Dir1"), QStringLiteral("maps"));
        QCOMPARE(control<DirectoryList>(b, "Dir1")->currentFolder(), native(tree.cstrike));
        QVERIFY(!entry(control<DirectoryList>(b, "Dir1"), QStringLiteral("maps")));
    }

    void closingDropsTheBrowserAndChangesNothing()
    {
        GameTree tree;
        SetupDialog *d = dialog<SetupDialog>();
        control<QLineEdit>(d, "pfad")->setText(QStringLiteral("c:\\hl"));
        FolderBrowser *b = openBrowser();
        doubleClick(control<DirectoryList>(b, "Dir1"), QStringLiteral("Half-Life"));
        QVERIFY(b->close());
        QVERIFY(!(hasDialog<SetupDialog>() && dialog<SetupDialog>()->hasBrowser()));
        QCOMPARE(control<QLineEdit>(d, "pfad")->text(), QStringLiteral("c:\\hl"));

        b = openBrowser();
        QCOMPARE(control<DirectoryList>(b, "Dir1")->currentFolder(), native(tree.qor));
        QCOMPARE(control<QLabel>(b, "pfad")->text(), QStringLiteral("No Path Selected"));
    }
};

QTEST_MAIN(TestFolderBrowser)
#include "test_folderbrowser.moc"
