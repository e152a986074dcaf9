#pragma once

#include "settings.h"

#include <QStringList>

// The text of the four files saved at the close, made from the settings.
// Nothing here touches a window or a file.

struct ScriptFiles
{
    QStringList varisCfg;
    QStringList variaKst;
    QStringList buyKst;
    QStringList funCfg;
};

ScriptFiles GenerateScripts(const Settings &settings);
