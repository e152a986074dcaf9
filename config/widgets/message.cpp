#include "message.h"

#include <QMessageBox>

namespace Message {

namespace {
Handler &handler()
{
    static Handler current;
    return current;
}
} // namespace

void show(const QString &title, const QString &text)
{
    if (handler()) {
        handler()(title, text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    // Texts come from language files too: shown as written, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void setHandler(Handler newHandler)
{
    handler() = std::move(newHandler);
}

} // namespace Message
