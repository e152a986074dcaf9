#pragma once

#include <QString>
#include <QStringList>

// The text of the four files saved at exit, made from the values the controls
// hold at that moment. Nothing here touches a window or a file.

// Lines of "varia.kst", one control each, in file order.
namespace Varia {
enum Line {
    Pwfeld, Pass,
    Big1, Big2, Big3, Big4, Big5,
    Small1, Small2, Small3,
    Text1, Text2, Text3, Text4, Text5,
    Snd1, Snd2, Snd3,
    AmcmText1, AmcmText2,
    Text6, Text7, Text8,
    LineCount
};
}

// Lines of "buy.kst": the personal mode boxes, top to bottom.
namespace Buy {
enum Line {
    Reload, Usp, Glock, P90, Mp5, Para, Scout, Awp, G3sg1, Xm1014, Super90, Sigp228,
    Deagle, Ump45, Teampistol, Ak47, Uzi, Aug, Sg550, He, Smoke, Flash, Defuse, Plant,
    LineCount
};
}

// A snapshot of the settings, taken from the controls when the files are written.
struct ScriptValues
{
    // Captions of the main window's hidden labels.
    QString slot1;
    QString slot2;
    QString slot3;
    QString quote;      // `af`
    QString semicolon;  // `semi`
    QStringList varia;  // Varia::LineCount values, indexed by Varia::Line
    QStringList buy;    // Buy::LineCount values, indexed by Buy::Line
};

struct ScriptFiles
{
    QStringList varisCfg;
    QStringList variaKst;
    QStringList buyKst;
    QStringList funCfg;
};

ScriptFiles GenerateScripts(const ScriptValues &values);
