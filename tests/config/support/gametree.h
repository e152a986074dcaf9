#pragma once

#include "gamefolder.h"
#include "testsupport.h"

// The temporary folder, made before the game tree in it.
struct GameTreeRoot
{
    PackageFolder folder;
};

// A package folder inside a game tree of its own,
// <tmp>/Half-Life/cstrike/{qor,gfx/shell}, with qor as the current directory.
struct GameTree : GameTreeRoot, GameFolder
{
    GameTree()
        : GameFolder(folder.path())
    {
        QDir::setCurrent(qor);
    }
};
