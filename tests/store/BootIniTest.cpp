// boot.ini: menu lines into records, the legacy loader check, and every write, on real files
// through the profile functions.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "StoreSandbox.h"
#include "store/BcdEditRunner.h"
#include "store/BootIni.h"
#include "store/EntryList.h"
#include "base/Format.h"

using namespace testing_support;

namespace {

constexpr char kBootIni[] =
    "[boot loader]\r\n"
    "timeout=30\r\n"
    "default=multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS\r\n"
    "[operating systems]\r\n"
    "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Microsoft Windows XP Professional\" /noexecute=optin /fastdetect\r\n"
    "C:\\CMDCONS\\BOOTSECT.DAT=\"Recovery Console\" /cmdcons\r\n"
    "C:\\grldr=\"Grub4Dos\"\r\n";

// A boot.ini in a sandbox's folder, in use for the scope of a test; null text: no file yet.
struct BootIniFile : StoreSandbox {
  std::wstring path = folder.File(L"boot.ini");

  explicit BootIniFile(const char* text = kBootIni) {
    if (text) PlaceBootIni(text);
    AppSettings.bootIniPath = path;
    AppSettings.ntldrPresent = true;
  }
  std::string Text() const { return folder.ReadText(L"boot.ini"); }
  DWORD Attributes() const { return GetFileAttributesW(path.c_str()) & ~FILE_ATTRIBUTE_ARCHIVE; }
  std::vector<std::wstring> Section(const wchar_t* name) const {
    std::vector<wchar_t> buffer(32767, L'\0');
    GetPrivateProfileSectionW(name, buffer.data(), 32767, path.c_str());
    std::vector<std::wstring> lines;
    for (const wchar_t* line = buffer.data(); *line; line += wcslen(line) + 1) lines.emplace_back(line);
    return lines;
  }
};

constexpr DWORD kHiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

TEST(BootIni, TitleAndDefaultOfALineWrittenWithBlanks) {
  BootIniFile file(
      "[boot loader]\r\ntimeout=30\r\ndefault=multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS\r\n"
      "[operating systems]\r\n"
      "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP\" /fastdetect\r\n"
      "C:\\wubildr.mbr = \"Ubuntu\"\r\n");
  // The line with its blanks, as a profile function that keeps them returns it (Wine's drop them).
  BootEntry ubuntu;
  ParseBootIniLine(L"C:\\wubildr.mbr = \"Ubuntu\"", ubuntu);
  EXPECT_TRUE(BootIniSetTitle(ubuntu, L"Ubuntu 22.04"));
  EXPECT_EQ(ubuntu.description, L"Ubuntu 22.04");
  EXPECT_EQ(ubuntu.rawText, L"C:\\wubildr.mbr=\"Ubuntu 22.04\"");
  EXPECT_EQ(file.Section(kOperatingSystemsSection),
            (std::vector<std::wstring>{L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP\" /fastdetect",
                                       L"C:\\wubildr.mbr=\"Ubuntu 22.04\""}))
      << "the line is changed, not joined by a second one";

  EntryList list;
  EXPECT_TRUE(BootIniSetDefault(list, ubuntu));
  EXPECT_EQ(list.iniDefault, L"C:\\wubildr.mbr");
  EXPECT_NE(file.Text().find("default=C:\\wubildr.mbr\r\n"), std::string::npos);
}

TEST(BootIni, LoadAppendsMenuLinesAfterStoreEntries) {
  BootIniFile file(
      "[boot loader]\r\ntimeout=3\r\n[operating systems]\r\n"
      "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP\" /fastdetect\r\n"
      "C:\\CMDCONS\r\n"
      "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP safe\" /safeboot:minimal\r\n");
  EntryList list;
  BootEntry store;
  store.identifier = L"{current}";
  list.entries.push_back(store);
  list.displayIndex.push_back(0);

  list.LoadBootIni();
  ASSERT_EQ(list.entries.size(), 3u) << "the line without '=' is skipped";
  EXPECT_EQ(list.displayIndex, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(list.entries[1].description, L"XP");
  EXPECT_EQ(list.entries[2].description, L"XP safe");
  EXPECT_EQ(list.entries[2].rawText,
            L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP safe\" /safeboot:minimal");
  for (int i : {1, 2}) {
    EXPECT_EQ(list.entries[i].sourceKind, kSourceBootIni);
    EXPECT_EQ(list.entries[i].deleteMark, 0);
    EXPECT_EQ(list.entries[i].GetPath(), L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS");
  }
}

TEST(BootIni, NothingIsLoadedWithoutTheLegacyLoaderOrTheFile) {
  StoreSandbox sandbox;
  ASSERT_TRUE(sandbox.RemoveFile(L"c:\\ntldr"));
  {
    BootIniFile file;
    AppSettings.ntldrPresent = false;
    AppSettings.osClass = 7;
    AppSettings.bcdSystem = false;
    EntryList list;
    list.LoadBootIni();
    EXPECT_TRUE(list.entries.empty());
  }
  {
    BootIniFile missing(nullptr);
    EntryList list;
    list.LoadBootIni();
    EXPECT_TRUE(list.entries.empty());
    EXPECT_TRUE(list.displayIndex.empty());
  }
}

TEST(BootIni, LegacyLoaderIsFoundOnTheBootManagersDrive) {
  StoreSandbox sandbox;
  const std::wstring& folder = sandbox.folder.Path();
  std::wstring drive = folder.substr(0, folder.size() - 1);  // has a ':' like "D:"
  ASSERT_TRUE(sandbox.folder.WriteText(L"ntldr", "x"));
  ASSERT_TRUE(sandbox.RemoveFile(L"c:\\ntldr"));
  AppSettings.osClass = 7;
  AppSettings.ntldrPresent = false;
  AppSettings.bcdSystem = true;
  AppSettings.toolsAvailable = true;

  EntryList list;
  list.bootManager.device = L"partition=" + drive;
  EXPECT_EQ(list.DetectLegacyLoader(), 1);
  EXPECT_TRUE(AppSettings.ntldrPresent);

  AppSettings.ntldrPresent = false;
  AppSettings.toolsAvailable = false;  // without the tool the device is not trusted: c: is looked at
  EXPECT_EQ(list.DetectLegacyLoader(), 0);
  EXPECT_FALSE(AppSettings.ntldrPresent);

  AppSettings.toolsAvailable = true;
  list.bootManager.device = L"partition=\\Device\\HarddiskVolume1";  // no drive letter: c:
  EXPECT_EQ(list.DetectLegacyLoader(), 0);
  ASSERT_TRUE(sandbox.PlaceFile(L"c:\\ntldr", "x"));
  EXPECT_EQ(list.DetectLegacyLoader(), 1);

  AppSettings.ntldrPresent = false;
  AppSettings.osClass = 5;  // XP: present without looking
  list.bootManager.device = L"partition=Q:";
  EXPECT_EQ(list.DetectLegacyLoader(), 1);
  EXPECT_TRUE(AppSettings.ntldrPresent);
}

TEST(BootIni, TimeoutAndDefaultWritesGetPastReadOnly) {
  BootIniFile file;
  SetFileAttributesW(file.path.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(BootIniSetTimeout(5));
  EXPECT_EQ(BootIniReadTimeout(), 5);
  EXPECT_EQ(file.Attributes(), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY)) << "the file keeps its attributes";

  SetFileAttributesW(file.path.c_str(), FILE_ATTRIBUTE_READONLY);
  EntryList list;
  BootEntry line;
  ParseBootIniLine(L"C:\\grldr=\"Grub4Dos\"", line);
  EXPECT_TRUE(BootIniSetDefault(list, line));
  EXPECT_EQ(list.iniDefault, L"C:\\grldr");
  EXPECT_NE(file.Text().find("default=C:\\grldr\r\n"), std::string::npos);
  EXPECT_EQ(file.Attributes(), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(file.Section(kOperatingSystemsSection).size(), 3u);

  // A file that cannot be written reports it and leaves iniDefault alone.
  AppSettings.bootIniPath = file.folder.File(L"no such folder\\boot.ini");
  BootEntry other;
  ParseBootIniLine(L"C:\\other=\"Other\"", other);
  EXPECT_FALSE(BootIniSetDefault(list, other));
  EXPECT_EQ(list.iniDefault, L"C:\\grldr");
  EXPECT_FALSE(BootIniSetTimeout(9));
}

TEST(BootIni, TimeoutWriteCreatesAHiddenFile) {
  BootIniFile file(nullptr);
  EXPECT_TRUE(BootIniSetTimeout(12));
  EXPECT_EQ(BootIniReadTimeout(), 12);
  EXPECT_EQ(file.Attributes(), kHiddenSystem);
}

TEST(BootIni, TitleWriteChangesOnlyTheQuotedTitle) {
  BootIniFile file(
      "[operating systems]\r\n"
      "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Old\" /fastdetect\r\n"
      "multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS=\"fastdetect\" /fastdetect\r\n");
  std::vector<std::wstring> lines = file.Section(kOperatingSystemsSection);
  BootEntry first, second;
  ParseBootIniLine(lines[0], first);
  ParseBootIniLine(lines[1], second);

  EXPECT_TRUE(BootIniSetTitle(first, L"New"));
  EXPECT_EQ(first.description, L"New");
  EXPECT_EQ(first.rawText, L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"New\" /fastdetect");
  // A title equal to a switch word must not rename the switch.
  EXPECT_TRUE(BootIniSetTitle(second, L"XP"));
  EXPECT_EQ(file.Section(kOperatingSystemsSection),
            (std::vector<std::wstring>{L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"New\" /fastdetect",
                                       L"multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS=\"XP\" /fastdetect"}));

  // Titles that would break the line are refused and nothing changes.
  std::string before = file.Text();
  EXPECT_FALSE(BootIniSetTitle(first, L"Bad\" /x"));
  EXPECT_FALSE(BootIniSetTitle(first, L"two\r\nlines"));
  EXPECT_EQ(first.description, L"New");
  EXPECT_EQ(file.Text(), before);

  BootEntry untitled;
  ParseBootIniLine(L"C:\\bootsect.dos=", untitled);
  WritePrivateProfileStringW(kOperatingSystemsSection, L"C:\\bootsect.dos", L"", file.path.c_str());
  EXPECT_TRUE(BootIniSetTitle(untitled, L"DOS"));
  EXPECT_EQ(untitled.rawText, L"C:\\bootsect.dos=\"DOS\"");
}

TEST(BootIni, TitleWriteOfASharedPathChangesThatLineOnly) {
  BootIniFile file(
      "[operating systems]\r\n"
      "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP\" /fastdetect\r\n"
      "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP safe\" /safeboot:minimal\r\n"
      "C:\\grldr=\"Grub\"\r\n");
  std::vector<std::wstring> lines = file.Section(kOperatingSystemsSection);
  ASSERT_EQ(lines.size(), 3u);
  BootEntry second;
  ParseBootIniLine(lines[1], second);
  EXPECT_TRUE(BootIniSetTitle(second, L"Safe mode"));
  EXPECT_EQ(file.Section(kOperatingSystemsSection),
            (std::vector<std::wstring>{L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP\" /fastdetect",
                                       L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Safe mode\" /safeboot:minimal",
                                       L"C:\\grldr=\"Grub\""}));
  EXPECT_EQ(second.rawText, L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Safe mode\" /safeboot:minimal");
}

TEST(BootIni, NewLineIsKeyedByDriveAndFileAndNeverReplacesALine) {
  BootIniFile file;
  SetFileAttributesW(file.path.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(BootIniAddLine(L"partition=D:", L"\\bootsect.dos", L"DOS"), NewLine::kAdded);
  EXPECT_EQ(BootIniAddLine(L"BOOT", L"\\grldr.mbr", L"Grub"), NewLine::kAdded);
  std::vector<std::wstring> lines = file.Section(kOperatingSystemsSection);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[3], L"D:\\bootsect.dos=\"DOS\"");
  EXPECT_EQ(lines[4], L"c:\\grldr.mbr=\"Grub\"");
  EXPECT_EQ(file.Attributes(), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  const struct {
    const wchar_t* device;
    const wchar_t* title;
    NewLine result;
  } refused[] = {
      {L"partition=D:", L"A\r\n[boot loader]\r\ntimeout=0", NewLine::kRefused},  // lines of its own
      {L"partition=D:", L"A\" /debug \"", NewLine::kRefused},                      // ends the title
      {L"partition=d:", L"Other", NewLine::kKeyExists},  // would replace the DOS line
  };
  for (const auto& c : refused) {
    EXPECT_EQ(BootIniAddLine(c.device, L"\\bootsect.dos", c.title), c.result) << c.title;
  }
  EXPECT_EQ(file.Section(kOperatingSystemsSection), lines);
}

TEST(BootIni, MenuRewriteKeepsTheOldSectionAndWritesTheNewOrder) {
  BootIniFile file;
  SetFileAttributesW(file.path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  std::vector<std::wstring> before = file.Section(kOperatingSystemsSection);
  ASSERT_EQ(before.size(), 3u);

  // The same lines in another case and with trailing blanks are no change.
  std::wstring same;
  for (const std::wstring& line : before) {
    std::wstring upper = line;
    CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    same += upper + L"\n";
  }
  EXPECT_EQ(BootIniRewriteMenu(same + L"  \n"), MenuRewrite::kUnchanged);
  EXPECT_TRUE(file.Section(kOldOperatingSystemsSection).empty());

  std::wstring reordered = before[2] + L"\n" + before[0] + L"\n";
  EXPECT_EQ(BootIniRewriteMenu(reordered), MenuRewrite::kWritten);
  EXPECT_EQ(file.Section(kOperatingSystemsSection), (std::vector<std::wstring>{before[2], before[0]}));
  EXPECT_EQ(file.Section(kOldOperatingSystemsSection), before);
  EXPECT_EQ(file.Attributes(), FILE_ATTRIBUTE_READONLY | kHiddenSystem) << "the file keeps its attributes";
  EXPECT_EQ(BootIniReadTimeout(), 30) << "the other sections stay";
  std::string text = file.Text();
  EXPECT_NE(text.find("C:\\grldr=\"Grub4Dos\"\r\nmulti(0)"), std::string::npos) << "lines end in CR LF";

  // A second rewrite replaces the backup with the section as it was just before.
  EXPECT_EQ(BootIniRewriteMenu(before[0] + L"\n"), MenuRewrite::kWritten);
  EXPECT_EQ(file.Section(kOldOperatingSystemsSection), (std::vector<std::wstring>{before[2], before[0]}));
}

TEST(BootIni, MenuRewriteKeepsLinesThatShareAPath) {
  BootIniFile file("[operating systems]\r\nC:\\a=\"A\"\r\n");
  std::wstring lines =
      L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP safe\" /safeboot:minimal\n"
      L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP\" /fastdetect\n"
      L"C:\\a=\"A\"\n";
  EXPECT_EQ(BootIniRewriteMenu(lines), MenuRewrite::kWritten);
  EXPECT_EQ(file.Section(kOperatingSystemsSection),
            (std::vector<std::wstring>{L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP safe\" /safeboot:minimal",
                                       L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP\" /fastdetect",
                                       L"C:\\a=\"A\""}));
}

TEST(BootIni, EveryWriteReplacesTheWholeFileOrLeavesItAsItWas) {
  BootIniFile file;
  EntryList list;
  BootEntry grub;
  ParseBootIniLine(L"C:\\grldr=\"Grub4Dos\"", grub);
  const struct {
    std::function<bool()> write;
    const char* written;
  } roads[] = {
      {[] { return BootIniSetTimeout(7); }, "timeout=7\r\n"},
      {[&] { return BootIniSetDefault(list, grub); }, "default=C:\\grldr\r\n"},
      {[&] { return BootIniSetTitle(grub, L"GRUB"); }, "C:\\grldr=\"GRUB\"\r\n"},
      {[] { return BootIniAddLine(L"partition=D:", L"\\dos", L"DOS") == NewLine::kAdded; }, "D:\\dos=\"DOS\"\r\n"},
      {[] { return BootIniRewriteMenu(L"C:\\grldr=\"Grub4Dos\"") == MenuRewrite::kWritten; }, "[old operating"},
  };
  const struct {
    DWORD attributes;
    DWORD heldSharing;  // another program has boot.ini open and shares this; ~0: nobody
    bool written;
  } files[] = {
      {FILE_ATTRIBUTE_NORMAL, ~0u, true},
      {FILE_ATTRIBUTE_READONLY | kHiddenSystem, ~0u, true},
      {FILE_ATTRIBUTE_READONLY | kHiddenSystem, 0, false},          // no copy can be made
      {kHiddenSystem, FILE_SHARE_READ | FILE_SHARE_WRITE, false},  // it cannot be replaced
  };
  for (const auto& road : roads) {
    for (const auto& kind : files) {
      SCOPED_TRACE(std::string(road.written) + " " + std::to_string(&kind - files));
      SetFileAttributesW(file.path.c_str(), FILE_ATTRIBUTE_NORMAL);
      ASSERT_TRUE(file.folder.WriteText(L"boot.ini", kBootIni));
      ASSERT_TRUE(SetFileAttributesW(file.path.c_str(), kind.attributes));
      DWORD attributes = file.Attributes();
      HANDLE held = kind.heldSharing == ~0u ? INVALID_HANDLE_VALUE
                                            : CreateFileW(file.path.c_str(), GENERIC_READ, kind.heldSharing, nullptr,
                                                          OPEN_EXISTING, 0, nullptr);
      EXPECT_EQ(road.write(), kind.written);
      if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
      std::string text = file.Text();
      EXPECT_EQ(text == kBootIni, !kind.written) << text;
      EXPECT_EQ(text.find(road.written) != std::string::npos, kind.written) << text;
      EXPECT_EQ(file.Attributes(), attributes);
      WIN32_FIND_DATAW found;
      HANDLE search = FindFirstFileW(file.folder.File(L"*.tmp").c_str(), &found);
      EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "no temporary file is left behind";
      if (search != INVALID_HANDLE_VALUE) FindClose(search);
    }
  }
}
