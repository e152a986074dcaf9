#include "appearance.h"
#include "captionfit.h"
#include "folderbrowser.h"
#include "mainwindow.h"
#include "optiondialog.h"
#include "setupdialog.h"
#include "testsupport.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// Each window of the configurator, by its name.
struct Window
{
    const char *name;
    QWidget *(*open)();
};
const Window kWindows[] = {
    {"hauptmenu", [] { return static_cast<QWidget *>(configurator()); }},
    {"restock", [] { return static_cast<QWidget *>(dialog<RestockDialog>()); }},
    {"amcm", [] { return static_cast<QWidget *>(dialog<ServerAccessDialog>()); }},
    {"sound", [] { return static_cast<QWidget *>(dialog<SoundDialog>()); }},
    {"text", [] { return static_cast<QWidget *>(dialog<TextMessageDialog>()); }},
    {"funmode", [] { return static_cast<QWidget *>(dialog<PersonalModeDialog>()); }},
    {"firstrun", [] { return static_cast<QWidget *>(dialog<SetupDialog>()); }},
    {"firstrun2", [] { return static_cast<QWidget *>(dialog<SetupDialog>()->browser()); }},
};

// The language files the package ships, and none for the built-in texts.
QStringList languages()
{
    return QStringList{QString()} + QDir(QStringLiteral(KORVEL_LANGUAGES)).entryList({QStringLiteral("*.lang")}, QDir::Files);
}

// Starts the configurator anew in `folder` with `language` in force.
void startIn(PackageFolder &folder, const QString &language)
{
    if (!language.isEmpty()) {
        QVERIFY(QFile::copy(QDir(QStringLiteral(KORVEL_LANGUAGES)).filePath(language),
                            folder.path() + QLatin1Char('/') + language));
        folder.write(QStringLiteral("pfad.kst"), "c:\\sierra\\half-life\r\n" + language.toLatin1() + "\r\n\r\n\r\n");
    }
    restartConfigurator();
}

} // namespace

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
        for (const QString &language : languages())
            QTest::newRow(language.isEmpty() ? "built-in" : qPrintable(language)) << language;
    }

    void captionsFit()
    {
        QFETCH(QString, language);
        PackageFolder folder;
        MessageLog messages;
        startIn(folder, language);

        QStringList clipped;
        for (const Window &each : kWindows) {
            QWidget *window = each.open();
            window->ensurePolished();
            for (const QString &caption : CaptionFit::clippedCaptions(window))
                clipped << window->windowTitle() + QStringLiteral(": ") + caption;
        }
        QVERIFY2(clipped.isEmpty(), qPrintable(QStringLiteral("in %1 style:\n").arg(qApp->style()->name())
                                               + clipped.join(QLatin1Char('\n'))));
    }

    // Every caption, box and list of a window in one face that scales
    // smoothly (a bitmap face loses strokes at 150 %), that of the
    // application at its size: beside it another family or size reads as
    // another font. Fitting may condense a caption, headings are bold, the
    // setup dialog's larger; the title alone has a face of its own.
    void captionsInOneScalableFace_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("window");
        for (const QString &language : languages())
            for (int window = 0; window < int(std::size(kWindows)); ++window)
                QTest::addRow("%s, %s", language.isEmpty() ? "built-in" : qPrintable(language), kWindows[window].name)
                    << language << window;
    }

    void captionsInOneScalableFace()
    {
        QFETCH(QString, language);
        QFETCH(int, window);
        PackageFolder folder;
        MessageLog messages;
        startIn(folder, language);
        QWidget *shown = kWindows[window].open();
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown));

        const QFontInfo application(qApp->font());
        const QFontInfo title(Appearance::titleFont());
        QStringList astray;
        for (const QWidget *control : shown->findChildren<QWidget *>()) {
            const auto *label = qobject_cast<const QLabel *>(control);
            const auto *frame = qobject_cast<const QGroupBox *>(control);
            // Typed text and lists too.
            const bool text = qobject_cast<const QPushButton *>(control) || qobject_cast<const QLineEdit *>(control)
                || qobject_cast<const QComboBox *>(control) || qobject_cast<const QAbstractItemView *>(control);
            if (control->isHidden() || (label && label->text().isEmpty()) || (frame && frame->title().isEmpty())
                || !(label || frame || text))
                continue;
            const QFontInfo drawn(control->font());
            const bool isTitle = control->font().italic();
            QString problem;
            if (!QFontDatabase::isSmoothlyScalable(drawn.family(), drawn.styleName()))
                problem = QStringLiteral("a face that does not scale");
            else if (drawn.family() != (isTitle ? title : application).family())
                problem = QStringLiteral("another family");
            else if (!isTitle && !control->font().bold() && drawn.pixelSize() != application.pixelSize())
                problem = QStringLiteral("another size");
            if (!problem.isEmpty())
                astray << QStringLiteral("%1 in %2 %3 px: %4 (the window's: %5 %6 px)")
                              .arg(control->objectName().isEmpty()
                                       ? QString::fromLatin1(control->metaObject()->className())
                                       : control->objectName(),
                                   drawn.family())
                              .arg(drawn.pixelSize())
                              .arg(problem, application.family())
                              .arg(application.pixelSize());
        }
        QVERIFY2(astray.isEmpty(), qPrintable(astray.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestCaptions)
#include "test_captions.moc"
