#include "package.h"

#include "textfiles.h"
#include "writescripts.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

// A package holds the languages it ships from the start, and the path file from
// its first run on. State files are no sign: a start elsewhere may have left them.
// Compared by hand, as a name filter would (ignoring case): a filter's
// pattern would page in the regular expression engine at every start.
bool holdsPackageFiles(const QString &folder)
{
    QDirIterator files(folder, QDir::Files | QDir::Hidden | QDir::System);
    while (files.hasNext()) {
        const QString name = files.nextFileInfo().fileName();
        if (name.compare(PackageFiles::kPathFile, Qt::CaseInsensitive) == 0
            || name.endsWith(QLatin1String(".lang"), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

const QString Package::kUsualHalfLifeFolder = QStringLiteral("c:\\sierra\\half-life");

Package::Package(const QString &folder)
    : m_folder(QDir::cleanPath(folder))
    , m_lock(m_folder)
    , m_bound(PackageFiles::BoundingFolder(QString(), m_folder))
{
}

bool Package::startFolderFits(const QString &current, const QString &programFolder)
{
    if (PackageFiles::SameFile(current, programFolder))
        return true;
    return !holdsPackageFiles(programFolder) && holdsPackageFiles(current);
}

PackageLock::Outcome Package::lock()
{
    return m_lock.take();
}

void Package::unlock()
{
    m_lock.release();
}

void Package::readPathFile()
{
    m_pathFile = ReadPathFile(m_language, m_folder);
    m_bound = PackageFiles::BoundingFolder(m_pathFile.file.halfLife, m_folder);
}

bool Package::recordPathFile(const QString &halfLife, const QString &language, QString *error)
{
    const PathFile file = PathFile::For(halfLife, language);
    if (!WritePathFile(m_folder, file, error))
        return false;
    m_pathFile = {true, file, {}};
    m_bound = PackageFiles::BoundingFolder(halfLife, m_folder);
    return true;
}

QString Package::suggestedHalfLifeFolder() const
{
    QDir above(m_folder);
    if (!above.cdUp() || !above.cdUp() || !PackageFiles::IsHalfLifeFolder(above.absolutePath()))
        return kUsualHalfLifeFolder;
    const QString found = QDir::toNativeSeparators(above.absolutePath());
    return PackageFiles::FitsPathFileLine(found) ? found : kUsualHalfLifeFolder;
}

std::optional<Texts::Id> Package::halfLifeFolderFault(const QString &typed) const
{
    const QString folder = PackageFiles::PathIn(m_folder, typed);
    if (PackageFiles::IsHalfLifeFolder(folder))
        return std::nullopt;
    // A root that holds cstrike is still none: say so rather than that cstrike is missing.
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (!canonical.isEmpty() && QDir(canonical).isRoot())
        return Texts::RootIsNoHalfLifeFolder;
    return Texts::NoCstrikeFolder;
}

bool Package::hasPlugin(int number) const
{
    return FileExists(QDir(m_folder).filePath(QStringLiteral("plugin%1.cfg").arg(number)));
}

QString Package::languageToRecord(const QString &chosen) const
{
    // A damaged line 2 that the path file could not take again is no language to keep.
    if (!chosen.isEmpty() || !PackageFiles::FitsPathFileLine(recordedLanguage()))
        return chosen;
    return recordedLanguage();
}

QStringList Package::languageFiles() const
{
    return LanguageFiles(m_folder);
}

QString Package::textInChosenLanguage(const QString &chosen, Texts::Id id) const
{
    QStringList lines;
    const QString name = languageToRecord(chosen);
    if (!name.isEmpty() && ReadLanguageFile(m_language, m_folder, name, m_bound, &lines).isEmpty())
        return Texts::fromLanguage(lines, id);
    return m_language.message(id);
}

LanguageOutcome Package::applyLanguage(bool withCommandMenu)
{
    const QString name = recordedLanguage();
    QStringList lines;
    LanguageOutcome outcome;
    outcome.unusable = ReadLanguageFile(m_language, m_folder, name, m_bound, &lines);
    if (!outcome.unusable.isEmpty())
        return outcome;
    m_appliedLanguage = name;
    m_language = Language(lines);
    return ReplaceGameFiles(m_language, lines, name, m_pathFile.file, m_folder, m_bound, withCommandMenu);
}

void Package::useRecordedMessages()
{
    QStringList lines;
    const QString name = recordedLanguage();
    if (!name.isEmpty() && ReadLanguageFile(m_language, m_folder, name, m_bound, &lines).isEmpty())
        m_language = Language(lines);
}

void Package::readSettings()
{
    settings = ReadSettings(m_folder, m_bound);
}

bool Package::switchModule(PackageModule module, bool on, QString *message)
{
    const QString marker = QDir(m_folder).filePath(MarkerFile(module));
    if (on) {
        QString error;
        if (PackageFiles::WriteText(m_language, m_bound, marker, {MarkerContent(module)}, &error))
            return settings.module(module) = true;
        *message = m_language.message(Texts::SwitchOnFailed).arg(error);
    } else {
        QFile file(marker);
        // A marker that is gone already is just as good as one removed now.
        if (file.remove() || !FileExists(marker)) {
            settings.module(module) = false;
            return true;
        }
        *message = m_language.message(Texts::SwitchOffFailed)
                       .arg(QDir::toNativeSeparators(QFileInfo(marker).absoluteFilePath()), file.errorString());
    }
    // What the next start will find, not what was asked for.
    settings.module(module) = FileExists(marker);
    return false;
}

bool Package::save(QString *error)
{
    m_lock.removeStaleTemporaries(m_bound);
    return WriteScripts(m_language, settings, m_folder, m_bound, error);
}

QString MarkerContent(PackageModule module)
{
    static const char *const contents[] = {"say aktiviert", "fun aktiviert", "it aktiviert"};
    return QString::fromLatin1(contents[size_t(module)]);
}
