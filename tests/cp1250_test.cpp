#include "io/cp1250.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tolarka;

TEST(Cp1250, CzechLettersUseWindows1250NotIso88592) {
    // š, ž, ť, Š, Ž, Ť differ between the two code pages; the files are Windows-1250.
    EXPECT_EQ(Utf8ToCp1250("šžťŠŽř„“–"), "\x9A\x9E\x9D\x8A\x8E\xF8\x84\x93\x96");
    EXPECT_EQ(Cp1250ToUtf8("\x9A\xB9"), "šą");
    const std::string all = "Příliš žluťoučký kůň úpěl ďábelské ódy ĚŠČŘŽÝÁÍÉŮÚŤĎŇ";
    const auto characters = std::count_if(all.begin(), all.end(), [](char c) { return (c & 0xC0) != 0x80; });
    EXPECT_EQ(Utf8ToCp1250(all).size(), static_cast<size_t>(characters));  // one byte per character
    EXPECT_EQ(Cp1250ToUtf8(Utf8ToCp1250(all)), all);
}

TEST(Cp1250, UndefinedBytesAndUnrepresentableCharactersAreReplaced) {
    EXPECT_EQ(Cp1250ToUtf8("a\x81z\x83\x88\x90\x98"), "a\uFFFDz\uFFFD\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(Utf8ToCp1250("a€z"), "a\x80z");  // the euro sign exists
    EXPECT_EQ(Utf8ToCp1250("πx😀ж"), "?x??");
    EXPECT_EQ(Utf8ToCp1250("a\xC3"), "a?");       // truncated sequence at the end
    EXPECT_EQ(Utf8ToCp1250("\xFF\xFEz"), "??z");  // bytes that are never UTF-8
    // A lead byte without its continuation; a lead that is never valid.
    EXPECT_EQ(Utf8ToCp1250("\xC3Z\xF8\x80"), "?Z??");
    EXPECT_EQ(Utf8ToCp1250("a\xE2\x82"), "a??");  // truncated at the end: one mark a byte
    for (const char* yes : {"Žluťoučký „kůň“ – 100 %", ""}) EXPECT_TRUE(IsRepresentableInCp1250(yes)) << yes;
    for (const char* no : {"kůň 😀", "α", "bad \xC3"}) EXPECT_FALSE(IsRepresentableInCp1250(no)) << no;
}
