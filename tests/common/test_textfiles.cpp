#include "fulldisk.h"
#include "temporarynames.h"
#include "textfiles.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/stat.h>
#endif


class TestTextFiles : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString put(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    static QByteArray bytesOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void readsLinesByNumber_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("unreadable");

        QTest::newRow("crlf first") << QByteArray("eins\r\nzwei\r\n") << 1 << "eins" << false;
        QTest::newRow("crlf second") << QByteArray("eins\r\nzwei\r\n") << 2 << "zwei" << false;
        QTest::newRow("crlf past end") << QByteArray("eins\r\nzwei\r\n") << 3 << "" << false;
        QTest::newRow("no final break") << QByteArray("allein") << 1 << "allein" << false;
        QTest::newRow("lone cr") << QByteArray("eins\rzwei") << 2 << "zwei" << false;
        QTest::newRow("lone lf beside crlf") << QByteArray("eins\r\nzwei\ndrei\r\nvier") << 3 << "drei" << false;
        QTest::newRow("one crlf in lf") << QByteArray("eins\nzwei\r\ndrei\nvier\n") << 4 << "vier" << false;
        QTest::newRow("lf only second") << QByteArray("eins\nzwei\n") << 2 << "zwei" << false;
        QTest::newRow("lf only past end") << QByteArray("eins\nzwei\n") << 3 << "" << false;
        QTest::newRow("lf only with lone cr") << QByteArray("a\rb\nc") << 3 << "c" << false;
        QTest::newRow("empty line") << QByteArray("\r\n\r\ndrei\r\n") << 2 << "" << false;
        QTest::newRow("after empty lines") << QByteArray("\r\n\r\ndrei\r\n") << 3 << "drei" << false;
        QTest::newRow("cr cr lf") << QByteArray("a\r\r\nb") << 3 << "b" << false;
        QTest::newRow("line zero") << QByteArray("eins\r\n") << 0 << "" << false;
        QTest::newRow("line minus one") << QByteArray("eins\r\n") << -1 << "" << false;
        QTest::newRow("empty file") << QByteArray() << 1 << "" << false;
        QTest::newRow("windows-1252") << QByteArray("Gr\xfc\xdf \x80\r\n") << 1 << QString::fromUtf8("Grüß €") << false;
        QTest::newRow("utf-16 with mark") << QByteArray("\xff\xfe" "e\0i\0\r\0\n\0", 10) << 1 << "" << true;
        QTest::newRow("utf-16 big end") << QByteArray("\xfe\xff\0e\0i", 6) << 1 << "" << true;
        QTest::newRow("utf-16 without mark") << QByteArray("e\0i\0\r\0\n\0", 8) << 1 << "" << true;
        QTest::newRow("utf-16 big end without mark") << QByteArray("\0e\0i\0\r\0\n", 8) << 1 << "" << true;
        QTest::newRow("utf-16 with mark, value on line 2")
            << QByteArray("\xff\xfe" "e\0\r\0\n\0z\0", 10) << 2 << "" << true;
        QTest::newRow("utf-32 with mark") << QByteArray("\xff\xfe\0\0" "e\0\0\0", 8) << 1 << "" << true;
        QTest::newRow("utf-32 big end with mark") << QByteArray("\0\0\xfe\xff\0\0\0e", 8) << 1 << "" << true;
        QTest::newRow("utf-32 without mark") << QByteArray("e\0\0\0\r\0\0\0", 8) << 1 << "" << true;
        // A byte-order mark's bytes are also text a box takes; without zero bytes it is no UTF-16.
        QTest::newRow("ff fe then text") << QByteArray("\xff\xfeHallo\r\nzwei\r\n") << 1
                                         << QString::fromUtf8("ÿþHallo") << false;
        QTest::newRow("ff fe, line 2") << QByteArray("\xff\xfeHallo\r\nzwei\r\n") << 2 << "zwei" << false;
        QTest::newRow("fe ff then text") << QByteArray("\xfe\xffgg\r\n") << 1 << QString::fromUtf8("þÿgg") << false;
        QTest::newRow("utf-8 mark then text") << QByteArray("\xef\xbb\xbfgg\r\n") << 1
                                              << QString::fromUtf8("ï»¿gg") << false;
        QTest::newRow("ff fe alone") << QByteArray("\xff\xfe") << 1 << QString::fromUtf8("ÿþ") << false;
        QTest::newRow("fe ff alone, line break") << QByteArray("\xfe\xff\r\n") << 1 << QString::fromUtf8("þÿ")
                                                 << false;
        QTest::newRow("utf-8 mark alone") << QByteArray("\xef\xbb\xbf") << 1 << QString::fromUtf8("ï»¿") << false;
        QTest::newRow("ff fe, then an empty line") << QByteArray("\xff\xfe\r\n\r\nzwei") << 3 << "zwei" << false;
    }

    void readsLinesByNumber()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, line);
        QFETCH(QString, expected);
        QFETCH(bool, unreadable);
        const QString path = put(QStringLiteral("lines.txt"), content);
        bool failed = !unreadable;
        QCOMPARE(ReadFileLine(path, line, &failed), expected);
        QCOMPARE(failed, unreadable);
        QVERIFY(FileExists(path));
    }

    // A reader takes only the lines and the length its format uses, however
    // large the file; each line's whole length is still known.
    void readsOnlyWhatItUses()
    {
        QByteArray huge = QByteArray(200000, 'x') + "\r\nzwei\nrest";
        for (int i = 0; i < 1000; ++i)
            huge += "\r\nmehr";
        const QString path = put(QStringLiteral("huge.kst"), huge);
        QList<qsizetype> lengths;
        QCOMPARE(ReadFileLines(path, nullptr, 4, &lengths, 2), (QStringList{"xxxx", "zwei"}));
        QCOMPARE(lengths, (QList<qsizetype>{200000, 4}));
        QCOMPARE(ReadFileLines(path).size(), 1003);
    }

    void temporaryNamesAreWholeNames()
    {
        for (const TemporaryName &name : TemporaryNames())
            QVERIFY2(IsTemporaryFileName(name.name) == name.leftover, name.row);
    }

    void missingHiddenAndDirectoriesReadEmpty()
    {
        const QString missing = m_dir.filePath(QStringLiteral("fehlt.kst"));
        QCOMPARE(ReadFileLine(missing, 1), QString());
        QVERIFY(!FileExists(missing));
        QVERIFY(!FileExists(QString()));

        const QString folder = m_dir.filePath(QStringLiteral("ordner"));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(FileExists(folder));
        QCOMPARE(ReadFileLine(folder, 1), QString());

        // Hidden: a dot name on Unix, the attribute on Windows.
        const QString hidden = put(QStringLiteral(".versteckt.kst"), "geheim\r\n");
#ifdef Q_OS_WIN
        QVERIFY(SetFileAttributesW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(hidden).utf16()),
                                   FILE_ATTRIBUTE_HIDDEN));
#endif
        QVERIFY(FileExists(hidden));
        QCOMPARE(ReadFileLine(hidden, 1), QString());

#ifdef Q_OS_WIN
        const QString system = put(QStringLiteral("system.kst"), "geheim\r\n");
        QVERIFY(SetFileAttributesW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(system).utf16()),
                                   FILE_ATTRIBUTE_SYSTEM));
        QVERIFY(FileExists(system));
        QCOMPARE(ReadFileLine(system, 1), QString());
#else
        // A FIFO is never opened: reading it would wait for a writer for ever.
        const QString fifo = m_dir.filePath(QStringLiteral("fifo.kst"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(FileExists(fifo));
        QCOMPARE(ReadFileLines(fifo), QStringList());
#endif
    }

    void bareNamesResolveInTheCurrentDirectory()
    {
        put(QStringLiteral("pfad.kst"), "c:\\sierra\\half-life\r\n");
        const QString previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        const QString line = ReadFileLine(QStringLiteral("pfad.kst"), 1);
        QDir::setCurrent(previous);
        QCOMPARE(line, QStringLiteral("c:\\sierra\\half-life"));
    }

    void reportsAFileThatCannotBeRead()
    {
#ifdef Q_OS_LINUX
        // Reading the start of a process's own memory map fails with an I/O
        // error even for root, while the path looks like a plain file.
        const QString link = m_dir.filePath(QStringLiteral("varia.kst"));
        QFile::remove(link);
        QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), link));
        bool failed = false;
        QCOMPARE(ReadFileLine(link, 1, &failed), QString());
        QVERIFY(failed);
        QFile::remove(link);
#else
        QSKIP("needs /proc/self/mem to make a read fail");
#endif
    }

    void windows1252RoundTrips()
    {
        const QString text = QString::fromUtf8("ß ü € Schließen");
        QCOMPARE(ToWindows1252(text), QByteArray("\xdf \xfc \x80 Schlie\xdf" "en"));
        QCOMPARE(FromWindows1252(ToWindows1252(text)), text);
        QVERIFY(FitsWindows1252(text));
        QVERIFY(!FitsWindows1252(QString::fromUtf8("Привет")));
        QVERIFY(!FitsWindows1252(QString::fromUtf8("gg \xF0\x9F\x98\x80")));

        const QString path = m_dir.filePath(QStringLiteral("rund.kst"));
        QVERIFY(WriteTextFile(path, {QString::fromUtf8("ß"), QString::fromUtf8("ü"), QString::fromUtf8("€")}));
        QCOMPARE(bytesOf(path), QByteArray("\xdf\r\n\xfc\r\n\x80\r\n"));
        QCOMPARE(ReadFileLine(path, 1), QString::fromUtf8("ß"));
        QCOMPARE(ReadFileLine(path, 2), QString::fromUtf8("ü"));
        QCOMPARE(ReadFileLine(path, 3), QString::fromUtf8("€"));

        const QString refused = m_dir.filePath(QStringLiteral("refused.kst"));
        QString error;
        QVERIFY(!WriteTextFile(refused, {QString::fromUtf8("Привет")}, &error));
        QVERIFY(!QFile::exists(refused));
        QVERIFY(error.contains(QLatin1String("Windows-1252")));
    }

    // Values that begin with a byte-order mark's bytes, or are nothing else,
    // are written as they are and read back whole.
    void markLikeValuesRoundTrip_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ÿþ first") << QStringList{QString::fromUtf8("ÿþHallo"), "zwei"}
                                  << QByteArray("\xff\xfeHallo\r\nzwei\r\n");
        QTest::newRow("þÿ first") << QStringList{QString::fromUtf8("þÿ")} << QByteArray("\xfe\xff\r\n");
        QTest::newRow("ï»¿ first") << QStringList{QString::fromUtf8("ï»¿"), ""}
                                   << QByteArray("\xef\xbb\xbf\r\n\r\n");
        QTest::newRow("ÿþ on two lines") << QStringList{QString::fromUtf8("ÿþ"), QString::fromUtf8("ÿþ")}
                                                  << QByteArray("\xff\xfe\r\n\xff\xfe\r\n");
        QTest::newRow("all three in one line") << QStringList{QString::fromUtf8("ÿþþÿï»¿")}
                                               << QByteArray("\xff\xfe\xfe\xff\xef\xbb\xbf\r\n");
    }

    void markLikeValuesRoundTrip()
    {
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, bytes);
        const QString path = m_dir.filePath(QStringLiteral("marke.kst"));
        QVERIFY(WriteTextFile(path, lines));
        QCOMPARE(bytesOf(path), bytes);
        bool failed = true;
        QCOMPARE(ReadFileLines(path, &failed), lines);
        QVERIFY(!failed);
    }

    // Every byte, and every character of the Basic Multilingual Plane, as
    // Debian's ICU converts them; without ICU (Qt for Windows) every byte
    // still comes back as itself.
    void windows1252AgreesWithIcu()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all += char(b);
        const QString decoded = FromWindows1252(all);
        QCOMPARE(decoded.size(), 256);
        QCOMPARE(ToWindows1252(decoded), all);
        QVERIFY(FitsWindows1252(decoded));

        QStringDecoder icuDecoder("windows-1252");
        if (!icuDecoder.isValid())
            QSKIP("this Qt converts no code page by name (no ICU); the round trip above holds");
        QCOMPARE(decoded, icuDecoder.decode(all));
        for (char32_t u = 0; u <= 0xFFFF; ++u) {
            if (u >= 0xD800 && u <= 0xDFFF)
                continue;
            const QString c{QChar(char16_t(u))};
            QStringEncoder icuEncoder("windows-1252");
            const QByteArray icu = icuEncoder.encode(c);
            bool ok = false;
            const QByteArray ours = ToWindows1252(c, &ok);
            QCOMPARE(FitsWindows1252(c), ok);
            QCOMPARE(ok, !icuEncoder.hasError());
            if (ok)
                QCOMPARE(ours, icu);
            else
                QVERIFY(ours.isEmpty());
        }
    }

    void writesWholeFilesWithCrLf()
    {
        const QString path = m_dir.filePath(QStringLiteral("neu.kst"));
        QVERIFY(WriteTextFile(path, {QStringLiteral("eins"), QString(), QStringLiteral("drei")}));
        QCOMPARE(bytesOf(path), QByteArray("eins\r\n\r\ndrei\r\n"));
        QVERIFY(WriteTextFile(path, {QStringLiteral("kurz")}));
        QCOMPARE(bytesOf(path), QByteArray("kurz\r\n"));
    }

    void failedWriteKeepsThePreviousFile()
    {
        // A folder where the file must go: the write fails for root too.
        const QString blocked = m_dir.filePath(QStringLiteral("blockiert.kst"));
        QVERIFY(QDir().mkpath(blocked));
        QString error;
        QVERIFY(!WriteTextFile(blocked, {QStringLiteral("x")}, &error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(blocked)), qPrintable(error));
        QVERIFY(QFileInfo(blocked).isDir());
    }

    void fullDiskKeepsThePreviousFile()
    {
        FullDisk disk(QStringLiteral("64k"));
        if (!disk.mounted())
            QSKIP(qPrintable(disk.whyNot()));

        const QString path = disk.path() + QStringLiteral("/varia.kst");
        QVERIFY(WriteTextFile(path, {QStringLiteral("alt"), QStringLiteral("werte")}));
        disk.fill();

        QString error;
        const QStringList big(100, QString(100, QLatin1Char('y')));
        QVERIFY(!WriteTextFile(path, big, &error));
        QVERIFY2(error.contains(QStringLiteral("varia.kst")), qPrintable(error));
        QCOMPARE(bytesOf(path), QByteArray("alt\r\nwerte\r\n"));
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);

        // A short write, all of it buffered, fails the same way.
        QVERIFY(!WriteTextFile(path, {QStringLiteral("neu")}, &error));
        QCOMPARE(bytesOf(path), QByteArray("alt\r\nwerte\r\n"));
    }

#ifdef Q_OS_WIN
    // Another program holding the file open without letting others replace
    // it (the game reading its config, a virus scanner): the write fails,
    // says why, and the file stays whole; once let go, it is written.
    void fileHeldOpenElsewhere()
    {
        const QString path = put(QStringLiteral("held.cfg"), "alt\r\n");
        const HANDLE held = CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()),
                                        GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        QVERIFY(held != INVALID_HANDLE_VALUE);
        QString error;
        const bool written = WriteTextFile(path, {QStringLiteral("neu")}, &error);
        CloseHandle(held);
        QVERIFY(!written);
        QVERIFY(error.startsWith(QDir::toNativeSeparators(path)));
        QCOMPARE(bytesOf(path), QByteArray("alt\r\n"));
        QVERIFY(WriteTextFile(path, {QStringLiteral("neu")}));
        QCOMPARE(bytesOf(path), QByteArray("neu\r\n"));
    }
#endif

    void localPathsTurnBackslashes()
    {
#ifdef Q_OS_WIN
        QCOMPARE(LocalPath(QStringLiteral("c:\\sierra\\half-life")), QStringLiteral("c:\\sierra\\half-life"));
        // A path as the files hold it, drive letter and backslashes, opens as it stands.
        const QString path = QDir::toNativeSeparators(put(QStringLiteral("drive.kst"), "eins\r\nzwei\r\n"));
        QVERIFY(path.at(1) == QLatin1Char(':') && path.contains(QLatin1Char('\\')));
        QCOMPARE(ReadFileLine(LocalPath(path), 2), QStringLiteral("zwei"));
        QVERIFY(WriteTextFile(LocalPath(path), {QStringLiteral("drei")}));
        QCOMPARE(bytesOf(path), QByteArray("drei\r\n"));
#else
        QCOMPARE(LocalPath(QStringLiteral("/home/a\\cstrike\\gfx\\shell\\kb_act.lst")),
                 QStringLiteral("/home/a/cstrike/gfx/shell/kb_act.lst"));
#endif
    }
};

QTEST_GUILESS_MAIN(TestTextFiles)
#include "test_textfiles.moc"
