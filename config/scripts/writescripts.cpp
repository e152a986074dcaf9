#include "writescripts.h"

#include "forms.h"
#include "hauptmenu.h"
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
    return WriteTextFile(QStringLiteral("varis.cfg"), files.varisCfg, error)
           && (main->variaUnreadable || WriteTextFile(QStringLiteral("varia.kst"), files.variaKst, error))
           && (main->buyUnreadable || WriteTextFile(QStringLiteral("buy.kst"), files.buyKst, error))
           && WriteTextFile(QStringLiteral("fun.cfg"), files.funCfg, error);
}
