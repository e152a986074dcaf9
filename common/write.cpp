#include "write.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {
const char *const kCodePage = "windows-1252";
}

QString ReadFileLine(const QString &path, qint32 lineNumber, bool *readFailed)
{
    if (readFailed)
        *readFailed = false;

    // Only plain, visible files are read; everything else counts as missing.
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || info.isHidden())
        return {};

    QFile file(path);
    QByteArray data;
    if (file.open(QIODevice::ReadOnly))
        data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (readFailed)
            *readFailed = true;
        return {};
    }
    file.close();

    qint32 current = 0;
    qsizetype pos = 0;
    const qsizetype size = data.size();
    while (pos < size && current < lineNumber) {
        qsizetype end = data.indexOf('\r', pos);
        if (end < 0)
            end = size;
        ++current;
        if (current == lineNumber)
            return FromWindows1252(data.mid(pos, end - pos));
        pos = end + 1;
        if (pos < size && data.at(pos) == '\n')
            ++pos;
    }
    return {};
}

bool FileExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}

QString FromWindows1252(const QByteArray &bytes)
{
    QStringDecoder decoder(kCodePage);
    Q_ASSERT(decoder.isValid());
    return decoder.decode(bytes);
}

QByteArray ToWindows1252(const QString &text)
{
    QStringEncoder encoder(kCodePage);
    Q_ASSERT(encoder.isValid());
    return encoder.encode(text);
}

bool FitsWindows1252(const QString &text)
{
    QStringEncoder encoder(kCodePage);
    // The encoder converts only when its result is taken; the bytes are not needed.
    const QByteArray encoded = encoder.encode(text);
    Q_UNUSED(encoded)
    return !encoder.hasError();
}

bool WriteTextFile(const QString &path, const QStringList &lines, QString *error)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += ToWindows1252(line);
        bytes += "\r\n";
    }
    return WriteWholeFile(path, bytes, error);
}

bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    QString reason;
    if (!file.open(QIODevice::WriteOnly)) {
        reason = file.errorString();
    } else if (file.write(bytes) != bytes.size() || !file.flush()) {
        // Flushed here and checked: commit() alone can report success after a
        // buffered write failed (seen on a full disk), replacing the file
        // with a short one.
        reason = file.errorString();
        file.cancelWriting();
    } else if (!file.commit()) {
        reason = file.errorString();
    } else {
        return true;
    }

    if (error)
        *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), reason);
    return false;
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
