#pragma once

#include <QString>
#include <QStringList>

// The configurator's own messages: the tooltips and warnings of the boxes and
// the message boxes, all that a language file's first 22 lines do not give.
// They are built in German, a few of the windows' texts in English. A
// language file may give them in its lines 23 on, one message a line in the
// order below, a line break written as "\n"; a
// message it leaves out, or whose placeholders (%1, %2...) are not those of
// the German, stays German. New messages go at the end, so that every
// language file keeps its lines.
// Lines 1 to 20 of a language file, by the texts each replaces.
enum class LanguageLine {
    On = 1,          // the three "AN" switch buttons
    Off,             // the three "AUS" switch buttons
    Disclaimer,      // the main window's "Haftungsausschluss"
    SettingsButton,  // "Einstellungen"
    RestockButton,   // "Restockmenü"
    ServerButton,    // "Admin-Mod Menü"
    TextButton,      // "Textmenü"
    SoundButton,     // "Soundmenü"
    Help,            // the five "Hilfe" buttons
    Close,           // the five "Schließen" buttons
    PluginHelp,      // the help texts, shown by the help buttons ...
    ServerHelp,
    RestockHelp,
    SoundHelp,
    TextHelp,
    DisclaimerText,  // ... and by "Haftungsausschluss"
    RestockTip,      // tooltips of the main window's dialog buttons
    ServerTip,
    SoundTip,
    TextTip,
};
constexpr int kLanguageLines = 20;

namespace Texts {

enum Id {
    // The boxes of the option dialogs, as the user types (valuejudgement.cpp, valuerules.cpp)
    UnstorableCharacter,  // line 23
    UnstorableCharacters,
    NotTaken,
    AtMost,
    AtMostRestDropped,
    BreaksBecameSpaces,
    StoredCut,
    StoredBreaksBecameSpaces,
    InGameSound,
    NotWrittenToVaris,
    InGameMessage,
    SpaceName,
    SoundNameCharacters,
    FieldNameCharacters,
    TwoSlashes,
    TwoDots,
    StarFirst,
    NoFieldName,
    FieldNameProblem,
    PasswordProblem,
    // The main window and the state files
    AlreadyOpen,          // line 43
    SaveIncomplete,
    SwitchOnFailed,
    SwitchOffFailed,
    StateUnreadable,
    // The language step
    LanguageIncomplete,   // line 48
    NotTheGameFile,
    NoReplacementNamed,
    NotABareFileName,
    ReplacementMissing,
    NotReplacedBecause,
    GameFolderMissing,
    NoBackup,
    NoValveBackup,
    FolderNotMade,
    LanguageLeadsOutside,
    LanguageMissing,
    LanguageUnreadable,
    BuiltInTextsStay,
    // The setup dialog and the package's files
    ChooseLanguage,       // line 62
    PathFileCharacters,
    PathFileNotWritten,
    NoCstrikeFolder,
    LeadsOutsideHalfLife,
    LeadsOutsidePackage,
    // Added later: the restock preview, the lock, the path file, files that
    // are no regular ones, the markers, a folder that is no Half-Life folder
    InGameRestock,        // line 68
    LockNotAFile,
    PathFileUnreadable,
    NoRegularFile,
    HiddenOrSystemFile,
    FileUnreadable,
    MarkerNotRemoved,
    ReplacementNoRegularFile,
    NotAHalfLifeFolder,
    // Added later: a paste that leaves characters out, a restock entry the
    // engine builds split differently
    LeftOutCharacter,     // line 91, after the uninstaller's lines 77 to 90
    LeftOutCharacters,
    RestockRunsOtherwise,
    // Added later: markers and backups the language step leaves alone
    MarkerDamaged,        // line 94
    BackupNotPutAside,
    // Added later: a start outside the package folder
    StartedOutsidePackage,  // line 100, after the uninstaller's lines 96 to 99
    UninstallerAtWork,
    // Added later: a root folder given as the Half-Life folder
    RootIsNoHalfLifeFolder,  // line 102
    // Added later: passwords with spaces, restock commands past 80 words, the
    // Personal Mode boxes whose lines do more or less than say them
    PasswordCharacters,   // line 103
    RestockWordsDropped,
    Ak47BuysNothing,
    Xm1014WrittenNowhere,
    // Added later: chat counted in UTF-8 bytes, the place name in team chat
    ChatAtMost,              // line 107
    ChatAtMostRestDropped,
    PlaceNameRoom,
    // Added later: the windows' titles, frames and labels and the message
    // boxes' titles that lines 1 to 22 leave built in
    MenuFrame,               // line 110
    SwitchesFrame,
    InformationLabel,
    KorvelPluginFound,
    ServerConfPluginFound,
    BriskPluginFound,
    UnknownPluginFound,
    PluginHelpTitle,
    DisclaimerTitle,
    ServerAccessTitle,       // line 119
    SoundTitle,
    TextMessagesTitle,
    PersonalModeTitle,
    RestockHelpTitle,
    ServerHelpTitle,
    SoundHelpTitle,
    TextHelpTitle,
    PasswordFieldLabel,
    PasswordLabel,
    SoundsLabel,
    SoundNumber,
    MessageNumber,
    TeamMessageNumber,
    SetupTitle,              // line 133
    SetupHeading,
    HalfLifePathLabel,
    SetupHelpButton,
    SearchPathButton,
    ChooseLanguageLabel,
    CurrentLanguageLabel,
    NewLanguageLabel,
    SaveAndGoButton,
    SetupHelpTitle,
    SetupHelpText,
    BrowserTitle,            // line 144
    PathLabel,
    NoPathChosen,
    ShowHalfLifeFolder,
    AboutTitle,
    AboutText,
    Count
};

// The line of a language file that holds the message `id`. Lines 77 to 90,
// 96 to 99 and 150 to 154 hold the uninstaller's texts: the messages go on
// after them.
constexpr int kFirstLine = 23;
constexpr int kUninstallerBlocks[][2] = {{77, 14}, {96, 4}, {150, 5}};  // first line, lines
constexpr int lineOf(Id id)
{
    int line = kFirstLine + id;
    for (const auto &block : kUninstallerBlocks) {
        if (line >= block[0])
            line += block[1];
    }
    return line;
}

// The built-in German.
QString builtIn(Id id);
QString builtInCaption(LanguageLine line);

// The message as the language file of `lines` (all of them, line 1 first)
// gives it: its line, cut to 4,096 characters, with "\n" as a line break; the
// built-in German when the line is missing or empty, or holds other
// placeholders than the German.
QString fromLanguage(const QStringList &lines, Id id);

} // namespace Texts

// A language's texts: its captions, help texts and tooltips (lines 1 to 20)
// and its messages. The package holds the one in force; every window and
// message is said in the one it is given.
class Language
{
public:
    // The built-in texts.
    Language() = default;
    // The language file of `lines` (all of them, line 1 first): its captions,
    // and its messages (the built-in German for each it leaves out).
    explicit Language(const QStringList &lines);

    QString message(Texts::Id id) const;
    // The caption, help text or tooltip; a line the language file lacks
    // leaves it empty.
    QString caption(LanguageLine line) const;

private:
    bool m_fromFile = false;
    QStringList m_captions;
    QStringList m_messages;
};
