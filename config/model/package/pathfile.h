#pragma once

#include <QString>
#include <QStringList>

class Language;

// The path file "pfad.kst" of the package folder: four lines, read once per
// step and written whole.
struct PathFile
{
    QString halfLife;     // line 1: the Half-Life folder, as the player gave it
    QString language;     // line 2: the language file, a name in the package folder
    QString keyBindings;  // line 3: the game's key-binding list
    QString commandMenu;  // line 4: the game's command menu

    // What the setup dialog records: the game's two files below `halfLife`.
    static PathFile For(const QString &halfLife, const QString &language);
    QStringList lines() const;
};

// The path file as a step finds it.
struct PathFileRead
{
    bool exists = false;  // it is there (the first start finds none)
    PathFile file;        // its lines; empty ones where it gives none
    QString problem;      // why one that is there gives nothing; "" otherwise
};

// Reads the path file of the package folder `folder` in one pass: its four lines, each cut to 4,096
// characters, nothing beyond. One that is a link leading out of the package
// folder gives nothing: it names the Half-Life folder, so no other folder can
// vouch for it; nor does one that is no regular file, hidden, a system file
// or unreadable. `problem` says which, in `language`.
PathFileRead ReadPathFile(const Language &language, const QString &folder);

// Writes the path file of the package folder `folder` whole. One that is a link is replaced itself, never
// written through, so that a broken path file can always be written anew.
// False and `*error` (the file and the reason) when it could not be written.
bool WritePathFile(const QString &folder, const PathFile &file, QString *error);
