#include "texts.h"

#include <QRegularExpression>

#include <array>
#include <iterator>
#include <set>

namespace Texts {

namespace {

// In the order of Id, which is the order of the language file's lines.
const char *const kGerman[] = {
    "Nicht übernommen: %1\nDieses Zeichen kann nicht gespeichert werden.",
    "Nicht übernommen: %1\nDiese Zeichen können nicht gespeichert werden.",
    "Nicht übernommen. %1",
    "Höchstens %1 Zeichen.",
    "Höchstens %1 Zeichen: der Rest wurde nicht übernommen.",
    "Zeilenumbrüche und Tabulatoren wurden zu Leerzeichen, andere Steuerzeichen entfallen.",
    "Der gespeicherte Text war %1 Zeichen lang; hier stehen die ersten %2.",
    "Zeilenumbrüche und Tabulatoren des gespeicherten Texts wurden zu Leerzeichen, andere Steuerzeichen entfallen.",
    "Im Spiel: speak %1\n%2",
    "Wird nicht in varis.cfg geschrieben. %1",
    "Im Spiel: %1\n(\" wird zu ', ; zu :, \\ zu / und // zu / /)",
    "Leerzeichen",
    "In Tonnamen stehen nur A-Z, a-z, 0-9 und _ . / ! -, nicht: %1",
    "Feldnamen und Passwörter nehmen nur ASCII-Zeichen ohne Leerzeichen, \" und \\, nicht: %1",
    "Zwei / hintereinander liest das Spiel als Kommentar.",
    "\"..\" nimmt das Spiel nicht an.",
    "Feldnamen mit * am Anfang sind dem Server vorbehalten.",
    "Ohne Feldnamen setzt das Spiel kein Passwort.",
    "Feldname: %1",
    "Passwort: %1",

    "Der Korvel Configurator ist in diesem Ordner schon geöffnet:\n%1\nDieser zweite Start endet, ohne etwas zu "
    "ändern.\n\nIst dort kein Configurator mehr geöffnet, löschen Sie die Sperrdatei:\n%2",
    "Die Einstellungen wurden nicht vollständig gespeichert:\n%1",
    "Das Modul konnte nicht eingeschaltet werden, die Datei wurde nicht geschrieben:\n%1",
    "Das Modul konnte nicht ausgeschaltet werden, die Datei wurde nicht gelöscht:\n%1: %2",
    "Die gespeicherten Einstellungen konnten nicht gelesen werden:\n%1\nDie Felder bleiben leer. %2 und %3 bleiben, "
    "wie sie sind: Änderungen an diesen Einstellungen werden in diesem Lauf nicht gespeichert.",

    "Die Sprache wurde nicht vollständig übernommen:\n\n%1",
    "%1: nicht ersetzt, Zeile %2 der Pfaddatei %3 nennt nicht die Spieldatei %4.",
    "%1: Zeile %2 der Sprachdatei %3 nennt keine Ersatzdatei.",
    "%1: nicht ersetzt, Zeile %2 der Sprachdatei %3 nennt \"%4\", keine %5-Datei im Paketordner.",
    "%1: die Ersatzdatei %2 aus Zeile %3 der Sprachdatei %4 fehlt.",
    "%1: nicht ersetzt (%2).",
    "%1: nicht ersetzt, der Ordner %2 fehlt. Ist das Half-Life-Verzeichnis richtig angegeben?",
    "%1: nicht ersetzt, da keine Sicherungskopie angelegt werden konnte (%2).",
    "Keine Sicherungskopie von valve.rc: %1.",
    "%1: der Ordner kann nicht angelegt werden",
    "Die Sprachdatei %1 kann nicht gelesen werden: sie führt über einen Verweis aus dem Half-Life-Verzeichnis "
    "hinaus.",
    "Die Sprachdatei %1 fehlt.",
    "Die Sprachdatei %1 kann nicht gelesen werden.",
    "Es bleiben die eingebauten Texte, und keine Spieldatei wird ersetzt.",

    "Please choose a language from the list.",
    "Die Datei %1 wurde nicht geschrieben: das Half-Life-Verzeichnis \"%2\" enthält Zeichen, die sie nicht "
    "aufnehmen kann.",
    "Die Datei %1 konnte nicht geschrieben werden:\n%2",
    "Der Ordner \"%1\" enthält keinen Ordner cstrike, er ist also nicht das Half-Life-Verzeichnis. Bitte wählen "
    "Sie den Ordner, der cstrike enthält. Es wurde nichts gespeichert.",
    "%1: führt über einen Verweis aus dem Half-Life-Verzeichnis hinaus",
    "%1: führt über einen Verweis aus dem Paketordner hinaus",

    "Im Spiel: %1\n(\" wird zu ', // zu / /, ein \\ am Ende entfällt)",
    "Die Sperrdatei %1 ist keine gewöhnliche Datei (ein Ordner, ein Verweis oder eine besondere Datei). Ein zweiter "
    "Configurator in diesem Ordner wird so nicht erkannt.\nLöschen Sie sie, wenn kein Configurator geöffnet ist.",
    "Die Pfaddatei konnte nicht gelesen werden:\n%1\nEs bleiben die eingebauten Texte, und keine Spieldatei wird "
    "ersetzt. Die Datei bleibt, wie sie ist; \"Einstellungen\" schreibt sie neu.",
    "%1: keine gewöhnliche Datei",
    "%1: ist versteckt oder eine Systemdatei",
    "%1: lässt sich nicht lesen",
    "%1: die Markierung lässt sich nicht entfernen",
    "%1: nicht ersetzt, die Ersatzdatei %2 ist keine gewöhnliche Datei.",
    "Nicht ersetzt: %1. \"%2\" ist kein Half-Life-Verzeichnis (ein solches ist kein Wurzelverzeichnis und enthält "
    "den Ordner cstrike).",

    "Ausgelassen: %1\nDieses Zeichen kann nicht gespeichert werden; der Rest wurde übernommen.",
    "Ausgelassen: %1\nDiese Zeichen können nicht gespeichert werden; der Rest wurde übernommen.",
    "Das Spiel führt das vielleicht nicht so aus, wie es dasteht: die Versionen des Spiels trennen die Befehle bei "
    "%1 verschieden.",
};
static_assert(std::size(kGerman) == Count, "one built-in text for every message");

// As long as a caption may be.
constexpr qsizetype kMaxLength = 4096;

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

// The placeholders of a message, each once: a line that lacks one would lose
// a file name, one with another would show a stray "%5".
std::set<int> placeholders(const QString &text)
{
    static const QRegularExpression placeholder(QStringLiteral("%(\\d+)"));
    std::set<int> numbers;
    for (const QRegularExpressionMatch &match : placeholder.globalMatch(text))
        numbers.insert(match.captured(1).toInt());
    return numbers;
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

QString fromLanguage(const QStringList &lines, Id id)
{
    QString line = lines.value(lineOf(id) - 1).left(kMaxLength);
    line.replace(QLatin1String("\\n"), QLatin1String("\n"));
    const QString german = builtIn(id);
    if (line.isEmpty() || placeholders(line) != placeholders(german))
        return german;
    return line;
}

void use(const QStringList &lines)
{
    for (int id = 0; id < Count; ++id)
        inForce()[id] = fromLanguage(lines, Id(id));
}

} // namespace Texts
