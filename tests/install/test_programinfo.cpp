// What Explorer shows of the two Windows programs, read from the built files
// the way Windows reads them: the icon and the version information.
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QVersionNumber>

#include <windows.h>

#include <vector>

namespace {

// One value of the US English, Unicode block; "" when there is none.
QString versionValue(std::vector<char> &info, const QString &name)
{
    const std::wstring key = (QStringLiteral("\\StringFileInfo\\040904B0\\") + name).toStdWString();
    void *value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), key.c_str(), &value, &length) || length == 0)
        return {};
    return QString::fromWCharArray(static_cast<const wchar_t *>(value), int(length) - 1);
}

} // namespace

class ProgramInfoTest : public QObject
{
    Q_OBJECT

private slots:
    void programCarriesIconAndVersion_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("description");
        // The picture its 32x32 icon shows; "" when it is made from a larger one.
        QTest::addColumn<QString>("picture");
        QTest::newRow("configurator") << QStringLiteral(KORVEL_CONFIG_EXE) << QStringLiteral("Korvel Configurator")
                                      << QStringLiteral(KORVEL_CONFIG_WINDOW_ICON);
        QTest::newRow("uninstaller") << QStringLiteral(KORVEL_UNINSTALLER_EXE)
                                     << QStringLiteral("Korvel Configurator Uninstaller") << QString();
    }

    void programCarriesIconAndVersion()
    {
        QFETCH(QString, program);
        QFETCH(QString, description);
        QFETCH(QString, picture);
        // Wine has an uninstaller.exe of its own and reads that one when a
        // file of the name is loaded, wherever it lies: a copy is read.
        QTemporaryDir folder;
        const QString copy = folder.filePath(QStringLiteral("program.exe"));
        QVERIFY(QFile::copy(program, copy));
        const std::wstring path = QDir::toNativeSeparators(copy).toStdWString();

        DWORD unused = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &unused);
        QVERIFY2(size > 0, "no version information");
        std::vector<char> info(size);
        QVERIFY(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
        VS_FIXEDFILEINFO *fixed = nullptr;
        UINT fixedLength = 0;
        QVERIFY(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void **>(&fixed), &fixedLength));
        const QVersionNumber version = QVersionNumber::fromString(QStringLiteral(KORVEL_VERSION));
        QCOMPARE(HIWORD(fixed->dwFileVersionMS), WORD(version.majorVersion()));
        QCOMPARE(LOWORD(fixed->dwFileVersionMS), WORD(version.minorVersion()));
        QCOMPARE(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
        QCOMPARE(versionValue(info, QStringLiteral("ProductName")), QStringLiteral("Korvel Configurator"));
        QCOMPARE(versionValue(info, QStringLiteral("ProductVersion")), QStringLiteral(KORVEL_VERSION));
        QCOMPARE(versionValue(info, QStringLiteral("FileVersion")), QStringLiteral(KORVEL_VERSION));
        QCOMPARE(versionValue(info, QStringLiteral("FileDescription")), description);
        QCOMPARE(versionValue(info, QStringLiteral("OriginalFilename")), QFileInfo(program).fileName());

        // Explorer shows the first icon of the file.
        QCOMPARE(ExtractIconExW(path.c_str(), -1, nullptr, nullptr, 0), 1u);
        HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        QVERIFY(module);
        auto icon = static_cast<HICON>(LoadImageW(module, L"IDI_ICON1", IMAGE_ICON, 32, 32, 0));
        const QImage shown = icon ? QImage::fromHICON(icon) : QImage();
        if (icon)
            DestroyIcon(icon);
        FreeLibrary(module);
        QCOMPARE(shown.size(), QSize(32, 32));
        if (!picture.isEmpty())
            QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32), QImage(picture).convertToFormat(QImage::Format_ARGB32));
    }
};

QTEST_GUILESS_MAIN(ProgramInfoTest)
#include "test_programinfo.moc"
