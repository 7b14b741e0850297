#include "app/DataFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// From a working folder WORK/play, with the executable at WORK/prefix/games/groundline: data/
// here first, then the installed WORK/prefix/share/games/groundline, then the older
// WORK/prefix/share/groundline; a chosen folder alone when there is one.
TEST(DataFolderTest, TheWorkingFolderComesFirstThenTheInstalledOnesAndAChoiceIsFinal) {
    char pattern[] = "/tmp/groundline-folders.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path work = pattern;
    const fs::path older = work / "prefix" / "share" / "groundline";
    const fs::path installed = work / "prefix" / "share" / "games" / "groundline";
    for (const fs::path& p :
         {work / "play" / "data", work / "prefix" / "games", older, installed, work / "mine"})
        fs::create_directories(p);
    const fs::path saved = fs::current_path();
    fs::current_path(work / "play");
    auto strings = [](const fs::path& folder) { std::ofstream(folder / "strings.txt") << "A=1\n"; };
    const std::string exe = (work / "prefix" / "games" / "groundline").string();
    const std::string mine = (work / "mine").string();

    EXPECT_EQ(findDataFolder("", exe), "");
    strings(older);
    EXPECT_EQ(fs::canonical(findDataFolder("", exe)), older);
    strings(installed);
    EXPECT_EQ(fs::canonical(findDataFolder("", exe)), installed);
    strings(work / "play" / "data");
    EXPECT_EQ(findDataFolder("", exe), "data");
    EXPECT_EQ(findDataFolder(mine, exe), "") << "no strings.txt in the chosen folder";
    strings(mine);
    EXPECT_EQ(findDataFolder(mine, exe), mine);

    fs::current_path(saved);
    fs::remove_all(work);
}

} // namespace
