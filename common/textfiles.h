#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The configurator's text files: 8-bit Windows-1252 text, one record a line,
// every line ended by CR LF. Values are read back by line number.

// No line of the configurator's text files is kept longer: no box, caption or
// path takes more, and what lies beyond is not even converted (a damaged
// file's 10 MB line would only slow the start down).
constexpr qsizetype kLongestLine = 4096;

// The lines of the text file at `path`, read in one pass, without their line
// breaks. A line ends at CR LF, at a lone CR or at a lone LF, whatever the
// rest of the file does (a line pasted from another system's file keeps the
// lines after it where they are). A line break at the very end adds no empty
// line. Missing, hidden (on Windows also system) and non-regular files and
// directories give no lines. When the file is there but cannot be opened or
// read, or is no 8-bit text (IsEightBitText), the result is empty as well and
// `*readFailed` (when given) is set, so that a caller can avoid replacing
// what it could not read. With `longestLine`, no line is longer than that:
// the rest is not even converted. `*lineLengths` (when given) then has each
// line's whole length. With `mostLines`, reading stops after that many lines.
QStringList ReadFileLines(const QString &path, bool *readFailed = nullptr, qsizetype longestLine = -1,
                          QList<qsizetype> *lineLengths = nullptr, qsizetype mostLines = -1);

// False for bytes that start no 8-bit text file: UTF-16 or UTF-32, told by
// the zero bytes such text holds, never by a byte-order mark alone.
bool IsEightBitText(const QByteArray &start);

// Line `lineNumber` (counted from 1) of the same: "" for line numbers below 1
// and lines past the end. Reads the whole file: a caller that needs several
// lines of one file reads them with ReadFileLines.
QString ReadFileLine(const QString &path, qint32 lineNumber, bool *readFailed = nullptr);

// True when `path` names an existing file or directory, hidden ones included.
bool FileExists(const QString &path);

// Windows-1252 whatever the system's code page, so that the files move
// between machines unchanged.
QString FromWindows1252(const QByteArray &bytes);
// A character that Windows-1252 cannot store is left out and `*ok` (when
// given) set to false.
QByteArray ToWindows1252(const QString &text, bool *ok = nullptr);
// False when the text holds a character that Windows-1252 cannot store.
bool FitsWindows1252(const QString &text);

// Writes `lines` as Windows-1252 text with CR LF line ends, whole or not at
// all: the text goes into a temporary file beside the target,
// "<name>.korvel-tmp-XXXXXX" (six letters or digits), which is then renamed
// over the target in one step; a link standing there is replaced itself,
// never written through. On any failure (a character Windows-1252 cannot
// store among them) the previous file stays as it was, the temporary is
// removed, false is returned and `*error` names the file and the reason.
// A regular file (no link, not hidden) that already holds these bytes is
// left as it is: nothing is written, its time stays.
bool WriteTextFile(const QString &path, const QStringList &lines, QString *error = nullptr);
// The same for bytes taken as they are (a copy of another file).
bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);
// True for a file name of the writers' temporaries: some name,
// ".korvel-tmp-" and exactly six ASCII letters or digits.
bool IsTemporaryFileName(const QString &name);

// A path as the files hold it (Windows style, backslashes) turned into one the
// local file system understands. Only call this where a file is opened: the
// files themselves keep the text as written.
QString LocalPath(const QString &pathFromFile);
