#pragma once

#include "settings.h"

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

// Makes `edit` the box of one value of the settings: it shows the value,
// hands every change back to the settings, and shows what the model judges
// of it (valuejudgement.h). An edit the judgement refuses is not taken, and
// the box says so at once in its notice, without stopping the typing; the
// hover help (the tooltip) holds the value's notes, and a warning mark, where
// the judgement calls for one, shows them on a click. Every note is said in
// `language`, the language in force. The settings outlive the box.
void guardSetting(QLineEdit *edit, Varia::Line line, Settings &settings, const Language &language);
void guardSetting(QLineEdit *edit, Buy::Line line, Settings &settings, const Language &language);

// Links a server access row: the password is judged with its field name, so
// its box says its notes anew whenever the field name changes.
void pairServerBoxes(QLineEdit *field, QLineEdit *password);

// Shows the notice of a box that carries a warning mark, as its dialog
// opens; false when the box carries none.
bool explainMark(QLineEdit *edit);

// Says the box's notes again in the language in force, after it has
// changed: the hover help, and what its mark and notice will say.
void renewNotes(QLineEdit *edit);
