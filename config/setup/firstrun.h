#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class Package;
class firstrun2;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The setup dialog: asks for the Half-Life directory and the interface
// language, records both in the path file "pfad.kst" and hands over to the
// main window. Closing it drops it (it deletes itself).
class firstrun : public QWidget
{
    Q_OBJECT

public:
    // `afresh`: built again after it was closed, it shows no language applied
    // until one is.
    firstrun(Package &package, bool afresh);
    ~firstrun() override;

    void form_load();
    // The first start: the Half-Life folder the package lies in, if it does.
    void offerFolderFound();
    // The closing sequence. False when the path file could not be written:
    // the user has been told; the dialog closes all the same.
    bool form_unload();

    // The directory browser it opens, built when first asked for.
    firstrun2 *browser();
    bool hasBrowser() const { return !m_browser.isNull(); }

signals:
    // A language was put in force: every window takes its texts.
    void languageApplied();
    // The main window takes over.
    void handOver();
    // Closed without the path file written.
    void closedUnsaved();
    // Closed: dropped, it deletes itself.
    void closed();

public:
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
    void selectLanguage(const QString &name, Qt::MatchFlags match);
    bool writePathFile();
    QString noHalfLifeFolder() const;

    Package &m_package;
    QPointer<firstrun2> m_browser;
};
