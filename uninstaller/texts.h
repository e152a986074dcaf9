#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The uninstaller's own texts, built in German. The language the configurator
// recorded (line 2 of qor/pfad.kst) may give them in its lines 77 on, after
// the configurator's own, one text a line in the order below, a line break
// written as "\n". A line left out or empty, or whose placeholders (%1...)
// are not those of the German, keeps the German. The configurator's messages
// come between the blocks: texts added since form a block of their own after
// the last line of the configurator's, new ones at its end. The window's
// button and the message boxes' titles are built in English.
namespace Texts {

enum Id {
    Explanation,        // line 77: the window's text
    CompletedLeftOver,  // the closing box, when some of the package is left
    Completed,          // ... when none is
    NotRestored,        // heading of the game files to copy back by hand
    WrongFolder,        // %1: the folder it was started in
    ConfiguratorOpen,   // %1: the lock file
    // Notes after a listed path, in brackets
    LinkOutside,        // line 83
    NotPackageCopy,
    NotDeleted,         // %1: the system's reason
    FolderUnreadable,
    LinkedFolder,
    FolderNotEmpty,
    BackupKept,
    Itself,             // line 90
    // Texts added later
    UninstallerRunning,  // line 96; %1: the lock file
    EmptyFolderKept,     // a note, as those above
    NoRegularFile,
    NotJudged,           // %1: the file that can't be read or judged
    // Texts added later: the button and the message boxes' titles
    StartButton,         // line 150
    CompletedTitle,
    ConfiguratorOpenTitle,
    UninstallerRunningTitle,
    WrongFolderTitle,
    Count
};

// The first text of each block, and its line.
struct Block
{
    Id first;
    int line;
};
constexpr Block kBlocks[] = {{Explanation, 77}, {UninstallerRunning, 96}, {StartButton, 150}};

constexpr int lineOf(Id id)
{
    int line = 0;
    for (const Block &block : kBlocks) {
        if (id >= block.first)
            line = block.line + (id - block.first);
    }
    return line;
}

QString builtIn(Id id);
QString get(Id id);

// The text `id` as a language file's line gives it, or the German.
QString fromLanguage(const QByteArray &line, Id id);

// The language the configurator recorded: line 2 of qor/pfad.kst, read only
// as the configurator reads its path file (not through a link leading out of
// qor, nor from a hidden or system file); "" when it gives none.
QString recordedLanguage();

// The lines of the language file `name`, a bare file name in qor, as far as
// the texts go; false, and no line, when it can't be used.
bool readLanguage(const QString &name, QList<QByteArray> *lines);

// Takes the texts from the recorded language; the German stays for every
// text it does not give, and for all of them when it can't be read whole.
void useRecordedLanguage();

} // namespace Texts
