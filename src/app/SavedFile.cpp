#include "app/SavedFile.h"

#include "app/InputFile.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool writeAll(int fd, const std::string& contents) {
    const char* p = contents.data();
    std::size_t left = contents.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string xdgFolder(const char* variable, const char* underHome) {
    const char* value = std::getenv(variable);
    if (value && value[0] == '/')
        return value;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/" + underHome;
    return std::string();
}

// mkstemp's six characters.
bool isTemporaryName(const std::string& name, const std::string& base) {
    if (name.size() != base.size() + 7 || name.compare(0, base.size(), base) != 0 ||
        name[base.size()] != '.')
        return false;
    for (std::size_t i = base.size() + 1; i < name.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

// A game killed while it saved leaves its temporary behind, and nothing else would ever remove
// it. Only our own names are touched, and only those older than any save takes: a temporary
// written this minute may be another running game's, about to be renamed.
void removeStaleTemporaries(const std::filesystem::path& file) {
    namespace fs = std::filesystem;
    constexpr auto kStale = std::chrono::minutes(1);
    const std::string base = file.filename().string();
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    std::error_code ec;
    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code entryError;
        if (isTemporaryName(it->path().filename().string(), base) &&
            it->is_regular_file(entryError) && now - it->last_write_time(entryError) > kStale &&
            !entryError)
            fs::remove(it->path(), entryError);
    }
}

// The mode the new file is to have: the one of the file it replaces, so that a player's chmod
// survives the save, or what creating it anew would give (mkstemp's temporary is 0600).
mode_t modeForSave(const std::string& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool writeFileAtomically(const std::string& path, const std::string& contents, std::string& error) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code ec;
    if (!folder.empty())
        std::filesystem::create_directories(folder, ec);
    if (ec) {
        error = "cannot create " + folder.string() + ": " + ec.message();
        return false;
    }
    removeStaleTemporaries(path);
    // A name of its own for every writer, in the same folder so that the rename stays on one
    // file system and replaces the old file in one step.
    std::string pattern = path + ".XXXXXX";
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');
    int fd = mkstemp(temp.data());
    if (fd < 0) {
        error = std::string("cannot write beside it: ") + std::strerror(errno);
        return false;
    }
    // The data must be on the disk before the rename makes it the file.
    bool ok = ::fchmod(fd, modeForSave(path)) == 0 && writeAll(fd, contents) && fsync(fd) == 0;
    int reason = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        reason = errno;
    }
    if (ok && std::rename(temp.data(), path.c_str()) != 0) {
        ok = false;
        reason = errno;
    }
    if (!ok) {
        ::unlink(temp.data());
        error = std::strerror(reason);
    }
    return ok;
}

ReadStatus readSmallFile(const std::string& path, std::string& contents, std::string& error,
                         std::size_t maxBytes) {
    contents.clear();
    std::string why;
    const int fd = openRegularFile(path, &why);
    if (fd < 0) {
        if (errno == ENOENT)
            return ReadStatus::Missing;
        error = why;
        return ReadStatus::Failed;
    }
    std::FILE* f = fdopen(fd, "rb");
    if (!f) {
        error = std::strerror(errno);
        ::close(fd);
        return ReadStatus::Failed;
    }
    std::vector<char> buffer(maxBytes + 1);
    std::size_t n = std::fread(buffer.data(), 1, buffer.size(), f);
    const bool failed = std::ferror(f) != 0;
    const int reason = errno;
    std::fclose(f);
    if (failed) {
        error = std::strerror(reason);
        return ReadStatus::Failed;
    }
    if (n > maxBytes) {
        error = "larger than " + std::to_string(maxBytes) + " bytes";
        return ReadStatus::Failed;
    }
    contents.assign(buffer.data(), n);
    return ReadStatus::Read;
}

std::string configHome() {
    return xdgFolder("XDG_CONFIG_HOME", ".config");
}

std::string dataHome() {
    return xdgFolder("XDG_DATA_HOME", ".local/share");
}
