#pragma once

#include "settings.h"
#include "valuerules.h"

class Language;
class QLineEdit;

// Makes `edit` take exactly what the configurator's Windows-1252 files can
// store: text of any length, but no character outside that code page. Such a
// character, typed, is refused; pasted or dropped with others, it is left out
// and the rest taken. A notice beside the box names it either way, so nothing
// the user enters disappears unseen (notice.h), in `language`, the language
// in force. Text the program sets itself (setText, from the files) is kept as
// given.
void guardAnsiInput(QLineEdit *edit, const Language &language);

// A box of the option dialogs: besides what guardAnsiInput refuses, line
// breaks and tabs that are typed, pasted or dropped become spaces and other
// control characters are dropped, and whatever the game could not take as a
// value of this kind (ValueRules) is refused. The box says so at once in its
// notice, without stopping the typing; a message or restock box also says
// what the game will get where it differs from the text, and its hover help
// (the tooltip) holds the same notes. Every note is said in `language`, the
// language in force.
void guardValueInput(QLineEdit *edit, ValueKind kind, const Language &language);

// Links a server access row: the password box then also says when its entry
// is left out of the game script for its field name.
void pairServerBoxes(QLineEdit *field, QLineEdit *password);

// A value of the settings into a box made by guardValueInput, as read from
// its state file (StoredValue). Where it was cut or cleaned, or will not
// reach the game as it stands, the box carries a warning mark and says why;
// a click on the mark shows the notice.
void setStoredValue(QLineEdit *edit, const SettingValue &value);

// Shows the notice of a box that carries a warning mark, as its dialog
// opens; false when the box carries none.
bool explainMark(QLineEdit *edit);

// Says the box's notes again in the language in force, after it has
// changed: the hover help, and what its mark and notice will say.
void renewNotes(QLineEdit *edit);
