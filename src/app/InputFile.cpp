#include "app/InputFile.h"

#include <zlib.h>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int openRegularFile(const std::string& path, std::string* why) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer; with it, the open returns at once
    // and the check below refuses it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (why)
            *why = std::strerror(errno);
        return -1;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        if (why)
            *why = "not a regular file";
        errno = EINVAL;
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

gzFile_s* gzopenRegular(const std::string& path, std::string* why) {
    const int fd = openRegularFile(path, why);
    if (fd < 0)
        return nullptr;
    gzFile in = gzdopen(fd, "rb");
    if (!in) {
        ::close(fd);
        if (why)
            *why = "out of memory";
    }
    return in;
}

bool isRegularFile(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

long long regularFileSize(const std::string& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return -1;
    return static_cast<long long>(info.st_size);
}
