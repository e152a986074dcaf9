#include "package.h"

#include "write.h"
#include "writescripts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A package holds the languages it ships from the start, and the path file from
// its first run on. State files are no sign: a start elsewhere may have left them.
bool holdsPackageFiles(const QString &folder)
{
    const QStringList names{PackageFiles::kPathFile, QStringLiteral("*.lang")};
    return !QDir(folder).entryList(names, QDir::Files | QDir::Hidden | QDir::System).isEmpty();
}

} // namespace

bool Package::startFolderFits(const QString &current, const QString &programFolder)
{
    if (PackageFiles::SameFile(current, programFolder))
        return true;
    return !holdsPackageFiles(programFolder) && holdsPackageFiles(current);
}

PackageFiles::Lock Package::lock()
{
    return m_lock.take();
}

void Package::unlock()
{
    m_lock.release();
}

void Package::readPathFile()
{
    m_pathFile = ReadPathFile(m_language);
    m_bound = PackageFiles::BoundingFolder(m_pathFile.file.halfLife);
}

bool Package::recordPathFile(const QString &halfLife, const QString &language, QString *error)
{
    const PathFile file = PathFile::For(halfLife, language);
    if (!WritePathFile(file, error))
        return false;
    m_pathFile = {true, file, {}};
    m_bound = PackageFiles::BoundingFolder(halfLife);
    return true;
}

QString Package::languageToRecord(const QString &chosen) const
{
    // A damaged line 2 that the path file could not take again is no language to keep.
    if (!chosen.isEmpty() || !PackageFiles::FitsPathFileLine(recordedLanguage()))
        return chosen;
    return recordedLanguage();
}

LanguageOutcome Package::applyLanguage(bool withCommandMenu)
{
    const QString name = recordedLanguage();
    QStringList lines;
    LanguageOutcome outcome;
    outcome.unusable = ReadLanguageFile(m_language, name, m_bound, &lines);
    if (!outcome.unusable.isEmpty())
        return outcome;
    m_appliedLanguage = name;
    m_language = Language(lines);
    return ReplaceGameFiles(m_language, lines, name, m_pathFile.file, m_bound, withCommandMenu);
}

void Package::useRecordedMessages()
{
    QStringList lines;
    const QString name = recordedLanguage();
    if (!name.isEmpty() && ReadLanguageFile(m_language, name, m_bound, &lines).isEmpty())
        m_language = Language(lines);
}

void Package::readSettings()
{
    settings = ReadSettings(m_bound);
}

bool Package::switchModule(PackageModule module, bool on, QString *message)
{
    const QString marker = MarkerFile(module);
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
    PackageFiles::RemoveStaleTemporaries(m_lock, m_bound);
    return WriteScripts(m_language, settings, m_bound, error);
}

QString MarkerContent(PackageModule module)
{
    static const char *const contents[] = {"say aktiviert", "fun aktiviert", "it aktiviert"};
    return QString::fromLatin1(contents[size_t(module)]);
}
