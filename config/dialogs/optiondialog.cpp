#include "optiondialog.h"

#include "appearance.h"
#include "controls.h"
#include "notice.h"
#include "valueguard.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

OptionDialog::OptionDialog(const Language &language)
    : m_language(language)
{
}

void OptionDialog::setFirstBox(QWidget *box)
{
    m_firstBox = box;
}

void OptionDialog::setCloseButton(QPushButton *button)
{
    m_close = button;
}

void OptionDialog::setHelpButton(QPushButton *button)
{
    m_help = button;
}

void OptionDialog::retranslate()
{
    if (m_close)
        Controls::setCaption(m_close, m_language.caption(LanguageLine::Close));
    if (m_help)
        Controls::setCaption(m_help, m_language.caption(LanguageLine::Help));
    for (QLineEdit *box : findChildren<QLineEdit *>())
        renewNotes(box);
}

void OptionDialog::showEvent(QShowEvent *event)
{
    // Not when the window system shows it again (restored from the taskbar, say).
    if (!event->spontaneous()) {
        // The lists are made with their boxes; an open one takes Escape before the dialog.
        for (QComboBox *combo : findChildren<QComboBox *>())
            combo->view()->installEventFilter(this);
        Notice::hideOthers(this);
        if (m_firstBox)
            m_firstBox->setFocus(Qt::OtherFocusReason);
        // Once the dialog is on the screen, beside which the notice stands.
        QMetaObject::invokeMethod(this, &OptionDialog::explainMarks, Qt::QueuedConnection);
    }
    QWidget::showEvent(event);
}

void OptionDialog::explainMarks()
{
    if (!isVisible())
        return;
    for (QLineEdit *box : findChildren<QLineEdit *>()) {
        if (explainMark(box))
            return;
    }
}

// Hidden as by "Schließen", never deleted.
void OptionDialog::closeEvent(QCloseEvent *event)
{
    if (m_close && isVisible())
        m_close->click();
    event->accept();
}

void OptionDialog::keyPressEvent(QKeyEvent *event)
{
    // Whatever language the button's caption is in.
    if (event->matches(QKeySequence::Cancel) && m_close) {
        m_close->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void OptionDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        Appearance::refitCaptions(this);
    }
    QWidget::changeEvent(event);
}

// Escape in an open list closes the list and goes no further. Taken as a key
// rather than a shortcut: Qt would close the list while it asks whether
// Escape is one, and then hand the key to the dialog, which would close too.
bool OptionDialog::eventFilter(QObject *watched, QEvent *event)
{
    const bool key = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (key && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Cancel)) {
        for (QComboBox *combo : findChildren<QComboBox *>()) {
            if (combo->view() == watched && combo->view()->isVisible()) {
                if (event->type() == QEvent::KeyPress)
                    combo->hidePopup();
                event->accept();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
