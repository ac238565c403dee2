// The formatting helper against the placeholders the program's texts use, the line breaks of
// language-file values and the version and tray tip texts.
#include <gtest/gtest.h>

#include <climits>

#include "core/Format.h"
#include "core/LineBreaks.h"
#include "core/VersionText.h"

TEST(Format, PlaceholdersOfTheProgramTexts) {
  EXPECT_EQ(core::Format(T16(" /store \"%s\" %s"), T16("C:\\a b.bcd"), T16(" /enum")), T16(" /store \"C:\\a b.bcd\"  /enum"));
  EXPECT_EQ(core::Format(T16("%d|%u|%x|%04d"), -5, 7u, 255, 42), T16("-5|7|ff|0042"));
  EXPECT_EQ(core::Format(T16("%ls and %%"), T16("x")), T16("x and %"));
  EXPECT_EQ(core::Format(T16("%04d_%02d"), 2026, 3), T16("2026_03"));
  // Missing arguments expand to nothing rather than reading garbage.
  EXPECT_EQ(core::Format(T16("a%sb%d")), T16("ab"));
  // An unknown placeholder stays as it is; so does one wider than two digits (a language file's
  // "%999999999d" once asked for gigabytes of padding).
  EXPECT_EQ(core::Format(T16("100%q")), T16("100%q"));
  EXPECT_EQ(core::Format(T16("%999999999d|%100s|%99d"), 1, T16("x")), T16("%999999999d|%100s|") + core::String(98, T16(' ')) + T16("1"));
  // The most negative number has no positive counterpart to print after the sign.
  EXPECT_EQ(core::Format(T16("%d|%s"), LLONG_MIN, LLONG_MIN), T16("-9223372036854775808|-9223372036854775808"));
}

TEST(LineBreaks, EveryBackslashNPairAndNothingElse) {
  // Every backslash-n pair is a break, even after another backslash; other backslashes stay.
  EXPECT_EQ(ExpandLineBreaks(T16("erste\\nzweite")), T16("erste\nzweite"));
  EXPECT_EQ(ExpandLineBreaks(T16("C:\\Windows\\new \\\\n")), T16("C:\\Windows\new \\\n"));
  EXPECT_EQ(ExpandLineBreaks(T16("end\\")), T16("end\\"));
}

TEST(VersionLine, HighAndLowWordsOfTheFileVersion) {
  EXPECT_EQ(VersionText(0x00020004u, 0x07E50271u), T16("Version : 2.4  Build 2021.0625 ( Beta for Test )"));
  EXPECT_EQ(VersionText(0xFFFF0000u, 0x0000FFFFu), T16("Version : 65535.0  Build 0000.65535 ( Beta for Test )"));
}

TEST(TrayTip, FitsTheShellsLimit) {
  struct Case {
    bool balloons;
    size_t lineLength, detailLength;
    const core::Char* expected;  // T title, L line, D detail
  } cases[] = {
      {true, 20, 20, T16("T\r\nL.D")},  // everything fits
      {true, 100, 30, T16("T\r\nL")},   // the detail is dropped
      {true, 130, 5, T16("T")},         // the line alone is too long: only the title
      {false, 30, 30, T16("L.D")},      // no balloons: no title prefix, limit 64
      {false, 40, 30, T16("L")},
      {false, 70, 1, T16("T")},
  };
  for (const Case& c : cases) {
    core::String title = T16("Vexa"), line(c.lineLength, T16('l')), detail(c.detailLength, T16('d'));
    core::String expected;
    for (const core::Char* p = c.expected; *p; ++p) {
      if (*p == T16('T')) expected += title;
      else if (*p == T16('L')) expected += line;
      else if (*p == T16('D')) expected += detail;
      else expected += *p;
    }
    EXPECT_EQ(TrayTipText(title, line, detail, c.balloons), expected) << c.lineLength << "/" << c.detailLength;
  }
}

