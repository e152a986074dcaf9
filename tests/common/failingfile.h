#pragma once

#include <QString>

// Makes the next open or read of one existing file fail once with a chosen error, for
// root as for anyone, as a virus scanner or a sharing violation does on
// Windows. Linked into a test, it stands in for the C library's open and read
// of the whole process (Linux only: elsewhere available() is false).
class FailingFile
{
public:
    enum Call { Open, Read };
    FailingFile(const QString &path, Call call, int error);
    ~FailingFile();
    FailingFile(const FailingFile &) = delete;
    FailingFile &operator=(const FailingFile &) = delete;

    static bool available();
    // True once the failure has happened.
    bool failed() const;
};
