#include "texts.h"

#include "files.h"

#include <QRegularExpression>

#include <array>
#include <iterator>
#include <set>

namespace Texts {

namespace {

// In the order of Id, which is the order of the language file's lines.
const char *const kGerman[] = {
    "Dieses Programm Deinstalliert das Korvel von ihrem Computer. Klicken sie auf Start Uninstall um mit der "
    "De-Installation zu beginnen",
    "Deinstallation abgeschlossen, einige Elemente konnten nicht vollständig entfernt werden. Bitte löschen sie "
    "diese manuell.",
    "Deinstallation abgeschlossen.",
    "Diese Spieldateien wurden nicht wiederhergestellt. Bitte nicht löschen, sondern die Sicherung von Hand "
    "darüber kopieren:",
    "Dieser Ordner ist kein cstrike-Ordner mit Korvel (kein Ordner qor und keine Sicherung in backup). Es wurde "
    "nichts verändert. Bitte starten sie den Uninstaller im Ordner cstrike des Spiels.\n\n%1",
    "Der Korvel Configurator ist geöffnet, er hält die Sperrdatei\n%1\nBitte schließen sie ihn zuerst und "
    "starten sie den Uninstaller dann erneut. Es wurde nichts verändert.",
    "Link außerhalb des Half-Life-Ordners, übersprungen",
    "nicht die Kopie des Pakets, behalten",
    "lässt sich nicht löschen: %1",
    "kein lesbarer Ordner, was darin liegt, wurde nicht gelöscht",
    "ein Link, nicht verfolgt: was darin liegt, wurde nicht gelöscht",
    "Ordner nicht leer, behalten",
    "die Originaldateien des Spiels, absichtlich behalten",
    "der Uninstaller selbst, er kann sich nicht löschen, während er läuft",
    "Ein anderer Uninstaller läuft schon, er hält die Sperrdatei\n%1\nBitte warten sie, bis er fertig ist. Dieser "
    "zweite Start hat nichts verändert.",
    "Ordner des Pakets, leer, behalten",
    "keine gewöhnliche Datei (ein Verweis, ein Ordner oder eine besondere Datei), behalten",
    "%1 lässt sich nicht lesen oder ist beschädigt, behalten",
    "Start Uninstall",
    "Completed",
    "Configurator open",
    "Uninstaller running",
    "Wrong folder",
};
static_assert(std::size(kGerman) == Count);

std::array<QString, Count> &inForce()
{
    static std::array<QString, Count> texts = [] {
        std::array<QString, Count> german;
        for (int id = 0; id < Count; ++id)
            german[id] = builtIn(Id(id));
        return german;
    }();
    return texts;
}

// Each placeholder once: a line that lacks one would lose a file name, one
// with another would show a stray "%5".
std::set<int> placeholders(const QString &text)
{
    static const QRegularExpression placeholder(QStringLiteral("%(\\d+)"));
    std::set<int> numbers;
    for (const QRegularExpressionMatch &match : placeholder.globalMatch(text))
        numbers.insert(match.captured(1).toInt());
    return numbers;
}

bool isBareName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(u'/')
        && !name.contains(u'\\') && !name.contains(u':');
}

} // namespace

QString builtIn(Id id)
{
    return QString::fromUtf8(kGerman[id]);
}

QString get(Id id)
{
    return inForce()[id];
}

QString fromLanguage(const QByteArray &line, Id id)
{
    QString text = fromWindows1252(line);
    text.replace(QLatin1String("\\n"), QLatin1String("\n"));
    const QString german = builtIn(id);
    return text.isEmpty() || placeholders(text) != placeholders(german) ? german : text;
}

QString recordedLanguage()
{
    const QString pathFile = QStringLiteral("qor/pfad.kst");
    // The configurator's own file: no other folder than qor vouches for it.
    if (leadsOutside(pathFile, resolvedPath(QStringLiteral("qor"))))
        return {};
    return fromWindows1252(readLine(pathFile, 2, halfLifeFolder()));
}

bool readLanguage(const QString &name, QList<QByteArray> *lines)
{
    lines->clear();
    if (!isBareName(name))
        return false;
    const auto take = [lines](int number, const QByteArray &line) {
        lines->append(line);
        return number < lineOf(Id(Count - 1));
    };
    const bool read = readLines(QStringLiteral("qor/") + name, halfLifeFolder(), take);
    if (!read)
        lines->clear();
    return read;
}

void useRecordedLanguage()
{
    for (int id = 0; id < Count; ++id)
        inForce()[id] = builtIn(Id(id));
    QList<QByteArray> lines;
    if (!readLanguage(recordedLanguage(), &lines))
        return;
    for (int id = 0; id < Count; ++id)
        inForce()[id] = fromLanguage(lines.value(lineOf(Id(id)) - 1), Id(id));
}

} // namespace Texts
