#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

// A small tmpfs of its own, mounted for one test and unmounted after it. Once
// filled, every further write on it fails, for root as for anyone: a real full disk.
class FullDisk
{
public:
    explicit FullDisk(const QString &size)
    {
#ifdef Q_OS_LINUX
        if (geteuid() != 0) {
            m_whyNot = QStringLiteral("mounting a small tmpfs to fill it needs root");
            return;
        }
        const QStringList arguments{QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                    QStringLiteral("size=") + size, QStringLiteral("tmpfs"), m_mountPoint.path()};
        if (QProcess::execute(QStringLiteral("mount"), arguments) == 0)
            m_mounted = true;
        else
            m_whyNot = QStringLiteral("this machine does not let the test mount a tmpfs");
#else
        Q_UNUSED(size)
        m_whyNot = QStringLiteral("the full-disk tests mount a Linux tmpfs");
#endif
    }

    ~FullDisk()
    {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {m_mountPoint.path()});
    }

    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    bool mounted() const { return m_mounted; }
    QString whyNot() const { return m_whyNot; }
    QString path() const { return m_mountPoint.path(); }

    // Takes up what is left of the disk with a file named "filler".
    void fill() const
    {
        QFile filler(path() + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly))
            return;
        const QByteArray block(1024, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }

private:
    QTemporaryDir m_mountPoint;
    bool m_mounted = false;
    QString m_whyNot;
};
