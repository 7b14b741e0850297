#include "app/Options.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

ParsedOptions parse(std::initializer_list<const char*> args) {
    std::vector<const char*> argv{"groundline"};
    argv.insert(argv.end(), args);
    return parseOptions(static_cast<int>(argv.size()), argv.data());
}

TEST(OptionsTest, NoArgumentsGiveTheDesignedGame) {
    ParsedOptions p = parse({});
    EXPECT_EQ(p.error, "");
    EXPECT_FALSE(p.options.help);
    EXPECT_FALSE(p.options.version);
    EXPECT_EQ(p.options.scale, 2);
    EXPECT_EQ(p.options.firstWave, 1);
    EXPECT_EQ(p.options.dataDir, "");
}

TEST(OptionsTest, ValuesComeAfterASpaceOrAnEqualsSign) {
    ParsedOptions p = parse({"--scale", "3", "--wave=10", "--data=/tmp/a=b", "--version"});
    EXPECT_EQ(p.error, "");
    EXPECT_EQ(p.options.scale, 3);
    EXPECT_EQ(p.options.firstWave, 10);
    EXPECT_EQ(p.options.dataDir, "/tmp/a=b");
    EXPECT_TRUE(p.options.version);
    EXPECT_TRUE(parse({"--help"}).options.help);
    EXPECT_EQ(parse({"--scale", "1"}).options.scale, 1);
    EXPECT_EQ(parse({"--scale", "4"}).options.scale, 4);
}

TEST(OptionsTest, EveryMistakeIsOneLineNamingIt) {
    const std::vector<std::vector<const char*>> bad = {
        {"--fullscreen"}, {"-x"},           {"stray"},          {"--scale"},
        {"--scale", "0"}, {"--scale", "5"}, {"--scale=2.5"},    {"--scale", "two"},
        {"--wave", "0"},  {"--wave=-3"},    {"--wave", "1001"}, {"--wave", "99999999999999999999"},
        {"--data="},      {"--help=yes"},   {"--scale="},
    };
    for (const auto& args : bad) {
        std::vector<const char*> argv{"groundline"};
        argv.insert(argv.end(), args.begin(), args.end());
        ParsedOptions p = parseOptions(static_cast<int>(argv.size()), argv.data());
        EXPECT_NE(p.error, "") << args[0];
        EXPECT_EQ(p.error.find('\n'), std::string::npos) << p.error;
        const std::string name = std::string(args[0]).substr(0, std::string(args[0]).find('='));
        EXPECT_NE(p.error.find(name), std::string::npos) << p.error;
    }
    EXPECT_EQ(parse({"--bogus"}).error, "unknown option '--bogus'");
}

TEST(OptionsTest, TheHelpListsEveryOption) {
    const std::string help = usageText();
    for (const char* option : {"--help", "--version", "--scale N", "--wave N", "--data DIR"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
    EXPECT_EQ(versionText().rfind("groundline ", 0), 0u);
}

} // namespace
