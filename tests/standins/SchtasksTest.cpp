// The schtasks.exe stand-in as a child process: the definitions it refuses as the scheduler does,
// and what it keeps, answers and deletes.
#include <gtest/gtest.h>

#include "StandinRun.h"
#include "common/StandinState.h"
#include "common/Text.h"

using namespace standin_tests;

namespace {

std::string Utf16(const std::wstring& text) {
  return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

// A definition with one part replaced: what a faulty writer of it might send.
std::wstring Task(const std::wstring& part, const std::wstring& instead) {
  std::wstring task = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<Task version=\"1.2\"><Principals><Principal "
                      L"id=\"Author\"><RunLevel>HighestAvailable</RunLevel></Principal></Principals><Settings>"
                      L"<Delay>PT30S</Delay></Settings><Actions><Exec><Command>\"C:\\R&amp;D\\vexa.exe\"</Command>"
                      L"</Exec></Actions></Task>\r\n";
  return part.empty() ? task : task.replace(task.find(part), part.size(), instead);
}

}  // namespace

TEST(Schtasks, RegistersQueriesAndDeletesAsTheRealToolAnswers) {
  StandinSandbox sandbox;
  const std::string notFound = "ERROR: The system cannot find the file specified.";
  const std::string malformed = "ERROR: The task XML is malformed.";
  const std::string badValue = "ERROR: The task XML contains a value which is incorrectly formatted or out of range.";
  const std::wstring create = L" /create /tn \"Tavro Vexa\" /xml \"" + sandbox.File(L"task.xml") + L"\" /f";
  struct Case {
    std::string file;  // task.xml's bytes for the run; empty: no file
    std::wstring arguments;
    DWORD exitCode;
    std::string firstLine;
    bool registered;  // afterwards
  };
  const Case cases[] = {
      {"", L" /query /tn \"Tavro Vexa\"", 1, notFound, false},
      {"", create, 1, notFound, false},
      {standin::Narrow(Task(L"", L""), CP_UTF8), create, 1, malformed, false},  // UTF-8 under a UTF-16 declaration
      {Utf16(Task(L"&amp;", L"&")), create, 1, malformed, false},
      {Utf16(Task(L"</Exec>", L"")), create, 1, malformed, false},
      {Utf16(Task(L"HighestAvailable", L"Highest")), create, 1, badValue, false},
      {Utf16(Task(L"PT30S", L"PT")), create, 1, badValue, false},
      {Utf16(Task(L"<Command>\"C:\\R&amp;D\\vexa.exe\"</Command>", L"")), create, 1,
       "ERROR: The task XML is missing a required element or attribute.", false},
      {Utf16(Task(L"", L"")), create, 0, "SUCCESS: The scheduled task \"Tavro Vexa\" has successfully been created.", true},
      {"", L" /query /tn \"\\Tavro Vexa\"", 0, "", true},
      {"", L" /delete /tn \"Tavro Vexa\" /f", 0, "SUCCESS: The scheduled task \"Tavro Vexa\" was successfully deleted.", false},
      {"", L" /delete /tn \"Tavro Vexa\" /f", 1, notFound, false},
  };
  for (const Case& c : cases) {
    DeleteFileW(sandbox.File(L"task.xml").c_str());
    if (!c.file.empty()) {
      ASSERT_TRUE(sandbox.WriteText(L"task.xml", c.file));
    }
    ToolResult result = sandbox.Run(L"schtasks", c.arguments);
    EXPECT_EQ(result.exitCode, c.exitCode) << result.output;
    EXPECT_EQ(Lines(result.output).at(0), c.firstLine) << result.output;
    EXPECT_EQ(standin::ReadState(L"schtasks", L"Tavro Vexa"), c.registered ? Task(L"", L"") : L"") << result.output;
    if (c.exitCode == 0 && c.firstLine.empty()) {
      EXPECT_EQ(Lines(result.output).at(4).substr(0, 69),
                "Tavro Vexa" + std::string(31, ' ') + "N/A" + std::string(20, ' ') + "Ready");
    }
  }
  EXPECT_EQ(Lines(sandbox.Journal()).size(), std::size(cases));
}
