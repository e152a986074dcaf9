#include "files.h"

#include "platform.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace {

// 0x80 to 0x9F; the five codes Windows-1252 leaves free stay as they are.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The configurator judges 8-bit text by its first block of this size.
constexpr qint64 kTextCheckSize = 64 * 1024;

} // namespace

bool isLink(const QFileInfo &info)
{
    return info.isSymLink() || info.isJunction();
}

QString halfLifeFolder()
{
    QDir folder(QDir::current().canonicalPath());
    return folder.cdUp() ? folder.path() : QString();
}

QString resolvedPath(const QString &path, int links)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    // A dangling link: writing through it would create its target.
    if (isLink(info))
        return links < 32 ? resolvedPath(info.symLinkTarget(), links + 1) : QString();
    if (info.isRoot())
        return QString();
    const QString folder = resolvedPath(info.absolutePath(), links);
    return folder.isEmpty() ? folder : QDir::cleanPath(folder + u'/' + info.fileName());
}

bool leadsOutside(const QString &path, const QString &halfLife)
{
    const QString resolved = resolvedPath(path);
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    const QString prefix = halfLife.endsWith(u'/') ? halfLife : halfLife + u'/';
    return resolved.isEmpty() || halfLife.isEmpty() || !resolved.startsWith(prefix, cs);
}

bool readLines(const QString &path, const QString &halfLife, const LineTaker &take)
{
    // A FIFO would wait for a writer, a device might never end.
    const QFileInfo info(path);
    if (!info.isFile() || info.isHidden() || isSystemFile(path) || leadsOutside(path, halfLife))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray line;
    int number = 1;
    bool afterCr = false;
    bool first = true;
    for (;;) {
        const QByteArray block = file.read(kTextCheckSize);
        if (file.error() != QFileDevice::NoError)
            return false;
        if (block.isEmpty())
            break;
        // Read as Windows-1252, UTF-16 text would put zero characters into the texts.
        if (std::exchange(first, false) && block.contains('\0'))
            return false;
        for (const char c : block) {
            const bool secondHalf = afterCr && c == '\n';
            afterCr = c == '\r';
            if (secondHalf)
                continue;
            if (c == '\r' || c == '\n') {
                if (!take(number++, line))
                    return true;
                line.clear();
            } else if (line.size() < kMaxLineLength) {
                line += c;
            }
        }
    }
    // A last line without a line break.
    if (!line.isEmpty())
        take(number, line);
    return true;
}

QByteArray readLine(const QString &path, int number, const QString &halfLife)
{
    QByteArray found;
    const bool read = readLines(path, halfLife, [&](int at, const QByteArray &line) {
        if (at == number)
            found = line;
        return at < number;
    });
    return read ? found : QByteArray();
}

QString fromWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes.at(i));
        text[i] = byte >= 0x80 && byte < 0xA0 ? QChar(kWindows1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

QByteArray fileSha256(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file) || file.error() != QFileDevice::NoError)
        return {};
    return hash.result();
}
