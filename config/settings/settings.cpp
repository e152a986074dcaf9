#include "settings.h"

#include "packagefiles.h"
#include "write.h"

#include <QStringList>

namespace {

// The most of a server access value that the game takes as a user info key
// or value at all.
constexpr qsizetype kStoredServerMax = 127;

// The lines of a state file; none, and `*unreadable` set, when it is there
// but can't be read. A link out of the Half-Life folder is not followed.
QStringList stateLines(const QString &file, bool *unreadable)
{
    *unreadable = PackageFiles::LeadsOutside(file);
    if (*unreadable)
        return {};
    const QStringList lines = ReadFileLines(file, unreadable);
    return *unreadable ? QStringList() : lines;
}

} // namespace

ValueKind KindOf(Varia::Line line)
{
    switch (line) {
    case Varia::Pwfeld:
    case Varia::AmcmText1:
        return ValueKind::ServerField;
    case Varia::Pass:
    case Varia::AmcmText2:
        return ValueKind::ServerValue;
    case Varia::Text1: case Varia::Text2: case Varia::Text3: case Varia::Text4: case Varia::Text5:
        return ValueKind::Say;
    case Varia::Text6: case Varia::Text7: case Varia::Text8:
        return ValueKind::SayTeam;
    case Varia::Snd1: case Varia::Snd2: case Varia::Snd3:
        return ValueKind::Sound;
    default:
        return ValueKind::Restock;
    }
}

ValueKind KindOf(Buy::Line)
{
    return ValueKind::SayTeam;
}

QString MarkerFile(PackageModule module)
{
    static const char *const names[] = {"say.kst", "fun.kst", "itim.kst"};
    return QString::fromLatin1(names[size_t(module)]);
}

QString SlotText(PackageModule module, bool on)
{
    static const char *const running[] = {"sayscript", "fun.cfg", "noitembuy"};
    if (on)
        return QString::fromLatin1(running[size_t(module)]);
    // Without Personal Mode the package's normal script runs.
    return module == PackageModule::PersonalMode ? QStringLiteral("ori.cfg") : QString();
}

SettingValue StoredValue(ValueKind kind, const QString &stored)
{
    const QString cleaned = ValueRules::Clean(stored);
    const bool server = kind == ValueKind::ServerField || kind == ValueKind::ServerValue;
    SettingValue value;
    value.text = ValueRules::CutToBytes(cleaned, server ? kStoredServerMax : ValueRules::MaxLength(kind));
    if (value.text.size() < cleaned.size())
        value.storedLength = ValueRules::ByteLength(cleaned);
    value.storedCleaned = cleaned != stored;
    return value;
}

Settings ReadSettings()
{
    Settings settings;
    const QStringList varia = stateLines(kVariaFile, &settings.variaUnreadable);
    for (int line = 0; line < Varia::LineCount; ++line)
        settings.varia[line] = StoredValue(KindOf(Varia::Line(line)), varia.value(line));
    const QStringList buy = stateLines(kBuyFile, &settings.buyUnreadable);
    for (int line = 0; line < Buy::LineCount; ++line)
        settings.buy[line] = StoredValue(KindOf(Buy::Line(line)), buy.value(line));
    for (const PackageModule module :
         {PackageModule::Information, PackageModule::PersonalMode, PackageModule::ItemBuyBlocker})
        settings.module(module) = FileExists(MarkerFile(module));
    return settings;
}
