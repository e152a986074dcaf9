#include "statefields.h"

#include "amcm.h"
#include "ansiinput.h"
#include "forms.h"
#include "funmode.h"
#include "restock.h"
#include "scripttext.h"
#include "sound.h"
#include "text.h"

#include <QComboBox>
#include <QLineEdit>

QString StateField::value() const
{
    return m_edit ? m_edit->text() : m_box->currentText();
}

void StateField::setValue(const QString &value) const
{
    setStoredValue(m_edit ? m_edit : m_box->lineEdit(), value);
}

QList<StateField> VariaFields()
{
    amcm *access = Forms::get<amcm>();
    restock *items = Forms::get<restock>();
    text *messages = Forms::get<text>();
    sound *sounds = Forms::get<sound>();
    const QList<StateField> fields = {
        access->pwfeld,   access->pass,
        items->big1,      items->big2,      items->big3,     items->big4,     items->big5,
        items->small1,    items->small2,    items->small3,
        messages->Text1,  messages->Text2,  messages->Text3, messages->Text4, messages->Text5,
        sounds->snd1,     sounds->snd2,     sounds->snd3,
        access->Text1,    access->Text2,
        messages->Text6,  messages->Text7,  messages->Text8,
    };
    Q_ASSERT(fields.size() == Varia::LineCount);
    return fields;
}

QList<StateField> BuyFields()
{
    funmode *f = Forms::get<funmode>();
    const QList<StateField> fields = {
        f->reload, f->usp,     f->glock,   f->p90,    f->mp5,        f->para,
        f->scout,  f->awp,     f->g3sg1,   f->xm1014, f->super90,    f->sigp228,
        f->deagle, f->ump45,   f->teampistol, f->ak47, f->uzi,       f->aug,
        f->sg550,  f->he,      f->smoke,   f->flash,  f->defuse,     f->plant,
    };
    Q_ASSERT(fields.size() == Buy::LineCount);
    return fields;
}
