#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "mainwindow.h"

#include <QWidget>

// A package folder of its own for one test: made empty, entered as the
// current directory, and left again (and removed) at the end.
class PackageFolder
{
public:
    PackageFolder();
    ~PackageFolder();
    PackageFolder(const PackageFolder &) = delete;
    PackageFolder &operator=(const PackageFolder &) = delete;

    QString path() const { return m_dir.path(); }
    void write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;
    bool has(const QString &name) const;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// Collects every message box instead of showing it.
class MessageLog
{
public:
    MessageLog();
    ~MessageLog();
    MessageLog(const MessageLog &) = delete;
    MessageLog &operator=(const MessageLog &) = delete;

    struct Entry
    {
        QString title;
        QString text;
    };
    QList<Entry> entries;
};

// The configurator of the test: the package folder's model and the main
// window on it, made on first use (not started) in the current directory.
MainWindow *configurator();
// Ends the configurator as the process end would (every window gone, the
// lock released).
void dropConfigurator();
// Ends it and starts it again in the current directory.
MainWindow *restartConfigurator();
// Puts the language file of `lines` in force in the configurator as a start
// that records it would, as "test.lang" of its package folder; no game
// file is replaced, for the path file names no Half-Life folder.
void putLanguageInForce(const QStringList &lines);

// A dialog of the main window, built when first asked for, and whether it is built.
template <class W>
W *dialog()
{
    return configurator()->dialog<W>();
}
template <class W>
bool hasDialog()
{
    return configurator()->hasDialog<W>();
}

// Runs every event already posted and every timer already due, until none is
// left: what a test checks next has seen their effects, with no fixed wait.
void drainEvents();

// The one control of kind T that `window` made under `name` (its objectName).
// A name missing, or found twice, ends the test at once, saying which.
[[noreturn]] void controlMissing(const QWidget *window, const char *kind, const char *name, int found);
template <class T>
T *control(const QWidget *window, const char *name)
{
    const QList<T *> found = window->findChildren<T *>(QLatin1String(name));
    if (found.size() != 1)
        controlMissing(window, T::staticMetaObject.className(), name, int(found.size()));
    return found.first();
}

// The names that the controls of `window` carry, sorted; Qt's own parts of a
// control (named "qt_...") and unnamed widgets left out.
QStringList controlNames(const QWidget *window);

// Windows-1252 bytes of a text given as UTF-8 in the test source.
QByteArray ansi(const char *utf8);
