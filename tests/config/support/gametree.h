#pragma once

#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

// A package folder inside a game tree of its own,
// <tmp>/Half-Life/cstrike/{qor,gfx/shell}, with qor as the current directory.
struct GameTree
{
    PackageFolder folder;
    QString halfLife;
    QString cstrike;
    QString qor;

    GameTree()
        : halfLife(folder.path() + QStringLiteral("/Half-Life"))
        , cstrike(halfLife + QStringLiteral("/cstrike"))
        , qor(cstrike + QStringLiteral("/qor"))
    {
        if (!QDir().mkpath(qor) || !QDir().mkpath(cstrike + QStringLiteral("/gfx/shell")))
            qFatal("cannot make the game tree");
        QDir::setCurrent(qor);
    }

    // Files below cstrike, by their path relative to it.
    void put(const QString &name, const QByteArray &bytes) const
    {
        const QString path = cstrike + QLatin1Char('/') + name;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
    }
    QByteArray read(const QString &name) const
    {
        QFile file(cstrike + QLatin1Char('/') + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool has(const QString &name) const { return QFileInfo::exists(cstrike + QLatin1Char('/') + name); }
};
