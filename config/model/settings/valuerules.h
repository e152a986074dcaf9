#pragma once

#include <QString>

class Language;

// What the game makes of a value, and so what each box of the option dialogs
// takes and how its text goes into the game scripts. Lengths count bytes as
// the game gets them: UTF-8 for chat text, Windows-1252 for everything else.

// The kinds of boxes, each with its own rules.
enum class ValueKind {
    Say,          // chat messages, said with `say`
    SayTeam,      // team messages and Personal Mode lines, said with `say_team`
    Sound,        // sound names, played with `speak`
    ServerField,  // server access: the password field name
    ServerValue,  // server access: the password
    Restock,      // restock items: console commands of the user's choice
};

namespace ValueRules {

// The most a box of this kind takes, in Length; longer stored values are cut
// when read, but for the server access boxes, which keep them and say why they
// are left out.
qsizetype MaxLength(ValueKind kind);

// The length of `text` as a box of this kind counts it: the bytes of what
// the game gets, UTF-8 for chat, one a character else.
qsizetype Length(ValueKind kind, const QString &text);
// `text` cut to `max` of that length; a character is never split.
QString Cut(ValueKind kind, const QString &text, qsizetype max);

// Chat (say and say_team) is read by the game code on the server, which
// keeps 104 bytes of a line said by a dead player, so "-=" text "=-" fits
// them whole; a place name, which the game puts before team chat on maps
// that have them, takes its length and a space more.
constexpr qsizetype kChatLineRoom = 104;

// Line breaks (CR LF, CR, LF) and tabs become one space each; other control
// characters (below 0x20, 0x7F, U+0080 to U+009F) are dropped. Every value of
// the option dialogs is cleaned so, where typed and where read from a file.
QString Clean(const QString &text);

// "At most ..." of a box of this kind, in `language`; `restDropped`: and
// what went past it was left out.
QString AtMostText(const Language &language, ValueKind kind, bool restDropped = false);

// The characters of `text` that a box of this kind refuses, each once; empty
// when it takes any character of the code page.
QString RefusedCharacters(ValueKind kind, const QString &text);

// Why `text` may not stand in a box of this kind as typed (refused characters,
// length, a leading "//", "..", a leading "*"), in `language`; empty when it may.
QString Problem(const Language &language, ValueKind kind, const QString &text);

// Why the server access pair `field`/`value` is left out of the game script;
// empty when it is written (or the value is empty, which writes nothing).
QString ServerPairProblem(const Language &language, const QString &field, const QString &value);

// A chat text as the script says it: `"` becomes `'`, `;` `:`, and a `//`
// after a space, which a console reads as a comment, `/ /`; then the text is
// cut to MaxLength bytes of UTF-8. `changes`, when given, counts the
// characters changed.
QString GameMessage(const QString &text, qsizetype *changes = nullptr);

// What the team reads of a chat line the script says (`said`, markers
// included), by the game code's rules: characters it cannot print and the
// ellipsis go, and a `%` before anything but `l`, a space or the end becomes
// a space. `changes`, when given, counts the characters it changed.
QString TeamReads(const QString &said, qsizetype *changes = nullptr);

// A sound name as `speak` can play it: at most 64 bytes, every character
// outside A-Z a-z 0-9 _ . / ! - written as `_`, and so the second `/` of a
// name that starts with `//`, which would be a comment.
QString GameSoundName(const QString &text);

// The engine keeps the first 80 words of a command and drops the rest.
constexpr int kCommandWords = 80;

// Restock commands as the game runs them, before they are cut: `"` becomes
// `'`, and a `//` that one engine build reads as a comment `/ /` (at the
// start of a command, after a space, a letter outside ASCII or one of
// { } ( ) ' , :); inside a word, as in "a//b", it stays.
QString RestockCommands(const QString &text);

// Whether a command of the restock entry `text` has more words than the game
// keeps, counted as the original engine splits them, which splits the most.
bool RestockWordsDropped(const QString &text);

// Restock commands inside quotes: RestockCommands, each command cut to its
// first 80 words, the text cut to 500 bytes and every trailing backslash
// dropped, so the closing quote stays one.
QString GameRestock(const QString &text);

// The characters of a restock entry, as the game gets it (GameRestock), at
// which one engine build splits its words and another does not, each once:
// every letter outside ASCII (the original engine takes bytes from 0x80 up
// for spaces) and { } ( ) ' , : (single words in some builds, part of a word
// in others). Empty when every build runs the entry alike.
QString RestockSplitCharacters(const QString &text);

// `text` cut to `maxBytes` Windows-1252 bytes; a character the code page
// lacks counts once and is never split.
QString CutToBytes(const QString &text, qsizetype maxBytes);
qsizetype ByteLength(const QString &text);

} // namespace ValueRules
