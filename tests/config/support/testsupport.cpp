#include "testsupport.h"

#include "mainwindow.h"
#include "message.h"
#include "package.h"
#include "textfiles.h"

#include <QAbstractEventDispatcher>
#include <QDir>
#include <QFile>
#include <QtTest>

PackageFolder::PackageFolder()
    : m_previous(QDir::currentPath())
{
    if (!m_dir.isValid())
        qFatal("cannot make a temporary package folder");
    QDir::setCurrent(m_dir.path());
}

PackageFolder::~PackageFolder()
{
    dropConfigurator();
    QDir::setCurrent(m_previous);
}

void PackageFolder::write(const QString &name, const QByteArray &bytes) const
{
    QFile file(m_dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(name));
}

QByteArray PackageFolder::read(const QString &name) const
{
    QFile file(m_dir.filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool PackageFolder::has(const QString &name) const
{
    return QFileInfo::exists(m_dir.filePath(name));
}

MessageLog::MessageLog()
{
    Message::setHandler([this](const QString &title, const QString &text) { entries.append({title, text}); });
}

MessageLog::~MessageLog()
{
    Message::setHandler({});
}

namespace {
struct Configurator
{
    std::unique_ptr<Package> package;
    std::unique_ptr<MainWindow> window;
};

Configurator &current()
{
    static Configurator configurator;
    return configurator;
}
} // namespace

MainWindow *configurator()
{
    Configurator &c = current();
    if (!c.window) {
        c.package = std::make_unique<Package>(QDir::currentPath());
        c.window = std::make_unique<MainWindow>(*c.package);
    }
    return c.window.get();
}

void dropConfigurator()
{
    Configurator &c = current();
    c.window.reset();
    c.package.reset();
}

MainWindow *restartConfigurator()
{
    dropConfigurator();
    MainWindow *window = configurator();
    window->startup();
    return window;
}

void putLanguageInForce(const QStringList &lines)
{
    Package &package = configurator()->package();
    const QDir folder(package.folder());
    const QString name = QStringLiteral("test.lang");
    if (!WriteTextFile(folder.filePath(name), lines)
        || !WriteTextFile(folder.filePath(PackageFiles::kPathFile), {QString(), name}))
        qFatal("cannot record the language");
    package.readPathFile();
    package.applyLanguage(false);
}

void controlMissing(const QWidget *window, const char *kind, const char *name, int found)
{
    qFatal("%s \"%s\" has %d %s named \"%s\", not one", window->metaObject()->className(),
           qPrintable(window->windowTitle()), found, kind, name);
}

QStringList controlNames(const QWidget *window)
{
    QStringList names;
    for (const QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(QLatin1String("qt_")))
            names << widget->objectName();
    }
    names.sort();
    return names;
}

QByteArray ansi(const char *utf8)
{
    return ToWindows1252(QString::fromUtf8(utf8));
}

void drainEvents()
{
    // A window system that keeps posting (a blinking cursor) still ends the loop.
    for (int round = 0; round < 1000; ++round) {
        QCoreApplication::sendPostedEvents();
        if (!QCoreApplication::eventDispatcher()->processEvents(QEventLoop::AllEvents))
            return;
    }
}
