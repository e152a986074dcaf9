#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QFileInfo;

// The uninstaller's own file helpers. Paths are relative to the current
// directory or absolute; '/' separates folders.

// A symbolic link, or on Windows a junction.
bool isLink(const QFileInfo &info);

// The Half-Life folder: the one above the current directory, resolved.
QString halfLifeFolder();

// Where path ends up once every link on the way is followed, also where it
// does not exist yet; empty for a loop of links.
QString resolvedPath(const QString &path, int links = 0);

// True when path, once every link on the way is followed (also where it
// does not exist yet), lies outside halfLife or can't be resolved.
bool leadsOutside(const QString &path, const QString &halfLife);

// A reader keeps this much of a line; the rest of a longer one is passed over.
constexpr qsizetype kMaxLineLength = 4096;

// Hands the lines of the file at path to take, numbered from 1, until take
// returns false or the file ends. The file is read in blocks, never whole; a
// line ends at CR LF, a lone CR or a lone LF. Only a regular, visible file
// (on Windows no system file either) that does not lead outside halfLife is
// opened. False when it was not opened, a read failed, or it is no 8-bit
// text: UTF-16 or UTF-32, told by a zero byte in its first 64 KiB (a
// byte-order mark alone is Windows-1252 text too); such a file gives no line.
// The configurator reads its files by the same rules.
using LineTaker = std::function<bool(int number, const QByteArray &line)>;
bool readLines(const QString &path, const QString &halfLife, const LineTaker &take);

// Line `number` of a file as readLines gives it; empty when missing or when
// the file can't be read.
QByteArray readLine(const QString &path, int number, const QString &halfLife);

// The package's files are Windows-1252, one byte a character.
QString fromWindows1252(const QByteArray &bytes);

// The SHA-256 of a regular file, read in blocks; empty when it can't be read.
QByteArray fileSha256(const QString &path);
