#pragma once

class QLineEdit;

// Makes `edit` take exactly what the configurator's Windows-1252 files can
// store: text of any length, but no character outside that code page. Such a
// character, typed, pasted or dropped, is refused and a tooltip at the box
// names it, so nothing the user enters disappears unseen. Text the program
// sets itself (setText, from the files) is kept as given.
void guardAnsiInput(QLineEdit *edit);
