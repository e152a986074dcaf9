#pragma once

#include <QString>
#include <QStringList>

// The game files a language replaces: the key-binding list and the command
// menu, copied over the game's from the package folder, with the game's own
// versions kept as backups for the uninstaller. A language file ("*.lang")
// holds 22 lines that re-caption the windows and name those two copies; then,
// optionally, the program's own messages (language.h). Nothing here knows a
// window; every folder is an absolute path. Every message is said in the
// language it is given: the one in force.

class Language;
struct PathFile;

// The language files in `folder`: names matching "*.lang", alphabetical,
// regular visible files only (no system files either), and only names the
// path file can hold.
QStringList LanguageFiles(const QString &folder);

// Reads the language file `name` of the package folder `folder` into `*lines`, as far
// as the format goes, each line cut to 4,096 characters. Returns why it can't
// be used, or "" when it can: no bare file name, missing, no regular visible
// file, unreadable, or a link out of `bound` (which counts as unreadable).
QString ReadLanguageFile(const Language &language, const QString &folder, const QString &name, const QString &bound,
                         QStringList *lines);

// What became of the game files when a language was applied.
struct LanguageOutcome
{
    QString unusable;      // why the language file itself could not be used; "" when it was
    QStringList replaced;  // the game files now holding the language's copy
    QStringList problems;  // one line for each game file not replaced: which and why
    // Those of `problems` where a file the step judges by could not be read
    // or judged this time: worth a word at every start.
    QStringList unjudged;
};

// What the player is told of an outcome: the language file that could not be
// used (the built-in texts stay), else each game file not replaced.
QStringList LanguageProblems(const Language &language, const LanguageOutcome &outcome);

// Replaces the game files that `pathFile` names (its lines 3 and 4; with
// `withCommandMenu` false only the key-binding list) with the copies the
// language file `languageName` of `lines` names in the package folder
// `folder` (which a relative Half-Life folder counts from), after keeping the game's
// own versions (and valve.rc) in cstrike/backup for the uninstaller. Only
// bare file names of the package folder are copied, and only over the game
// files that the path file's Half-Life folder gives; nothing leads out of
// `bound`. Where the game had no such file, a marker "<backup>.none" stands
// instead of a backup and records a checksum of every copy placed over it, so
// that no later start takes a copy of the package (of this or an earlier
// version) for the game's own file.
LanguageOutcome ReplaceGameFiles(const Language &language, const QStringList &lines, const QString &languageName,
                                 const PathFile &pathFile, const QString &folder, const QString &bound,
                                 bool withCommandMenu);

// The line a marker holds for a copy of `bytes`: "sha256 <64 hex digits>".
QString MarkerLine(const QByteArray &bytes);
