#include "optiondialog.h"

#include "appearance.h"
#include "controls.h"
#include "message.h"
#include "notice.h"
#include "valueguard.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include <vector>

// One control of an option dialog. Positions are left, top, width, height.
struct OptionControl
{
    enum Kind {
        Frame,    // the dialog's one frame
        Heading,  // a bold label
        Label,
        Box,      // a text box for a line of the dialog's state file
        ItemBox,  // a restock drop-down list for a line of "varia.kst"
        Help,     // "Hilfe"
        Close,    // "Schließen": hides the dialog, never deletes it
    };
    Kind kind;
    const char *name;
    int left, top, width, height;
    // A frame's or label's caption; a box's label's.
    const char *caption = nullptr;
    // A box's line of its state file.
    int line = 0;
    bool inFrame = false;
    // The label beside a box: on the box's top, 17 high.
    const char *labelName = nullptr;
    int labelLeft = 0;
    int labelWidth = 0;
};

// A caption that the language in force gives: the window's title (no
// control named) or a label's, with its number for a %1.
struct OptionCaption
{
    const char *name;
    Texts::Id text;
    int number = 0;
};

struct OptionDialogTable
{
    // The title when no language line gives it.
    const char *title;
    int width, height;
    // The file whose lines the boxes show: "buy.kst" or "varia.kst".
    bool buyLines;
    // The help button's message box: its title and its text (no help button: not shown).
    Texts::Id helpTitle;
    LanguageLine helpText;
    // In the order they are made, which is the order Tab walks them; the
    // first box takes the keyboard as the dialog opens.
    std::vector<OptionControl> controls;
    std::vector<OptionCaption> captions = {};
};

namespace {

using C = OptionControl;

const OptionDialogTable kRestock = {
    "Restocks", 314, 218, false, Texts::RestockHelpTitle, LanguageLine::RestockHelp, {
    // The spaces put the two headings over the two columns.
    {C::Frame, "restoc", 48, 8, 217, 193, "Big Restock                        Small Retock  "},
    {C::ItemBox, "big1", 8, 24, 89, 21, nullptr, Varia::BigRestock1, true},
    {C::ItemBox, "big2", 8, 56, 89, 21, nullptr, Varia::BigRestock2, true},
    {C::ItemBox, "big3", 8, 88, 89, 21, nullptr, Varia::BigRestock3, true},
    {C::ItemBox, "big4", 8, 120, 89, 21, nullptr, Varia::BigRestock4, true},
    {C::ItemBox, "big5", 8, 152, 89, 21, nullptr, Varia::BigRestock5, true},
    {C::ItemBox, "small1", 120, 24, 89, 21, nullptr, Varia::SmallRestock1, true},
    {C::ItemBox, "small2", 120, 88, 89, 21, nullptr, Varia::SmallRestock2, true},
    {C::ItemBox, "small3", 120, 152, 89, 21, nullptr, Varia::SmallRestock3, true},
    {C::Help, "Command4", 144, 176, 65, 13, nullptr, 0, true},
    {C::Close, "Command1", 16, 192, 73, 17},
}};

// The password boxes show their text: the same text goes into the game
// script as it is, or, where the game would not take it, not at all.
const OptionDialogTable kServerAccess = {
    nullptr, 314, 129, false, Texts::ServerHelpTitle, LanguageLine::ServerHelp, {
    {C::Frame, "adminmod", 16, 16, 281, 89, "Clanmod/Adminmod Config"},
    {C::Box, "pwfeld", 8, 24, 129, 19, "1", Varia::PasswordField1, true, "Label1", 136, 9},
    {C::Box, "pass", 152, 24, 121, 19, "1", Varia::Password1, true, "Label2", 272, 9},
    {C::Label, "Label4", 16, 48, 113, 17, nullptr, 0, true},
    {C::Label, "Label5", 168, 48, 89, 17, nullptr, 0, true},
    {C::Box, "Text1", 8, 64, 129, 19, "2", Varia::PasswordField2, true, "Label3", 136, 9},
    {C::Box, "Text2", 152, 64, 121, 19, "2", Varia::Password2, true, "Label6", 272, 9},
    {C::Close, "Command1", 112, 104, 89, 17},
    {C::Help, "Command2", 232, 104, 65, 13},
}, {
    {nullptr, Texts::ServerAccessTitle},
    {"Label4", Texts::PasswordFieldLabel},
    {"Label5", Texts::PasswordLabel},
}};

const OptionDialogTable kSound = {
    nullptr, 234, 121, false, Texts::SoundHelpTitle, LanguageLine::SoundHelp, {
    {C::Label, "Label1", 8, 8, 121, 17},
    {C::Close, "Command2", 144, 8, 81, 13},
    {C::Box, "snd1", 8, 32, 169, 19, nullptr, Varia::Sound1, false, "Label2", 184, 113},
    {C::Box, "snd2", 8, 56, 169, 19, nullptr, Varia::Sound2, false, "Label3", 184, 113},
    {C::Box, "snd3", 8, 80, 169, 19, nullptr, Varia::Sound3, false, "Label4", 184, 113},
    {C::Help, "Command1", 64, 104, 113, 13},
}, {
    {nullptr, Texts::SoundTitle},
    {"Label1", Texts::SoundsLabel},
    {"Label2", Texts::SoundNumber, 1},
    {"Label3", Texts::SoundNumber, 2},
    {"Label4", Texts::SoundNumber, 3},
}};

// The chat messages, then the team messages set a little apart.
const OptionDialogTable kTextMessages = {
    nullptr, 313, 233, false, Texts::TextHelpTitle, LanguageLine::TextHelp, {
    {C::Box, "Text1", 16, 16, 209, 19, nullptr, Varia::ChatMessage1, false, "Label1", 240, 65},
    {C::Box, "Text2", 16, 40, 209, 19, nullptr, Varia::ChatMessage2, false, "Label2", 240, 65},
    {C::Box, "Text3", 16, 64, 209, 19, nullptr, Varia::ChatMessage3, false, "Label3", 240, 65},
    {C::Box, "Text4", 16, 88, 209, 19, nullptr, Varia::ChatMessage4, false, "Label4", 240, 65},
    {C::Box, "Text5", 16, 112, 209, 19, nullptr, Varia::ChatMessage5, false, "Label5", 240, 65},
    {C::Box, "Text6", 16, 144, 209, 19, nullptr, Varia::TeamMessage1, false, "Label6", 232, 81},
    {C::Box, "Text7", 16, 168, 209, 19, nullptr, Varia::TeamMessage2, false, "Label7", 232, 81},
    {C::Box, "Text8", 16, 192, 209, 19, nullptr, Varia::TeamMessage3, false, "Label8", 232, 81},
    {C::Close, "Command2", 16, 216, 137, 17},
    {C::Help, "Command1", 208, 216, 97, 17},
}, {
    {nullptr, Texts::TextMessagesTitle},
    {"Label1", Texts::MessageNumber, 1},
    {"Label2", Texts::MessageNumber, 2},
    {"Label3", Texts::MessageNumber, 3},
    {"Label4", Texts::MessageNumber, 4},
    {"Label5", Texts::MessageNumber, 5},
    {"Label6", Texts::TeamMessageNumber, 1},
    {"Label7", Texts::TeamMessageNumber, 2},
    {"Label8", Texts::TeamMessageNumber, 3},
}};

// The rows are the lines of "buy.kst", in order; each box's label is named
// after the box.
const OptionDialogTable kPersonalMode = {
    nullptr, 281, 433, true, Texts::Count, LanguageLine(), {
    {C::Heading, "Label1", 8, 8, 281, 33, "Personal Mode - Config"},
    {C::Close, "Command1", 176, 8, 97, 17},
    {C::Box, "reload", 96, 40, 177, 19, "Reload", Buy::Reload, false, "reloadLabel", 8, 41},
    {C::Box, "usp", 96, 56, 177, 19, "USP", Buy::Usp, false, "uspLabel", 8, 41},
    {C::Box, "glock", 96, 72, 177, 19, "Glock18", Buy::Glock, false, "glockLabel", 8, 49},
    {C::Box, "p90", 96, 88, 177, 19, "P90", Buy::P90, false, "p90Label", 8, 41},
    {C::Box, "mp5", 96, 104, 177, 19, "MP5", Buy::Mp5, false, "mp5Label", 8, 41},
    {C::Box, "para", 96, 120, 177, 19, "Para", Buy::Para, false, "paraLabel", 8, 41},
    {C::Box, "scout", 96, 136, 177, 19, "Scout", Buy::Scout, false, "scoutLabel", 8, 41},
    {C::Box, "awp", 96, 152, 177, 19, "AWP", Buy::Awp, false, "awpLabel", 8, 41},
    {C::Box, "g3sg1", 96, 168, 177, 19, "G3-SG1", Buy::G3sg1, false, "g3sg1Label", 8, 49},
    {C::Box, "xm1014", 96, 184, 177, 19, "XM1014", Buy::Xm1014, false, "xm1014Label", 8, 49},
    {C::Box, "super90", 96, 200, 177, 19, "Super90", Buy::Super90, false, "super90Label", 8, 49},
    {C::Box, "sigp228", 96, 216, 177, 19, "SigP228", Buy::Sigp228, false, "sigp228Label", 8, 49},
    {C::Box, "deagle", 96, 232, 177, 19, "Deagle", Buy::Deagle, false, "deagleLabel", 8, 41},
    {C::Box, "ump45", 96, 248, 177, 19, "UMP45", Buy::Ump45, false, "ump45Label", 8, 41},
    {C::Box, "teampistol", 96, 264, 177, 19, "TeamPistol", Buy::Teampistol, false, "teampistolLabel", 8, 65},
    {C::Box, "ak47", 96, 280, 177, 19, "AK47/Colt", Buy::Ak47, false, "ak47Label", 8, 57},
    {C::Box, "uzi", 96, 296, 177, 19, "UZI/Tactical", Buy::Uzi, false, "uziLabel", 8, 65},
    {C::Box, "aug", 96, 312, 177, 19, "Steyr Aug/Sig SG", Buy::Aug, false, "augLabel", 8, 89},
    {C::Box, "sg550", 96, 328, 177, 19, "G3SG1/SG550", Buy::Sg550, false, "sg550Label", 8, 81},
    {C::Box, "he", 96, 344, 177, 19, "HE", Buy::He, false, "heLabel", 8, 41},
    {C::Box, "smoke", 96, 360, 177, 19, "Smoke", Buy::Smoke, false, "smokeLabel", 8, 41},
    {C::Box, "flash", 96, 376, 177, 19, "Flashbang", Buy::Flash, false, "flashLabel", 8, 57},
    {C::Box, "defuse", 96, 392, 177, 19, "Defuse Bomb", Buy::Defuse, false, "defuseLabel", 8, 73},
    {C::Box, "plant", 96, 408, 177, 19, "Plant Bomb", Buy::Plant, false, "plantLabel", 8, 65},
}, {
    {nullptr, Texts::PersonalModeTitle},
}};

// A restock box: an editable drop-down list of the items the game can buy.
QComboBox *itemBox(QWidget *parent, const OptionControl &control, Settings &settings, const Language &language)
{
    static const QStringList items = {
        QStringLiteral("kevlar"),       QStringLiteral("kevlarandhelm"), QStringLiteral("flashbang"),
        QStringLiteral("hegrenade"),    QStringLiteral("smokegrenade"),  QStringLiteral("grenadepack"),
        QStringLiteral("munition"),     QStringLiteral("nightvision"),   QStringLiteral("defusial-kit"),
        QStringLiteral("2xflashbang"),  QStringLiteral("---"),
    };
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(control.name));
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
    box->setGeometry(control.left, control.top, control.width, control.height);
    Controls::showSetting(box->lineEdit(), Varia::Line(control.line), settings, language);
    return box;
}

} // namespace

OptionDialog::OptionDialog(const OptionDialogTable &table, Settings &settings, const Language &language)
    : m_language(language)
    , m_captions(table.captions)
{
    if (table.title)
        setWindowTitle(QString::fromUtf8(table.title));
    setFixedSize(table.width, table.height);
    QWidget *frame = nullptr;
    for (const OptionControl &control : table.controls) {
        QWidget *parent = control.inFrame ? frame : this;
        const QString caption = QString::fromUtf8(control.caption);
        const int left = control.left, top = control.top, width = control.width, height = control.height;
        switch (control.kind) {
        case OptionControl::Frame:
            frame = Controls::frame(parent, control.name, caption, left, top, width, height);
            break;
        case OptionControl::Heading: {
            QLabel *heading = Controls::label(parent, control.name, caption, left, top, width, height);
            QFont bold = heading->font();
            bold.setBold(true);
            heading->setFont(bold);
            heading->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            break;
        }
        case OptionControl::Label:
            Controls::label(parent, control.name, caption, left, top, width, height);
            break;
        case OptionControl::Box:
        case OptionControl::ItemBox: {
            QWidget *box;
            if (control.kind == OptionControl::ItemBox)
                box = itemBox(parent, control, settings, language);
            else if (table.buyLines)
                box = Controls::settingBox(parent, control.name, left, top, width, height, Buy::Line(control.line),
                                           settings, language);
            else
                box = Controls::settingBox(parent, control.name, left, top, width, height,
                                           Varia::Line(control.line), settings, language);
            if (!m_firstBox)
                m_firstBox = box;
            if (control.labelName)
                Controls::label(parent, control.labelName, caption, control.labelLeft, top, control.labelWidth, 17);
            break;
        }
        case OptionControl::Help:
            m_help = Controls::button(parent, control.name, QString(), left, top, width, height);
            connect(m_help, &QPushButton::clicked, this,
                    [this, title = table.helpTitle, text = table.helpText] {
                        Message::show(m_language.message(title), m_language.caption(text));
                    });
            break;
        case OptionControl::Close:
            m_close = Controls::button(parent, control.name, QString(), left, top, width, height);
            connect(m_close, &QPushButton::clicked, this, &QWidget::hide);
            break;
        }
    }
    retranslate();
}

RestockDialog::RestockDialog(Settings &settings, const Language &language)
    : OptionDialog(kRestock, settings, language)
{
}

ServerAccessDialog::ServerAccessDialog(Settings &settings, const Language &language)
    : OptionDialog(kServerAccess, settings, language)
{
    // Each password is judged with the field name of its row.
    const auto box = [this](const char *name) { return findChild<QLineEdit *>(QLatin1String(name)); };
    pairServerBoxes(box("pwfeld"), box("pass"));
    pairServerBoxes(box("Text1"), box("Text2"));
}

SoundDialog::SoundDialog(Settings &settings, const Language &language)
    : OptionDialog(kSound, settings, language)
{
}

TextMessageDialog::TextMessageDialog(Settings &settings, const Language &language)
    : OptionDialog(kTextMessages, settings, language)
{
}

PersonalModeDialog::PersonalModeDialog(Settings &settings, const Language &language)
    : OptionDialog(kPersonalMode, settings, language)
{
}

void OptionDialog::retranslate()
{
    if (m_close)
        Controls::setCaption(m_close, m_language.caption(LanguageLine::Close));
    if (m_help)
        Controls::setCaption(m_help, m_language.caption(LanguageLine::Help));
    for (const OptionCaption &caption : m_captions) {
        QString text = m_language.message(caption.text);
        if (caption.number)
            text = text.arg(caption.number);
        if (caption.name)
            Controls::setCaption(findChild<QLabel *>(QLatin1String(caption.name)), text);
        else
            setWindowTitle(text);
    }
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
