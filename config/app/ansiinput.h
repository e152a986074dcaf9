#pragma once

#include "settings.h"
#include "valuerules.h"

class QLineEdit;

// Makes `edit` take exactly what the configurator's Windows-1252 files can
// store: text of any length, but no character outside that code page. Such a
// character, typed, pasted or dropped, is refused and a tooltip at the box
// names it, so nothing the user enters disappears unseen. Text the program
// sets itself (setText, from the files) is kept as given.
void guardAnsiInput(QLineEdit *edit);

// A box of the option dialogs: besides what guardAnsiInput refuses, line
// breaks and tabs that are typed, pasted or dropped become spaces and other
// control characters are dropped, and whatever the game could not take as a
// value of this kind (ValueRules) is refused. The box says so at once in a
// tooltip, without stopping the typing; a message box's tooltip also says
// what the game will get where it differs from the text.
void guardValueInput(QLineEdit *edit, ValueKind kind);

// Links a server access row: the password box then also says when its entry
// is left out of the game script for its field name.
void pairServerBoxes(QLineEdit *field, QLineEdit *password);

// A value of the settings into a box made by guardValueInput, as read from
// its state file (StoredValue). Where it was cut or cleaned, or will not
// reach the game as it stands, the box carries a warning mark and says why,
// also in a tooltip when its dialog opens.
void setStoredValue(QLineEdit *edit, const SettingValue &value);
