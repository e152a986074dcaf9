#pragma once

#include <QCoreApplication>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "temporarynames.h"

// Relative path -> file bytes, "<dir>" for a folder, "<link> target" for a
// link, "<special>" for a FIFO or device.
using Tree = QMap<QString, QByteArray>;

inline Tree snapshot(const QString &root)
{
    Tree tree;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QFile file(info.filePath());
        tree[QDir(root).relativeFilePath(info.filePath())] = info.isSymLink()
            ? "<link> " + info.symLinkTarget().toUtf8()
            : info.isDir() ? "<dir>" : !info.isFile() ? "<special>"
            : file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>";
    }
    return tree;
}

inline void compareTree(const Tree &actual, const Tree &expected)
{
    QCOMPARE(actual.keys(), expected.keys());
    for (auto it = expected.begin(); it != expected.end(); ++it)
        QCOMPARE(actual.value(it.key()), it.value());
}

// A temporary file a killed write left, in each folder the package writes to.
inline const QString kLeftover = "kb_act.lst.korvel-tmp-Ab12Cd";

// The names a clean-up takes for leftovers: kLeftover and those of the shared table.
inline bool isLeftover(const QString &name)
{
    for (const TemporaryName &temporary : TemporaryNames()) {
        if (temporary.name == name)
            return temporary.leftover;
    }
    return name == kLeftover;
}

// What a run must leave: each existing backup over its game file, the files
// and file links directly in qor and qor/sub and the leftover temporary files
// gone, everything else as it was: the folders qor and qor/sub stay, empty or not.
inline Tree expectedAfter(Tree tree)
{
    for (const auto &[backup, target] : {std::pair("backup/commandmenu.txt", "commandmenu.txt"),
                                         {"backup/kb_act.lst", "gfx/shell/kb_act.lst"},
                                         {"backup/valve.rc", "valve.rc"}}) {
        if (tree.contains(backup) && (!QString(target).contains('/') || tree.contains("gfx/shell")))
            tree[target] = tree[backup];
    }
    for (const QString &key : tree.keys()) {
        const QString folder = QFileInfo(key).path();
        const QByteArray value = tree[key];
        const bool isFolder = value == "<dir>"
            || (value.startsWith("<link> ") && QFileInfo(QString::fromUtf8(value.mid(7))).isDir());
        if (((folder == "qor" || folder == "qor/sub") && !isFolder) || isLeftover(QFileInfo(key).fileName()))
            tree.remove(key);
    }
    return tree;
}

// "Half-Life/cstrike" (or another folder in Half-Life), "outside" beside
// Half-Life and "steam", a link to Half-Life, in a temporary directory on the
// build disk (chattr fails on tmpfs); the test runs inside cstrike until this goes.
class GameDir
{
public:
    explicit GameDir(const QString &folder = "cstrike")
    {
        QDir(m_tmp.path()).mkpath("outside");
        QDir(m_tmp.path()).mkpath("Half-Life/" + folder);
        QFile::link(m_tmp.path() + "/Half-Life", m_tmp.path() + "/steam");
        QDir::setCurrent(m_tmp.path() + "/Half-Life/" + folder);
    }
    ~GameDir()
    {
        for (const QString &path : m_locked)
            QProcess::execute("chattr", {"-i", path});
        QDir::setCurrent(m_oldCurrent);
    }

    // A path below the temporary directory.
    QString root(const QString &name) const { return m_tmp.path() + '/' + name; }
    QString outside(const QString &name) const { return root("outside/" + name); }

    // Makes path undeletable even for root; false when chattr can't do that here.
    bool lock(const QString &path)
    {
        m_locked << QFileInfo(path).absoluteFilePath();
        return QProcess::execute("chattr", {"+i", m_locked.last()}) == 0;
    }

    // The game's files as the user changed them, their backups, and the package
    // with a language; a leftover temporary file in each folder the package
    // writes to, and beside the game's files every name of the shared table.
    static bool makeStandardTree()
    {
        const QList<TemporaryName> names = TemporaryNames() << TemporaryName{"", kLeftover, true};
        for (const char *folder : {"", "gfx/shell/", "backup/", "qor/"}) {
            const bool cleaned = folder != QString("qor/");
            for (const TemporaryName &name : names) {
#ifdef Q_OS_WIN
                if (name.name.contains('\n'))
                    continue; // no file name on Windows
#endif
                if ((cleaned || name.name == kLeftover) && !put(folder + name.name, name.name.toUtf8()))
                    return false;
            }
        }
        return put("backup/commandmenu.txt", QByteArrayLiteral("\"1\" \"Men\xfc\"\r\n{\r\n}\r\n"))
            && put("backup/kb_act.lst", QByteArrayLiteral("\"+attack\"\t\"Feuer\"\r\n\0tail"))
            && put("backup/valve.rc", "exec autoexec.cfg\r\n")
            && put("commandmenu.txt", "// changed by the user, longer than the backup\r\n")
            && put("gfx/shell/kb_act.lst", "\"+attack\"\t\"Schie\xdf" "en\"\r\n")
            && put("valve.rc", "exec qor/ori.cfg\r\nexec autoexec.cfg\r\n")
            && put("qor/varis.cfg", "alias bigre_item2 \"hegrenade\"\r\n") && put("qor/fun.cfg", "x")
            && put("qor/varia.kst", "") && put("qor/noextension", "n") && put("qor/.hidden.kst", "h")
            && put("qor/sub/sub.cfg", "s") && put("qor/sub/.hidden", "h")
            && put("qor/sub/deeper/keep.cfg", "k") && put("qor/lang/deutsch.lang", "d")
            && put("qor/english.lang",
                   QByteArray("caption\r\n").repeated(20) + "english_kb_act.lst\r\nenglish_commandmenu.txt\r\n")
            && put("qor/english_kb_act.lst", "\"+attack\"\t\"Fire\"\r\n")
            && put("qor/english_commandmenu.txt", "\"1\" \"Menu\"\r\n{\r\n}\r\n")
            && QDir().mkpath("qor/empty");
    }

    // A FIFO, which blocks whoever opens it; false where there are none (Windows, Wine).
    static bool makeFifo(const QString &path) { return QProcess::execute("mkfifo", {path}) == 0; }

    static bool put(const QString &path, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

private:
    const QString m_oldCurrent = QDir::currentPath();
    QTemporaryDir m_tmp{QCoreApplication::applicationDirPath() + "/game-XXXXXX"};
    QStringList m_locked;
};
