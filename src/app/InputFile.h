#pragma once

#include <string>

struct gzFile_s;

// Opening a file the game reads from outside (data, kept files, replays, strategies) without
// ever blocking: only a regular file is opened. A FIFO or a device in its place would hold the
// game at start-up until something wrote to it, for ever when nothing does.

// A read-only descriptor, or -1 with errno set (ENOENT for a missing file, EINVAL for one that is
// not a regular file) and the reason in why when given.
int openRegularFile(const std::string& path, std::string* why = nullptr);
// The same as a gzip stream (which reads uncompressed files as they are), or null.
gzFile_s* gzopenRegular(const std::string& path, std::string* why = nullptr);
// True for a path naming a regular file (after symbolic links), for handing to a library's own
// loader.
bool isRegularFile(const std::string& path);
// The size in bytes of the regular file at path (after symbolic links), or -1 for anything else.
long long regularFileSize(const std::string& path);
