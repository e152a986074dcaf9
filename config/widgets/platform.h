#pragma once

#include <QString>

#include <functional>

// The few calls that differ between Windows and the other systems.
namespace Platform {

// Opens `address` in the default web browser, maximized where the system
// allows it; returns the system's answer (on Windows that of ShellExecuteA).
qint32 OpenWebAddress(const QString &address);

// Ends the process at once, with no further event handling.
void EndProcess(int exitCode);

// Test hooks: replace the browser and the end of the process. Empty restores the real call.
void setOpenWebAddressHook(std::function<qint32(const QString &)> hook);
void setEndProcessHook(std::function<void(int)> hook);

} // namespace Platform
