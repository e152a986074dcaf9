#pragma once

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>

// What may stand at the package's lock file, and whether a program finds it
// held by another: both programs judge the same rows alike.

// The lines QLockFile writes for this process: pid, program, host, machine id, boot id.
inline QList<QByteArray> ownLockLines()
{
    QTemporaryDir dir;
    QLockFile lock(dir.filePath("own.lock"));
    if (!lock.tryLock(0))
        return {};
    QFile file(lock.fileName());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = file.readAll().split('\n');
    lines.removeLast();
    return lines;
}

inline QByteArray lockText(const QList<QByteArray> &lines, const QByteArray &end = "\n")
{
    return lines.join(end) + end;
}

struct LockRow
{
    const char *row;
    enum Kind { File, Folder, Fifo, LinkToLiveLock } kind;
    QByteArray content;
    qint64 ageSeconds;  // negative: dated ahead
    bool held;          // counts as held by another
};

inline QList<LockRow> LockRows()
{
    constexpr qint64 kHour = 3600;
    const QList<QByteArray> own = ownLockLines();
    const auto with = [&own](int index, const QByteArray &line) {
        QList<QByteArray> lines = own;
        lines[index] = line;
        return lockText(lines);
    };
    const QByteArray live = lockText(own);
    const QByteArray garbled = "\x01kein\nLock\x7f";
    return {
        {"a live process", LockRow::File, live, 0, true},
        {"a live process, a day old", LockRow::File, live, 24 * kHour, true},
        {"a live process, dated two hours ahead", LockRow::File, live, -2 * kHour, true},
        {"empty, being written", LockRow::File, "", 0, true},
        {"empty, a second ahead", LockRow::File, "", -1, true},
        {"empty, left by a power cut", LockRow::File, "", kHour, false},
        {"empty, dated two hours ahead", LockRow::File, "", -2 * kHour, false},
        {"garbled, an hour old", LockRow::File, garbled, kHour, false},
        {"garbled, dated two hours ahead", LockRow::File, garbled, -2 * kHour, false},
        {"a process id that can't exist", LockRow::File, with(0, "2147483646"), 0, false},
        {"a live process id of another program", LockRow::File, with(1, "korvel-gone"), 0, false},
        {"another machine", LockRow::File, with(3, "0123456789abcdef0123456789abcdef"), 0, false},
        {"another machine id with a zero byte", LockRow::File, with(3, QByteArray("0123\0abc", 8)), 0, false},
        {"another boot", LockRow::File, with(4, "0123456789abcdef"), 0, false},
        {"another host, no machine id", LockRow::File, lockText({own.value(0), own.value(1), "anderer-rechner"}), 0,
         false},
        {"this host, no machine id", LockRow::File, lockText(own.mid(0, 3)), 0, true},
        {"lines ended by CR LF", LockRow::File, lockText(own, "\r\n"), 0, true},
        {"a folder", LockRow::Folder, {}, 0, false},
        {"a FIFO", LockRow::Fifo, {}, 0, false},
        {"a link to a live lock", LockRow::LinkToLiveLock, live, 0, false},
    };
}

// Puts the row at path; `elsewhere` is a folder for what a link leads to.
// False with `*skip` set where this system can't make it.
inline bool makeLock(const LockRow &row, const QString &path, const QString &elsewhere, QString *skip)
{
    switch (row.kind) {
    case LockRow::Folder:
        return QDir().mkpath(path + "/inhalt");
    case LockRow::Fifo:
        if (QProcess::execute("mkfifo", {path}) != 0)
            *skip = "this system has no FIFOs";
        return skip->isEmpty();
    case LockRow::LinkToLiveLock: {
#ifdef Q_OS_WIN
        *skip = "links need rights of their own on Windows";
        return false;
#endif
        QFile target(QDir(elsewhere).filePath("config.lock"));
        return target.open(QIODevice::WriteOnly) && target.write(row.content) == row.content.size()
            && QFile::link(target.fileName(), path);
    }
    case LockRow::File:
        break;
    }
    QFile file(path);
    // Flushed first: a write that follows would date the file now.
    return file.open(QIODevice::WriteOnly) && file.write(row.content) == row.content.size() && file.flush()
        && file.setFileTime(QDateTime::currentDateTime().addSecs(-row.ageSeconds), QFileDevice::FileModificationTime);
}

// A live process of another program, as a configurator is to the uninstaller
// and the uninstaller to a configurator; the lock it would write names it.
// With a name, a copy of sleep under that name (as the lock names the uninstaller).
class OtherProgram
{
public:
    explicit OtherProgram(const QString &name = "sleep") : m_name(name.toUtf8())
    {
        QString program = "sleep";
        if (name != program) {
            program = m_folder.filePath(name);
            const QString sleep = QStandardPaths::findExecutable("sleep");
            if (sleep.isEmpty() || !QFile::copy(sleep, program))
                return;
        }
        m_process.start(program, {"600"});
    }
    ~OtherProgram()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    // False where there is no such program (Windows).
    bool started() { return m_process.waitForStarted(); }
    QByteArray lock() const
    {
        QList<QByteArray> lines = ownLockLines();
        lines[0] = QByteArray::number(m_process.processId());
        lines[1] = m_name;
        return lockText(lines);
    }

private:
    QTemporaryDir m_folder;
    QByteArray m_name;
    QProcess m_process;
};
