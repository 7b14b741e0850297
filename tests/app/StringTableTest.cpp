#include "app/StringTable.h"

#include <climits>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

class StringTableTest : public ::testing::Test {
  protected:
    // Writes the text byte for byte and loads it.
    void loadText(const std::string& text) {
        path = ::testing::TempDir() + "strings_test.txt";
        std::ofstream(path, std::ios::binary) << text;
        ASSERT_TRUE(table.load(path));
    }
    void TearDown() override { std::remove(path.c_str()); }

    std::string path;
    StringTable table;
};

TEST_F(StringTableTest, SkipsCommentsAndBlankLinesAndTrimsNothing) {
    loadText("# comment\n\nKey=Value\n Key2 = 5 \n");
    EXPECT_EQ(table.size(), 2u);
    EXPECT_EQ(table.get("Key"), "Value");
    EXPECT_EQ(table.get(" Key2 "), " 5 ");
    EXPECT_EQ(table.getInt(" Key2 "), 5);
}

TEST_F(StringTableTest, CutsAtEveryEqualsSign) {
    loadText("Name=Fix=her\nEmpty=\nA==B\n=B\nNoEquals\n");
    EXPECT_EQ(table.get("Name"), "Fix");
    EXPECT_EQ(table.get("Empty"), "");
    EXPECT_EQ(table.getInt("Empty"), 0);
    EXPECT_EQ(table.get("A"), "");
    EXPECT_EQ(table.get(""), "B");
    EXPECT_FALSE(table.contains("NoEquals"));
}

TEST_F(StringTableTest, LastLineWinsAndOnlyTheFirstCharacterMakesAComment) {
    loadText("A=1\nA=2\n #NotAComment=3\n");
    EXPECT_EQ(table.get("A"), "2");
    EXPECT_EQ(table.get(" #NotAComment"), "3");
}

TEST_F(StringTableTest, MissingKeysReadEmptyAndAreRemembered) {
    loadText("A=1\n");
    EXPECT_FALSE(table.contains("X"));
    EXPECT_EQ(table.get("X"), "");
    EXPECT_EQ(table.get("X"), "");
    EXPECT_TRUE(table.contains("X"));
    EXPECT_EQ(table.getReal("Y"), 0.0);
}

TEST_F(StringTableTest, NumbersConvertLikeTheCLibrary) {
    loadText("V=3.5abc\nW=  -7\nBig=99999999999999999999\nSmall=-99999999999999999999\n");
    EXPECT_DOUBLE_EQ(table.getReal("V"), 3.5);
    EXPECT_EQ(table.getInt("V"), 3);
    EXPECT_EQ(table.getInt("W"), -7);
    // Beyond the int range atoi is undefined; such numbers read as the nearest int.
    EXPECT_EQ(table.getInt("Big"), INT_MAX);
    EXPECT_EQ(table.getInt("Small"), INT_MIN);
}

TEST_F(StringTableTest, WindowsLineEndsAreNotPartOfValues) {
    loadText("A=1\r\nB=two\r\n");
    EXPECT_EQ(table.get("B"), "two");
}

TEST_F(StringTableTest, AByteOrderMarkBelongsToTheFirstKey) {
    loadText("\xEF\xBB\xBF# comment\nA=1\n");
    EXPECT_EQ(table.size(), 1u);
    loadText("\xEF\xBB\xBFK=v\n");
    EXPECT_EQ(table.get("\xEF\xBB\xBFK"), "v");
}

TEST(StringTableLoad, FailsForAMissingFile) {
    StringTable table;
    EXPECT_FALSE(table.load("no/such/dir/strings.txt"));
}

TEST(StringTableKey, FormatsNumberedKeys) {
    EXPECT_EQ(StringTable::key("Tower%d.Name", 1), "Tower1.Name");
    EXPECT_EQ(StringTable::key("Tower%d.Upgrade%d.Level%d.Value", 2, 3, 4),
              "Tower2.Upgrade3.Level4.Value");
}

} // namespace
