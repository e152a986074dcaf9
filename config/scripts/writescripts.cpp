#include "writescripts.h"

#include "packagefiles.h"
#include "scripttext.h"
#include "settings.h"

bool WriteScripts(const Settings &settings, const QString &bound, QString *error)
{
    const ScriptFiles files = GenerateScripts(settings);
    // A state file that could not be read stays as it is, and so does the
    // script made from the same values.
    const struct {
        QString name;
        const QStringList &lines;
        bool kept;
    } outputs[] = {
        {QStringLiteral("varis.cfg"), files.varisCfg, settings.variaUnreadable},
        {kVariaFile, files.variaKst, settings.variaUnreadable},
        {kBuyFile, files.buyKst, settings.buyUnreadable},
        {QStringLiteral("fun.cfg"), files.funCfg, settings.buyUnreadable},
    };
    // Every file is tried, so one that fails loses no more than itself.
    QStringList failures;
    for (const auto &output : outputs) {
        QString failure;
        if (!output.kept && !PackageFiles::WriteText(bound, output.name, output.lines, &failure))
            failures << failure;
    }
    if (error)
        *error = failures.join(QLatin1Char('\n'));
    return failures.isEmpty();
}
