#pragma once

#include "pathfile.h"
#include "textfiles.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

// The game's own files, and the copies the package's language "test.lang" names.
inline const QByteArray kGameKeys = "\"+attack\"\t\t\"Fire\"\r\n";
inline const QByteArray kGameMenu = "\"1\" \"Buy\" { \"buy\" }\r\n";
inline const QByteArray kGameValve = "exec autoexec.cfg\r\n";
inline const QByteArray kLanguageKeys = "\"+attack\"\t\t\"Shoot\"\r\n\"+jump\"\t\t\"Jump\"\r\n";
inline const QByteArray kLanguageMenu = "\"1\" \"Radio\"\r\n{\r\n\t\"1\" \"Cover me\" \"coverme\"\r\n}\r\n";
// A list of the player's own, which no language names.
inline const QByteArray kOwnKeys = "\"+attack\"\t\t\"Meins\"\r\n";

// Line n reads "Zeile ä n" (Windows-1252); 21 and 22 name the game files.
inline QByteArray languageFile(const QByteArray &keys = "test_kb_act.lst",
                               const QByteArray &menu = "test_commandmenu.txt")
{
    QByteArray bytes;
    for (int n = 1; n <= 20; ++n)
        bytes += "Zeile \xe4 " + QByteArray::number(n) + "\r\n";
    return bytes + keys + "\r\n" + menu + "\r\n";
}

// A game tree below `root`: <root>/Half-Life/cstrike/{qor,gfx/shell}, the
// package folder qor and the game files beside it.
struct GameFolder
{
    QString halfLife;
    QString cstrike;
    QString qor;

    explicit GameFolder(const QString &root)
        : halfLife(root + QStringLiteral("/Half-Life"))
        , cstrike(halfLife + QStringLiteral("/cstrike"))
        , qor(cstrike + QStringLiteral("/qor"))
    {
        if (!QDir().mkpath(qor) || !QDir().mkpath(cstrike + QStringLiteral("/gfx/shell")))
            qFatal("cannot make the game tree");
    }

    // Files below cstrike, by their path relative to it.
    QString path(const QString &name) const { return cstrike + QLatin1Char('/') + name; }
    void put(const QString &name, const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(path(name)).absolutePath());
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path(name)));
    }
    QByteArray read(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool has(const QString &name) const { return QFileInfo::exists(path(name)); }

    // The Half-Life folder as a Windows user would type it: backslashes throughout.
    QString typed() const { return QString(halfLife).replace(QLatin1Char('/'), QLatin1Char('\\')); }

    // A fresh game with its own three files, the package holding "test.lang" and its two files.
    void install() const
    {
        put(QStringLiteral("gfx/shell/kb_act.lst"), kGameKeys);
        put(QStringLiteral("commandmenu.txt"), kGameMenu);
        put(QStringLiteral("valve.rc"), kGameValve);
        put(QStringLiteral("qor/test.lang"), languageFile());
        put(QStringLiteral("qor/test_kb_act.lst"), kLanguageKeys);
        put(QStringLiteral("qor/test_commandmenu.txt"), kLanguageMenu);
    }

    // The path file as the setup dialog writes it for `directory` and `language`.
    void recordLanguage(const QString &directory, const QString &language) const
    {
        QString error;
        if (!WriteTextFile(qor + QStringLiteral("/pfad.kst"), PathFile::For(directory, language).lines(), &error))
            qFatal("%s", qPrintable(error));
    }
};
