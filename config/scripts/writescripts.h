#pragma once

#include <QString>

// Writes "varis.cfg", "varia.kst", "buy.kst" and "fun.cfg", in this order,
// from what the controls of the main window and the option dialogs hold now.
// Each file is written whole or not at all. The save stops at the first file
// that cannot be written: false, and `*error` names the file and the reason;
// the files before it are complete, it and those after it keep their previous
// contents. A state file that could not be read at startup is left alone.
bool WriteScripts(QString *error = nullptr);
