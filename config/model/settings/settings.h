#pragma once

#include "valuerules.h"

#include <QList>
#include <QString>

#include <array>

// Everything the user sets, as plain data: the values of the option dialogs,
// which the state files keep, and the three module switches, which their
// marker files keep. The windows show and edit it; the save at the close
// writes the files from it. Nothing here knows a window.

inline const QString kVariaFile = QStringLiteral("varia.kst");
inline const QString kBuyFile = QStringLiteral("buy.kst");

// Lines of "varia.kst", one value each, in file order.
namespace Varia {
enum Line {
    PasswordField1, Password1,  // the first server's password field and password
    BigRestock1, BigRestock2, BigRestock3, BigRestock4, BigRestock5,
    SmallRestock1, SmallRestock2, SmallRestock3,
    ChatMessage1, ChatMessage2, ChatMessage3, ChatMessage4, ChatMessage5,
    Sound1, Sound2, Sound3,
    PasswordField2, Password2,  // the second server's
    TeamMessage1, TeamMessage2, TeamMessage3,
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

// What kind of box each value is for, and so the rules it keeps.
ValueKind KindOf(Varia::Line line);
ValueKind KindOf(Buy::Line line);

// The package's modules that the main window switches; each is on while its
// marker file exists.
enum class PackageModule { Information, PersonalMode, ItemBuyBlocker };
QString MarkerFile(PackageModule module);  // "say.kst", "fun.kst", "itim.kst"
// What "varis.cfg" runs for the module (its lines 1 to 3): "sayscript",
// "fun.cfg" or "ori.cfg", "noitembuy"; empty where nothing runs.
QString SlotText(PackageModule module, bool on);

// One value of the option dialogs.
struct SettingValue
{
    QString text;  // as its box holds it
    // What became of the value read from its state file, for its box to say
    // until the user changes it: its length when it was cut (0: not cut), and
    // whether line breaks, tabs or control characters in it were changed.
    qsizetype storedLength = 0;
    bool storedCleaned = false;

    // The user has taken the value in hand: what became of the stored one no longer matters.
    void takeInHand()
    {
        storedLength = 0;
        storedCleaned = false;
    }
};

struct Settings
{
    QList<SettingValue> varia = QList<SettingValue>(Varia::LineCount);
    QList<SettingValue> buy = QList<SettingValue>(Buy::LineCount);
    std::array<bool, 3> modules{};  // indexed by PackageModule
    // A state file that is there but could not be read: the save at the
    // close leaves it as it is, and the script made from the same values too.
    bool variaUnreadable = false;
    bool buyUnreadable = false;

    // The value of the box for a state file's line.
    SettingValue &field(Varia::Line line) { return varia[line]; }
    SettingValue &field(Buy::Line line) { return buy[line]; }
    bool &module(PackageModule which) { return modules[size_t(which)]; }
    bool module(PackageModule which) const { return modules[size_t(which)]; }
};

// The settings as the package folder `folder` keeps them: "varia.kst" and "buy.kst",
// each read once (a missing file or line gives empty values, further lines
// are ignored), every value cleaned and cut to what its box takes; the
// switches from their marker files. A state file that is there but can't be
// read, or is a link out of the Half-Life folder, gives empty values and is
// marked unreadable. `bound`: the folder no link may lead out of.
Settings ReadSettings(const QString &folder, const QString &bound);

// A value read from a state file, made what a box of this kind takes: cleaned,
// and cut to its length (a server access value, which the box shows as it was
// stored, to the 127 bytes the game takes at all). `storedLength`: the whole
// line's length where `stored` is only its start.
SettingValue StoredValue(ValueKind kind, const QString &stored, qsizetype storedLength = 0);
// How much of a stored value a box of this kind keeps.
qsizetype StoredMaxLength(ValueKind kind);
