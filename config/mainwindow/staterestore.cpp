#include "staterestore.h"

#include "message.h"
#include "packagefiles.h"
#include "statefields.h"
#include "texts.h"
#include "write.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString shown(const QString &name)
{
    return QDir::toNativeSeparators(QFileInfo(name).absoluteFilePath());
}

// `script` is made from the same fields: written from empty fields it would
// lose what the state file still holds, so it stays as it is with it.
bool restore(const QString &file, const QString &script, const QList<StateField> &fields)
{
    // A link out of the Half-Life folder is not followed: unreadable, as far as we go.
    bool unreadable = PackageFiles::LeadsOutside(file);
    const QStringList lines = unreadable ? QStringList() : ReadFileLines(file, &unreadable);
    for (qsizetype i = 0; i < fields.size() && !unreadable; ++i)
        fields.at(i).setValue(lines.value(i));
    if (unreadable) {
        // Whatever part of it came through is not trusted either.
        for (const StateField &field : fields)
            field.setValue(QString());
        Message::show(QStringLiteral("Korvel Configurator"),
                      Texts::get(Texts::StateUnreadable).arg(shown(file), file, script));
    }
    return !unreadable;
}

} // namespace

bool RestoreVaria()
{
    return restore(QStringLiteral("varia.kst"), QStringLiteral("varis.cfg"), VariaFields());
}

bool RestoreBuy()
{
    return restore(QStringLiteral("buy.kst"), QStringLiteral("fun.cfg"), BuyFields());
}
