#pragma once

#include <QString>

class Language;
struct Settings;

// Writes "varis.cfg", "varia.kst", "buy.kst" and "fun.cfg" into the package
// folder `folder`, in this order, from the settings. Each file is written whole or not at all, and every one
// is tried: false when any failed, and `*error` then has one line for each,
// naming the file and the reason in `language`; a failed file keeps its
// previous contents.
// A state file that could not be read at startup is left alone, and with it
// the script made from the same settings ("varis.cfg" with "varia.kst",
// "fun.cfg" with "buy.kst"); but lines 1 to 3 of a "varis.cfg" that is there
// still follow the module switches. Nothing is written through a link out of
// `bound`.
bool WriteScripts(const Language &language, const Settings &settings, const QString &folder, const QString &bound,
                  QString *error = nullptr);
