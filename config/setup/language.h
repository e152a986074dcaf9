#pragma once

#include "texts.h"

#include <QString>
#include <QStringList>

// Language files ("*.lang"): 22 lines that re-caption the windows and name the
// language's own versions of two game files, the key-binding list and the
// command menu, which are copied over the game's; then, optionally, the
// program's own messages (texts.h).

// The language files in `folder`: names matching "*.lang", alphabetical,
// hidden files left out, and only names the path file can hold.
QStringList LanguageFiles(const QString &folder);

// Applies the language file named by the setup dialog's `lang` to the
// windows (those that exist now, and each built later), puts its messages in
// force (the built-in German for those it leaves out) and copies its
// key-binding list and command menu over the game files named by the main
// window's `gfx` and `cmd`. Only bare file names of the package folder are copied, and only
// over the game files that the path file's Half-Life folder gives. A copy that
// can't be made is skipped; the result has one line for each, saying which
// file and why (empty when everything was replaced). A language file that is
// missing or can't be read changes nothing: the built-in captions stay, and
// the result's one line names the file.
QStringList ApplyLanguage();

// The same when the setup dialog closes, but only the key-binding list is
// replaced; the game's command menu stays.
QStringList ApplyLanguageOnClose();

// At startup: applies the recorded language, if there is one, without a word
// about the game files; a language file that can't be used is named.
void ApplyRecordedLanguage();

// Only the messages of the recorded language, for a start that applies none.
void UseRecordedLanguageMessages();

// A message as the language file `languageName` gives it, before it is
// applied; the one in force when there is no such file that can be used.
QString LanguageMessage(const QString &languageName, Texts::Id id);
