#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include "TestFolder.h"

TEST(IniFile, FindsKeysOfTheRightSectionIgnoringCase) {
  const std::string text =
      "; a comment\r\n"
      "[Other]\r\nGameTitle=Wrong\r\n"
      "[TOVRAX]\r\n  gametitle = The Quest \r\nFullPackageFlag=1\r\n"
      "[tovrax2]\r\nGameTitle=Also wrong\r\n";
  EXPECT_EQ(FindIniValue(text, "tovrax", "GameTitle"), "The Quest");
  EXPECT_EQ(FindIniValue(text, "TOVRAX", "FULLPACKAGEFLAG"), "1");
  EXPECT_EQ(FindIniValue(text, "TOVRAX", "Missing"), std::nullopt);
  EXPECT_EQ(FindIniValue(text, "Missing", "GameTitle"), std::nullopt);
  EXPECT_EQ(FindIniValue("Key=before any section\n[S]\nKey=x", "", "Key"), "before any section");
}

TEST(IniFile, ValuesKeepTheirBytesAfterTheFirstEqualsSign) {
  EXPECT_EQ(FindIniValue("[S]\nK=a=b\n", "S", "K"), "a=b");
  EXPECT_EQ(FindIniValue("[S]\nK=\x83\x65\x83\x58\x83\x67\n", "S", "K"), "\x83\x65\x83\x58\x83\x67");
  EXPECT_EQ(FindIniValue("[S]\nK=\n", "S", "K"), "");
}

TEST(IniFile, ReadingAMissingFileGivesNothingAndCreatesNothing) {
  TTestFolder folder;
  EXPECT_EQ(ReadIniValue(folder / "sub/none.ini", "S", "K"), std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(folder / "sub"));
}

TEST(IniFile, WritingReplacesOrAddsAndKeepsTheRest) {
  TTestFolder folder;
  const std::string path = folder.Write("a.ini", "[A]\nX=1\n[B]\nY=2\n");
  ASSERT_TRUE(WriteIniValue(path, "a", "x", "3"));
  ASSERT_TRUE(WriteIniValue(path, "B", "Z", "4"));
  ASSERT_TRUE(WriteIniValue(path, "C", "W", "5"));
  EXPECT_EQ(ReadIniValue(path, "A", "X"), "3");
  EXPECT_EQ(ReadIniValue(path, "B", "Y"), "2");
  EXPECT_EQ(ReadIniValue(path, "B", "Z"), "4");
  EXPECT_EQ(ReadIniValue(path, "C", "W"), "5");
  ASSERT_TRUE(WriteIniValue(folder / "new/folder/b.ini", "S", "K", "v"));
  EXPECT_EQ(ReadIniValue(folder / "new/folder/b.ini", "S", "K"), "v");
}
