#include "textfiles.h"

#include "fileplatform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {
const QString kTemporarySuffix = QStringLiteral(".korvel-tmp-");
const QFileDevice::Permissions kNewFilePermissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                     | QFileDevice::ReadUser | QFileDevice::WriteUser
                                                     | QFileDevice::ReadGroup | QFileDevice::ReadOther;

// Bytes 0x80 to 0x9F of Windows-1252; every other byte is the Latin-1
// character of the same number. The five bytes the code page leaves open
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same
// number, as most converters map them. Our own table, because a Qt without
// ICU (as Qt for Windows usually is) converts no code page by name.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte for `c`, or -1 when Windows-1252 has none.
int Windows1252Byte(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == u)
            return 0x80 + i;
    }
    return -1;
}

// A plain file that holds `bytes`: writing them again would change nothing but its time.
bool holdsAlready(const QFileInfo &target, const QByteArray &bytes)
{
    if (!target.isFile() || target.isSymLink() || target.isHidden() || target.size() != bytes.size()
        || FilePlatform::IsSystemFile(target.filePath()))
        return false;
    QFile file(target.absoluteFilePath());
    return file.open(QIODevice::ReadOnly) && file.readAll() == bytes && file.error() == QFileDevice::NoError;
}
}

QStringList ReadFileLines(const QString &path, bool *readFailed, qsizetype longestLine, QList<qsizetype> *lineLengths,
                          qsizetype mostLines)
{
    if (readFailed)
        *readFailed = false;

    // Only plain, visible files are read; everything else counts as missing.
    // A FIFO or a device is never opened: the read could wait for ever.
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || info.isHidden() || FilePlatform::IsSystemFile(path))
        return {};

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (readFailed)
            *readFailed = true;
        return {};
    }

    // Read in blocks and only as far as the lines asked for: a huge file
    // costs no more memory than the lines kept of it.
    QStringList lines;
    QByteArray line;          // the current line, as far as it is kept
    qsizetype lineLength = 0; // its whole length
    bool lineStarted = false;
    bool afterCr = false;     // an LF right after a CR belongs to that line break
    bool first = true;
    const auto endLine = [&] {
        lines += FromWindows1252(line);
        if (lineLengths)
            *lineLengths += lineLength;
        line.clear();
        lineLength = 0;
        lineStarted = false;
    };
    const auto enough = [&] { return mostLines >= 0 && lines.size() >= mostLines; };
    QByteArray block;
    while (!enough()) {
        block = file.read(64 * 1024);
        if (block.isEmpty())
            break;
        if (std::exchange(first, false) && !IsEightBitText(block)) {
            if (readFailed)
                *readFailed = true;
            return {};
        }
        const char *data = block.constData();
        const qsizetype size = block.size();
        // The next CR and LF from `pos` on (`size` when there is none), each
        // searched again only once passed, so that a block is scanned once.
        const auto next = [data, size](char c, qsizetype from) {
            const void *at = std::memchr(data + from, c, size_t(size - from));
            return at ? static_cast<const char *>(at) - data : size;
        };
        qsizetype cr = -1;
        qsizetype lf = -1;
        for (qsizetype pos = 0; pos < size && !enough();) {
            if (std::exchange(afterCr, false) && data[pos] == '\n') {
                ++pos;
                continue;
            }
            if (cr < pos)
                cr = next('\r', pos);
            if (lf < pos)
                lf = next('\n', pos);
            const qsizetype end = qMin(cr, lf);
            const qsizetype room = longestLine < 0 ? end - pos : qMax<qsizetype>(0, longestLine - line.size());
            line.append(data + pos, qMin(end - pos, room));
            lineLength += end - pos;
            lineStarted = lineStarted || end > pos;
            if (end == size)
                break;
            afterCr = data[end] == '\r';
            endLine();
            pos = end + 1;
        }
    }
    if (file.error() != QFileDevice::NoError) {
        if (readFailed)
            *readFailed = true;
        return {};
    }
    // The last line needs no line break; a break at the very end adds no empty line.
    if (lineStarted && !enough())
        endLine();
    return lines;
}

bool IsEightBitText(const QByteArray &start)
{
    // UTF-16 and UTF-32 text holds zero bytes (every line break is one);
    // read as Windows-1252 it would shift every value by a line. A leading
    // byte-order mark alone proves nothing: its bytes are also Windows-1252
    // text a box takes ("ÿþ", "þÿ", "ï»¿"), while no value holds a zero byte.
    return !start.contains('\0');
}

QString ReadFileLine(const QString &path, qint32 lineNumber, bool *readFailed)
{
    if (lineNumber < 1) {
        if (readFailed)
            *readFailed = false;
        return {};
    }
    return ReadFileLines(path, readFailed).value(lineNumber - 1);
}

bool FileExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}

QString FromWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char b : bytes) {
        const uchar byte = static_cast<uchar>(b);
        *out++ = (byte >= 0x80 && byte <= 0x9F) ? QChar(kHighControls[byte - 0x80]) : QChar(byte);
    }
    return text;
}

QByteArray ToWindows1252(const QString &text, bool *ok)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    bool all = true;
    for (const QChar c : text) {
        const int byte = Windows1252Byte(c);
        if (byte < 0)
            all = false;
        else
            bytes += char(byte);
    }
    if (ok)
        *ok = all;
    return bytes;
}

bool FitsWindows1252(const QString &text)
{
    for (const QChar c : text) {
        if (Windows1252Byte(c) < 0)
            return false;
    }
    return true;
}

bool WriteTextFile(const QString &path, const QStringList &lines, QString *error)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bool ok = false;
        bytes += ToWindows1252(line, &ok);
        if (!ok) {
            // Never a substitute byte: the file would hold something else than was meant.
            if (error)
                *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()),
                                                      QStringLiteral("a character that Windows-1252 cannot store"));
            return false;
        }
        bytes += "\r\n";
    }
    return WriteWholeFile(path, bytes, error);
}

bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    // Beside the target, under a name no player would choose, so that what a
    // killed save leaves behind can be told apart and removed later.
    const QFileInfo target(path);
    if (holdsAlready(target, bytes))
        return true;
    QString temporaryName;
    QString reason;
    bool written = false;
    {
        QTemporaryFile file(target.absolutePath() + QLatin1Char('/') + target.fileName() + kTemporarySuffix
                            + QStringLiteral("XXXXXX"));
        file.setAutoRemove(false);
        if (!file.open()) {
            reason = file.errorString();
        } else {
            temporaryName = file.fileName();
            // Flushed here and checked: a buffered write that failed (a full
            // disk) must never replace the file with a short one.
            if (file.write(bytes) != bytes.size() || !file.flush())
                reason = file.errorString();
            else
                written = FilePlatform::SyncToDisk(file, &reason);
            // The temporary is made for its owner alone; the file it replaces
            // is read by others too. Writable all the same, or it could not be
            // removed on Windows should the rename fail.
            written = written
                && file.setPermissions(target.exists()
                                           ? target.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser
                                           : kNewFilePermissions);
            if (!written && reason.isEmpty())
                reason = file.errorString();
        }
    } // A temporary file's close() keeps its handle open: only its end lets Windows rename it.
    if (written && FilePlatform::RenameOver(temporaryName, target.absoluteFilePath(), &reason))
        return true;
    if (!temporaryName.isEmpty())
        QFile::remove(temporaryName);
    if (error)
        *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(target.absoluteFilePath()), reason);
    return false;
}

bool IsTemporaryFileName(const QString &name)
{
    // The whole name: any name, the suffix, then QTemporaryFile's six ASCII
    // letters or digits and nothing after them. Checked by hand: a regular
    // expression would page in its engine at every close.
    constexpr qsizetype kRandomLength = 6;
    const qsizetype suffixAt = name.size() - kRandomLength - kTemporarySuffix.size();
    if (suffixAt < 1 || QStringView(name).mid(suffixAt, kTemporarySuffix.size()) != kTemporarySuffix)
        return false;
    const QStringView random = QStringView(name).right(kRandomLength);
    return std::all_of(random.begin(), random.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
    });
}

QString LocalPath(const QString &pathFromFile)
{
#ifdef Q_OS_WIN
    return pathFromFile;
#else
    QString local = pathFromFile;
    local.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return local;
#endif
}
