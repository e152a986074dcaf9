#include "writescripts.h"

#include "forms.h"
#include "hauptmenu.h"
#include "packagefiles.h"
#include "scripttext.h"
#include "statefields.h"
#include "write.h"

#include <QLabel>

namespace {

ScriptValues currentValues()
{
    hauptmenu *main = Forms::get<hauptmenu>();
    ScriptValues values;
    values.slot1 = main->slot1->text();
    values.slot2 = main->slot2->text();
    values.slot3 = main->slot3->text();
    values.quote = main->af->text();
    values.semicolon = main->semi->text();
    for (const StateField &field : VariaFields())
        values.varia << field.value();
    for (const StateField &field : BuyFields())
        values.buy << field.value();
    return values;
}

} // namespace

bool WriteScripts(QString *error)
{
    const ScriptFiles files = GenerateScripts(currentValues());
    const hauptmenu *main = Forms::get<hauptmenu>();
    // A state file that could not be read stays as it is, and so does the
    // script made from the same fields.
    const struct {
        QString name;
        const QStringList &lines;
        bool kept;
    } outputs[] = {
        {QStringLiteral("varis.cfg"), files.varisCfg, main->variaUnreadable},
        {QStringLiteral("varia.kst"), files.variaKst, main->variaUnreadable},
        {QStringLiteral("buy.kst"), files.buyKst, main->buyUnreadable},
        {QStringLiteral("fun.cfg"), files.funCfg, main->buyUnreadable},
    };
    // Every file is tried, so one that fails loses no more than itself.
    QStringList failures;
    for (const auto &output : outputs) {
        QString failure;
        if (!output.kept && !PackageFiles::WriteText(output.name, output.lines, &failure))
            failures << failure;
    }
    if (error)
        *error = failures.join(QLatin1Char('\n'));
    return failures.isEmpty();
}
