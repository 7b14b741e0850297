#include "app/DataFolder.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

bool holdsStrings(const std::string& folder) {
    // A folder opens for reading too, and reads as an empty table.
    const std::string path = folder + "/strings.txt";
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    std::FILE* f = std::fopen(path.c_str(), "r");
    if (!f)
        return false;
    std::fclose(f);
    return true;
}

std::string whyNoDataFolder(const std::string& chosen) {
    if (!chosen.empty())
        // The player named this folder, so the player hears why it is not enough.
        return "no strings.txt in " + chosen + ", the folder given with --data";
    // A symbolic link to itself, or a folder without search permission, is an error here, not
    // an exception.
    const char* const local = "data/strings.txt";
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(local, error);
    if (std::filesystem::is_regular_file(status))
        return std::string(local) + " cannot be read";
    if (std::filesystem::exists(status))
        // Something that is no file (a FIFO would block the read for ever).
        return std::string(local) + " is not a regular file";
    if (error && error != std::errc::no_such_file_or_directory)
        return std::string(local) + ": " + error.message();
    return std::string();
}

std::vector<std::string> installedDataFolders(const std::string& executable) {
    const std::size_t slash = executable.rfind('/');
    if (slash == std::string::npos)
        return {};
    const std::string beside = executable.substr(0, slash + 1);
    return {beside + "../share/games/groundline", beside + "../share/groundline"};
}

std::string findDataFolder(const std::string& chosen, const std::string& executable) {
    if (!chosen.empty())
        return holdsStrings(chosen) ? chosen : std::string();
    if (holdsStrings("data"))
        return "data";
    for (const std::string& installed : installedDataFolders(executable))
        if (holdsStrings(installed))
            return installed;
    return std::string();
}
