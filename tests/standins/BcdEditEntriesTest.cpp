// bcdedit's entry and menu commands as a child process: /create, /copy, /delete, /default,
// /displayorder, /timeout.
#include <gtest/gtest.h>

#include "StandinRun.h"

using namespace standin_tests;

namespace {

const wchar_t kSeven[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}";
const wchar_t kGrub[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3eb5}";
const char kOk[] = "The operation completed successfully.\r\n";

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The boot manager's display order as GUIDs, one per element.
std::vector<std::string> DisplayOrder(const StandinSandbox& sandbox) {
  std::vector<std::string> order;
  bool inside = false;
  for (const std::string& line : Lines(sandbox.BcdEdit(L" /enum {bootmgr} /v"))) {
    if (line.rfind("displayorder", 0) == 0) inside = true;
    else if (!line.empty() && line[0] != ' ') inside = false;
    if (inside) order.push_back(line.substr(24));
  }
  return order;
}

class BcdEditEntries : public testing::Test {
 protected:
  void SetUp() override { sandbox.SeedDemo(); }
  StandinSandbox sandbox;
};

}  // namespace

TEST_F(BcdEditEntries, CreateReportsTheNewIdentifierAndMakesAnObjectOfTheType) {
  std::string created = sandbox.BcdEdit(L" /create /d \"Linux loader\" /application bootsector");
  ASSERT_EQ(created.size(), std::string("The entry  was successfully created.\r\n").size() + 38) << created;
  EXPECT_EQ(created.substr(0, 10), "The entry ");
  std::string guid = created.substr(10, 38);
  EXPECT_EQ(created.substr(48), " was successfully created.\r\n");
  std::string listing = sandbox.BcdEdit(L" /enum " + std::wstring(guid.begin(), guid.end()));
  EXPECT_EQ(listing, "\r\nReal-mode Boot Sector\r\n---------------------\r\nidentifier              " + guid +
                         "\r\ndescription             Linux loader\r\n");
  std::string loader = sandbox.BcdEdit(L" /create /d \"New Windows\" /application OSLOADER");
  std::string loaderGuid = loader.substr(10, 38);
  EXPECT_TRUE(Has(sandbox.BcdEdit(L" /enum " + std::wstring(loaderGuid.begin(), loaderGuid.end())),
                  "Windows Boot Loader\r\n"));
  EXPECT_TRUE(Has(sandbox.BcdEdit(L" /create /d \"Hibernation\" /application RESUME"), "successfully created"));
  EXPECT_TRUE(Has(sandbox.BcdEdit(L" /create /d \"Opts\" /device"), "successfully created"));
  EXPECT_EQ(sandbox.Run(L"bcdedit", L" /create /d \"x\" /application WINDOWS").exitCode, 1u);
  EXPECT_EQ(sandbox.Run(L"bcdedit", L" /create /application OSLOADER").exitCode, 1u);  // no /d
}

TEST_F(BcdEditEntries, CreateOfTheLegacyLoaderUsesItsFixedGuidAndRefusesASecondOne) {
  sandbox.BcdEdit(L" /delete {ntldr} /f");
  EXPECT_EQ(sandbox.BcdEdit(L" /create {ntldr} /d \"Earlier Windows OS Loader\""),
            "The entry {ntldr} was successfully created.\r\n");
  EXPECT_EQ(sandbox.BcdEdit(L" /enum {466f5a88-0af2-4f76-9038-095b170dc21c}"),
            "\r\nWindows Legacy OS Loader\r\n------------------------\r\nidentifier              {ntldr}\r\n"
            "description             Earlier Windows OS Loader\r\n");
  sandbox.BcdEdit(L" /set {ntldr} path \\ntldr");
  sandbox.BcdEdit(L" /set {ntldr} device partition=c:");
  EXPECT_TRUE(Has(sandbox.BcdEdit(L" /enum {ntldr}"), "device                  partition=C:\r\npath                    \\ntldr\r\n"));
  ToolResult again = sandbox.Run(L"bcdedit", L" /create {ntldr} /d \"Again\"");
  EXPECT_EQ(again.exitCode, 1u);
  EXPECT_EQ(again.output, "An error occurred while attempting to create the specified entry.\r\n"
                          "Cannot create a file when that file already exists.\r\n");
}

TEST_F(BcdEditEntries, CopyMakesANewEntryWithAllElementsAndTheNewDescription) {
  std::string copied = sandbox.BcdEdit(L" /copy {current} /d \" Copy of Windows 10 \" ");
  ASSERT_EQ(copied.substr(0, 38), "The entry was successfully copied to {");
  std::string guid = copied.substr(37, 38);
  EXPECT_EQ(copied.substr(75), ".\r\n");
  std::string copy = sandbox.BcdEdit(L" /enum " + std::wstring(guid.begin(), guid.end()));
  std::string original = sandbox.BcdEdit(L" /enum {current}");
  EXPECT_TRUE(Has(copy, "description              Copy of Windows 10 \r\n"));
  EXPECT_EQ(copy.substr(copy.find("device")).substr(0, 200).find("osdevice"),
            original.substr(original.find("device")).substr(0, 200).find("osdevice"));
  EXPECT_TRUE(Has(copy, "bootmenupolicy          Standard\r\n"));
  EXPECT_EQ(sandbox.Run(L"bcdedit", L" /copy {current}").exitCode, 1u);
}

TEST_F(BcdEditEntries, CopyOfAMenuEntryBecomesTheMenusLastItem) {
  std::vector<std::string> menu = DisplayOrder(sandbox);
  ASSERT_EQ(menu.size(), 6u);
  // A menu entry in the middle (Windows 7), the legacy loader, and an object off the menu.
  for (const wchar_t* source : {kSeven, L"{ntldr}", L"{memdiag}"}) {
    std::string copied = sandbox.BcdEdit(std::wstring(L" /copy ") + source + L" /d \"Copy\"");
    ASSERT_EQ(copied.size(), 78u) << copied;
    std::string guid = copied.substr(37, 38);
    if (std::wstring(source) != L"{memdiag}") menu.push_back(guid);
    EXPECT_EQ(DisplayOrder(sandbox), menu);
  }
  // The tools menu is left alone.
  EXPECT_TRUE(Has(sandbox.BcdEdit(L" /enum {bootmgr}"), "toolsdisplayorder       {memdiag}\r\ntimeout"));
}

TEST_F(BcdEditEntries, DeleteCleansUpReferencesUnlessToldNotTo) {
  EXPECT_EQ(sandbox.BcdEdit(L" /delete " + std::wstring(kSeven) + L" /cleanup "), kOk);
  EXPECT_EQ(sandbox.Run(L"bcdedit", L" /enum " + std::wstring(kSeven)).exitCode, 1u);
  std::vector<std::string> order = DisplayOrder(sandbox);
  EXPECT_EQ(order.size(), 5u);
  for (const auto& guid : order) EXPECT_NE(guid, "{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}");
  EXPECT_EQ(sandbox.BcdEdit(L" /delete " + std::wstring(kGrub) + L" /nocleanup"), kOk);
  EXPECT_EQ(DisplayOrder(sandbox).size(), 5u);  // the dangling reference stays, as with the real tool
  EXPECT_FALSE(Has(sandbox.BcdEdit(L""), "GRUB"));
}

TEST_F(BcdEditEntries, DeletingALoaderTakesItsResumeObjectAlongOnlyWhenNothingElseUsesIt) {
  const std::wstring seven = kSeven;
  sandbox.BcdEdit(L" /set " + seven + L" resumeobject {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e4e}");
  EXPECT_EQ(sandbox.BcdEdit(L" /delete " + seven), kOk);
  // Windows 10 and the boot manager still name the resume object, so it stays.
  EXPECT_TRUE(Has(sandbox.BcdEdit(L" /enum RESUME"), "Resume from Hibernate"));

  sandbox.BcdEdit(L" /deletevalue {bootmgr} resumeobject");
  EXPECT_EQ(sandbox.BcdEdit(L" /delete {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e10}"), kOk);
  EXPECT_EQ(sandbox.BcdEdit(L" /enum RESUME"), "There are no matching objects or the store is empty.\r\n");
  // It was the default and the running system: both references are gone.
  EXPECT_FALSE(Has(sandbox.BcdEdit(L" /enum {bootmgr}"), "\r\ndefault "));
  EXPECT_EQ(sandbox.Run(L"bcdedit", L" /enum {current}").exitCode, 1u);
  EXPECT_EQ(sandbox.Run(L"bcdedit", L" /enum {default}").exitCode, 1u);
}

TEST_F(BcdEditEntries, WellKnownEntriesNeedForce) {
  for (const wchar_t* id : {L"{ntldr}", L"{bootmgr}", L"{466f5a88-0af2-4f76-9038-095b170dc21c}", L"{current}"}) {
    ToolResult refused = sandbox.Run(L"bcdedit", std::wstring(L" /delete ") + id);
    EXPECT_EQ(refused.exitCode, 1u) << refused.output;
    std::vector<std::string> lines = Lines(refused.output);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "An error occurred while attempting to delete the specified entry.");
    EXPECT_TRUE(Has(lines[1], "/f")) << lines[1];
  }
  EXPECT_EQ(sandbox.BcdEdit(L" /delete {ntldr} /f"), kOk);
  EXPECT_EQ(DisplayOrder(sandbox).size(), 5u);
}

TEST_F(BcdEditEntries, DefaultAndTimeoutChangeTheBootManager) {
  EXPECT_EQ(sandbox.BcdEdit(L" /default " + std::wstring(kSeven)), kOk);
  std::string manager = sandbox.BcdEdit(L" /enum {bootmgr}");
  EXPECT_TRUE(Has(manager, "\r\ndefault                 {default}\r\n"));
  EXPECT_TRUE(Has(manager, "\r\ndisplayorder            {current}\r\n                        {default}\r\n"));
  EXPECT_TRUE(Has(sandbox.BcdEdit(L" /enum " + std::wstring(kSeven)), "identifier              {default}\r\n"));
  EXPECT_EQ(sandbox.BcdEdit(L" /default {ntldr}"), kOk);
  EXPECT_TRUE(Has(sandbox.BcdEdit(L" /enum {bootmgr} /v"), "default                 {466f5a88-0af2-4f76-9038-095b170dc21c}\r\n"));
  EXPECT_EQ(sandbox.Run(L"bcdedit", L" /default {01234567-89ab-cdef-0123-456789abcdef}").exitCode, 1u);

  EXPECT_EQ(sandbox.BcdEdit(L" /timeout 5"), kOk);
  EXPECT_TRUE(Has(sandbox.BcdEdit(L" /enum {bootmgr}"), "\r\ntimeout                 5\r\n"));
  ToolResult bad = sandbox.Run(L"bcdedit", L" /timeout soon");
  EXPECT_EQ(bad.exitCode, 1u);
  EXPECT_EQ(Lines(bad.output)[0], "The integer data is not valid as specified.");
  EXPECT_TRUE(Has(sandbox.BcdEdit(L" /enum {bootmgr}"), "\r\ntimeout                 5\r\n"));
}

TEST_F(BcdEditEntries, DisplayOrderReplacesAddsMovesAndRemoves) {
  const std::string seven = "{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}";
  const std::string ntldr = "{466f5a88-0af2-4f76-9038-095b170dc21c}";
  const std::string current = "{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e10}";
  EXPECT_EQ(sandbox.BcdEdit(L" /displayorder {ntldr} " + std::wstring(kSeven)), kOk);
  EXPECT_EQ(DisplayOrder(sandbox), (std::vector<std::string>{ntldr, seven}));
  sandbox.BcdEdit(L" /displayorder {current} /addlast");
  sandbox.BcdEdit(L" /displayorder {current} /addlast");
  EXPECT_EQ(DisplayOrder(sandbox), (std::vector<std::string>{ntldr, seven, current}));
  sandbox.BcdEdit(L" /displayorder {current} /addfirst");
  EXPECT_EQ(DisplayOrder(sandbox), (std::vector<std::string>{current, ntldr, seven}));
  sandbox.BcdEdit(L" /displayorder {ntldr} /remove");
  EXPECT_EQ(DisplayOrder(sandbox), (std::vector<std::string>{current, seven}));
  sandbox.BcdEdit(L" /displayorder {current} /remove");
  sandbox.BcdEdit(L" /displayorder " + std::wstring(kSeven) + L" /remove");
  EXPECT_FALSE(Has(sandbox.BcdEdit(L" /enum {bootmgr}"), "\r\ndisplayorder"));
  EXPECT_EQ(sandbox.Run(L"bcdedit", L" /displayorder {ntldr} {current} /addlast").exitCode, 1u);
  EXPECT_EQ(sandbox.Run(L"bcdedit", L" /displayorder {01234567-89ab-cdef-0123-456789abcdef} /addlast").exitCode, 1u);
  sandbox.BcdEdit(L" /toolsdisplayorder {memdiag} {ntldr}");
  EXPECT_TRUE(Has(sandbox.BcdEdit(L" /enum {bootmgr}"), "toolsdisplayorder       {memdiag}\r\n                        {ntldr}\r\n"));
}
