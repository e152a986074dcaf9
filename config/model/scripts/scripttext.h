#pragma once

#include "settings.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

// The text of the four files saved at the close, made from the settings.
// Nothing here touches a window or a file.

struct ScriptFiles
{
    // The lines of the game scripts, as bytes: what a chat command says is
    // UTF-8, which the game speaks, everything else Windows-1252.
    QList<QByteArray> varisCfg;
    QStringList variaKst;
    QStringList buyKst;
    QList<QByteArray> funCfg;
};

ScriptFiles GenerateScripts(const Settings &settings);
