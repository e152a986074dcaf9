#include "messagebox.h"

#include <QMessageBox>

#include <utility>

namespace {
MessageHandler handler;
}

void showMessage(QWidget *parent, const QString &title, const QString &text)
{
    if (handler) {
        handler(title, text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    // Texts come from language files too: shown as written, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

MessageHandler setMessageHandler(MessageHandler next)
{
    return std::exchange(handler, std::move(next));
}
