#include "restockdialog.h"

#include "controls.h"
#include "message.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

QComboBox *itemBox(QWidget *parent, const char *name, int left, int top, Varia::Line line, Settings &settings,
                   const Language &language)
{
    static const QStringList items = {
        QStringLiteral("kevlar"),       QStringLiteral("kevlarandhelm"), QStringLiteral("flashbang"),
        QStringLiteral("hegrenade"),    QStringLiteral("smokegrenade"),  QStringLiteral("grenadepack"),
        QStringLiteral("munition"),     QStringLiteral("nightvision"),   QStringLiteral("defusial-kit"),
        QStringLiteral("2xflashbang"),  QStringLiteral("---"),
    };
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    // The edit text is the value, exactly as typed: no completion to an item
    // ("flash" stays "flash"), and Enter never adds the word to the list.
    box->setCompleter(nullptr);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    // The box keeps its width; its open list is as wide as the longest item
    // and as long as the list, so that no item is cut.
    box->setMaxVisibleItems(box->count());
    box->view()->setMinimumWidth(box->view()->sizeHintForColumn(0) + 2 * box->view()->frameWidth());
    // Filling the list must not pick an item: a box never set holds "".
    box->setCurrentIndex(-1);
    box->clearEditText();
    box->setGeometry(left, top, 89, 21);
    Controls::showSetting(box->lineEdit(), line, settings, language);
    return box;
}

} // namespace

RestockDialog::RestockDialog(Settings &settings, const Language &language)
    : OptionDialog(language)
{
    setWindowTitle(QStringLiteral("Restocks"));
    setFixedSize(314, 218);

    // The spaces put the two headings over the two columns.
    QGroupBox *lists = Controls::frame(
        this, "restoc", QStringLiteral("Big Restock                        Small Retock  "), 48, 8, 217, 193);
    QComboBox *first = itemBox(lists, "big1", 8, 24, Varia::Big1, settings, language);
    itemBox(lists, "big2", 8, 56, Varia::Big2, settings, language);
    itemBox(lists, "big3", 8, 88, Varia::Big3, settings, language);
    itemBox(lists, "big4", 8, 120, Varia::Big4, settings, language);
    itemBox(lists, "big5", 8, 152, Varia::Big5, settings, language);
    itemBox(lists, "small1", 120, 24, Varia::Small1, settings, language);
    itemBox(lists, "small2", 120, 88, Varia::Small2, settings, language);
    itemBox(lists, "small3", 120, 152, Varia::Small3, settings, language);
    QPushButton *help = Controls::button(lists, "Command4", QString(), 144, 176, 65, 13);
    // Hidden, never deleted: the main window owns the dialog and shows it again.
    QPushButton *close = Controls::button(this, "Command1", QString(), 16, 192, 73, 17);

    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    connect(help, &QPushButton::clicked, this, [&language] {
        Message::show(QStringLiteral("Restock Help"), language.caption(LanguageLine::RestockHelp));
    });
    setFirstBox(first);
    setCloseButton(close);
    setHelpButton(help);
    retranslate();
}
