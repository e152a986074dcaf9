#include "pathfile.h"

#include "fileplatform.h"
#include "packagefiles.h"
#include "language.h"
#include "textfiles.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int kLines = 4;

} // namespace

PathFile PathFile::For(const QString &halfLife, const QString &language)
{
    return {halfLife, language, halfLife + QStringLiteral("\\cstrike\\gfx\\shell\\kb_act.lst"),
            halfLife + QStringLiteral("\\cstrike\\commandmenu.txt")};
}

QStringList PathFile::lines() const
{
    return {halfLife, language, keyBindings, commandMenu};
}

PathFileRead ReadPathFile(const Language &language, const QString &folder)
{
    const QString path = QDir(folder).filePath(PackageFiles::kPathFile);
    PathFileRead read;
    const QFileInfo info(path);
    read.exists = info.exists();
    QString why;
    QStringList lines;
    if (PackageFiles::LeadsOutside(path, folder)) {
        why = language.message(Texts::LeadsOutsidePackage);
    } else if (info.exists() && !info.isFile()) {
        why = language.message(Texts::NoRegularFile);
    } else if (info.exists() && (info.isHidden() || FilePlatform::IsSystemFile(path))) {
        why = language.message(Texts::HiddenOrSystemFile);
    } else {
        bool failed = false;
        lines = ReadFileLines(path, &failed, kLongestLine, nullptr, kLines);
        if (failed)
            why = language.message(Texts::FileUnreadable);
    }
    if (!why.isEmpty())
        read.problem = why.arg(QDir::toNativeSeparators(info.absoluteFilePath()));
    read.file = {lines.value(0), lines.value(1), lines.value(2), lines.value(3)};
    return read;
}

bool WritePathFile(const QString &folder, const PathFile &file, QString *error)
{
    return WriteTextFile(QDir(folder).filePath(PackageFiles::kPathFile), file.lines(), error);
}
