// boot.ini menu line texts: path and title read from a line, the title rewrite, a new line's key.
#include <gtest/gtest.h>

#include "core/BootIniLine.h"

TEST(BootIni, ParseLineTakesPathTitleAndKeepsTheWholeLine) {
  BootEntry record;
  const core::String line = T16("multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP \"Pro\"\" /fastdetect /a=b");
  EXPECT_EQ(ParseBootIniLine(line, record), 1);
  EXPECT_EQ(record.rawText, line);
  EXPECT_EQ(record.GetPath(), T16("multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS"));
  EXPECT_EQ(record.description, T16("XP \"Pro\"")) << "up to the last quote, inner quotes kept";
  EXPECT_EQ(record.sourceKind, kSourceBootIni);
  EXPECT_EQ(record.loadState, kLoadFromBootIni);

  BootEntry noEquals;
  EXPECT_EQ(ParseBootIniLine(T16("C:\\CMDCONS"), noEquals), 0);
  EXPECT_EQ(noEquals.rawText, T16("C:\\CMDCONS"));
  EXPECT_EQ(noEquals.sourceKind, kUnset);

  for (const core::Char* untitled : {T16("C:\\bootsect.dos="), T16("C:\\x=no quotes"), T16("C:\\x=\""), T16("C:\\x=\"\"")}) {
    BootEntry entry;
    EXPECT_EQ(ParseBootIniLine(untitled, entry), 1);
    EXPECT_EQ(entry.description, T16("")) << testing::PrintToString(core::String(untitled));
  }
}

TEST(BootIni, BlanksAroundTheEqualsSignBelongToNeitherSide) {
  const struct {
    const core::Char* line;
    const core::Char* path;
    const core::Char* title;
  } cases[] = {
      {T16("C:\\wubildr.mbr = \"Ubuntu\""), T16("C:\\wubildr.mbr"), T16("Ubuntu")},
      {T16("C:\\wubildr.mbr=\"Ubuntu\""), T16("C:\\wubildr.mbr"), T16("Ubuntu")},
      {T16("multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS =  \"XP\" /fastdetect  "),
       T16("multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS"), T16("XP")},
      {T16("  C:\\grldr\t=\t\"Grub4Dos\""), T16("C:\\grldr"), T16("Grub4Dos")},
      {T16("C:\\x =  no quotes"), T16("C:\\x"), T16("")},
      {T16("C:\\x = \""), T16("C:\\x"), T16("")},
  };
  for (const auto& c : cases) {
    BootEntry record;
    EXPECT_EQ(ParseBootIniLine(c.line, record), 1);
    EXPECT_EQ(record.rawText, c.line);
    EXPECT_EQ(record.GetPath(), c.path) << testing::PrintToString(core::String(c.line));
    EXPECT_EQ(record.description, c.title) << testing::PrintToString(core::String(c.line));
  }
}


TEST(BootIni, RetitleReplacesOnlyTheTitle) {
  const struct {
    const core::Char* line;
    const core::Char* title;
    const core::Char* path;
    const core::Char* value;
  } cases[] = {
      {T16("multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Old\" /fastdetect"), T16("New"),
       T16("multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS"), T16("\"New\" /fastdetect")},
      // A title equal to a switch word must not rename the switch.
      {T16("C:\\x=\"fastdetect\" /fastdetect"), T16("XP"), T16("C:\\x"), T16("\"XP\" /fastdetect")},
      {T16("C:\\wubildr.mbr = \"Ubuntu\"  "), T16(""), T16("C:\\wubildr.mbr"), T16("\"\"")},
      // Without a title the new one goes in front of whatever the value holds.
      {T16("C:\\bootsect.dos="), T16("DOS"), T16("C:\\bootsect.dos"), T16("\"DOS\"")},
      {T16("C:\\x = no quotes"), T16("T"), T16("C:\\x"), T16("\"T\" no quotes")},
  };
  for (const auto& c : cases) {
    BootIniLine result;
    ASSERT_TRUE(RetitleBootIniLine(c.line, c.title, &result)) << testing::PrintToString(core::String(c.line));
    EXPECT_EQ(result.path, c.path);
    EXPECT_EQ(result.value, c.value);
    BootEntry reread;
    ParseBootIniLine(result.path + T16("=") + result.value, reread);
    EXPECT_EQ(reread.description, c.title);
  }
  // Titles that would break the line, and lines without "=", are refused untouched.
  BootIniLine untouched{T16("p"), T16("v")};
  for (const core::Char* title : {T16("Bad\" /x"), T16("two\r\nlines"), T16("cr\r")}) {
    EXPECT_FALSE(RetitleBootIniLine(T16("C:\\x=\"a\""), title, &untouched));
  }
  EXPECT_FALSE(RetitleBootIniLine(T16("C:\\CMDCONS"), T16("T"), &untouched));
  // A value whose only quote opens it: a title put in front would read on to that quote.
  EXPECT_FALSE(RetitleBootIniLine(T16("C:\\grldr = \"Start GRUB"), T16("GRUB"), &untouched));
  EXPECT_EQ(untouched.path, T16("p"));
  EXPECT_EQ(untouched.value, T16("v"));
}

TEST(BootIni, NewLineKeyIsDriveAndFile) {
  EXPECT_EQ(NewBootIniKey(T16("partition=D:"), T16("\\bootsect.dos"), T16("\"DOS\"")), T16("D:\\bootsect.dos"));
  EXPECT_EQ(NewBootIniKey(T16("BOOT"), T16("\\grldr.mbr"), T16("\"Grub\"")), T16("c:\\grldr.mbr"));
  // Nothing that would add a line or move the "=" of the line.
  EXPECT_EQ(NewBootIniKey(T16("partition=D:"), T16("\\x"), T16("\"A\"\r\n[boot loader]")), T16(""));
  EXPECT_EQ(NewBootIniKey(T16("partition=D:"), T16("\\a=b"), T16("\"A\"")), T16(""));
  EXPECT_EQ(NewBootIniKey(T16(""), T16(""), T16("\"A\"")), T16(""));
}

TEST(BootIni, OtherLinesOfTheMenuSectionKeepTheirPlaces) {
  using Lines = std::vector<core::String>;
  const core::String a = T16("C:\\a=\"A\""), b = T16("C:\\b=\"B\""), c = T16("C:\\c=\"C\"");
  const core::String d = T16("C:\\d=\"D\""), note = T16("; 2004"), bare = T16("C:\\CMDCONS"), end = T16(";end");
  const Lines section = IniSectionLines(T16("[boot loader]\r\ntimeout=3\r\n[Operating Systems]\r\n; 2004\r\n C:\\a=\"A\"\r\n"
                                            "C:\\CMDCONS\r\n\r\nC:\\b=\"B\"  \r\nC:\\c=\"C\"\r\n;end\r\n\r\n"
                                            "[operating systems]\r\nC:\\x=\"second of that name\"\r\n"),
                                        T16("operating systems"));
  ASSERT_EQ(section, (Lines{note, a, bare, T16(""), b, c, end}));
  const struct {
    Lines menu, expected;
  } cases[] = {
      {{c, b, a}, {note, c, bare, T16(""), b, a, end}},
      {{b}, {note, b, bare, T16(""), end}},  // removed lines leave no gap
      {{a, b, c, d}, {note, a, bare, T16(""), b, c, d, end}},
      {{}, {note, bare, T16(""), end}},
  };
  for (const auto& k : cases) EXPECT_EQ(KeepOtherMenuSectionLines(section, k.menu), k.expected);
}
