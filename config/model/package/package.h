#pragma once

#include "gamefiles.h"
#include "language.h"
#include "packagefiles.h"
#include "packagelock.h"
#include "pathfile.h"
#include "settings.h"

#include <QString>
#include <QStringList>

#include <optional>

// The package folder as the configurator works with it: the path file, the
// Half-Life folder that bounds every path, the language in force, the
// settings with the module switches, the plug-ins, and the lock. The windows
// show it and hand their edits back; nothing here knows a window, and
// nothing depends on the current directory. Each step reads what it needs
// once and passes it on.
class Package
{
public:
    // The package in `folder`, an absolute path: every file it reads or
    // writes lies there, or below the Half-Life folder.
    explicit Package(const QString &folder);
    const QString &folder() const { return m_folder; }

    // The Half-Life folder of a usual Windows installation: "c:\sierra\half-life".
    static const QString kUsualHalfLifeFolder;

    // Whether a start in the folder `current` works in its own package, the
    // program lying in `programFolder`: it does when started in the program's
    // folder (also through a link), and a program that lies in no package
    // folder (a build of its own) does in a folder holding a path file or a
    // language file. A program inside its package never works elsewhere: what
    // it wrote there, no start of the package would read.
    static bool startFolderFits(const QString &current, const QString &programFolder);

    // Takes the package folder's lock (PackageLock::take).
    PackageLock::Outcome lock();
    // Every end of the program gives the lock up.
    void unlock();
    // The lock file, as the messages name it.
    QString lockFilePath() const { return m_lock.nativePath(); }

    // The path file, read once at the start; the setup dialog writes it anew.
    void readPathFile();
    const PathFileRead &pathFile() const { return m_pathFile; }
    // Writes the path file for the Half-Life folder and language given, whole;
    // the package then holds it. False and `*error` when it can't be written.
    bool recordPathFile(const QString &halfLife, const QString &language, QString *error);
    // The folder no file may lead out of (BoundingFolder of the path file's line 1).
    const QString &bound() const { return m_bound; }

    // A first run: the start found no path file, so the setup dialog asks
    // for the Half-Life folder before the main window is shown.
    bool firstRun() const { return !m_pathFile.exists; }
    // The Half-Life folder a first run offers: the one the package lies in,
    // as in <Half-Life>/cstrike/qor, when it is one and the path file can
    // hold it; otherwise the usual folder of a Windows installation.
    QString suggestedHalfLifeFolder() const;
    // Why the folder `typed` (as the setup dialog holds it, relative ones
    // counting from the package folder) is no Half-Life folder the path file
    // may record (PackageFiles::IsHalfLifeFolder): the message that says so,
    // the folder to fill its %1; none when it is one.
    std::optional<Texts::Id> halfLifeFolderFault(const QString &typed) const;

    // Whether the plug-in `number` (1 to 4) is there: its "plugin<n>.cfg".
    bool hasPlugin(int number) const;

    // The language the path file records (line 2), and the one applied last.
    QString recordedLanguage() const { return m_pathFile.file.language; }
    // What the path file is to record for the language `chosen` in the setup
    // dialog: no new choice keeps the recorded one, so opening the dialog
    // changes no language. Empty when neither is there, or the recorded one
    // is no name the path file can hold.
    QString languageToRecord(const QString &chosen) const;
    QString appliedLanguage() const { return m_appliedLanguage; }
    // The language files the setup dialog offers (LanguageFiles).
    QStringList languageFiles() const;
    // The text `id` in the language `chosen` in the setup dialog, before it
    // is applied (languageToRecord); in the one in force when that can't be read.
    QString textInChosenLanguage(const QString &chosen, Texts::Id id) const;
    // The language in force: the built-in texts until one is put in force.
    // Every message of the package is said in it. The reference stays
    // valid as long as the package and always shows the one in force.
    const Language &language() const { return m_language; }
    // Puts the recorded language in force and replaces the game files it
    // names; with `withCommandMenu` false the command menu stays.
    // A language file that can't be used changes nothing (`unusable` says why).
    LanguageOutcome applyLanguage(bool withCommandMenu);
    // Only the messages of the recorded language, for a start that applies none.
    void useRecordedMessages();

    // The settings saved at the last close, and the switches as their marker
    // files are: read once at the start.
    Settings settings;
    void readSettings();
    // Switches a module on or off by writing or removing its marker file.
    // False when that failed: `*message` says why, and the switch is then
    // what the next start will find.
    bool switchModule(PackageModule module, bool on, QString *message);
    // The close: removes what killed saves left, then writes the scripts and
    // the state files from the settings. False and `*error` for each file that
    // could not be written.
    bool save(QString *error);

private:
    QString m_folder;
    PackageLock m_lock;
    PathFileRead m_pathFile;
    QString m_bound;
    QString m_appliedLanguage;
    Language m_language;
};

// What a module's marker file holds.
QString MarkerContent(PackageModule module);
