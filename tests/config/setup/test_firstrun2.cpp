#include "appearance.h"
#include "directorylist.h"
#include "firstrun.h"
#include "firstrun2.h"
#include "gametree.h"
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

firstrun2 *openBrowser()
{
    QTest::mouseClick(dialog<firstrun>()->search, Qt::LeftButton);
    return dialog<firstrun>()->browser();
}

} // namespace

class TestFirstrun2 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Appearance::applyApplicationFont(*qApp); }

    void controlsStandWhereTheyBelong()
    {
        GameTree tree;
        firstrun2 *b = dialog<firstrun>()->browser();
        QCOMPARE(b->windowTitle(), QStringLiteral("Verzeichnis Suchen"));
        QCOMPARE(b->size(), QSize(265, 177));
        QCOMPARE(b->Label2->text(), QStringLiteral("Path:"));
        QCOMPARE(b->Label2->geometry(), QRect(8, 8, 33, 17));
        QCOMPARE(b->pfad->text(), QStringLiteral("No Path Selected"));
        QCOMPARE(b->pfad->geometry(), QRect(40, 8, 201, 17));
        QCOMPARE(b->Dir1->geometry(), QRect(16, 32, 233, 81));
        QCOMPARE(b->Command1->text(), QStringLiteral("OK"));
        QCOMPARE(b->Command1->geometry(), QRect(24, 120, 217, 25));
        QCOMPARE(b->Label1->text(), QStringLiteral("Please Show me your Halflife Directory"));
        QCOMPARE(b->Label1->geometry(), QRect(40, 152, 185, 17));
        QCOMPARE(b->focusWidget(), b->Dir1);
        QWidget *next = b->Dir1->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        QCOMPARE(next, b->Command1);
    }

    void listShowsAncestorsAndSubdirectories()
    {
        GameTree tree;
        QVERIFY(QDir().mkpath(tree.cstrike + QStringLiteral("/maps")));
        firstrun2 *b = openBrowser();
        QCOMPARE(b->Dir1->path(), native(tree.qor));

        doubleClick(b->Dir1, QStringLiteral("cstrike"));
        const QStringList shown = entries(b->Dir1);
        const int depth = QDir::cleanPath(tree.cstrike).count(QLatin1Char('/'));
        // The ancestors, each a level deeper, then the subdirectories, sorted.
        QCOMPARE(shown.size(), depth + 1 + 3);
        QCOMPARE(shown.first(), QDir::toNativeSeparators(QDir::rootPath()));
        const QString indent = QStringLiteral("  ").repeated(depth);
        QCOMPARE(shown.at(depth), indent + QStringLiteral("cstrike"));
        QCOMPARE(shown.mid(depth + 1), (QStringList{indent + QStringLiteral("  gfx"), indent + QStringLiteral("  maps"),
                                                    indent + QStringLiteral("  qor")}));
        QCOMPARE(b->Dir1->currentItem()->text(), indent + QStringLiteral("cstrike"));
    }

    void okTakesTheLastOpenedDirectory()
    {
        GameTree tree;
        MessageLog messages;
        firstrun *d = dialog<firstrun>();
        firstrun2 *b = openBrowser();
        QVERIFY(b->isVisible());

        // Two levels up is the Half-Life folder.
        doubleClick(b->Dir1, QStringLiteral("cstrike"));
        QCOMPARE(b->Dir1->path(), native(tree.cstrike));
        QCOMPARE(b->pfad->text(), native(tree.cstrike));
        doubleClick(b->Dir1, QStringLiteral("Half-Life"));
        QCOMPARE(b->pfad->text(), native(tree.halfLife));
        QCOMPARE(d->pfad->text(), QStringLiteral("c:\\sierra\\half-life"));

        // Highlighting is no choice.
        singleClick(b->Dir1, QStringLiteral("cstrike"));
        QCOMPARE(b->Dir1->currentItem()->text().trimmed(), QStringLiteral("cstrike"));
        QCOMPARE(b->Dir1->path(), native(tree.halfLife));
        QCOMPARE(b->pfad->text(), native(tree.halfLife));

        QTest::mouseClick(b->Command1, Qt::LeftButton);
        QCOMPARE(d->pfad->text(), native(tree.halfLife));
        QVERIFY(!b->isVisible());
        QVERIFY((hasDialog<firstrun>() && dialog<firstrun>()->hasBrowser()));
        QCOMPARE(QDir::currentPath(), tree.qor);

        // Shown again as it was left.
        QCOMPARE(openBrowser(), b);
        QCOMPARE(b->Dir1->path(), native(tree.halfLife));
        QCOMPARE(b->pfad->text(), native(tree.halfLife));

        // "Save and Go" records it as the browser gave it.
        QTest::mouseClick(d->Command2, Qt::LeftButton);
        const QByteArray recorded = ToWindows1252(native(tree.halfLife));
        QCOMPARE(tree.folder.read(QStringLiteral("Half-Life/cstrike/qor/pfad.kst")).split('\r').first(), recorded);
        QCOMPARE(messages.entries.size(), 1); // no language listed: asked for one (test_firstrun)
    }

    void okAtOnceTakesThePackageFolder()
    {
        GameTree tree;
        firstrun *d = dialog<firstrun>();
        firstrun2 *b = openBrowser();
        QTest::mouseClick(b->Command1, Qt::LeftButton);
        QCOMPARE(b->pfad->text(), QStringLiteral("No Path Selected"));
        QCOMPARE(d->pfad->text(), native(tree.qor));
    }

    void enterOpensTheHighlightedEntry()
    {
        GameTree tree;
        firstrun2 *b = openBrowser();
        singleClick(b->Dir1, QStringLiteral("Half-Life"));
        QCOMPARE(b->Dir1->path(), native(tree.qor));
        QTest::keyClick(b->Dir1, Qt::Key_Down);
        QTest::keyClick(b->Dir1, Qt::Key_Return);
        QCOMPARE(b->Dir1->path(), native(tree.cstrike));
        QCOMPARE(b->pfad->text(), native(tree.cstrike));
    }

    void rootKeepsItsSeparator()
    {
        GameTree tree;
        firstrun2 *b = openBrowser();
        doubleClick(b->Dir1, QDir::toNativeSeparators(QDir::rootPath()));
        QCOMPARE(b->Dir1->path(), QDir::toNativeSeparators(QDir::rootPath()));
        QVERIFY(b->Dir1->path().endsWith(QDir::separator()));
        QCOMPARE(QDir::currentPath(), tree.qor);
    }

    void vanishedDirectoryIsNotOpened()
    {
        GameTree tree;
        QVERIFY(QDir().mkpath(tree.cstrike + QStringLiteral("/maps")));
        firstrun2 *b = openBrowser();
        doubleClick(b->Dir1, QStringLiteral("cstrike"));
        QVERIFY(QDir(tree.cstrike).rmdir(QStringLiteral("maps")));
        doubleClick(b->Dir1, QStringLiteral("maps"));
        QCOMPARE(b->Dir1->path(), native(tree.cstrike));
        QVERIFY(!entry(b->Dir1, QStringLiteral("maps")));
    }

    void closingDropsTheBrowserAndChangesNothing()
    {
        GameTree tree;
        firstrun *d = dialog<firstrun>();
        d->pfad->setText(QStringLiteral("c:\\hl"));
        firstrun2 *b = openBrowser();
        doubleClick(b->Dir1, QStringLiteral("Half-Life"));
        QVERIFY(b->close());
        QVERIFY(!(hasDialog<firstrun>() && dialog<firstrun>()->hasBrowser()));
        QCOMPARE(d->pfad->text(), QStringLiteral("c:\\hl"));

        b = openBrowser();
        QCOMPARE(b->Dir1->path(), native(tree.qor));
        QCOMPARE(b->pfad->text(), QStringLiteral("No Path Selected"));
    }
};

QTEST_MAIN(TestFirstrun2)
#include "test_firstrun2.moc"
