#include "restock.h"

#include "controls.h"
#include "message.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

QComboBox *itemBox(QWidget *parent, int left, int top, Varia::Line line, Settings &settings,
                   const Language &language)
{
    static const QStringList items = {
        QStringLiteral("kevlar"),       QStringLiteral("kevlarandhelm"), QStringLiteral("flashbang"),
        QStringLiteral("hegrenade"),    QStringLiteral("smokegrenade"),  QStringLiteral("grenadepack"),
        QStringLiteral("munition"),     QStringLiteral("nightvision"),   QStringLiteral("defusial-kit"),
        QStringLiteral("2xflashbang"),  QStringLiteral("---"),
    };
    auto *box = new QComboBox(parent);
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

restock::restock(Settings &settings, const Language &language)
    : m_language(language)
{
    setWindowTitle(QStringLiteral("Restocks"));
    setFixedSize(314, 218);

    // The spaces put the two headings over the two columns.
    restoc = Controls::frame(this, QStringLiteral("Big Restock                        Small Retock  "), 48, 8, 217, 193);
    big1 = itemBox(restoc, 8, 24, Varia::Big1, settings, language);
    big2 = itemBox(restoc, 8, 56, Varia::Big2, settings, language);
    big3 = itemBox(restoc, 8, 88, Varia::Big3, settings, language);
    big4 = itemBox(restoc, 8, 120, Varia::Big4, settings, language);
    big5 = itemBox(restoc, 8, 152, Varia::Big5, settings, language);
    small1 = itemBox(restoc, 120, 24, Varia::Small1, settings, language);
    small2 = itemBox(restoc, 120, 88, Varia::Small2, settings, language);
    small3 = itemBox(restoc, 120, 152, Varia::Small3, settings, language);
    Command4 = Controls::button(restoc, LanguageLine::Help, 144, 176, 65, 13, language);
    Command1 = Controls::button(this, LanguageLine::Close, 16, 192, 73, 17, language);

    connect(Command1, &QPushButton::clicked, this, &restock::Command1_Click);
    connect(Command4, &QPushButton::clicked, this, &restock::Command4_Click);
    setFirstBox(big1);
    setCloseButton(Command1);
}

// Hidden, never deleted: the main window owns the dialog and shows it again.
void restock::Command1_Click()
{
    hide();
}

void restock::Command4_Click()
{
    Message::show(QStringLiteral("Restock Help"), m_language.caption(LanguageLine::RestockHelp));
}
