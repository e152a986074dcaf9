#include "platform.h"

#include <QDesktopServices>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

#ifdef Q_OS_WIN
#include <windows.h>
#include <shellapi.h>
#endif

namespace Platform {

namespace {
std::function<qint32(const QString &)> &webHook()
{
    static std::function<qint32(const QString &)> hook;
    return hook;
}

std::function<void(int)> &endHook()
{
    static std::function<void(int)> hook;
    return hook;
}
} // namespace

qint32 OpenWebAddress(const QString &address)
{
    if (webHook())
        return webHook()(address);
#ifdef Q_OS_WIN
    const QByteArray local = address.toLocal8Bit();
    const HINSTANCE result = ShellExecuteA(nullptr, nullptr, local.constData(), nullptr, nullptr, SW_SHOWMAXIMIZED);
    return static_cast<qint32>(reinterpret_cast<qintptr>(result));
#else
    return QDesktopServices::openUrl(QUrl(address)) ? 1 : 0;
#endif
}

void EndProcess(int exitCode)
{
    if (endHook()) {
        endHook()(exitCode);
        return;
    }
    std::fflush(nullptr);
#ifdef Q_OS_WIN
    // Nothing of ours is left to clean up; ExitProcess, which _Exit calls,
    // would first have every library of the process (the window system's
    // among them) clean up its own, which under Wine takes longer than all
    // the rest of the close.
    TerminateProcess(GetCurrentProcess(), UINT(exitCode));
#endif
    std::_Exit(exitCode);
}

QStringList sansFamilies()
{
#ifdef Q_OS_WIN
    return {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans"),
            QStringLiteral("Tahoma")};
#else
    return {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma"),
            QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")};
#endif
}

bool captionsMayChangeFamily()
{
#ifdef Q_OS_WIN
    return false;
#else
    return true;
#endif
}

void setOpenWebAddressHook(std::function<qint32(const QString &)> hook)
{
    webHook() = std::move(hook);
}

void setEndProcessHook(std::function<void(int)> hook)
{
    endHook() = std::move(hook);
}

} // namespace Platform
