#include "appearance.h"
#include "language.h"
#include "optiondialog.h"
#include "testsupport.h"

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
    const char *parent; // null: the window itself
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
    QStringList expectedNames;
    for (const Expected &expected : controls) {
        const QByteArray what = QByteArray(expected.name) + " of " + title.toUtf8();
        QWidget *shown = control<QWidget>(window, expected.name);
        QWidget *parent = expected.parent ? control<QWidget>(window, expected.parent) : window;
        QVERIFY2(shown->parentWidget() == parent, what);
        QVERIFY2(shown->geometry() == expected.place, what);
        QVERIFY2(!shown->isHidden(), what);
        QVERIFY2(captionOf(shown) == expected.caption, what + ": " + captionOf(shown).toUtf8());
        if (auto *label = qobject_cast<QLabel *>(shown)) {
            QVERIFY2(label->textFormat() == Qt::PlainText, what);
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(), what + " too narrow");
        }
        expectedNames << QString::fromLatin1(expected.name);
    }
    // No control under another name, none named twice.
    expectedNames.sort();
    QCOMPARE(controlNames(window), expectedNames);
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
        const QString restoc =
            QStringLiteral("Big Restock") + QString(24, QLatin1Char(' ')) + QStringLiteral("Small Retock  ");
        QCOMPARE(restoc.size(), 49);
        checkControls(d, QStringLiteral("Restocks"), {314, 218},
                      {{"restoc", nullptr, {48, 8, 217, 193}, restoc},
                       {"big1", "restoc", {8, 24, 89, 21}, {}},
                       {"big2", "restoc", {8, 56, 89, 21}, {}},
                       {"big3", "restoc", {8, 88, 89, 21}, {}},
                       {"big4", "restoc", {8, 120, 89, 21}, {}},
                       {"big5", "restoc", {8, 152, 89, 21}, {}},
                       {"small1", "restoc", {120, 24, 89, 21}, {}},
                       {"small2", "restoc", {120, 88, 89, 21}, {}},
                       {"small3", "restoc", {120, 152, 89, 21}, {}},
                       {"Command4", "restoc", {144, 176, 65, 13}, QStringLiteral("Hilfe")},
                       {"Command1", nullptr, {16, 192, 73, 17}, QStringLiteral("Schließen")}});

        const QStringList items = {"kevlar",      "kevlarandhelm", "flashbang",    "hegrenade",
                                   "smokegrenade", "grenadepack",  "munition",     "nightvision",
                                   "defusial-kit", "2xflashbang",  "---"};
        for (const char *name : {"big1", "big2", "big3", "big4", "big5", "small1", "small2", "small3"}) {
            QComboBox *box = control<QComboBox>(d, name);
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
        checkControls(d, QStringLiteral("Setinfo - Feld"), {314, 129},
                      {{"adminmod", nullptr, {16, 16, 281, 89}, QStringLiteral("Clanmod/Adminmod Config")},
                       {"pwfeld", "adminmod", {8, 24, 129, 19}, {}},
                       {"Label1", "adminmod", {136, 24, 9, 17}, QStringLiteral("1")},
                       {"pass", "adminmod", {152, 24, 121, 19}, {}},
                       {"Label2", "adminmod", {272, 24, 9, 17}, QStringLiteral("1")},
                       {"Label4", "adminmod", {16, 48, 113, 17}, QStringLiteral("Passwort Feld")},
                       {"Label5", "adminmod", {168, 48, 89, 17}, QStringLiteral("Passwort")},
                       {"Text1", "adminmod", {8, 64, 129, 19}, {}},
                       {"Label3", "adminmod", {136, 64, 9, 17}, QStringLiteral("2")},
                       {"Text2", "adminmod", {152, 64, 121, 19}, {}},
                       {"Label6", "adminmod", {272, 64, 9, 17}, QStringLiteral("2")},
                       {"Command1", nullptr, {112, 104, 89, 17}, QStringLiteral("Schließen")},
                       {"Command2", nullptr, {232, 104, 65, 13}, QStringLiteral("Hilfe")}});
        for (const char *name : {"pwfeld", "pass", "Text1", "Text2"})
            QCOMPARE(control<QLineEdit>(d, name)->echoMode(), QLineEdit::Normal);
    }

    void soundWindow()
    {
        SoundDialog *d = dialog<SoundDialog>();
        checkControls(d, QStringLiteral("Soundmenü"), {234, 121},
                      {{"Label1", nullptr, {8, 8, 121, 17}, QStringLiteral("User defined tones")},
                       {"Command2", nullptr, {144, 8, 81, 13}, QStringLiteral("Schließen")},
                       {"snd1", nullptr, {8, 32, 169, 19}, {}},
                       {"Label2", nullptr, {184, 32, 113, 17}, QStringLiteral("Ton1")},
                       {"snd2", nullptr, {8, 56, 169, 19}, {}},
                       {"Label3", nullptr, {184, 56, 113, 17}, QStringLiteral("Ton2")},
                       {"snd3", nullptr, {8, 80, 169, 19}, {}},
                       {"Label4", nullptr, {184, 80, 113, 17}, QStringLiteral("Ton3")},
                       {"Command1", nullptr, {64, 104, 113, 13}, QStringLiteral("Hilfe")}});
    }

    void textWindow()
    {
        TextMessageDialog *d = dialog<TextMessageDialog>();
        // Message1 to Message5, then Teammessage1 to Teammessage3, each box with its label.
        static const char *const boxes[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8"};
        static const char *const labels[] = {"Label1", "Label2", "Label3", "Label4",
                                             "Label5", "Label6", "Label7", "Label8"};
        const int tops[] = {16, 40, 64, 88, 112, 144, 168, 192};
        QList<Expected> controls;
        for (int i = 0; i < 8; ++i) {
            controls.append({boxes[i], nullptr, {16, tops[i], 209, 19}, {}});
            const QString caption = i < 5 ? QStringLiteral("Message%1").arg(i + 1)
                                          : QStringLiteral("Teammessage%1").arg(i - 4);
            QLabel *label = control<QLabel>(d, labels[i]);
            QCOMPARE(label->pos(), QPoint(i < 5 ? 240 : 232, tops[i]));
            QCOMPARE(label->height(), 17);
            QVERIFY(QRect(0, 0, 313, 233).contains(label->geometry()));
            controls.append({labels[i], nullptr, label->geometry(), caption});
        }
        controls.append({"Command2", nullptr, {16, 216, 137, 17}, QStringLiteral("Schließen")});
        controls.append({"Command1", nullptr, {208, 216, 97, 17}, QStringLiteral("Hilfe")});
        checkControls(d, QStringLiteral("TextMenü"), {313, 233}, controls);
    }

    void personalModeWindow()
    {
        PersonalModeDialog *d = dialog<PersonalModeDialog>();
        // Each box's label is named after the box.
        static const char *const boxes[] = {"reload", "usp",   "glock",      "p90",  "mp5",     "para",
                                            "scout",  "awp",   "g3sg1",      "xm1014", "super90", "sigp228",
                                            "deagle", "ump45", "teampistol", "ak47", "uzi",     "aug",
                                            "sg550",  "he",    "smoke",      "flash", "defuse", "plant"};
        const QStringList captions = {"Reload",     "USP",       "Glock18",      "P90",
                                      "MP5",        "Para",      "Scout",        "AWP",
                                      "G3-SG1",     "XM1014",    "Super90",      "SigP228",
                                      "Deagle",     "UMP45",     "TeamPistol",   "AK47/Colt",
                                      "UZI/Tactical", "Steyr Aug/Sig SG", "G3SG1/SG550", "HE",
                                      "Smoke",      "Flashbang", "Defuse Bomb",  "Plant Bomb"};
        QList<Expected> controls = {
            {"Label1", nullptr, {8, 8, 281, 33}, QStringLiteral("Personal Mode - Config")},
            {"Command1", nullptr, {176, 8, 97, 17}, QStringLiteral("Schließen")}};
        QList<QByteArray> labelNames;
        for (int n = 0; n < 24; ++n)
            labelNames << QByteArray(boxes[n]) + "Label";
        for (int n = 0; n < 24; ++n) {
            const int top = 40 + 16 * n;
            controls.append({boxes[n], nullptr, {96, top, 177, 19}, {}});
            QLabel *label = control<QLabel>(d, labelNames[n].constData());
            QVERIFY(label->width() >= 41 && label->width() <= 89);
            controls.append({labelNames[n].constData(), nullptr, {8, top, label->width(), 17}, captions[n]});
        }
        checkControls(d, QStringLiteral("Funmode-Config"), {281, 433}, controls);
        QVERIFY(control<QLabel>(d, "Label1")->font().bold());

        // Tab walks the boxes top to bottom.
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d));
        control<QLineEdit>(d, "reload")->setFocus();
        for (int n = 1; n < 24; ++n) {
            QTest::keyClick(d->focusWidget(), Qt::Key_Tab);
            QCOMPARE(d->focusWidget(), control<QLineEdit>(d, boxes[n]));
        }
    }
};

QTEST_MAIN(TestDialogLayout)
#include "test_dialoglayout.moc"
