// The utilities file: sections of new utilities, what a typed text may put into the file, changing,
// deleting and running utilities, read back from plugins.ini itself.
#include <gtest/gtest.h>

#include "StoreSandbox.h"
#include "utilities/UtilityList.h"
#include "win/Seams.h"

using namespace testing_support;

namespace {

class UtilitiesFile : public testing::Test, protected StoreSandbox {
 protected:
  UtilitiesFile() : StoreSandbox(Tools::kNone), path(folder.File(L"plugins.ini")) { AppSettings.languageFile.clear(); }

  UtilityList Loaded() const {
    UtilityList list(path);
    list.LoadUtilities();
    return list;
  }
  // The file's text after its UTF-16LE byte-order mark; empty when it has none.
  std::wstring UnicodeText() const {
    std::string bytes = ReadFileBytes(path);
    if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE") != 0) return {};
    std::wstring text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
      text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
    return text;
  }

  std::wstring path;
};

}  // namespace

TEST(UtilityItem, SectionNamesAndWorkingFolders) {
  struct Case {
    const wchar_t *cmd, *section, *folder;
  } cases[] = {
      {L"C:\\Windows\\regedit.exe", L"REGEDIT_EXE", L"C:\\Windows\\"},
      {L"notepad.exe", L"NOTEPAD_EXE", L""},
      {L"D:\\Tools\\my.tool.Cmd", L"MY_TOOL_CMD", L"D:\\Tools\\"},
      {L"C:\\\u00e9t\u00e9.bat", L"\u00e9T\u00e9_BAT", L"C:\\"},  // only a to z change case
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SectionKeyFor(c.cmd), c.section) << c.cmd;
    EXPECT_EQ(WorkingFolderOf(c.cmd), c.folder) << c.cmd;
  }
  EXPECT_EQ(ProfileValue(L" one\r\ntwo\rthree\nfour\r\n"), L"one two three four");
}

TEST_F(UtilitiesFile, NewUtilitiesGetTheirOwnSectionsInAUnicodeFile) {
  EXPECT_EQ(Loaded().Count(), 0) << "no file, no utilities";
  UtilityList list(path);
  EXPECT_EQ(list.AddUtility(L"Nothing", L"", L""), -1);
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing to add writes nothing";

  EXPECT_EQ(list.AddUtility(L"", L"", L"C:\\Windows\\regedit.exe"), 0);
  EXPECT_EQ(list.AddUtility(L"\u0420\u0435\u0434\u0430\u043a\u0442\u043e\u0440", L"\u6ce8\u518c\u8868", L"D:\\REGEDIT.EXE"), 1);
  EXPECT_EQ(list.AddUtility(L"", L"", L"regedit.exe"), 2);

  std::wstring text = UnicodeText();
  EXPECT_EQ(text.find(L"[REGEDIT_EXE]\r\nname=regedit.exe\r\ninfo=\r\ncmd=C:\\Windows\\regedit.exe\r\n"), 0u) << text;
  EXPECT_NE(text.find(L"name=\u0420\u0435\u0434\u0430\u043a\u0442\u043e\u0440\r\ninfo=\u6ce8\u518c\u8868\r\n"),
            std::wstring::npos)
      << "a name outside the ANSI code page is kept";

  UtilityList again = Loaded();
  ASSERT_EQ(again.Count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(again.At(i).section, list.At(i).section);
    EXPECT_EQ(again.At(i).name, list.At(i).name);
    EXPECT_EQ(again.At(i).info, list.At(i).info);
    EXPECT_EQ(again.At(i).cmd, list.At(i).cmd);
  }
  EXPECT_EQ(again.At(1).section, L"REGEDIT_EXE0");
  EXPECT_EQ(again.At(2).section, L"REGEDIT_EXE00");
  EXPECT_EQ(again.At(2).name, L"regedit.exe");
}

TEST_F(UtilitiesFile, ASectionThatExistsIsTakenWhateverItHolds) {
  // Written by hand in the ANSI code page, and left so.
  const std::string original = "[NOTEPAD_EXE]\r\n[CALC_EXE]\r\ncmd=ERR\r\n[mspaint_exe]\r\nname=Paint\r\n";
  ASSERT_TRUE(WriteFileBytes(path, original));
  struct Case {
    const wchar_t *cmd, *section;
  } cases[] = {
      {L"notepad.exe", L"NOTEPAD_EXE0"},
      {L"C:\\calc.exe", L"CALC_EXE0"},
      {L"mspaint.exe", L"MSPAINT_EXE0"},
      {L"C:\\x\\Tavro_Studio_Sys_Tool_No_Modify", L"TAVRO_STUDIO_SYS_TOOL_NO_MODIFY0"},
      {L"C:\\folder\\", L"0"},
      {L"write.exe", L"WRITE_EXE"},
  };
  UtilityList list(path);
  for (const Case& c : cases) {
    int index = list.AddUtility(L"", L"", c.cmd);
    ASSERT_GE(index, 0) << c.cmd;
    EXPECT_EQ(list.At(index).section, c.section) << c.cmd;
    EXPECT_FALSE(list.At(index).IsBuiltIn());
  }
  std::string bytes = ReadFileBytes(path);
  EXPECT_EQ(bytes.compare(0, original.size(), original), 0) << "the hand-written sections are untouched:\n" << bytes;
  EXPECT_EQ(Loaded().Count(), 3 + static_cast<int>(std::size(cases)));
}

TEST_F(UtilitiesFile, LineBreaksInTypedTextsAddNoKeyOrSection) {
  UtilityList list(path);
  ASSERT_EQ(list.AddUtility(L"Two\r\nlines", L"first\r\ncmdfix=/evil\r\n[INJECTED]\ncmd=calc.exe\rlast",
                            L"C:\\Tools\\tool.exe\r\n"),
            0);
  UtilityList again = Loaded();
  ASSERT_EQ(again.Count(), 1);
  EXPECT_EQ(again.At(0).section, L"TOOL_EXE");
  EXPECT_EQ(again.At(0).name, L"Two lines");
  EXPECT_EQ(again.At(0).info, L"first cmdfix=/evil [INJECTED] cmd=calc.exe last");
  EXPECT_EQ(again.At(0).cmd, L"C:\\Tools\\tool.exe");
  EXPECT_EQ(again.At(0).cmdfix, L"");
}

TEST_F(UtilitiesFile, ChangeKeepsSectionAndParametersAndDeleteRemovesTheWholeSection) {
  ASSERT_TRUE(WriteFileBytes(path, Utf16File(L"[TOOL]\nname=Tool\ninfo=old\ncmd=C:\\old.exe\ncmdfix=/quiet\n"
                                             L"[OTHER]\nname=Other\ncmd=other.exe\n")));
  UtilityList list(path);
  list.Append(MakeBuiltInUtility());
  list.LoadUtilities();
  ASSERT_EQ(list.Count(), 3);
  std::string before = ReadFileBytes(path);
  EXPECT_FALSE(list.ChangeUtility(0, L"Mine", L"", L"evil.exe"));
  EXPECT_FALSE(list.DeleteUtility(0));
  EXPECT_EQ(ReadFileBytes(path), before) << "the built-in item is never written";

  ASSERT_TRUE(list.ChangeUtility(1, L"New", L"new info", L"C:\\new.exe"));
  UtilityList changed = Loaded();
  EXPECT_EQ(changed.At(0).section, L"TOOL");
  EXPECT_EQ(changed.At(0).name, L"New");
  EXPECT_EQ(changed.At(0).info, L"new info");
  EXPECT_EQ(changed.At(0).cmd, L"C:\\new.exe");
  EXPECT_EQ(changed.At(0).cmdfix, L"/quiet");

  ASSERT_TRUE(list.DeleteUtility(1));
  EXPECT_EQ(UnicodeText().find(L"TOOL]"), std::wstring::npos) << UnicodeText();
  UtilityList left = Loaded();
  ASSERT_EQ(left.Count(), 1);
  EXPECT_EQ(left.At(0).section, L"OTHER");
  EXPECT_EQ(list.Count(), 3) << "the deleted utility keeps its place in memory";
}

TEST_F(UtilitiesFile, RunOpensTheCommandWithItsParametersInItsFolder) {
  ASSERT_TRUE(WriteFileBytes(path, Utf16File(L"[TOOL]\ncmd=C:\\Tools\\tool.exe\ncmdfix=/quiet\n[NOTE]\ncmd=notepad.exe\n"
                                             L"[BLANK]\n")));
  UtilityList list(path);
  list.Append(MakeBuiltInUtility());
  list.LoadUtilities();
  ASSERT_EQ(list.Count(), 4);
  for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(list.RunUtility(nullptr, i), i != 3) << i;
  EXPECT_FALSE(list.RunUtility(nullptr, 4));
  struct Expected {
    const wchar_t *file, *parameters, *directory;
  } expected[] = {
      {L"rundll32.exe", L"shell32.dll,Control_RunDLL Inetcpl.cpl", L""},
      {L"C:\\Tools\\tool.exe", L"/quiet", L"C:\\Tools\\"},
      {L"notepad.exe", L"", L""},
  };
  const std::vector<win::ShellCall>& calls = seams.script.shellCalls;
  ASSERT_EQ(calls.size(), std::size(expected)) << "an empty command runs nothing";
  for (size_t i = 0; i < calls.size(); ++i) {
    EXPECT_EQ(calls[i].verb, L"open");
    EXPECT_EQ(calls[i].file, expected[i].file);
    EXPECT_EQ(calls[i].parameters, expected[i].parameters);
    EXPECT_EQ(calls[i].directory, expected[i].directory);
    EXPECT_EQ(calls[i].show, SW_SHOWNORMAL);
  }
}
