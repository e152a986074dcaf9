#include "failingfile.h"

#include <QFile>

#ifdef Q_OS_LINUX
#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Failure
{
    dev_t device = 0;  // the file, whatever path leads to it
    ino_t inode = 0;
    FailingFile::Call call = FailingFile::Open;
    int error = 0;
    std::atomic<int> fd{-1};
    std::atomic<bool> armed{false};
    std::atomic<bool> happened{false};
};

Failure failure;

template <class F>
F next(const char *name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

bool isWatched(const char *path)
{
    struct stat status;
    return failure.armed && stat(path, &status) == 0 && status.st_dev == failure.device
           && status.st_ino == failure.inode;
}

int opened(int (*real)(const char *, int, ...), const char *path, int flags, mode_t mode)
{
    const bool watched = isWatched(path);
    if (watched && failure.call == FailingFile::Open) {
        failure.armed = false;
        failure.happened = true;
        errno = failure.error;
        return -1;
    }
    const int fd = real(path, flags, mode);
    if (watched && fd >= 0)
        failure.fd = fd;
    return fd;
}

} // namespace

extern "C" int open(const char *path, int flags, ...)
{
    static const auto real = next<int (*)(const char *, int, ...)>("open");
    mode_t mode = 0;
    if (flags & (O_CREAT | O_TMPFILE)) {
        va_list arguments;
        va_start(arguments, flags);
        mode = va_arg(arguments, mode_t);
        va_end(arguments);
    }
    return opened(real, path, flags, mode);
}

extern "C" int open64(const char *path, int flags, ...)
{
    static const auto real = next<int (*)(const char *, int, ...)>("open64");
    mode_t mode = 0;
    if (flags & (O_CREAT | O_TMPFILE)) {
        va_list arguments;
        va_start(arguments, flags);
        mode = va_arg(arguments, mode_t);
        va_end(arguments);
    }
    return opened(real, path, flags, mode);
}

extern "C" ssize_t read(int fd, void *buffer, size_t size)
{
    static const auto real = next<ssize_t (*)(int, void *, size_t)>("read");
    if (failure.armed && failure.call == FailingFile::Read && fd == failure.fd) {
        failure.armed = false;
        failure.happened = true;
        errno = failure.error;
        return -1;
    }
    return real(fd, buffer, size);
}

FailingFile::FailingFile(const QString &path, Call call, int error)
{
    struct stat status;
    if (stat(QFile::encodeName(path).constData(), &status) != 0)
        qFatal("no file to fail: %s", qPrintable(path));
    failure.device = status.st_dev;
    failure.inode = status.st_ino;
    failure.call = call;
    failure.error = error;
    failure.fd = -1;
    failure.happened = false;
    failure.armed = true;
}

FailingFile::~FailingFile()
{
    failure.armed = false;
}

bool FailingFile::available()
{
    return true;
}

bool FailingFile::failed() const
{
    return failure.happened;
}

#else

FailingFile::FailingFile(const QString &, Call, int) {}
FailingFile::~FailingFile() = default;
bool FailingFile::available()
{
    return false;
}
bool FailingFile::failed() const
{
    return false;
}

#endif
