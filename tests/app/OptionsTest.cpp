#include "app/Options.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <vector>

namespace {

ParsedOptions parse(std::vector<const char*> args) {
    args.insert(args.begin(), "groundline");
    return parseOptions(static_cast<int>(args.size()), args.data());
}

TEST(OptionsTest, ValuesComeAfterASpaceOrAnEqualsSignAndTheDefaultsAreTheDesignedGame) {
    const Options defaults = parse({}).options;
    EXPECT_EQ(defaults.scale, 2);
    EXPECT_EQ(defaults.firstWave, 1);
    EXPECT_EQ(defaults.dataDir, "");
    EXPECT_FALSE(defaults.help || defaults.version);

    ParsedOptions p = parse({"--scale", "4", "--wave=10", "--data=/tmp/a=b", "--version"});
    EXPECT_EQ(p.error, "");
    EXPECT_EQ(p.options.scale, 4);
    EXPECT_EQ(p.options.firstWave, 10);
    EXPECT_EQ(p.options.dataDir, "/tmp/a=b");
    EXPECT_TRUE(p.options.version);
    for (const char* option : {"--help", "--version", "--scale N", "--wave N", "--data DIR"})
        EXPECT_NE(usageText().find(option), std::string::npos) << option;
    EXPECT_TRUE(parse({"-h"}).options.help);

    // Every option's and control's text starts in one column.
    std::istringstream lines(usageText());
    std::set<std::size_t> columns;
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("  ", 0) == 0)
            columns.insert(line.find_first_not_of(' ', line.find("  ", 2)));
    EXPECT_EQ(columns.size(), 1u) << usageText();
}

TEST(OptionsTest, EveryMistakeIsOneLineNamingTheOption) {
    const std::vector<std::vector<const char*>> bad = {
        {"--full-screen"},
        {"stray"},
        {"--scale"},
        {"--scale", "0"},
        {"--scale", "5"},
        {"--scale=2.5"},
        {"--scale="},
        {"--wave", "0"},
        {"--wave=-3"},
        {"--wave", "1001"},
        {"--wave", "99999999999999999999"},
        {"--data="},
        {"--help=yes"},
    };
    for (const auto& args : bad) {
        const std::string error = parse(args).error;
        const std::string name = std::string(args[0]).substr(0, std::string(args[0]).find('='));
        EXPECT_NE(error.find(name), std::string::npos) << name << ": " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

TEST(OptionsTest, APlayThroughIsRecordedOrReplayedNeverBoth) {
    ParsedOptions p = parse({"--record", "a.replay"});
    EXPECT_EQ(p.error, "");
    EXPECT_EQ(p.options.recordPath, "a.replay");
    p = parse({"--replay=b.replay", "--scale", "3"});
    EXPECT_EQ(p.error, "");
    EXPECT_EQ(p.options.replayPath, "b.replay");
    for (const auto& args :
         std::vector<std::vector<const char*>>{{"--record", "a", "--replay", "b"},
                                               {"--replay", "b", "--record", "a"},
                                               {"--record="}}) {
        const std::string error = parse(args).error;
        EXPECT_NE(error.find("'--re"), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
    for (const char* option : {"--record FILE", "--replay FILE"})
        EXPECT_NE(usageText().find(option), std::string::npos) << option;
}

} // namespace
