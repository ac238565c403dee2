// The utilities file: sections of new utilities, what a typed text may put into the file, changing,
// deleting and running utilities, read back from plugins.ini itself.
#include <gtest/gtest.h>

#include "StoreSandbox.h"
#include "utilities/UtilityList.h"

using namespace testing_support;

namespace {

class UtilitiesFile : public testing::Test, protected StoreSandbox {
 protected:
  UtilitiesFile() : StoreSandbox(Tools::kNone), path(folder.File(L"plugins.ini")) { AppSettings.languageFile.clear(); }

  UtilityList Loaded(bool builtIn = false) const {
    UtilityList list(path);
    if (builtIn) list.Append(MakeBuiltInUtility());
    list.LoadUtilities();
    return list;
  }
  std::wstring path;
};

}  // namespace

TEST_F(UtilitiesFile, NewUtilitiesGetTheirOwnSectionsInAUnicodeFile) {
  EXPECT_EQ(Loaded().Count(), 0) << "no file, no utilities";
  UtilityList list(path);
  EXPECT_EQ(list.AddUtility(L"Nothing", L"", L""), -1);
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing to add writes nothing";

  const std::wstring russian = L"\u0420\u0435\u0434\u0430\u043a\u0442\u043e\u0440", chinese = L"\u6ce8\u518c\u8868";
  EXPECT_EQ(list.AddUtility(L"", L"", L"C:\\Windows\\regedit.exe"), 0);
  EXPECT_EQ(list.AddUtility(russian, chinese, L"D:\\REGEDIT.EXE"), 1);
  EXPECT_EQ(list.AddUtility(L"", L"", L"regedit.exe"), 2);
  // UTF-16LE with its byte-order mark, so names outside the ANSI code page are kept.
  std::string bytes = ReadFileBytes(path);
  EXPECT_EQ(bytes.find(Utf16File(L"[REGEDIT_EXE]\nname=regedit.exe\ninfo=\ncmd=C:\\Windows\\regedit.exe\n")), 0u);
  EXPECT_NE(bytes.find(Utf16File(L"name=" + russian + L"\ninfo=" + chinese + L"\n").substr(2)), std::string::npos);

  UtilityList again = Loaded();
  ASSERT_EQ(again.Count(), 3);
  const wchar_t* sections[] = {L"REGEDIT_EXE", L"REGEDIT_EXE0", L"REGEDIT_EXE00"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(again.At(i).section, sections[i]);
    EXPECT_EQ(again.At(i).name + L"|" + again.At(i).info + L"|" + again.At(i).cmd,
              list.At(i).name + L"|" + list.At(i).info + L"|" + list.At(i).cmd);
  }
  EXPECT_EQ(again.At(2).name, L"regedit.exe") << "no name: the command's file name as it stands";

  // A typed line break must not start a key ("cmdfix=" would add parameters) or a section.
  ASSERT_EQ(list.AddUtility(L"Two\r\nlines", L"one\r\ncmdfix=/evil\r\n[INJECTED]\ncmd=calc.exe\rlast",
                            L"C:\\Tools\\tool.exe\r\n"),
            3);
  again = Loaded();
  ASSERT_EQ(again.Count(), 4);
  const UtilityItem& item = again.At(3);
  EXPECT_EQ(item.section + L"|" + item.name + L"|" + item.cmd + L"|" + item.cmdfix, L"TOOL_EXE|Two lines|C:\\Tools\\tool.exe|");
  EXPECT_EQ(item.info, L"one cmdfix=/evil [INJECTED] cmd=calc.exe last");
}

TEST_F(UtilitiesFile, ASectionThatExistsIsTakenWhateverItHolds) {
  // Written by hand in the ANSI code page, and left so.
  const std::string original = "[NOTEPAD_EXE]\r\n[CALC_EXE]\r\ncmd=ERR\r\n[mspaint_exe]\r\nname=Paint\r\n";
  ASSERT_TRUE(WriteFileBytes(path, original));
  const wchar_t* cases[][2] = {
      {L"notepad.exe", L"NOTEPAD_EXE0"},
      {L"C:\\calc.exe", L"CALC_EXE0"},
      {L"mspaint.exe", L"MSPAINT_EXE0"},
      {L"C:\\x\\Tavro_Studio_Sys_Tool_No_Modify", L"TAVRO_STUDIO_SYS_TOOL_NO_MODIFY0"},
      {L"C:\\folder\\", L"0"},
      {L"D:\\Tools\\my.tool.Cmd", L"MY_TOOL_CMD"},
      {L"C:\\\u00e9t\u00e9.bat", L"\u00e9T\u00e9_BAT"},  // only a to z change case
  };
  UtilityList list(path);
  for (const auto& c : cases) {
    int index = list.AddUtility(L"", L"", c[0]);
    ASSERT_GE(index, 0) << c[0];
    EXPECT_EQ(list.At(index).section, c[1]) << c[0];
  }
  std::string bytes = ReadFileBytes(path);
  EXPECT_EQ(bytes.compare(0, original.size(), original), 0) << "the hand-written sections are untouched:\n" << bytes;
  EXPECT_EQ(Loaded().Count(), 3 + static_cast<int>(std::size(cases)));
}

TEST_F(UtilitiesFile, RunChangeAndDeleteLeaveTheBuiltInItemAlone) {
  ASSERT_TRUE(WriteFileBytes(path, Utf16File(L"[TOOL]\nname=Tool\ninfo=old\ncmd=C:\\Tools\\old.exe\ncmdfix=/quiet\n"
                                             L"[OTHER]\ncmd=notepad.exe\n[BLANK]\n")));
  UtilityList list = Loaded(true);
  ASSERT_EQ(list.Count(), 4);
  for (int i = 0; i <= list.Count(); ++i) EXPECT_EQ(list.RunUtility(nullptr, i), i < 3) << i;
  const wchar_t* runs[] = {L"open|rundll32.exe|shell32.dll,Control_RunDLL Inetcpl.cpl|",
                           L"open|C:\\Tools\\old.exe|/quiet|C:\\Tools\\", L"open|notepad.exe||"};
  ASSERT_EQ(seams.script.shellCalls.size(), std::size(runs)) << "an empty command runs nothing";
  for (size_t i = 0; i < std::size(runs); ++i) {
    const win::ShellCall& call = seams.script.shellCalls[i];
    EXPECT_EQ(call.verb + L"|" + call.file + L"|" + call.parameters + L"|" + call.directory, runs[i]);
    EXPECT_EQ(call.show, SW_SHOWNORMAL);
  }

  std::string before = ReadFileBytes(path);
  EXPECT_FALSE(list.ChangeUtility(0, L"Mine", L"", L"evil.exe"));
  EXPECT_FALSE(list.DeleteUtility(0));
  EXPECT_EQ(ReadFileBytes(path), before) << "the built-in item is never written";

  ASSERT_TRUE(list.ChangeUtility(1, L"New", L"new info", L"C:\\new.exe"));
  const UtilityItem changed = Loaded().At(0);
  EXPECT_EQ(changed.section + L"|" + changed.name + L"|" + changed.info + L"|" + changed.cmd + L"|" + changed.cmdfix,
            L"TOOL|New|new info|C:\\new.exe|/quiet");

  ASSERT_TRUE(list.DeleteUtility(1));
  EXPECT_EQ(ReadFileBytes(path).find(Utf16File(L"TOOL]").substr(2)), std::string::npos) << "no empty header is left";
  ASSERT_EQ(Loaded().Count(), 2);
  EXPECT_EQ(Loaded().At(0).section, L"OTHER");
  EXPECT_EQ(list.Count(), 4) << "the deleted utility keeps its place in memory";
}
