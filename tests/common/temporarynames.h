#pragma once

#include <QList>
#include <QString>

// Names beside a written file, and whether a clean-up of either program may
// take them for a leftover of a killed save: only "<name>.korvel-tmp-" with
// six ASCII letters or digits, the whole name.
struct TemporaryName
{
    const char *row;
    QString name;
    bool leftover;
};

inline QList<TemporaryName> TemporaryNames()
{
    return {
        {"leftover", QStringLiteral("varis.cfg.korvel-tmp-Ab12Cd"), true},
        {"leftover of a copy", QStringLiteral("kb_act.lst.korvel-tmp-x9Y8z7"), true},
        {"five letters", QStringLiteral("fun.cfg.korvel-tmp-Ab12C"), false},
        {"seven letters", QStringLiteral("fun.cfg.korvel-tmp-Ab12Cd7"), false},
        {"no name before", QStringLiteral(".korvel-tmp-Ab12Cd"), false},
        {"a player's backup", QStringLiteral("varis.cfg.backup"), false},
        {"six letters only", QStringLiteral("varis.cfg.ABCDEF"), false},
        {"line break after", QStringLiteral("varis.cfg.korvel-tmp-ABCDEF\n"), false},
        {"line break inside", QStringLiteral("varis.cfg.korvel-tmp-ABC\nDEF"), false},
        {"not ASCII", QString::fromUtf8("varis.cfg.korvel-tmp-ÄBCDEF"), false},
    };
}
