#include "staterestore.h"

#include "message.h"
#include "statefields.h"
#include "write.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool restore(const QString &file, const QList<StateField> &fields)
{
    bool unreadable = false;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        bool failed = false;
        fields.at(i).setValue(ReadFileLine(file, static_cast<qint32>(i + 1), &failed));
        unreadable = unreadable || failed;
    }
    if (unreadable) {
        // Whatever part of it came through is not trusted either.
        for (const StateField &field : fields)
            field.setValue(QString());
        Message::show(QStringLiteral("Korvel Configurator"),
                      QStringLiteral("Die gespeicherten Einstellungen konnten nicht gelesen werden:\n%1\n"
                                     "Die Felder bleiben leer, und die Datei wird beim Beenden nicht überschrieben.")
                          .arg(QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath())));
    }
    return !unreadable;
}

} // namespace

bool RestoreVaria()
{
    return restore(QStringLiteral("varia.kst"), VariaFields());
}

bool RestoreBuy()
{
    return restore(QStringLiteral("buy.kst"), BuyFields());
}
