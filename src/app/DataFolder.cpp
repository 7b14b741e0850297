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
