#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class Language;

// What the configurator may touch: the files of its package folder and the
// game files below the Half-Life folder named by line 1 of the path file;
// never a file that a link leads to outside that folder. A link is a
// symbolic link or, on Windows, a junction too. Every folder here is an
// absolute path: nothing depends on the current directory.
namespace PackageFiles {

extern const QString kPathFile;  // "pfad.kst"

// True when `text` can stand as one line of the path file: Windows-1252, no
// line break, and no zero character, which would make the file unreadable.
bool FitsPathFileLine(const QString &text);

// True when `folder` can be a Half-Life folder: no root of the file system
// or of a drive, and holding a folder "cstrike".
bool IsHalfLifeFolder(const QString &folder);
// A path as the files hold it (line 1 of the path file, a language's game
// file), made one the local file system understands; a relative one counts
// from `folder`, the package folder. An empty one stays empty.
QString PathIn(const QString &folder, const QString &pathFromFile);

// The folder that no file of the configurator may lead out of, for the
// Half-Life folder `halfLife` as line 1 of the path file names it: that
// folder; without one, the folder the package folder lies in (two levels up,
// as in <Half-Life>/cstrike/qor), unless that is a root; else the package
// folder itself. Resolved, computed once per step and passed on.
QString BoundingFolder(const QString &halfLife, const QString &packageFolder);

// `path` with every link on the way followed, a last link that leads nowhere
// too; "" when it can't be resolved (a loop of links, say).
QString ResolvedPath(const QString &path);

// True when both paths, resolved, are the same file (existing or not).
bool SameFile(const QString &a, const QString &b);

// True when `path` is reached through a link that leads outside `folder`
// (both compared resolved); without a link on the way it stays where it is,
// also when it, or the folder it lies in, is gone.
bool LeadsOutside(const QString &path, const QString &folder);
// "<path>: <why>", as the messages name a file that is skipped for it.
QString LeadsOutsideReason(const Language &language, const QString &path);

// The whole-or-nothing writers, refusing a file that is a link leading out
// of `bound`: false, and `*error` names the file and the reason, in `language`.
bool WriteText(const Language &language, const QString &bound, const QString &path, const QStringList &lines,
               QString *error);
bool WriteBytes(const Language &language, const QString &bound, const QString &path, const QByteArray &bytes,
                QString *error);

} // namespace PackageFiles
