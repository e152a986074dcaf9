#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class FolderBrowser;
class Package;
class QLabel;
class QLineEdit;
class QListWidget;

// The setup dialog: asks for the Half-Life directory and the interface
// language, records both in the path file "pfad.kst" and hands over to the
// main window. Closing it drops it (it deletes itself).
class SetupDialog : public QWidget
{
    Q_OBJECT

public:
    // `afresh`: built again after it was closed, it shows no language applied
    // until one is.
    SetupDialog(Package &package, bool afresh);
    ~SetupDialog() override;

    // The first start: the Half-Life folder the package lies in, if it does.
    void offerFolderFound();

    // The directory browser it opens, built when first asked for.
    FolderBrowser *browser();
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

protected:
    void closeEvent(QCloseEvent *event) override;
    // Escape closes it as its title bar's close button does.
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // The path file as the package holds it.
    void showPathFile();
    // Its title and captions in the language in force.
    void retranslate();
    // "Save and Go".
    void saveAndGo();
    // The closing sequence. False when the path file could not be written:
    // the user has been told; the dialog closes all the same.
    bool recordOnClose();
    QString selectedLanguage() const;
    void selectLanguage(const QString &name, Qt::MatchFlags match);
    bool writePathFile();
    // True, with a message saying why, when the folder typed is no Half-Life folder.
    bool refusesHalfLifeFolder() const;

    Package &m_package;
    QLineEdit *m_halfLifeFolder;
    QListWidget *m_languages;
    // The language applied, the one clicked in the list, and the one the path file records.
    QLabel *m_languageInForce;
    QLabel *m_languageChosen;
    QLabel *m_languageRecorded;
    QPointer<FolderBrowser> m_browser;
};
