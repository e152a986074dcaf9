// Arbitrary bytes as the files the configurator reads at start: the two state
// files, the path file and a language file, through ReadFileLine, the main
// window's whole startup sequence and the option dialogs built after it.
//
// The language step copies files to the paths in lines 3 and 4 of the path
// file, from the paths in lines 21 and 22 of the language file, and keeps
// backups below the Half-Life folder of line 1. None of these lines is taken
// from the input as it stands: the harness picks them from paths inside its
// own temporary folder, so no input can write anywhere else.
#include "appearance.h"
#include "mainwindow.h"
#include "message.h"
#include "optiondialog.h"
#include "package.h"
#include "platform.h"
#include "textfiles.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <string>

namespace {

struct Harness
{
    QTemporaryDir root;
    QString halfLife;  // root/Half-Life
    QString cstrike;   // root/Half-Life/cstrike
    QString qor;       // root/Half-Life/cstrike/qor, the current directory
};

Harness *harness = nullptr;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
}

// The game folder as an installation has it, and an empty package folder;
// whatever the last input left in the temporary folder is gone.
void freshGameFolder()
{
    QDir(harness->root.path()).removeRecursively();
    if (!QDir().mkpath(harness->qor) || !QDir().mkpath(harness->cstrike + QStringLiteral("/gfx/shell")))
        std::abort();
    writeFile(harness->cstrike + QStringLiteral("/gfx/shell/kb_act.lst"), "\"+attack\"\t\"Fire\"\r\n");
    writeFile(harness->cstrike + QStringLiteral("/commandmenu.txt"), "\"1\" \"Buy\" { \"buy\" }\r\n");
    writeFile(harness->qor + QStringLiteral("/lang_kb_act.lst"), "\"+attack\"\t\"Shoot\"\r\n");
    writeFile(harness->qor + QStringLiteral("/lang_commandmenu.txt"), "\"1\" \"Kaufen\" { \"buy\" }\r\n");
}

// One line of a file built by the harness: the input's bytes with every CR
// and LF taken out, so that the line count stays the harness's own.
QByteArray oneLine(FuzzedDataProvider &input, size_t maxLength)
{
    std::string text = input.ConsumeRandomLengthString(maxLength);
    QByteArray line(text.data(), qsizetype(text.size()));
    line.replace('\r', QByteArray());
    line.replace('\n', QByteArray());
    return line;
}

// The Half-Life folder (line 1 of the path file), below which the language
// step keeps its backups: the harness's own, with a trailing backslash, as a
// relative path from the package folder, or with a name of the input's
// appended. That name loses every separator, so it stays a sibling folder.
QByteArray halfLifeLine(FuzzedDataProvider &input)
{
    const QByteArray halfLife = QDir::toNativeSeparators(harness->halfLife).toLocal8Bit();
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return halfLife;
    case 1:
        return halfLife + "\\";
    case 2:
        return "..\\..";
    default: {
        QByteArray name = oneLine(input, 60);
        name.replace('/', QByteArray()).replace('\\', QByteArray()).replace('\n', QByteArray());
        name.replace('\0', QByteArray());
        return halfLife + name;
    }
    }
}

// Where the language step may copy to (lines 3 and 4 of the path file):
// the game's own files, a folder that is missing, a folder standing where the
// file belongs. Written as the setup dialog writes them, with backslashes.
QByteArray copyTarget(FuzzedDataProvider &input, const char *gameFile)
{
    const QByteArray halfLife = QDir::toNativeSeparators(harness->halfLife).toLocal8Bit();
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return halfLife + "\\cstrike\\" + gameFile;
    case 1:
        return halfLife + "\\missing\\" + gameFile;
    case 2:
        QDir().mkpath(harness->cstrike + QStringLiteral("/folder/") + QString::fromLatin1(gameFile));
        return halfLife + "\\cstrike\\folder\\" + gameFile;
    default:
        return QByteArray();
    }
}

// What the language may copy from (lines 21 and 22): its own file, a file
// that is missing, nothing, or a path inside the game folder.
QByteArray copySource(FuzzedDataProvider &input, const char *ownFile)
{
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return ownFile;
    case 1:
        return "missing.lst";
    case 2:
        return QDir::toNativeSeparators(harness->qor).toLocal8Bit() + "\\" + ownFile;
    default:
        return QByteArray();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int qtArgc = 1;
    static char *qtArgv[] = {(*argv)[0], nullptr};
    Q_UNUSED(argc)
    auto *app = new QApplication(qtArgc, qtArgv);
    app->setQuitOnLastWindowClosed(false);
    Appearance::applyApplicationFont(*app);

    // No modal box may wait for a click, and nothing may end the process.
    Message::setHandler([](const QString &, const QString &) {});
    Platform::setOpenWebAddressHook([](const QString &) { return 0; });
    Platform::setEndProcessHook([](int) {});

    // Static, so that the temporary folder goes when the run ends.
    static Harness instance;
    harness = &instance;
    if (!harness->root.isValid())
        std::abort();
    harness->halfLife = harness->root.path() + QStringLiteral("/Half-Life");
    harness->cstrike = harness->halfLife + QStringLiteral("/cstrike");
    harness->qor = harness->cstrike + QStringLiteral("/qor");
    freshGameFolder();
    if (!QDir::setCurrent(harness->qor))
        std::abort();

    // Fonts, styles and the platform load once per process and stay; loaded
    // here, they are not taken for leaks of the first input.
    {
        Package package(harness->qor);
        MainWindow window(package);
        window.startup();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    freshGameFolder();
    // The folder is made anew each time; the process stays in it.
    QDir::setCurrent(harness->qor);

    const uint8_t present = input.ConsumeIntegral<uint8_t>();

    // The path file, its lines picked by the input from the harness's choices.
    QByteArray pathFile = halfLifeLine(input) + "\r\n";
    QByteArray languageName;
    switch (input.ConsumeIntegralInRange(0, 2)) {
    case 0:
        languageName = "fuzz.lang";
        break;
    case 1:
        // Any name in this folder: no separators, so it cannot lead out of it.
        languageName = oneLine(input, 40);
        languageName.replace('/', QByteArray()).replace('\\', QByteArray()).replace('\n', QByteArray());
        languageName.replace('\0', QByteArray());
        break;
    default:
        break;
    }
    pathFile += languageName + "\r\n";
    pathFile += copyTarget(input, "gfx\\shell\\kb_act.lst") + "\r\n";
    pathFile += copyTarget(input, "commandmenu.txt") + "\r\n";

    // The language file: twenty lines of captions and texts from the input,
    // then the two files to copy, then whatever the input has left over.
    QByteArray language;
    for (int line = 1; line <= 20; ++line)
        language += oneLine(input, 120) + "\r\n";
    language += copySource(input, "lang_kb_act.lst") + "\r\n";
    language += copySource(input, "lang_commandmenu.txt") + "\r\n";
    language += QByteArray::fromStdString(input.ConsumeRandomLengthString(200));

    // The state files are the input's bytes exactly, line ends and all.
    const std::string varia = input.ConsumeRandomLengthString(2000);
    const int probeLine = input.ConsumeIntegral<int>();
    const std::string buy = input.ConsumeRemainingBytesAsString();

    if (present & 1)
        writeFile(QStringLiteral("pfad.kst"), pathFile);
    if (present & 2)
        writeFile(QStringLiteral("fuzz.lang"), language);
    writeFile(QStringLiteral("varia.kst"), QByteArray::fromStdString(varia));
    writeFile(QStringLiteral("buy.kst"), QByteArray::fromStdString(buy));
    if (present & 4)
        writeFile(QStringLiteral("say.kst"), "say aktiviert\r\n");
    if (present & 8)
        writeFile(QStringLiteral("fun.kst"), QByteArray());
    if (present & 16)
        QDir().mkdir(QStringLiteral("itim.kst"));
    if (present & 32)
        writeFile(QStringLiteral("plugin2.cfg"), "x");

    // The line reader alone, at any line number.
    bool readFailed = false;
    for (const int line : {probeLine, 1, 23, 24})
        ReadFileLine(QStringLiteral("varia.kst"), line, &readFailed);

    // A new process's start, the option dialogs opened as the user would
    // (they show what the state files held), and its end.
    {
        Package package(harness->qor);
        MainWindow window(package);
        window.startup();
        window.dialog<RestockDialog>();
        window.dialog<ServerAccessDialog>();
        window.dialog<SoundDialog>();
        window.dialog<TextMessageDialog>();
        window.dialog<PersonalModeDialog>();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
