#include "language.h"

#include "textfiles.h"

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
    "Im Spiel liest das Team: %1\n(\" wird zu ', ; zu :, // nach einem Leerzeichen zu / /, ein % vor einem anderen "
    "Zeichen als l oder Leerzeichen zu einem Leerzeichen, … entfällt)",
    "Leerzeichen",
    "In Tonnamen stehen nur A-Z, a-z, 0-9 und _ . / ! -, nicht: %1",
    "Feldnamen nehmen nur ASCII-Zeichen ohne Leerzeichen, \" und \\, nicht: %1",
    "Am Anfang liest das Spiel zwei / als Kommentar.",
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
    "Die gespeicherten Einstellungen konnten nicht gelesen werden:\n%1\nDie Felder bleiben leer. %2 und die Werte in "
    "%3 bleiben, wie sie sind: Änderungen an diesen Einstellungen werden in diesem Lauf nicht gespeichert.",

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

    "Im Spiel: %1\n(\" wird zu ', // am Wortanfang zu / /, ein \\ am Ende entfällt; ein Befehl endet nach 80 "
    "Wörtern)",
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

    "%1: beschädigt oder voll (ein Null-Byte, mehr als 64 KiB oder 1000 Zeilen)",
    "%1: lässt sich nicht als %2 beiseitelegen",

    "Der Korvel Configurator wurde außerhalb seines Paketordners gestartet, in:\n%1\nSein Paket liegt in:\n%2\n"
    "Dieser Start endet, ohne etwas zu ändern. Starten Sie ihn dort; bei einer Verknüpfung tragen Sie diesen Ordner "
    "unter „Ausführen in“ ein.",
    "Der Uninstaller entfernt das Korvel gerade aus diesem Ordner, er hält die Sperrdatei\n%1\nDieser Start endet, "
    "ohne etwas zu verändern.",

    "Der Ordner \"%1\" ist ein Wurzelverzeichnis, er kann also nicht das Half-Life-Verzeichnis sein. Bitte wählen "
    "Sie den Ordner, in dem Half-Life liegt und der cstrike enthält. Es wurde nichts gespeichert.",

    "Passwörter nehmen nur ASCII-Zeichen ohne \" und \\, nicht: %1",
    "Ein Befehl hat hier mehr als 80 Wörter: das Spiel nimmt nur die ersten 80, der Rest entfällt.",
    "Dieser Text heißt im Spiel ak47, wie der Kaufbefehl der AK47: solange Personal Mode an ist, sagt ak47 diesen "
    "Text und kauft nichts.",
    "Dieser Text wird gespeichert, aber in kein Script geschrieben: das Spiel sagt ihn nie.",
    "Höchstens %1 Bytes: so passt die Zeile mit -= und =- in das, was das Spiel von einer Chatzeile behält. "
    "Buchstaben wie ä, ö, ü und ß zählen zwei Bytes, € drei.",
    "Höchstens %1 Bytes: der Rest wurde nicht übernommen. Buchstaben wie ä, ö, ü und ß zählen zwei Bytes, € drei.",
    "Auf Karten mit Ortsnamen steht im Teamchat der Ort dabei und nimmt Platz: für ihn bleiben in dieser Zeile %1 "
    "Zeichen, ein längerer Ortsname schneidet ihr Ende ab.",

    // As the windows show them, a few in English.
    "Menu",
    "Switches",
    "Informationsscript",
    "Korvel Server Plugin Detected",
    "Server Conf Plugin Detected",
    "Brisk Plugin Detected",
    "Unknown Plugin Detected",
    "Plugin Information",
    "Haftungsausschluss",
    "Setinfo - Feld",
    "Soundmenü",
    "TextMenü",
    "Funmode-Config",
    "Restock Help",
    "CMAM Help",
    "Sound Help",
    "Text Help",
    "Passwort Feld",
    "Passwort",
    "User defined tones",
    "Ton%1",
    "Message%1",
    "Teammessage%1",
    "firstrun",
    "Basic Configuration",
    "Half-Life Path:",
    "Help",
    "Search Path",
    "Please Select your Language",
    "Current Language:",
    "New Language:",
    "Save and Go",
    "Herzlich Willkommen",
    "This program require the complete path to your Half-Life directory. Most time it is c:\\sierra\\half-life",
    "Verzeichnis Suchen",
    "Path:",
    "No Path Selected",
    "Please Show me your Halflife Directory",
    "About",
    "%1, written by the Korvel Configurator developers.",
};
static_assert(std::size(kGerman) == Count, "one built-in text for every message");

// The placeholders of a message, each once: a line that lacks one would lose
// a file name, one with another would show a stray "%5".
std::set<int> placeholders(const QString &text)
{
    std::set<int> numbers;
    for (qsizetype percent = text.indexOf(u'%'); percent >= 0; percent = text.indexOf(u'%', percent + 1)) {
        qsizetype end = percent + 1;
        while (end < text.size() && text.at(end) >= u'0' && text.at(end) <= u'9')
            ++end;
        if (end > percent + 1)
            numbers.insert(QStringView(text).mid(percent + 1, end - percent - 1).toInt());
    }
    return numbers;
}

} // namespace

QString builtIn(Id id)
{
    return QString::fromUtf8(kGerman[id]);
}

QString fromLanguage(const QStringList &lines, Id id)
{
    QString line = lines.value(lineOf(id) - 1).left(kLongestLine);
    line.replace(QLatin1String("\\n"), QLatin1String("\n"));
    const QString german = builtIn(id);
    if (line.isEmpty() || placeholders(line) != placeholders(german))
        return german;
    return line;
}

// The texts built into the windows, German with some English captions.
QString builtInCaption(LanguageLine line)
{
    switch (line) {
    case LanguageLine::On:
        return QStringLiteral("AN");
    case LanguageLine::Off:
        return QStringLiteral("AUS");
    case LanguageLine::Disclaimer:
        return QStringLiteral("Haftungsausschluss");
    case LanguageLine::SettingsButton:
        return QStringLiteral("Einstellungen");
    case LanguageLine::RestockButton:
        return QStringLiteral("Restockmenü");
    case LanguageLine::ServerButton:
        return QStringLiteral("Admin-Mod Menü");
    case LanguageLine::TextButton:
        return QStringLiteral("Textmenü");
    case LanguageLine::SoundButton:
        return QStringLiteral("Soundmenü");
    case LanguageLine::Help:
        return QStringLiteral("Hilfe");
    case LanguageLine::Close:
        return QStringLiteral("Schließen");
    case LanguageLine::PluginHelp:
        return QStringLiteral("In diesem Fenster sehen sie, welche Plugins Installiert wurden.");
    case LanguageLine::ServerHelp:
        return QStringLiteral("In diesem Fenster können sie ihre Zugriffsdaten für einen Server über AdminMod oder "
                              "Clanmod eintragen, um diese nicht immer wieder eingeben zu müssen.");
    case LanguageLine::RestockHelp:
        return QStringLiteral("Hier können sie die Artikel für den Restock kauf einstellen. Mit einem Klick auf die "
                              "Restock Taste wird dieses Packet dann gekauft. Die Restock Taste können sie im CS - "
                              "Tastenkonfiguration belegen.");
    case LanguageLine::SoundHelp:
        return QStringLiteral("Hier können Töne eingetragen werden, welche dann per Tastendruck in HL abgespielt "
                              "werden können! WICHTIG! DIE TÖNE MÜSSEN SICH ALS .WAV DATEI IM COUNTER-STRIKE "
                              "UNTERORDNER sound/vox BEFINDEN UM EINGESETZT WERDEN ZU KÖNNEN! Tragen sie in dem "
                              "Textfeld den Dateinamen des Musikstückes ein.");
    case LanguageLine::TextHelp:
        return QStringLiteral("Hier können Benutzerdefinierte Texte eingegeben werden, die dann durch einen "
                              "Tastendruck im HL ausgegeben werden");
    case LanguageLine::DisclaimerText:
        return QStringLiteral("Der Programmierer dieses Scriptes übernimmt keine Haftung für eventuelle Schäden, die "
                              "beim Benutzen dieses Programmes auftreten können.");
    case LanguageLine::SoundTip:
        return QStringLiteral("Stellen sie hier die Benutzerdefinierten Töne ein.");
    case LanguageLine::TextTip:
        return QStringLiteral("Stellen sie hier ihre Persönlichen Texte ein.");
    case LanguageLine::RestockTip:
    case LanguageLine::ServerTip:
        break;
    }
    return {};
}

} // namespace Texts

Language::Language(const QStringList &lines)
    : m_fromFile(true)
{
    for (int number = 1; number <= kLanguageLines; ++number)
        m_captions << lines.value(number - 1).left(kLongestLine);
    for (int id = 0; id < Texts::Count; ++id)
        m_messages << Texts::fromLanguage(lines, Texts::Id(id));
}

QString Language::message(Texts::Id id) const
{
    return m_fromFile ? m_messages.at(id) : Texts::builtIn(id);
}

QString Language::caption(LanguageLine line) const
{
    return m_fromFile ? m_captions.at(int(line) - 1) : Texts::builtInCaption(line);
}
