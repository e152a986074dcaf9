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

// The configurator started anew in `folder` with `language` in force (none:
// the built-in texts), and each of its windows.
QList<QWidget *> windowsIn(PackageFolder &folder, const QString &language)
{
    if (!language.isEmpty()) {
        if (!QFile::copy(QDir(QStringLiteral(KORVEL_LANGUAGES)).filePath(language),
                         folder.path() + QLatin1Char('/') + language))
            qFatal("cannot copy %s into the package folder", qPrintable(language));
        folder.write(QStringLiteral("pfad.kst"), "c:\\sierra\\half-life\r\n" + language.toLatin1() + "\r\n\r\n\r\n");
    }
    restartConfigurator();
    return {configurator(),        dialog<RestockDialog>(),     dialog<ServerAccessDialog>(),
            dialog<SoundDialog>(), dialog<TextMessageDialog>(), dialog<PersonalModeDialog>(),
            dialog<SetupDialog>(), dialog<SetupDialog>()->browser()};
}

// The captions, boxes and lists of `window` not in one face that scales
// smoothly (a bitmap face loses strokes at 150 %), that of the application
// at its size: beside it another family or size reads as another font.
// Fitting may condense a caption, headings are bold, the setup dialog's
// larger; the title alone has a face of its own.
QStringList fontsAstray(const QWidget *window)
{
    const QFontInfo application(qApp->font());
    const QFontInfo title(Appearance::titleFont());
    QStringList astray;
    for (const QWidget *control : window->findChildren<QWidget *>()) {
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
            astray << QStringLiteral("%1, %2 in %3 %4 px: %5 (the window's: %6 %7 px)")
                          .arg(window->windowTitle(),
                               control->objectName().isEmpty() ? QString::fromLatin1(control->metaObject()->className())
                                                               : control->objectName(),
                               drawn.family())
                          .arg(drawn.pixelSize())
                          .arg(problem, application.family())
                          .arg(application.pixelSize());
    }
    return astray;
}

} // namespace

// Every caption of every window shows whole, in one scalable face, with the
// built-in texts and with each language the package ships, in this
// platform's own style.
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
        QStringList clipped;
        for (QWidget *window : windowsIn(folder, language)) {
            window->ensurePolished();
            for (const QString &caption : CaptionFit::clippedCaptions(window))
                clipped << window->windowTitle() + QStringLiteral(": ") + caption;
        }
        QVERIFY2(clipped.isEmpty(), qPrintable(QStringLiteral("in %1 style:\n").arg(qApp->style()->name())
                                               + clipped.join(QLatin1Char('\n'))));
    }

    void captionsInOneScalableFace_data() { captionsFit_data(); }

    void captionsInOneScalableFace()
    {
        QFETCH(QString, language);
        PackageFolder folder;
        MessageLog messages;
        QStringList astray;
        for (QWidget *window : windowsIn(folder, language)) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            astray << fontsAstray(window);
            window->hide();
        }
        QVERIFY2(astray.isEmpty(), qPrintable(astray.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestCaptions)
#include "test_captions.moc"
