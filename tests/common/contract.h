#pragma once

// Every rule of the package's files that both programs keep, each in its own
// code. The rules of the table below are judged here: the same files, read
// through the configurator's and through the uninstaller's readers, must
// give the same lines. The others have tables of their own, which both
// programs' tests run alike:
#include "failingfile.h"
#include "lockrows.h"        // the lock: held, or stale and taken
#include "markercases.h"     // markers "<backup>.none" and the checksums they record
#include "temporarynames.h"  // the names of what a killed save leaves behind
// And both message boxes show a language's texts as plain text, never as
// markup (tested with each program's box).

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <cerrno>
#include <memory>

// A row places the path file qor/pfad.kst or the language it names,
// qor/test.lang, and gives the language's lines that a program takes.
struct ContractRow
{
    const char *rule;
    const char *row;
    enum File { PathFile, Language } file;
    // The file's bytes, or what stands there instead, holding the usual bytes
    // where it leads to a file: "<missing>", "<dir>", "<fifo>", "<hidden>"
    // (named with a leading dot), "<link-qor>", "<link-cstrike>" (to a file
    // beside qor), "<link-out>" (out of the Half-Life folder), "<open-fails>"
    // or "<read-fails>" (once, as a virus scanner makes it).
    QByteArray content;
    // The language's lines as taken; none: the built-in texts stay.
    QStringList lines;
};

inline const QByteArray kContractPathFile = "C:\\Sierra\\Half-Life\r\ntest.lang\r\n";
inline const QByteArray kContractLanguage = "AN\r\nAUS\r\n";

inline QList<ContractRow> ContractRows()
{
    using R = ContractRow;
    const QStringList usual{"AN", "AUS"};
    const QString kept(4096, 'x');
    return {
        {"line ends", "CR LF", R::Language, kContractLanguage, usual},
        {"line ends", "lone LF", R::Language, "AN\nAUS\n", usual},
        {"line ends", "lone CR", R::Language, "AN\rAUS\r", usual},
        {"line ends", "mixed", R::Language, "AN\r\nAUS\nEIN\rZU\r\n", {"AN", "AUS", "EIN", "ZU"}},
        {"line ends", "none after the last line", R::Language, "AN\r\nAUS", usual},
        {"line ends", "empty lines", R::Language, "\r\n\r\nAN\r\n", {"", "", "AN"}},
        {"line ends", "CR CR LF", R::Language, "AN\r\r\nAUS", {"AN", "", "AUS"}},
        {"line ends", "CR LF across 64 KiB", R::Language, QByteArray(65535, 'x') + "\r\nAUS", {kept, "AUS"}},
        {"line length", "4,096 characters", R::Language, QByteArray(4096, 'x') + "\r\nAUS", {kept, "AUS"}},
        {"line length", "longer, cut", R::Language, QByteArray(5000, 'x') + "\r\nAUS", {kept, "AUS"}},
        {"8-bit text", "Windows-1252", R::Language, "Gr\xfc\xdf \x80\x81\r\n", {QString::fromUtf8("Grüß €\u0081")}},
        {"8-bit text", "UTF-16 with a byte-order mark", R::Language, QByteArray("\xff\xfe" "A\0N\0\r\0\n\0", 10), {}},
        {"8-bit text", "UTF-16 without one", R::Language, QByteArray("A\0N\0\r\0\n\0", 8), {}},
        {"8-bit text", "UTF-16 big-endian", R::Language, QByteArray("\xfe\xff\0A\0N", 6), {}},
        {"8-bit text", "UTF-32", R::Language, QByteArray("\xff\xfe\0\0A\0\0\0", 8), {}},
        {"8-bit text", "a zero byte at 64 KiB", R::Language, QByteArray(65535, 'x') + '\0', {}},
        {"8-bit text", "a zero byte after 64 KiB", R::Language, QByteArray(65536, 'x') + '\0', {kept}},
        {"8-bit text", "a byte-order mark alone", R::Language, "\xff\xfe" "AN\r\n", {QString::fromUtf8("ÿþAN")}},
        {"8-bit text", "a UTF-8 mark alone", R::Language, "\xef\xbb\xbf" "AN", {QString::fromUtf8("ï»¿AN")}},
        {"8-bit text", "UTF-16 path file", R::PathFile,
         QByteArray("t\0e\0s\0t\0\r\0\n\0t\0e\0s\0t\0.\0l\0a\0n\0g\0", 30), {}},
        {"regular files", "language missing", R::Language, "<missing>", {}},
        {"regular files", "language a folder", R::Language, "<dir>", {}},
        {"regular files", "language a FIFO", R::Language, "<fifo>", {}},
        {"regular files", "language hidden", R::Language, "<hidden>", {}},
        {"regular files", "path file missing", R::PathFile, "<missing>", {}},
        {"regular files", "path file a folder", R::PathFile, "<dir>", {}},
        {"regular files", "path file a FIFO", R::PathFile, "<fifo>", {}},
        {"links", "language within qor", R::Language, "<link-qor>", usual},
        {"links", "language beside qor", R::Language, "<link-cstrike>", usual},
        {"links", "language out of Half-Life", R::Language, "<link-out>", {}},
        {"links", "path file within qor", R::PathFile, "<link-qor>", usual},
        {"links", "path file beside qor", R::PathFile, "<link-cstrike>", {}},
        {"links", "path file out of Half-Life", R::PathFile, "<link-out>", {}},
        {"failed reads", "language, open", R::Language, "<open-fails>", {}},
        {"failed reads", "language, read", R::Language, "<read-fails>", {}},
        {"failed reads", "path file, open", R::PathFile, "<open-fails>", {}},
        {"failed reads", "path file, read", R::PathFile, "<read-fails>", {}},
        {"path file", "lone LF", R::PathFile, "C:\\HL\ntest.lang\n", usual},
        {"path file", "lone CR, no end", R::PathFile, "C:\\HL\rtest.lang", usual},
        {"path file", "no language", R::PathFile, "C:\\HL\r\n\r\n", {}},
        {"path file", "a path, no bare name", R::PathFile, "C:\\HL\r\n../qor/test.lang\r\n", {}},
        {"path file", "a folder part", R::PathFile, "C:\\HL\r\nsub\\test.lang\r\n", {}},
        {"path file", "a folder part, '/'", R::PathFile, "C:\\HL\r\nsub/test.lang\r\n", {}},
    };
}

// Half-Life/cstrike/qor and, beside Half-Life, "outside", in a temporary
// folder; the current directory is restored when it goes.
class ContractFolders
{
public:
    ContractFolders()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("Half-Life/cstrike/qor/sub"));
        QDir(m_dir.path()).mkpath(QStringLiteral("outside"));
    }
    ~ContractFolders() { QDir::setCurrent(m_oldCurrent); }

    QString cstrike() const { return m_dir.filePath(QStringLiteral("Half-Life/cstrike")); }
    QString qor() const { return cstrike() + QStringLiteral("/qor"); }

    // Lays the row out: its file and the other one as usual. False and `*skip`
    // when this system can't make what the row needs; `*failure` arms a
    // failing read.
    bool place(const ContractRow &row, std::unique_ptr<FailingFile> *failure, QString *skip)
    {
        const bool pathFile = row.file == ContractRow::PathFile;
        const QByteArray &content = row.content;
        const QString name = content == "<hidden>" ? QStringLiteral(".test.lang") : QStringLiteral("test.lang");
        const QString path = qor() + (pathFile ? QStringLiteral("/pfad.kst") : QLatin1Char('/') + name);
        const QByteArray usual = pathFile ? kContractPathFile : kContractLanguage;
        // A language in qor/sub, which only a reader that takes a path would find.
        if (!put(qor() + QStringLiteral("/sub/test.lang"), kContractLanguage)
            || !(pathFile ? put(qor() + QStringLiteral("/test.lang"), kContractLanguage)
                          : put(qor() + QStringLiteral("/pfad.kst"), "C:\\HL\r\n" + name.toLatin1() + "\r\n")))
            return false;
#ifdef Q_OS_WIN
        if (content == "<hidden>" || content.startsWith("<link") || content == "<fifo>") {
            *skip = QStringLiteral("hidden names, symbolic links and FIFOs are not what a Windows test can have");
            return false;
        }
#endif
        if (content == "<missing>")
            return true;
        if (content == "<dir>")
            return QDir().mkdir(path);
        if (content == "<fifo>") {
            if (QProcess::execute(QStringLiteral("mkfifo"), {path}) != 0)
                *skip = QStringLiteral("this system has no FIFOs");
            return skip->isEmpty();
        }
        if (content.startsWith("<link-")) {
            const QString target = content == "<link-qor>"     ? qor() + QStringLiteral("/sub/target")
                                   : content == "<link-cstrike>" ? cstrike() + QStringLiteral("/target")
                                                                 : m_dir.filePath(QStringLiteral("outside/target"));
            return put(target, usual) && QFile::link(target, path);
        }
        if (content == "<open-fails>" || content == "<read-fails>") {
            if (!FailingFile::available()) {
                *skip = QStringLiteral("the read hook stands in for the C library's open and read, on Linux");
                return false;
            }
            if (!put(path, usual))
                return false;
            const FailingFile::Call call = content == "<open-fails>" ? FailingFile::Open : FailingFile::Read;
            failure->reset(new FailingFile(path, call, EIO));
            return true;
        }
        return put(path, content == "<hidden>" ? usual : content);
    }

private:
    static bool put(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    const QString m_oldCurrent = QDir::currentPath();
    QTemporaryDir m_dir;
};
