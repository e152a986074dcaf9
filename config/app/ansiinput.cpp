#include "ansiinput.h"

#include "write.h"

#include <QLineEdit>
#include <QStringList>
#include <QToolTip>
#include <QValidator>

#include <limits>

namespace {

// The characters of `text` that Windows-1252 cannot store, each once.
QStringList unstorableCharacters(const QString &text)
{
    QStringList found;
    for (qsizetype i = 0; i < text.size();) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const QString character = text.mid(i, pair ? 2 : 1);
        if (!FitsWindows1252(character) && !found.contains(character))
            found.append(character);
        i += character.size();
    }
    return found;
}

class AnsiValidator : public QValidator
{
public:
    explicit AnsiValidator(QObject *parent)
        : QValidator(parent)
    {
    }

    State validate(QString &input, int &) const override
    {
        if (FitsWindows1252(input))
            return Acceptable;
        m_refused = unstorableCharacters(input);
        return Invalid;
    }

    // What the last refused edit held that the files cannot store.
    QStringList refused() const { return m_refused; }

private:
    mutable QStringList m_refused;
};

} // namespace

void guardAnsiInput(QLineEdit *edit)
{
    // Values restored from the files may be longer than the 32767 a box takes by default.
    edit->setMaxLength(std::numeric_limits<int>::max());

    auto *validator = new AnsiValidator(edit);
    edit->setValidator(validator);
    // A tooltip rather than a message box: it tells why without stopping the typing.
    QObject::connect(edit, &QLineEdit::inputRejected, edit, [edit, validator] {
        const QStringList refused = validator->refused();
        if (refused.isEmpty())
            return;
        const QString text = refused.size() == 1
            ? QStringLiteral("Nicht übernommen: %1\nDieses Zeichen kann nicht gespeichert werden.")
            : QStringLiteral("Nicht übernommen: %1\nDiese Zeichen können nicht gespeichert werden.");
        QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), text.arg(refused.join(QLatin1Char(' '))), edit);
    });
}
