#include "settings.h"

#include "packagefiles.h"
#include "textfiles.h"

#include <QDir>
#include <QStringList>

namespace {

// The most of a server access value that the game takes as a user info key
// or value at all.
constexpr qsizetype kStoredServerMax = 127;

// The values of a state file, each with its whole stored length; none, and
// `*unreadable` set, when it is there but can't be read. A link out of the
// Half-Life folder (`bound`) is not followed. Lines past its values are not read.
QList<SettingValue> stateValues(const QString &file, const QList<ValueKind> &kinds, const QString &bound,
                                bool *unreadable)
{
    *unreadable = PackageFiles::LeadsOutside(file, bound);
    QStringList lines;
    QList<qsizetype> lengths;
    if (!*unreadable)
        lines = ReadFileLines(file, unreadable, kLongestLine, &lengths, kinds.size());
    if (*unreadable)
        lines.clear();
    QList<SettingValue> values;
    for (qsizetype line = 0; line < kinds.size(); ++line)
        values << StoredValue(kinds.at(line), lines.value(line), lengths.value(line));
    return values;
}

} // namespace

ValueKind KindOf(Varia::Line line)
{
    switch (line) {
    case Varia::PasswordField1:
    case Varia::PasswordField2:
        return ValueKind::ServerField;
    case Varia::Password1:
    case Varia::Password2:
        return ValueKind::ServerValue;
    case Varia::ChatMessage1: case Varia::ChatMessage2: case Varia::ChatMessage3:
    case Varia::ChatMessage4: case Varia::ChatMessage5:
        return ValueKind::Say;
    case Varia::TeamMessage1: case Varia::TeamMessage2: case Varia::TeamMessage3:
        return ValueKind::SayTeam;
    case Varia::Sound1: case Varia::Sound2: case Varia::Sound3:
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

qsizetype StoredMaxLength(ValueKind kind)
{
    const bool server = kind == ValueKind::ServerField || kind == ValueKind::ServerValue;
    return server ? kStoredServerMax : ValueRules::MaxLength(kind);
}

SettingValue StoredValue(ValueKind kind, const QString &stored, qsizetype storedLength)
{
    const QString cleaned = ValueRules::Clean(stored);
    SettingValue value;
    value.text = ValueRules::Cut(kind, cleaned, StoredMaxLength(kind));
    if (value.text.size() < cleaned.size())
        value.storedLength = storedLength > stored.size() ? storedLength : ValueRules::ByteLength(cleaned);
    value.storedCleaned = cleaned != stored;
    return value;
}

Settings ReadSettings(const QString &folder, const QString &bound)
{
    const QDir packageFolder(folder);
    Settings settings;
    QList<ValueKind> variaKinds;
    for (int line = 0; line < Varia::LineCount; ++line)
        variaKinds << KindOf(Varia::Line(line));
    settings.varia = stateValues(packageFolder.filePath(kVariaFile), variaKinds, bound, &settings.variaUnreadable);
    QList<ValueKind> buyKinds;
    for (int line = 0; line < Buy::LineCount; ++line)
        buyKinds << KindOf(Buy::Line(line));
    settings.buy = stateValues(packageFolder.filePath(kBuyFile), buyKinds, bound, &settings.buyUnreadable);
    for (const PackageModule module :
         {PackageModule::Information, PackageModule::PersonalMode, PackageModule::ItemBuyBlocker})
        settings.module(module) = FileExists(packageFolder.filePath(MarkerFile(module)));
    return settings;
}
