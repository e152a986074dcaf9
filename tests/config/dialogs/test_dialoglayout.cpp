#include "appearance.h"
#include "livecaptions.h"
#include "personalmodedialog.h"
#include "restockdialog.h"
#include "serveraccessdialog.h"
#include "sounddialog.h"
#include "testsupport.h"
#include "textmessagedialog.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

struct Expected
{
    const char *name;
    QWidget *control;
    QWidget *parent;
    QRect place;
    QString caption;
};

// What the user reads on a control: caption of a button, label or frame,
// the (empty) value of a box.
QString captionOf(QWidget *control)
{
    if (auto *button = qobject_cast<QPushButton *>(control))
        return button->text();
    if (auto *label = qobject_cast<QLabel *>(control))
        return label->text();
    if (auto *frame = qobject_cast<QGroupBox *>(control))
        return frame->title();
    if (auto *box = qobject_cast<QLineEdit *>(control))
        return box->text();
    if (auto *box = qobject_cast<QComboBox *>(control))
        return box->currentText();
    return QStringLiteral("<unknown kind>");
}

void checkControls(QWidget *window, const QString &title, QSize client, const QList<Expected> &controls)
{
    QCOMPARE(window->windowTitle(), title);
    QVERIFY(window->isWindow());
    QVERIFY(window->isHidden());
    QCOMPARE(window->minimumSize(), client);
    QCOMPARE(window->maximumSize(), client);
    for (const Expected &expected : controls) {
        const QByteArray what = QByteArray(expected.name) + " of " + title.toUtf8();
        QVERIFY2(expected.control, what);
        QVERIFY2(expected.control->parentWidget() == expected.parent, what);
        QVERIFY2(expected.control->geometry() == expected.place, what);
        QVERIFY2(!expected.control->isHidden(), what);
        QVERIFY2(captionOf(expected.control) == expected.caption, what + ": " + captionOf(expected.control).toUtf8());
        if (auto *label = qobject_cast<QLabel *>(expected.control)) {
            QVERIFY2(label->textFormat() == Qt::PlainText, what);
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(), what + " too narrow");
        }
    }
}

} // namespace

class TestDialogLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Appearance::applyApplicationFont(*qApp); }
    void cleanup() { dropConfigurator(); }

    void restockWindow()
    {
        RestockDialog *d = dialog<RestockDialog>();
        const QString restoc = QStringLiteral("Big Restock") + QString(24, QLatin1Char(' ')) + QStringLiteral("Small Retock  ");
        QCOMPARE(restoc.size(), 49);
        checkControls(d, QStringLiteral("Restocks"), {314, 218},
                      {{"restoc", control<QGroupBox>(d, "restoc"), d, {48, 8, 217, 193}, restoc},
                       {"big1", control<QComboBox>(d, "big1"), control<QGroupBox>(d, "restoc"), {8, 24, 89, 21}, {}},
                       {"big2", control<QComboBox>(d, "big2"), control<QGroupBox>(d, "restoc"), {8, 56, 89, 21}, {}},
                       {"big3", control<QComboBox>(d, "big3"), control<QGroupBox>(d, "restoc"), {8, 88, 89, 21}, {}},
                       {"big4", control<QComboBox>(d, "big4"), control<QGroupBox>(d, "restoc"), {8, 120, 89, 21}, {}},
                       {"big5", control<QComboBox>(d, "big5"), control<QGroupBox>(d, "restoc"), {8, 152, 89, 21}, {}},
                       {"small1", control<QComboBox>(d, "small1"), control<QGroupBox>(d, "restoc"), {120, 24, 89, 21}, {}},
                       {"small2", control<QComboBox>(d, "small2"), control<QGroupBox>(d, "restoc"), {120, 88, 89, 21}, {}},
                       {"small3", control<QComboBox>(d, "small3"), control<QGroupBox>(d, "restoc"), {120, 152, 89, 21}, {}},
                       {"Command4", control<QPushButton>(d, "Command4"), control<QGroupBox>(d, "restoc"), {144, 176, 65, 13}, QStringLiteral("Hilfe")},
                       {"Command1", control<QPushButton>(d, "Command1"), d, {16, 192, 73, 17}, QStringLiteral("Schließen")}});

        const QStringList items = {"kevlar",      "kevlarandhelm", "flashbang",    "hegrenade",
                                   "smokegrenade", "grenadepack",  "munition",     "nightvision",
                                   "defusial-kit", "2xflashbang",  "---"};
        for (QComboBox *box : {control<QComboBox>(d, "big1"), control<QComboBox>(d, "big2"), control<QComboBox>(d, "big3"), control<QComboBox>(d, "big4"), control<QComboBox>(d, "big5"), control<QComboBox>(d, "small1"), control<QComboBox>(d, "small2"), control<QComboBox>(d, "small3")}) {
            QVERIFY(box->isEditable());
            QCOMPARE(box->currentIndex(), -1);
            QStringList listed;
            for (int i = 0; i < box->count(); ++i)
                listed << box->itemText(i);
            QCOMPARE(listed, items);
        }

        // The help texts, built in until a language replaces them.
        const QList<QPair<LanguageLine, QString>> helps = {
            {LanguageLine::PluginHelp,
             QStringLiteral("In diesem Fenster sehen sie, welche Plugins Installiert wurden.")},
            {LanguageLine::ServerHelp,
             QStringLiteral("In diesem Fenster können sie ihre Zugriffsdaten für einen Server über AdminMod "
                            "oder Clanmod eintragen, um diese nicht immer wieder eingeben zu müssen.")},
            {LanguageLine::RestockHelp,
             QStringLiteral("Hier können sie die Artikel für den Restock kauf einstellen. Mit einem Klick auf "
                            "die Restock Taste wird dieses Packet dann gekauft. Die Restock Taste können sie "
                            "im CS - Tastenkonfiguration belegen.")},
            {LanguageLine::SoundHelp,
             QStringLiteral("Hier können Töne eingetragen werden, welche dann per Tastendruck in HL abgespielt "
                            "werden können! WICHTIG! DIE TÖNE MÜSSEN SICH ALS .WAV DATEI IM COUNTER-STRIKE "
                            "UNTERORDNER sound/vox BEFINDEN UM EINGESETZT WERDEN ZU KÖNNEN! Tragen sie in dem "
                            "Textfeld den Dateinamen des Musikstückes ein.")},
            {LanguageLine::TextHelp,
             QStringLiteral("Hier können Benutzerdefinierte Texte eingegeben werden, die dann durch einen "
                            "Tastendruck im HL ausgegeben werden")},
            {LanguageLine::DisclaimerText,
             QStringLiteral("Der Programmierer dieses Scriptes übernimmt keine Haftung für eventuelle Schäden, "
                            "die beim Benutzen dieses Programmes auftreten können.")},
        };
        for (const auto &help : helps)
            QCOMPARE(Texts::builtInCaption(help.first), help.second);
    }

    void serverAccessWindow()
    {
        ServerAccessDialog *d = dialog<ServerAccessDialog>();
        QGroupBox *f = control<QGroupBox>(d, "adminmod");
        checkControls(d, QStringLiteral("Setinfo - Feld"), {314, 129},
                      {{"adminmod", f, d, {16, 16, 281, 89}, QStringLiteral("Clanmod/Adminmod Config")},
                       {"pwfeld", control<QLineEdit>(d, "pwfeld"), f, {8, 24, 129, 19}, {}},
                       {"Label1", control<QLabel>(d, "Label1"), f, {136, 24, 9, 17}, QStringLiteral("1")},
                       {"pass", control<QLineEdit>(d, "pass"), f, {152, 24, 121, 19}, {}},
                       {"Label2", control<QLabel>(d, "Label2"), f, {272, 24, 9, 17}, QStringLiteral("1")},
                       {"Label4", control<QLabel>(d, "Label4"), f, {16, 48, 113, 17}, QStringLiteral("Passwort Feld")},
                       {"Label5", control<QLabel>(d, "Label5"), f, {168, 48, 89, 17}, QStringLiteral("Passwort")},
                       {"Text1", control<QLineEdit>(d, "Text1"), f, {8, 64, 129, 19}, {}},
                       {"Label3", control<QLabel>(d, "Label3"), f, {136, 64, 9, 17}, QStringLiteral("2")},
                       {"Text2", control<QLineEdit>(d, "Text2"), f, {152, 64, 121, 19}, {}},
                       {"Label6", control<QLabel>(d, "Label6"), f, {272, 64, 9, 17}, QStringLiteral("2")},
                       {"Command1", control<QPushButton>(d, "Command1"), d, {112, 104, 89, 17}, QStringLiteral("Schließen")},
                       {"Command2", control<QPushButton>(d, "Command2"), d, {232, 104, 65, 13}, QStringLiteral("Hilfe")}});
        for (QLineEdit *box : {control<QLineEdit>(d, "pwfeld"), control<QLineEdit>(d, "pass"), control<QLineEdit>(d, "Text1"), control<QLineEdit>(d, "Text2")})
            QCOMPARE(box->echoMode(), QLineEdit::Normal);
    }

    void soundWindow()
    {
        SoundDialog *d = dialog<SoundDialog>();
        checkControls(d, QStringLiteral("Soundmenü"), {234, 121},
                      {{"Label1", control<QLabel>(d, "Label1"), d, {8, 8, 121, 17}, QStringLiteral("User defined tones")},
                       {"Command2", control<QPushButton>(d, "Command2"), d, {144, 8, 81, 13}, QStringLiteral("Schließen")},
                       {"snd1", control<QLineEdit>(d, "snd1"), d, {8, 32, 169, 19}, {}},
                       {"Label2", control<QLabel>(d, "Label2"), d, {184, 32, 113, 17}, QStringLiteral("Ton1")},
                       {"snd2", control<QLineEdit>(d, "snd2"), d, {8, 56, 169, 19}, {}},
                       {"Label3", control<QLabel>(d, "Label3"), d, {184, 56, 113, 17}, QStringLiteral("Ton2")},
                       {"snd3", control<QLineEdit>(d, "snd3"), d, {8, 80, 169, 19}, {}},
                       {"Label4", control<QLabel>(d, "Label4"), d, {184, 80, 113, 17}, QStringLiteral("Ton3")},
                       {"Command1", control<QPushButton>(d, "Command1"), d, {64, 104, 113, 13}, QStringLiteral("Hilfe")}});
    }

    void textWindow()
    {
        TextMessageDialog *d = dialog<TextMessageDialog>();
        QList<Expected> controls;
        const QList<QPair<QLineEdit *, QLabel *>> rows = {{control<QLineEdit>(d, "Text1"), control<QLabel>(d, "Label1")}, {control<QLineEdit>(d, "Text2"), control<QLabel>(d, "Label2")},
                                                           {control<QLineEdit>(d, "Text3"), control<QLabel>(d, "Label3")}, {control<QLineEdit>(d, "Text4"), control<QLabel>(d, "Label4")},
                                                           {control<QLineEdit>(d, "Text5"), control<QLabel>(d, "Label5")}, {control<QLineEdit>(d, "Text6"), control<QLabel>(d, "Label6")},
                                                           {control<QLineEdit>(d, "Text7"), control<QLabel>(d, "Label7")}, {control<QLineEdit>(d, "Text8"), control<QLabel>(d, "Label8")}};
        const int tops[] = {16, 40, 64, 88, 112, 144, 168, 192};
        for (int i = 0; i < 8; ++i) {
            controls.append({"Text", rows[i].first, d, {16, tops[i], 209, 19}, {}});
            const QString caption = i < 5 ? QStringLiteral("Message%1").arg(i + 1)
                                          : QStringLiteral("Teammessage%1").arg(i - 4);
            QCOMPARE(rows[i].second->pos(), QPoint(i < 5 ? 240 : 232, tops[i]));
            QCOMPARE(rows[i].second->height(), 17);
            QVERIFY(QRect(0, 0, 313, 233).contains(rows[i].second->geometry()));
            controls.append({"Label", rows[i].second, d, rows[i].second->geometry(), caption});
        }
        controls.append({"Command2", control<QPushButton>(d, "Command2"), d, {16, 216, 137, 17}, QStringLiteral("Schließen")});
        controls.append({"Command1", control<QPushButton>(d, "Command1"), d, {208, 216, 97, 17}, QStringLiteral("Hilfe")});
        checkControls(d, QStringLiteral("TextMenü"), {313, 233}, controls);
    }

    void personalModeWindow()
    {
        PersonalModeDialog *d = dialog<PersonalModeDialog>();
        const QList<QPair<QLineEdit *, QLabel *>> rows = {
            {control<QLineEdit>(d, "reload"), control<QLabel>(d, "reloadLabel")},   {control<QLineEdit>(d, "usp"), control<QLabel>(d, "uspLabel")},         {control<QLineEdit>(d, "glock"), control<QLabel>(d, "glockLabel")},
            {control<QLineEdit>(d, "p90"), control<QLabel>(d, "p90Label")},         {control<QLineEdit>(d, "mp5"), control<QLabel>(d, "mp5Label")},         {control<QLineEdit>(d, "para"), control<QLabel>(d, "paraLabel")},
            {control<QLineEdit>(d, "scout"), control<QLabel>(d, "scoutLabel")},     {control<QLineEdit>(d, "awp"), control<QLabel>(d, "awpLabel")},         {control<QLineEdit>(d, "g3sg1"), control<QLabel>(d, "g3sg1Label")},
            {control<QLineEdit>(d, "xm1014"), control<QLabel>(d, "xm1014Label")},   {control<QLineEdit>(d, "super90"), control<QLabel>(d, "super90Label")}, {control<QLineEdit>(d, "sigp228"), control<QLabel>(d, "sigp228Label")},
            {control<QLineEdit>(d, "deagle"), control<QLabel>(d, "deagleLabel")},   {control<QLineEdit>(d, "ump45"), control<QLabel>(d, "ump45Label")},     {control<QLineEdit>(d, "teampistol"), control<QLabel>(d, "teampistolLabel")},
            {control<QLineEdit>(d, "ak47"), control<QLabel>(d, "ak47Label")},       {control<QLineEdit>(d, "uzi"), control<QLabel>(d, "uziLabel")},         {control<QLineEdit>(d, "aug"), control<QLabel>(d, "augLabel")},
            {control<QLineEdit>(d, "sg550"), control<QLabel>(d, "sg550Label")},     {control<QLineEdit>(d, "he"), control<QLabel>(d, "heLabel")},           {control<QLineEdit>(d, "smoke"), control<QLabel>(d, "smokeLabel")},
            {control<QLineEdit>(d, "flash"), control<QLabel>(d, "flashLabel")},     {control<QLineEdit>(d, "defuse"), control<QLabel>(d, "defuseLabel")},   {control<QLineEdit>(d, "plant"), control<QLabel>(d, "plantLabel")}};
        const QStringList captions = {"Reload",     "USP",       "Glock18",      "P90",
                                      "MP5",        "Para",      "Scout",        "AWP",
                                      "G3-SG1",     "XM1014",    "Super90",      "SigP228",
                                      "Deagle",     "UMP45",     "TeamPistol",   "AK47/Colt",
                                      "UZI/Tactical", "Steyr Aug/Sig SG", "G3SG1/SG550", "HE",
                                      "Smoke",      "Flashbang", "Defuse Bomb",  "Plant Bomb"};
        QList<Expected> controls = {
            {"Label1", control<QLabel>(d, "Label1"), d, {8, 8, 281, 33}, QStringLiteral("Personal Mode - Config")},
            {"Command1", control<QPushButton>(d, "Command1"), d, {176, 8, 97, 17}, QStringLiteral("Schließen")}};
        for (int n = 0; n < 24; ++n) {
            const int top = 40 + 16 * n;
            controls.append({"box", rows[n].first, d, {96, top, 177, 19}, {}});
            QLabel *label = rows[n].second;
            QVERIFY(label->width() >= 41 && label->width() <= 89);
            controls.append({"row label", label, d, {8, top, label->width(), 17}, captions[n]});
        }
        checkControls(d, QStringLiteral("Funmode-Config"), {281, 433}, controls);
        QVERIFY(control<QLabel>(d, "Label1")->font().bold());

        // Tab walks the boxes top to bottom.
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d));
        control<QLineEdit>(d, "reload")->setFocus();
        for (int n = 1; n < 24; ++n) {
            QTest::keyClick(d->focusWidget(), Qt::Key_Tab);
            QCOMPARE(d->focusWidget(), rows[n].first);
        }
    }
};

QTEST_MAIN(TestDialogLayout)
#include "test_dialoglayout.moc"
