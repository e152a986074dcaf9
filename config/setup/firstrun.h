#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The setup dialog: asks for the Half-Life directory and the interface
// language, records both in the path file "pfad.kst" and hands over to the
// main window.
class firstrun : public QWidget
{
    Q_OBJECT

public:
    firstrun();

    void form_load();
    // The closing sequence. False when the path file could not be written:
    // the user has been told; the dialog closes all the same.
    bool form_unload();

    QLabel *Label1;
    QLabel *Label2;
    QPushButton *Command1;
    QLineEdit *pfad;
    QPushButton *search;
    QLabel *Label3;
    QListWidget *language;
    QLabel *Label4;
    QLabel *lang2;
    QLabel *Label5;
    QLabel *sellang;
    QPushButton *Command2;
    QLabel *lang;
    QFrame *Line1;
    QFrame *Line2;
    QFrame *Line3;
    QFrame *Line4;
    QFrame *Line5;

public slots:
    void Command1_Click();
    void search_Click();
    void language_Click();
    void Command2_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QString selectedLanguage() const;
    void selectLanguage(const QString &name);
    bool writePathFile();
};

// The lines of the path file "pfad.kst": Half-Life directory, language file,
// and the game's key-binding list and command menu derived from the directory.
QStringList PathFileLines(const QString &directory, const QString &languageFile);

// The setup dialog's `lang` (the language the path file records) and `lang2`
// (the language applied last), whether the dialog is built or not: one built
// later shows them, and one built again after it was closed starts afresh.
QString RecordedLanguage();
void ShowAppliedLanguage(const QString &name);

// Steps of the main window's startup, which build no setup dialog for them:
// the recorded language (line 2 of the path file), and on a first run (no
// path file) the setup dialog shown; true when it was.
void LoadRecordedLanguage(const QString &languageFile);
bool ShowSetupOnFirstRun();
