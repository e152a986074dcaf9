#pragma once

#include <QList>
#include <QString>

class QComboBox;
class QLineEdit;

// A control whose text a state file keeps on one line: a text box, or a combo
// box whose edit text counts, never the item chosen in its list.
class StateField
{
public:
    StateField(QLineEdit *edit) : m_edit(edit) {}
    StateField(QComboBox *box) : m_box(box) {}

    QString value() const;
    // A value read from a state file: cleaned and cut to what the box takes
    // (setStoredValue), so the box holds what the next save writes.
    void setValue(const QString &value) const;

private:
    QLineEdit *m_edit = nullptr;
    QComboBox *m_box = nullptr;
};

// The controls behind the lines of "varia.kst" (Varia::Line) and "buy.kst"
// (Buy::Line), in line order. Saving and restoring both go through these, so
// a value always comes back to the control it was saved from. Dialogs that do
// not exist yet are created, hidden.
QList<StateField> VariaFields();
QList<StateField> BuyFields();
