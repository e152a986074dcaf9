#pragma once

#include "settings.h"
#include "valuerules.h"

#include <QString>
#include <QStringList>

class Language;

// All that is said of one value of the settings: what the game gets of it,
// and what its box shows (hover help, warning mark, notice). The boxes and the
// game scripts take it from here, so every rule of what reaches the game is
// applied in this one place. Every note is said in the language given.
struct ValueJudgement
{
    QString inGame;      // what the game gets of it; empty when nothing (a server access row not written)
    QString storedNote;  // what reading the state file did to the value
    QString warning;     // why it will not reach the game as it stands, or may not
    QString inGameNote;  // what the game gets, where that is not the text
    QString boxNote;     // what holds whatever the text: what the box's script line does, or that it has none
    // The characters the game gets changed (" ; \ and a "//"), so that an edit
    // that changes one more can say so at once.
    qsizetype changedInGame = 0;

    // The box carries a warning mark, which shows the notes.
    bool marked() const { return !storedNote.isEmpty() || !warning.isEmpty(); }
    // The hover help: every note, a blank line between two.
    QString notes() const;
};

// A server access password is judged with the field name of its row. The
// Personal Mode boxes AK47 and XM1014 say what their script lines do.
ValueJudgement JudgeValue(const Language &language, const Settings &settings, Varia::Line line);
ValueJudgement JudgeValue(const Language &language, const Settings &settings, Buy::Line line);

// An edit of a box calls for its notes at once where it brings a new warning,
// or one more character that the game gets changed.
bool EditCallsForNotes(const ValueJudgement &before, const ValueJudgement &after);

// What becomes of an edit that makes `input` of `before`.
struct EditJudgement
{
    bool taken = true;
    QString text;           // the box's text after it, when taken
    qsizetype cursor = 0;   // where the cursor stands when the text is not `input`: after what was put in
    QStringList reports;    // what the box says at once: why refused, or what was changed
};

// An edit of a box for a value of `kind`: line breaks and tabs become
// spaces, other control characters go; a character Windows-1252 cannot store
// is refused when typed alone and left out of a paste; characters the kind
// refuses, or a text past its length, refuse the edit (a paste past the
// length is cut, but for a password, which cut would be a wrong one); and so
// does an edit that makes a fault the text did not have.
EditJudgement JudgeEdit(const Language &language, ValueKind kind, const QString &before, const QString &input);

// An edit of a text that is only to be storable in Windows-1252 (a path):
// refused when all it puts in can't be stored, or when the text around it
// can't; else taken without what can't be stored.
EditJudgement JudgeStorableEdit(const Language &language, const QString &before, const QString &input);
