#include "notice.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace {

// Black on pale yellow in a dark frame: the colours of a Windows tip, set
// here so that no platform's palette (Wine's is light grey on white) applies.
const QColor kPaper(0xFF, 0xFF, 0xE1);
const QColor kInk(Qt::black);
const QColor kFrame(0x40, 0x40, 0x40);
const int kPaddingX = 5;
const int kPaddingY = 3;
const int kWidestText = 300;

// As long as Qt shows a tip: ten seconds, more for a long text.
int showingTime(const QString &text)
{
    return 10000 + 40 * int(std::max<qsizetype>(0, text.size() - 100));
}

// The box the user sees of `edit`: a combo box's whole frame.
QWidget *boxOf(QLineEdit *edit)
{
    auto *combo = qobject_cast<QComboBox *>(edit->parentWidget());
    return combo ? static_cast<QWidget *>(combo) : edit;
}

QRect globalRect(const QWidget *widget)
{
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

} // namespace

Notice::Notice(QWidget *window)
    : QWidget(window, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    // It tells, it never takes the keyboard from the box being typed in.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    QTextOption wrap;
    // A long word (a value without spaces) is broken too, rather than making the notice wider than the screen.
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_document.setDefaultTextOption(wrap);
    m_document.setDocumentMargin(0);
    m_time.setSingleShot(true);
    connect(&m_time, &QTimer::timeout, this, &QWidget::hide);
    // It goes with its dialog: hidden with it, moved with it.
    window->installEventFilter(this);
}

Notice *Notice::of(const QWidget *window)
{
    return window->findChild<Notice *>(QString(), Qt::FindDirectChildrenOnly);
}

void Notice::showFor(QLineEdit *box, const QString &text)
{
    if (text.isEmpty() || !box->isVisible())
        return;
    QWidget *window = box->window();
    Notice *notice = of(window);
    if (!notice)
        notice = new Notice(window);
    notice->present(box, text);
}

QString Notice::shownFor(const QLineEdit *box)
{
    const Notice *notice = of(box->window());
    return notice && notice->isVisible() && notice->m_box == box ? notice->m_shown : QString();
}

void Notice::hideFor(const QLineEdit *box)
{
    Notice *notice = of(box->window());
    if (notice && notice->m_box == box)
        notice->hide();
}

void Notice::typedIn(const QLineEdit *box)
{
    Notice *notice = of(box->window());
    if (notice && notice->m_box != box)
        notice->hide();
}

void Notice::hideOthers(const QWidget *window)
{
    for (QWidget *other : QApplication::topLevelWidgets()) {
        auto *notice = qobject_cast<Notice *>(other);
        if (notice && notice->parentWidget() != window)
            notice->hide();
    }
}

void Notice::present(QLineEdit *box, const QString &text)
{
    m_box = box;
    m_shown = text;
    m_document.setDefaultFont(font());
    m_document.setPlainText(text);
    m_document.setTextWidth(-1);
    m_document.setTextWidth(std::min<qreal>(std::ceil(m_document.idealWidth()), kWidestText));
    const QSizeF textSize = m_document.size();
    resize(int(std::ceil(textSize.width())) + 2 * kPaddingX, int(std::ceil(textSize.height())) + 2 * kPaddingY);
    place();
    show();
    update();
    m_time.start(showingTime(text));
}

// Beside the box, never over another input box of the dialog, where a click
// meant for that box would land in the notice. Right of the box, else above
// it, else right of, left of, above or below the whole dialog: the first
// place the screen shows whole that covers no box; below the box when none
// does.
void Notice::place()
{
    QLineEdit *edit = m_box;
    if (!edit)
        return;
    QWidget *own = boxOf(edit);
    QWidget *window = edit->window();
    QList<QRect> boxes;
    for (QWidget *child : window->findChildren<QWidget *>()) {
        auto *line = qobject_cast<QLineEdit *>(child);
        QWidget *box = line ? boxOf(line) : child;
        if ((line || qobject_cast<QComboBox *>(child)) && box->isVisible())
            boxes << globalRect(box);
    }
    const QRect box = globalRect(own);
    const QRect dialog = window->frameGeometry();
    const QSize size = this->size();
    const int gap = 4;
    const QPoint places[] = {
        {box.right() + gap, box.top()},
        {box.left(), box.top() - gap - size.height()},
        {dialog.right() + gap, box.top()},
        {dialog.left() - gap - size.width(), box.top()},
        {box.left(), dialog.top() - gap - size.height()},
        {box.left(), dialog.bottom() + gap},
    };
    const QRect screen = own->screen()->availableGeometry();
    for (const QPoint &place : places) {
        const QRect rect(place, size);
        const auto covers = [&rect](const QRect &other) { return rect.intersects(other); };
        if (screen.contains(rect) && std::none_of(boxes.cbegin(), boxes.cend(), covers)) {
            move(place);
            return;
        }
    }
    const QPoint below = box.bottomLeft() + QPoint(0, gap);
    move(std::clamp(below.x(), screen.left(), std::max(screen.left(), screen.right() + 1 - size.width())),
         std::clamp(below.y(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height())));
}

void Notice::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), kPaper);
    painter.setPen(kFrame);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.translate(kPaddingX, kPaddingY);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, kInk);
    m_document.documentLayout()->draw(&painter, context);
}

// A click puts it away.
void Notice::mousePressEvent(QMouseEvent *)
{
    hide();
}

// What it says is in the language it was shown in.
void Notice::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        hide();
    QWidget::changeEvent(event);
}

bool Notice::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget()) {
        if (event->type() == QEvent::Hide)
            hide();
        else if (event->type() == QEvent::Move && isVisible())
            place();
    }
    return QWidget::eventFilter(watched, event);
}
