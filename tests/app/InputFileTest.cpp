#include "app/Numbers.h"
#include "app/Profile.h"
#include "app/StringTable.h"
#include "gfx/MzImage.h"
#include "replay/ReplayFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool says(const std::string& text, const char* what) {
    return text.find(what) != std::string::npos;
}

// A FIFO nothing writes to and a device that never ends, standing where a data file, a settings
// file or a replay should be: each is refused at once, saying why, and nothing waits or reads on.
TEST(InputFileTest, AFifoOrADeviceInPlaceOfAFileIsRefusedAsNotARegularFile) {
    char pattern[] = "/tmp/groundline-input.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path work = pattern;
    const std::string fifo = (work / "fifo.mz").string();
    const std::string device = (work / "device.mz").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", device);
    for (const std::string& path : {fifo, device}) {
        StringTable strings;
        std::string why;
        EXPECT_FALSE(strings.load(path, &why));
        EXPECT_TRUE(says(why, "not a regular file")) << path << ": " << why;
        EXPECT_EQ(loadImage(path), nullptr) << path;
        Replay replay;
        EXPECT_FALSE(readReplay(path, replay, why));
        EXPECT_TRUE(says(why, "not a regular file")) << path << ": " << why;
        Profile profile(path, "");
        profile.quiet = true;
        profile.load();
        ASSERT_EQ(profile.warnings.size(), 1u) << path;
        EXPECT_TRUE(says(profile.warnings[0], "not a regular file")) << profile.warnings[0];
    }
    fs::remove_all(work);
}

TEST(InputFileTest, TheStringTableIsReadUpToItsBoundAndNoFurther) {
    char pattern[] = "/tmp/groundline-strings.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path path = fs::path(pattern) / "strings.txt";
    std::string text = "A=1\n#";
    text += std::string(StringTable::kMaxStringsBytes - text.size(), '#');
    std::ofstream(path, std::ios::binary) << text;
    StringTable strings;
    std::string why;
    EXPECT_TRUE(strings.load(path.string(), &why)) << why;
    EXPECT_EQ(strings.getInt("A"), 1);
    std::ofstream(path, std::ios::binary | std::ios::app) << "\n";
    EXPECT_FALSE(strings.load(path.string(), &why));
    EXPECT_TRUE(says(why, "larger than")) << why;
    fs::remove_all(pattern);
}

TEST(NumbersTest, ARealThatIsNotANumberIsNeverRead) {
    double value = 7.0;
    for (const char* text : {"nan", "NAN", "-nan", "nan(1)"})
        EXPECT_FALSE(parseReal(text, -INFINITY, INFINITY, value)) << text;
    EXPECT_EQ(value, 7.0);
    EXPECT_TRUE(parseReal("2.5", 0.0, 3.0, value));
    EXPECT_EQ(value, 2.5);
}

} // namespace
