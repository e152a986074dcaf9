#include "writescripts.h"

#include "fileplatform.h"
#include "packagefiles.h"
#include "scripttext.h"
#include "settings.h"
#include "textfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kVarisFile = QStringLiteral("varis.cfg");

// Lines 1 to 3 of "varis.cfg" run the modules.
constexpr int kSwitchLines = 3;

// "varis.cfg" with its values kept, because the "varia.kst" they were made
// from could not be read: the module switches are kept in their marker files,
// so lines 1 to 3 still follow them, or the game would go on running what the
// markers no longer say. Every other byte stays as it is. A "varis.cfg" that
// is missing or can't be read has nothing to keep and is left alone.
bool writeSwitchLines(const Language &language, const QString &path, const QString &bound,
                      const QList<QByteArray> &switchLines, QString *failure)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.isHidden() || FilePlatform::IsSystemFile(path)
        || PackageFiles::LeadsOutside(path, bound))
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    const QByteArray present = file.readAll();
    if (file.error() != QFileDevice::NoError || !IsEightBitText(present))
        return true;
    file.close();

    // A line ends at CR LF, a lone CR or a lone LF, as everywhere.
    qsizetype kept = 0;
    for (int line = 0; line < kSwitchLines && kept < present.size(); ++line) {
        while (kept < present.size() && present.at(kept) != '\r' && present.at(kept) != '\n')
            ++kept;
        if (kept < present.size() && present.at(kept++) == '\r' && kept < present.size() && present.at(kept) == '\n')
            ++kept;
    }
    QByteArray bytes;
    for (const QByteArray &line : switchLines.mid(0, kSwitchLines))
        bytes += line + "\r\n";
    bytes += present.mid(kept);
    return bytes == present || PackageFiles::WriteBytes(language, bound, path, bytes, failure);
}

} // namespace

bool WriteScripts(const Language &language, const Settings &settings, const QString &folder, const QString &bound,
                  QString *error)
{
    const QDir packageFolder(folder);
    const ScriptFiles files = GenerateScripts(settings);
    // A state file that could not be read stays as it is, and so does the
    // script made from the same values (but for the switches of "varis.cfg").
    const auto stateFile = [&](const QString &name, const QStringList &lines, bool kept, QString *failure) {
        return kept || PackageFiles::WriteText(language, bound, packageFolder.filePath(name), lines, failure);
    };
    const auto script = [&](const QString &name, const QList<QByteArray> &lines, bool kept, QString *failure) {
        const QString path = packageFolder.filePath(name);
        if (kept)
            return name != kVarisFile || writeSwitchLines(language, path, bound, lines, failure);
        QByteArray bytes;
        for (const QByteArray &line : lines)
            bytes += line + "\r\n";
        return PackageFiles::WriteBytes(language, bound, path, bytes, failure);
    };
    // Every file is tried, so one that fails loses no more than itself.
    QStringList failures;
    QString failure;
    if (!script(kVarisFile, files.varisCfg, settings.variaUnreadable, &failure))
        failures << failure;
    if (!stateFile(kVariaFile, files.variaKst, settings.variaUnreadable, &failure))
        failures << failure;
    if (!stateFile(kBuyFile, files.buyKst, settings.buyUnreadable, &failure))
        failures << failure;
    if (!script(QStringLiteral("fun.cfg"), files.funCfg, settings.buyUnreadable, &failure))
        failures << failure;
    if (error)
        *error = failures.join(QLatin1Char('\n'));
    return failures.isEmpty();
}
