// The catalogue of bad inputs: every row puts one hostile input in front of the real pages and
// dialogs (odd tool output, a tool that is gone or broken, boot.ini, the settings file and
// plugins.ini unreadable, locked or malformed, awkward characters typed into every box, language
// files with broken texts), drives them by messages as a user would, and states what the user must
// be told (the last message box: its text, '*' standing for any run of characters, and its icon)
// and which files must come out byte for byte as they went in: the store (exported through the
// stand-in), boot.ini, the settings file and plugins.ini.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/ConfigDialog.h"
#include "bootloader/BootloaderPage.h"
#include "editing/ModifyEntryDialog.h"
#include "editing/RamdiskOptionsDialog.h"
#include "oslist/OsListTestSupport.h"
#include "store/FileRoutines.h"
#include "store/RegistryRoutines.h"
#include "utilities/ShortcutDialog.h"
#include "utilities/UtilitiesPage.h"

namespace testing_support {
namespace {

// Files a case must leave exactly as they were.
enum Kept : unsigned {
  kStore = 1,
  kBootIni = 2,
  kSettings = 4,
  kPlugins = 8,
  kAllKept = 15,
};
constexpr unsigned Except(unsigned changed) { return kAllKept & ~changed; }

// What the user is told last; a null text: nothing is asked at all.
struct Says {
  const wchar_t* text;
  UINT icon;
};
constexpr Says kSilent{nullptr, 0};
constexpr UINT kNoIcon = 0;

constexpr char kSettingsText[] = "[Tavro]\r\nEnableDelMode=1\r\nAutoReBoot=0\r\nBCDntldrASK=0\r\n";
constexpr wchar_t kPluginsText[] = L"[TOOL]\nname=Zed Tool\ninfo=Draws\ncmd=C:\\Tools\\zed.exe\n";
// The boot manager's listing as the tool prints it, for answers that are nearly right.
constexpr char kManagerListing[] =
    "\r\nWindows Boot Manager\r\n--------------------\r\nidentifier              {bootmgr}\r\n"
    "device                  partition=C:\r\ndescription             Windows Boot Manager\r\n"
    "default                 {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e10}\r\ntimeout                 30\r\n";

// A literal's bytes, NULs included.
template <size_t N>
std::string Bytes(const char (&text)[N]) {
  return std::string(text, N - 1);
}

std::string Repeat(const std::string& piece, size_t bytes) {
  std::string out;
  out.reserve(bytes + piece.size());
  while (out.size() < bytes) out += piece;
  return out;
}

// The demo machine with every file in place, and the pages and dialogs a case drives.
class Bench : public OsListPageTest {
 public:
  void TestBody() override {}

  void Begin() {
    SetUp();
    AppSettings.settingsFile = folder.File(L"wmast.dll");
    AppSettings.pluginsFile = folder.File(L"plugins.ini");
    AppSettings.enableDelMode = 1;
    AppSettings.bcdNtldrAsk = 0;
    ASSERT_TRUE(PlaceFile(AppSettings.settingsFile, kSettingsText));
    ASSERT_TRUE(PlaceFile(AppSettings.pluginsFile, Utf16File(kPluginsText)));
  }
  void Finish() {
    entryDialog_.reset();
    ramdisk_.reset();
    shortcut_.reset();
    bootloader_.reset();
    utilities_.reset();
    if (host_) DestroyWindow(host_);
    if (utilityImages_) ImageList_Destroy(utilityImages_);
    scriptedOutput_.reset();
    scriptedExit_.reset();
    onlyWhen_.reset();
    otherwise_.reset();
    TearDown();
  }

  // --- the tool ---
  // bcdedit.exe answers every run with these bytes and this exit code from now on.
  void ToolSays(const std::string& bytes, int exitCode = 0) {
    ASSERT_TRUE(folder.WriteText(L"answer.bin", bytes));
    scriptedOutput_ = std::make_unique<ScopedEnvironment>(L"VEXA_SCRIPTED_OUTPUT", folder.File(L"answer.bin"));
    scriptedExit_ = std::make_unique<ScopedEnvironment>(L"VEXA_SCRIPTED_EXIT", std::to_wstring(exitCode));
    ASSERT_TRUE(CopyFileW(BuildFile(L"testtools\\scripted_tool.exe").c_str(), (ToolDir() + L"bcdedit.exe").c_str(),
                          FALSE));
  }
  // The faithful tool for every run but those whose arguments hold `when`: those answer as above.
  void ToolFailsOnly(const wchar_t* when, const std::string& bytes, int exitCode) {
    const std::wstring faithful = folder.File(L"faithful-bcdedit.exe");
    ASSERT_TRUE(CopyFileW((ToolDir() + L"bcdedit.exe").c_str(), faithful.c_str(), FALSE));
    ToolSays(bytes, exitCode);
    onlyWhen_ = std::make_unique<ScopedEnvironment>(L"VEXA_SCRIPTED_ONLY_WHEN", when);
    otherwise_ = std::make_unique<ScopedEnvironment>(L"VEXA_SCRIPTED_OTHERWISE", faithful);
  }
  void ToolGone() { DeleteFileW((ToolDir() + L"bcdedit.exe").c_str()); }
  // A bcdedit.exe that Windows cannot start: no program at all.
  void ToolBroken() { ASSERT_TRUE(WriteFileBytes(ToolDir() + L"bcdedit.exe", "MZ this is no program")); }

  // --- files ---
  void LockDuringAction(const std::wstring& path) { toLock_.push_back(path); }
  static void Attributes(const std::wstring& path, DWORD attributes) { SetFileAttributesW(path.c_str(), attributes); }
  void LanguageFile(const std::wstring& text) {
    ASSERT_TRUE(PlaceFile(folder.File(L"xx.ini"), Utf16File(text)));
    AppSettings.languageFile = folder.File(L"xx.ini");
  }
  void LanguageFileBytes(const std::string& bytes) {
    ASSERT_TRUE(PlaceFile(folder.File(L"xx.ini"), bytes));
    AppSettings.languageFile = folder.File(L"xx.ini");
  }

  // --- the OS list page ---
  using OsListPageTest::Answer;
  using OsListPageTest::Click;
  using OsListPageTest::OpenPage;
  using OsListPageTest::Page;
  using StoreSandbox::folder;
  using StoreSandbox::PlaceBootIni;
  using StoreSandbox::PlaceFile;
  using StoreSandbox::SetElementText;
  using OsListPageTest::RowNamed;
  using OsListPageTest::RowTexts;
  void Os() { OpenPage(); }
  // Reload from the store: every object listed and parsed again.
  void Reload() { Page().Refresh(kRefreshOsListFromStore); }
  void Select(const wchar_t* row) {
    int at = RowNamed(row);
    ASSERT_GE(at, 0) << "no row " << testing::PrintToString(std::wstring(row));
    SelectRow(at);
  }
  void SetDefault(const wchar_t* row) {
    Select(row);
    Answer({IDYES});
    Click(IDC_OSLIST_SET_DEFAULT);
  }
  void Apply(int field, const std::wstring& text) {
    SetDlgItemTextW(Page().Handle(), field, text.c_str());
    Click(IDC_OSLIST_APPLY);
  }
  void ShowBootIniLines() {
    Page().List().bootIniExpanded = 1;
    Page().FillList();
  }
  void MoveDownAndSave(const wchar_t* row) {
    Select(row);
    Click(IDC_OSLIST_MOVE_DOWN);
    Click(IDC_OSLIST_SAVE_ORDER);
  }
  void Copy(const wchar_t* row) {
    Select(row);
    Click(IDC_OSLIST_COPY);
  }
  void LoadStoreFile(const std::wstring& path) {
    seams.script.fileAnswers.push_back(path);
    Click(IDC_OSLIST_BROWSE_STORE);
  }
  // The entry dialog in modify mode on the row's entry: one box of its Settings page typed, then OK.
  void Modify(const wchar_t* row, int box, const std::wstring& text) {
    int index = -100;
    const auto& entries = Page().List().entries;
    for (size_t i = 0; i < entries.size(); ++i)
      if (entries[i].description == row) index = static_cast<int>(i);
    ASSERT_GE(index, 0);
    entryDialog_ = std::make_unique<ModifyEntryDialog>(EntryDialogSetup{&Page().List(), Images(), nullptr}, index);
    HWND dialog = entryDialog_->CreateModeless(Page().Handle());
    ASSERT_TRUE(dialog);
    HWND page = nullptr;
    for (HWND child = FindWindowExW(dialog, nullptr, MAKEINTATOM(32770), nullptr); child && !page;
         child = FindWindowExW(dialog, child, MAKEINTATOM(32770), nullptr))
      if (GetDlgItem(child, box)) page = child;
    ASSERT_TRUE(page);
    Type(GetDlgItem(page, box), text);
    ClickControl(dialog, IDOK);
  }

  // The entry dialog in add mode, its first kind and defaults taken as they stand, then Add.
  void AddNew() {
    entryDialog_ = std::make_unique<ModifyEntryDialog>(EntryDialogSetup{&Page().List(), Images(), nullptr},
                                                       kNewEntryIndex);
    HWND dialog = entryDialog_->CreateModeless(Page().Handle());
    ASSERT_TRUE(dialog);
    ClickControl(dialog, IDOK);
  }
  // The ramdisk options dialog on the shared options object: the SDI path typed, then Save.
  void RamdiskPath(const std::wstring& path) {
    ramdisk_ = std::make_unique<RamdiskOptionsDialog>(Page().List(), kRamdiskOptionsGuid);
    ASSERT_TRUE(ramdisk_->CreateModeless(Page().Handle()));
    SetDlgItemTextW(ramdisk_->Handle(), IDC_RAMDISK_SDI_PATH, path.c_str());
    ClickControl(ramdisk_->Handle(), IDOK);
  }
  bool RamdiskUnsaved() const { return ramdisk_->IsDirty(); }
  std::wstring NewIdentifier() const { return entryDialog_->Record().identifier; }
  std::string Listing(const std::wstring& identifier) const {
    return RunTool(L"bcdedit", L"/enum " + identifier).output;
  }

  // Text into a box as the user's typing or pasting puts it there: an edit box takes no more than
  // its limit; what it then holds is kept in typedLength.
  void Type(HWND box, const std::wstring& text) {
    wchar_t kind[16] = {};
    GetClassNameW(box, kind, 16);
    if (lstrcmpiW(kind, L"Edit") == 0) {
      SendMessageW(box, EM_SETSEL, 0, -1);
      SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    } else {
      SetWindowTextW(box, text.c_str());
    }
    typedLength = static_cast<size_t>(GetWindowTextLengthW(box));
  }
  size_t typedLength = 0;

  // --- the Bootloader page ---
  void Bootloader() {
    bootloader_ = std::make_unique<BootloaderPage>(PageContext{nullptr, nullptr, nullptr, Host()});
    ASSERT_TRUE(bootloader_->CreateModeless(Host()));
  }
  void Backup(const std::wstring& typed) {
    bootloader_->SetItemText(IDC_BOOTLOADER_BACKUP_PATH, typed);
    win::Click(bootloader_->Item(IDC_BOOTLOADER_BACKUP));
  }
  void PressOnBootloader(int id) { win::Click(bootloader_->Item(id)); }
  void Restore(const std::wstring& typed) {
    Answer({IDYES});
    bootloader_->SetItemText(IDC_BOOTLOADER_RESTORE_PATH, typed);
    win::Click(bootloader_->Item(IDC_BOOTLOADER_RESTORE));
  }

  // A window for the other pages to live in, as the main window holds them.
  HWND Host() {
    if (!host_)
      host_ = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 700, 500, nullptr, nullptr, nullptr, nullptr);
    return host_;
  }

  // --- the Utilities page and its shortcut dialog ---
  UtilitiesPage& Utilities() {
    if (!utilities_) {
      utilityImages_ = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4);
      SHFILEINFOW info = {};
      PageContext context{};
      context.buttonImages = utilityImages_;
      context.systemLarge = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(
          L".txt", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_LARGEICON));
      utilities_ = std::make_unique<UtilitiesPage>(context);
      EXPECT_TRUE(utilities_->CreateModeless(Host()));
    }
    return *utilities_;
  }
  // The shortcut dialog, new (row null) or on a row, its boxes typed (null: left alone), then OK.
  void Shortcut(const wchar_t* row, const wchar_t* name, const wchar_t* info, const wchar_t* cmd) {
    UtilitiesPage& page = Utilities();
    int index = -1;
    if (row) index = UtilityNamed(row);
    shortcut_ = std::make_unique<ShortcutDialog>(page, index);
    HWND dialog = shortcut_->CreateModeless(Host());
    ASSERT_TRUE(dialog);
    if (name) SetDlgItemTextW(dialog, IDC_SHORTCUT_NAME, name);
    if (info) SetDlgItemTextW(dialog, IDC_SHORTCUT_INFO, info);
    if (cmd) SetDlgItemTextW(dialog, IDC_SHORTCUT_COMMAND, cmd);
    ClickControl(dialog, IDC_SHORTCUT_OK);
  }
  void DeleteUtility(const wchar_t* row) {
    UtilitiesPage& page = Utilities();
    win::ListView(page.Item(IDC_UTILITIES_LIST)).Select(UtilityRow(row));
    PumpMessages();
    Answer({IDYES});
    ClickControl(page.Handle(), IDC_UTILITIES_DELETE);
  }
  int UtilityRow(const std::wstring& name) {
    LVFINDINFOW find = {LVFI_STRING, name.c_str()};
    return ListView_FindItem(Utilities().Item(IDC_UTILITIES_LIST), -1, &find);
  }
  int UtilityNamed(const std::wstring& name) {
    int row = UtilityRow(name);
    return row < 0 ? -1 : static_cast<int>(win::ListView(Utilities().Item(IDC_UTILITIES_LIST)).Data(row));
  }
  // plugins.ini as the page reads it at the next start.
  std::vector<std::wstring> UtilitiesInFile() const {
    UtilityList file(AppSettings.pluginsFile);
    file.LoadUtilities();
    std::vector<std::wstring> out;
    for (int i = 0; i < file.Count(); ++i)
      out.push_back(file.At(i).section + L"|" + file.At(i).name + L"|" + file.At(i).info + L"|" + file.At(i).cmd);
    return out;
  }

  // --- the config dialog ---
  // A check box clicked, or (checkBox 0) the language item of that name chosen, then OK.
  void Config(int checkBox, const wchar_t* language = nullptr) {
    ConfigDialog dialog(nullptr);
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    if (checkBox) win::Click(dialog.Item(checkBox));
    if (language)
      SendDlgItemMessageW(dialog.Handle(), IDC_CONFIG_LANGUAGE, CB_SELECTSTRING, WPARAM(-1),
                          reinterpret_cast<LPARAM>(language));
    ClickControl(dialog.Handle(), IDOK);
  }

  // --- what the harness reads ---
  std::string Contents(const std::wstring& path) const {
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return "<no file>";
    return ReadFileBytes(path);
  }
  std::string ExportedStore() const {
    std::wstring file = folder.File(L"exported.bcd");
    DeleteFileW(file.c_str());
    if (RunTool(L"bcdedit", L"/export \"" + file + L"\"").exitCode != 0) return "<no export>";
    return ReadFileBytes(file);
  }
  std::vector<std::string> Files() const {
    return {ExportedStore(), Contents(AppSettings.bootIniPath), Contents(AppSettings.settingsFile),
            Contents(AppSettings.pluginsFile)};
  }
  void LockNow() {
    for (const std::wstring& path : toLock_) {
      HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      EXPECT_NE(file, INVALID_HANDLE_VALUE) << "could not lock the file";
      locks_.push_back(file);
    }
  }
  void Unlock() {
    for (HANDLE file : locks_) CloseHandle(file);
    locks_.clear();
  }
  // An entry's description as the store holds it, past the tool's code page.
  std::wstring StoredName(const std::wstring& identifier) const {
    std::optional<std::vector<BYTE>> raw =
        RegReadRaw(HKEY_LOCAL_MACHINE, storeKey + L"\\Objects\\" + identifier + L"\\Elements\\12000004", L"Element");
    if (!raw || raw->size() < sizeof(wchar_t)) return L"<none>";
    return std::wstring(reinterpret_cast<const wchar_t*>(raw->data()), raw->size() / sizeof(wchar_t) - 1);
  }
  const std::vector<win::PromptCall>& Prompts() const { return seams.script.prompts; }

 private:
  std::unique_ptr<ScopedEnvironment> scriptedOutput_, scriptedExit_, onlyWhen_, otherwise_;
  std::vector<std::wstring> toLock_;
  std::vector<HANDLE> locks_;
  std::unique_ptr<ModifyEntryDialog> entryDialog_;
  std::unique_ptr<RamdiskOptionsDialog> ramdisk_;
  std::unique_ptr<BootloaderPage> bootloader_;
  std::unique_ptr<UtilitiesPage> utilities_;
  std::unique_ptr<ShortcutDialog> shortcut_;
  HWND host_ = nullptr;
  HIMAGELIST utilityImages_ = nullptr;
};

using Step = void (*)(Bench&);

enum class Family { kTool, kFiles, kTyped, kLanguage };

struct BadInput {
  Family family;
  const char* name;
  Step setup;   // the hostile input, and whatever page it needs open
  Step action;  // what the user does
  Says says;
  unsigned kept;
  Step check = nullptr;  // anything else that must hold afterwards
};

// '*' in pattern matches any run of characters.
bool Matches(const wchar_t* pattern, const wchar_t* text) {
  const wchar_t* star = nullptr;
  const wchar_t* resume = nullptr;
  while (*text) {
    if (*pattern == L'*') {
      star = pattern++;
      resume = text;
    } else if (*pattern == *text) {
      ++pattern;
      ++text;
    } else if (star) {
      pattern = star + 1;
      text = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == L'*') ++pattern;
  return *pattern == L'\0';
}

constexpr wchar_t kRefusedValue[] =
    L"\"*\" was not saved: a value cannot hold a double quote or a control character such as a tab, nor end in a "
    L"backslash.";
const std::wstring kNotAscii = L"Gr\u00fc\u00dfe \u65e5\u672c \u0416 \U0001F600";  // outside every ANSI code page too
// Letters outside ASCII that the tools' code page here (OEM 437) has: they reach the store and come back.
const std::wstring kToolCodePageLetters = L"Gr\u00fc\u00dfe \u00c9t\u00e9";
std::wstring BootIniPath() { return AppSettings.bootIniPath; }

// clang-format off
const BadInput kCatalogue[] = {
    // ---------------------------------------------------------------- tool output and tool failures
    // A change is judged by bcdedit's exit code: what it prints beside it is in the machine's
    // language and is not parsed. Hostile text with exit code 0 is a change made; it must still be
    // read to its end without a hang or a crash, and nothing else may be touched.
    {Family::kTool, "set default: the tool answers with text that is no listing",
     [](Bench& b) { b.Os(); b.ToolSays("Syntax error near line 1\r\n{{{ == }}}\r\n\x01\x02garbage"); },
     [](Bench& b) { b.SetDefault(L"Windows 7"); },
     {L"Set completely, \"Windows 7\" is the Default Entry now.*", MB_ICONINFORMATION}, kAllKept},
    {Family::kTool, "set default: the tool prints nothing at all",
     [](Bench& b) { b.Os(); b.ToolSays(""); },
     [](Bench& b) { b.SetDefault(L"Windows 7"); },
     {L"Set completely, \"Windows 7\" is the Default Entry now.*", MB_ICONINFORMATION}, kAllKept},
    {Family::kTool, "set default: the listing is cut off in the middle of a line",
     [](Bench& b) { b.Os(); b.ToolSays(std::string(kManagerListing).substr(0, 200)); },
     [](Bench& b) { b.SetDefault(L"Windows 7"); },
     {L"Set completely, \"Windows 7\" is the Default Entry now.*", MB_ICONINFORMATION}, kAllKept},
    {Family::kTool, "set default: NULs inside the listing",
     [](Bench& b) { b.Os(); b.ToolSays(Bytes("\r\nWindows Boot Manager\r\n\0\0default {x}\0\0\r\n")); },
     [](Bench& b) { b.SetDefault(L"Windows 7"); },
     {L"Set completely, \"Windows 7\" is the Default Entry now.*", MB_ICONINFORMATION}, kAllKept},
    {Family::kTool, "timeout: 10 MB of listing",
     [](Bench& b) { b.Os(); b.ToolSays(Repeat(kManagerListing, 10 << 20)); },
     [](Bench& b) { b.Apply(IDC_OSLIST_BCD_TIMEOUT, L"7"); },
     {L"Your operation was successfully completed.", MB_ICONINFORMATION}, kAllKept},
    {Family::kTool, "timeout: a display order 10 MB long",
     [](Bench& b) { b.Os(); b.ToolSays(std::string(kManagerListing) + "displayorder            {bootmgr}\r\n" +
                                       Repeat("                        {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}\r\n", 10 << 20)); },
     [](Bench& b) { b.Apply(IDC_OSLIST_BCD_TIMEOUT, L"7"); },
     {L"Your operation was successfully completed.", MB_ICONINFORMATION}, kAllKept},
    {Family::kTool, "reload: 10 MB of listing for every object",
     [](Bench& b) { b.Os(); b.ToolSays(Repeat(kManagerListing, 10 << 20)); },
     [](Bench& b) { b.Reload(); },
     kSilent, kAllKept},
    // Every repeat is a row of the list, so 1 MB (17,000 repeats) is enough to show that each
    // identifier is asked for once (a copy of the whole answer per repeat ran out of memory).
    {Family::kTool, "reload: a display order repeating one entry for 1 MB",
     [](Bench& b) { b.Os(); b.ToolSays(std::string(kManagerListing) + "displayorder            {bootmgr}\r\n" +
                                       Repeat("                        {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}\r\n", 1 << 20)); },
     [](Bench& b) { b.Reload(); },
     kSilent, kAllKept},
    {Family::kTool, "timeout: the tool prints an error and exits with 1",
     [](Bench& b) { b.Os(); b.ToolSays("An error occurred while attempting to reference the specified entry.\r\n"
                                       "The parameter is incorrect.\r\n", 1); },
     [](Bench& b) { b.Apply(IDC_OSLIST_BCD_TIMEOUT, L"7"); },
     {L"Write BCD store error!", MB_ICONERROR}, kAllKept},
    // A new entry is put on the menu only once the tool has taken every setting it needs; a half
    // made one is deleted again.
    {Family::kTool, "new entry: created, then its device refused with exit code 1",
     [](Bench& b) { b.Os(); b.ToolFailsOnly(L" device ", "The parameter is incorrect.\r\n", 1); },
     [](Bench& b) { b.AddNew(); },
     {L"Write BCD store error!\n\nNot all of the new entry's settings reached the store, so the entry {*} was deleted again*",
      MB_ICONERROR},
     Except(kStore),
     [](Bench& b) {
       const std::wstring id = b.NewIdentifier();
       ASSERT_EQ(id.size(), 38u);
       EXPECT_EQ(b.Listing(id).find("Vexa New BCD_Windows"), std::string::npos) << "gone from the store";
       EXPECT_EQ(b.Listing(L"{bootmgr}").find(std::string(id.begin(), id.end())), std::string::npos) << "not on the menu";
     }},
    {Family::kTool, "entry dialog: the device taken, osdevice refused with exit code 1",
     [](Bench& b) { b.Os(); b.ToolFailsOnly(L" osdevice ", "The parameter is incorrect.\r\n", 1); },
     [](Bench& b) { b.Modify(L"Windows 8 (VHD)", IDC_GENERAL_DEVICE_FILE, L"\\VHD\\other.vhdx"); },
     {L"Write BCD store error!", MB_ICONERROR}, Except(kStore)},
    {Family::kTool, "new entry: complete, but the menu refuses it with exit code 1",
     [](Bench& b) { b.Os(); b.ToolFailsOnly(L"/displayorder", "Access is denied.\r\n", 1); },
     [](Bench& b) { b.AddNew(); },
     {L"Write BCD store error!\n\nThe new entry {*} was created with all of its settings, but*", MB_ICONERROR},
     Except(kStore)},
    {Family::kTool, "ramdisk options: the SDI path refused with exit code 1",
     [](Bench& b) { b.Os(); b.ToolFailsOnly(L"/set", "The parameter is incorrect.\r\n", 1); },
     [](Bench& b) { b.RamdiskPath(L"\\boot\\other.sdi"); },
     {L"Write BCD store error!", MB_ICONERROR}, kAllKept,
     [](Bench& b) { EXPECT_TRUE(b.RamdiskUnsaved()) << "the typed path is still unsaved"; }},
    {Family::kTool, "timeout: bcdedit.exe is gone",
     [](Bench& b) { b.Os(); b.ToolGone(); },
     [](Bench& b) { b.Apply(IDC_OSLIST_BCD_TIMEOUT, L"7"); },
     {L"Write BCD store error!", MB_ICONERROR}, kAllKept},
    {Family::kTool, "set default: bcdedit.exe cannot be started",
     [](Bench& b) { b.Os(); b.ToolBroken(); },
     [](Bench& b) { b.SetDefault(L"Windows 7"); },
     {L"Write BCD store error!", MB_ICONERROR}, kAllKept},
    {Family::kTool, "the page opens without bcdedit.exe",
     [](Bench& b) { b.ToolGone(); AppSettings.toolsAvailable = false; },
     [](Bench& b) { b.Os(); },
     {L"Can not load File BCDEdit.exe, *", MB_ICONINFORMATION}, kAllKept},
    {Family::kTool, "copy: the tool's answer names no new entry",
     [](Bench& b) { b.Os(); b.ToolSays("The entry was copied somewhere.\r\n"); },
     [](Bench& b) { b.Copy(L"Windows 7"); },
     {L"The entry was copied somewhere.\r\n", MB_ICONERROR}, kAllKept},
    {Family::kTool, "copy: the tool prints nothing",
     [](Bench& b) { b.Os(); b.ToolSays(""); },
     [](Bench& b) { b.Copy(L"Windows 7"); },
     {L"Write BCD store error!", MB_ICONERROR}, kAllKept},
    {Family::kTool, "copy: bcdedit.exe cannot be started",
     [](Bench& b) { b.Os(); b.ToolBroken(); },
     [](Bench& b) { b.Copy(L"Windows 7"); },
     {L"Write BCD store error!", MB_ICONERROR}, kAllKept},
    {Family::kTool, "entry dialog: the store reads back garbage after a rename",
     [](Bench& b) { b.Os(); b.ToolSays("\xff\xfe\x00garbage"); },
     [](Bench& b) { b.Modify(L"Windows 7", IDC_GENERAL_NAME, L"Seven"); },
     {L"Write BCD store error!", MB_ICONERROR}, kAllKept},
    {Family::kTool, "backup: the tool prints an error and exits with 1",
     [](Bench& b) { b.Bootloader(); b.ToolSays("The export operation has failed.\r\nAccess is denied.\r\n", 1); },
     [](Bench& b) { b.Backup(L"Backup\\x.bcd"); },
     {L"The export operation has failed.\r\nAccess is denied.\r\n", MB_ICONERROR}, kAllKept},
    {Family::kTool, "backup: the tool exits with 1 and says nothing",
     [](Bench& b) { b.Bootloader(); b.ToolSays("", 1); },
     [](Bench& b) { b.Backup(L"Backup\\x.bcd"); },
     {L"bcdedit.exe ended with code 1 and gave no reason.", MB_ICONERROR}, kAllKept},
    {Family::kTool, "backup: the tool succeeds and says nothing",
     [](Bench& b) { b.Bootloader(); b.ToolSays("", 0); },
     [](Bench& b) { b.Backup(L"Backup\\x.bcd"); },
     {L"Your operation was successfully completed.", MB_ICONINFORMATION}, kAllKept},
    {Family::kTool, "restore: 10 MB of error text, exit code 1",
     [](Bench& b) { b.Bootloader(); b.ToolSays(Repeat("The import operation has failed. ", 10 << 20), 1); },
     [](Bench& b) { b.Restore(BootIniPath()); },
     {L"The import operation has failed. The import operation has failed. *\r\n...", MB_ICONERROR}, kAllKept,
     [](Bench& b) { EXPECT_LT(b.Prompts().back().text.size(), 4000u) << "a message box holds a screenful"; }},
    {Family::kTool, "restore: NULs in the tool's answer",
     [](Bench& b) { b.Bootloader(); b.ToolSays(Bytes("The operation completed successfully.\r\n\0hidden")); },
     [](Bench& b) { b.Restore(BootIniPath()); },
     {L"The operation completed successfully.\r\n", MB_ICONINFORMATION}, kAllKept},
    {Family::kTool, "backup: bcdedit.exe cannot be started",
     [](Bench& b) { b.Bootloader(); b.ToolBroken(); },
     [](Bench& b) { b.Backup(L"Backup\\x.bcd"); },
     {L"CreateProcess Failed!", MB_ICONERROR}, kAllKept},

    // ---------------------------------------------------------------- boot.ini, settings file, plugins.ini, store files
    {Family::kFiles, "boot.ini read-only: the timeout is written all the same",
     [](Bench& b) { Bench::Attributes(BootIniPath(), FILE_ATTRIBUTE_READONLY); b.Os(); },
     [](Bench& b) { b.Apply(IDC_OSLIST_BOOTINI_TIMEOUT, L"9"); },
     {L"Your operation was successfully completed.", MB_ICONINFORMATION}, Except(kBootIni),
     [](Bench&) { EXPECT_EQ(GetPrivateProfileIntW(L"boot loader", L"timeout", 0, BootIniPath().c_str()), 9u); }},
    {Family::kFiles, "boot.ini locked: the timeout",
     [](Bench& b) { b.Os(); b.LockDuringAction(BootIniPath()); },
     [](Bench& b) { b.Apply(IDC_OSLIST_BOOTINI_TIMEOUT, L"9"); },
     {L"Boot.ini \u5199\u5165\u5931\u8d25!", kNoIcon}, kAllKept},
    {Family::kFiles, "boot.ini locked: set a boot.ini line as default",
     [](Bench& b) { b.Os(); b.ShowBootIniLines(); b.LockDuringAction(BootIniPath()); },
     [](Bench& b) { b.SetDefault(L"Microsoft Windows Server 2003, Enterprise"); },
     {L"Boot.ini \u5199\u5165\u5931\u8d25!", kNoIcon}, kAllKept},
    {Family::kFiles, "boot.ini locked: save a new order of its lines",
     [](Bench& b) { b.Os(); b.ShowBootIniLines(); b.LockDuringAction(BootIniPath()); },
     [](Bench& b) { b.MoveDownAndSave(L"Microsoft Windows XP Professional"); },
     {L"Write Boot.ini error!", MB_ICONERROR}, kAllKept},
    {Family::kFiles, "boot.ini locked: rename a line in the entry dialog",
     [](Bench& b) { b.Os(); b.LockDuringAction(BootIniPath()); },
     [](Bench& b) { b.Modify(L"Microsoft Windows XP Professional", IDC_GENERAL_NAME, L"XP"); },
     {L"Write Boot.ini error!", kNoIcon}, kAllKept},
    {Family::kFiles, "boot.ini hidden and system: set a line as default",
     [](Bench& b) { Bench::Attributes(BootIniPath(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM); b.Os(); b.ShowBootIniLines(); },
     [](Bench& b) { b.SetDefault(L"Microsoft Windows Server 2003, Enterprise"); },
     {L"Set completely, \"Microsoft Windows Server 2003, Enterprise\" is the Default Entry now.", MB_ICONINFORMATION},
     Except(kBootIni | kStore)},
    {Family::kFiles, "boot.ini missing: the list has no lines of it and nothing is written",
     [](Bench&) { DeleteFileW(BootIniPath().c_str()); },
     [](Bench& b) { b.Os(); b.ShowBootIniLines(); b.MoveDownAndSave(L"Windows 10"); },
     {L"Your operation was successfully completed.\n\nBCD display order changed and saved.", MB_ICONINFORMATION},
     Except(kStore)},
    {Family::kFiles, "boot.ini without section headers: its lines are no menu, and stay as they are",
     [](Bench& b) { ASSERT_TRUE(b.PlaceBootIni("timeout=5\r\nmulti(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP\"\r\n")); },
     [](Bench& b) { b.Os(); b.ShowBootIniLines(); b.MoveDownAndSave(L"Windows 10"); },
     {L"Your operation was successfully completed.\n\nBCD display order changed and saved.", MB_ICONINFORMATION},
     Except(kStore),
     [](Bench& b) { EXPECT_EQ(b.RowNamed(L"XP"), -1); }},
    {Family::kFiles, "settings file locked: a switch of the config dialog",
     [](Bench& b) { b.LockDuringAction(AppSettings.settingsFile); },
     [](Bench& b) { b.Config(IDC_CONFIG_ASK_REBOOT); },
     {L"The settings could not be saved in *wmast.dll*", MB_ICONERROR}, kAllKept},
    {Family::kFiles, "settings file locked: another language chosen",
     [](Bench& b) {
       CreateDirectoryW(b.folder.File(L"Language").c_str(), nullptr);
       ASSERT_TRUE(b.PlaceFile(b.folder.File(L"Language\\tst.ini"), Utf16File(L"[Info]\nLanguage=Testish\n")));
       b.LockDuringAction(AppSettings.settingsFile);
     },
     [](Bench& b) { b.Config(0, L"Testish"); },
     {L"The settings could not be saved in *wmast.dll; they last only until Vexa closes.", MB_ICONERROR}, kAllKept},
    {Family::kFiles, "settings file locked: the partition question brought back",
     [](Bench& b) { AppSettings.mbrUseSysMode = 1; b.Bootloader(); b.LockDuringAction(AppSettings.settingsFile); },
     [](Bench& b) { b.Answer({IDYES}); b.PressOnBootloader(IDC_BOOTLOADER_RESET_MBR_MODE); },
     {L"The settings could not be saved in *wmast.dll*", MB_ICONERROR}, kAllKept},
    {Family::kFiles, "settings file read-only: the switch is saved all the same",
     [](Bench&) { Bench::Attributes(AppSettings.settingsFile, FILE_ATTRIBUTE_READONLY); },
     [](Bench& b) { b.Config(IDC_CONFIG_ASK_REBOOT); },
     {L"Your operation was successfully completed.", MB_ICONINFORMATION}, Except(kSettings),
     [](Bench&) { EXPECT_EQ(GetPrivateProfileIntW(L"Tavro", L"AutoReBoot", -1, AppSettings.settingsFile.c_str()), 1u); }},
    {Family::kFiles, "plugins.ini is binary garbage",
     [](Bench& b) { ASSERT_TRUE(b.PlaceFile(AppSettings.pluginsFile, Bytes("\x00\x01[\xff\xfe]=\x00\r\n\x80\x81"))); },
     [](Bench& b) { b.Utilities(); },
     kSilent, kAllKept,
     [](Bench& b) { EXPECT_GE(b.UtilityRow(L"Internet Options"), 0); }},
    {Family::kFiles, "plugins.ini with sections that lack keys, repeat, or have no name",
     [](Bench& b) { ASSERT_TRUE(b.PlaceFile(AppSettings.pluginsFile, Utf16File(L"[]\nname=nameless\n[A]\n[A]\ncmd=x.exe\n"
                                                                               L"[B]\nname\n=\ncmd==\n[C\nname=open\n"))); },
     [](Bench& b) { b.Utilities(); },
     kSilent, kAllKept,
     [](Bench& b) { EXPECT_GE(b.UtilityRow(L"Internet Options"), 0); }},
    {Family::kFiles, "plugins.ini locked: a new utility",
     [](Bench& b) { b.Utilities(); b.LockDuringAction(AppSettings.pluginsFile); },
     [](Bench& b) { b.Shortcut(nullptr, L"New", L"", L"C:\\new.exe"); },
     {L"The utility could not be saved in *plugins.ini*", MB_ICONERROR}, kAllKept,
     [](Bench& b) { EXPECT_EQ(b.UtilityRow(L"New"), -1) << "no row that the next start would lose"; }},
    {Family::kFiles, "plugins.ini locked: a changed utility",
     [](Bench& b) { b.Utilities(); b.LockDuringAction(AppSettings.pluginsFile); },
     [](Bench& b) { b.Shortcut(L"Zed Tool", L"Zed", nullptr, nullptr); },
     {L"The utility could not be saved in *plugins.ini*", MB_ICONERROR}, kAllKept,
     [](Bench& b) { EXPECT_GE(b.UtilityRow(L"Zed Tool"), 0) << "the row shows what the file holds"; }},
    {Family::kFiles, "plugins.ini locked: deleting a utility",
     [](Bench& b) { b.Utilities(); b.LockDuringAction(AppSettings.pluginsFile); },
     [](Bench& b) { b.DeleteUtility(L"Zed Tool"); },
     {L"The utility could not be saved in *plugins.ini*", MB_ICONERROR}, kAllKept,
     [](Bench& b) { EXPECT_GE(b.UtilityRow(L"Zed Tool"), 0); }},
    {Family::kFiles, "a store file that is no store",
     [](Bench& b) { b.Os(); ASSERT_TRUE(b.PlaceFile(b.folder.File(L"junk.bcd"), "regf? no, just text")); },
     [](Bench& b) { b.LoadStoreFile(b.folder.File(L"junk.bcd")); },
     {L"This BCD store file is Empty\u3002\n\nReload the Default system boot store now.", MB_ICONEXCLAMATION}, kAllKept,
     [](Bench& b) { EXPECT_TRUE(Runner().storeFile.empty()); EXPECT_GE(b.RowNamed(L"Windows 7"), 0); }},
    {Family::kFiles, "an empty store file restored",
     [](Bench& b) { b.Bootloader(); ASSERT_TRUE(b.PlaceFile(b.folder.File(L"empty.bcd"), "")); },
     [](Bench& b) { b.Restore(b.folder.File(L"empty.bcd")); },
     {L"*The import operation has failed.*", MB_ICONERROR}, kAllKept},

    // ---------------------------------------------------------------- what the user types
    {Family::kTyped, "backup path with a double quote",
     [](Bench& b) { b.Bootloader(); },
     [](Bench& b) { b.Backup(L"Backup\\a\"b.bcd"); },
     {L"The file *a\"b.bcd is not exist.", kNoIcon}, kAllKept},
    {Family::kTyped, "backup path ending in a backslash",
     [](Bench& b) { b.Bootloader(); },
     [](Bench& b) { b.Backup(L"Backup\\"); },
     {L"The file *Backup\\ is not exist.", kNoIcon}, kAllKept},
    {Family::kTyped, "backup path with '=' and characters outside the code page",
     [](Bench& b) { b.Bootloader(); },
     [](Bench& b) { b.Backup(L"Backup\\a=b " + kNotAscii + L".bcd"); },
     {L"The operation completed successfully.\r\n", MB_ICONINFORMATION}, kAllKept,
     [](Bench& b) { EXPECT_TRUE(FileExists(b.folder.File(L"Backup\\a=b " + kNotAscii + L".bcd"))); }},
    {Family::kTyped, "backup path with a tab, which no file name may hold",
     [](Bench& b) { b.Bootloader(); },
     [](Bench& b) { b.Backup(L"Backup\\a\tb.bcd"); },
     {L"The export operation has failed.\r\nThe filename, directory name, or volume label syntax is incorrect.\r\n",
      MB_ICONERROR}, kAllKept},
    {Family::kTyped, "backup path with a line break",
     [](Bench& b) { b.Bootloader(); },
     [](Bench& b) { b.Backup(L"Backup\\one\r\ntwo.bcd"); },
     {L"The export operation has failed.\r\nThe filename, directory name, or volume label syntax is incorrect.\r\n",
      MB_ICONERROR}, kAllKept},
    {Family::kTyped, "backup path too long for a command line",
     [](Bench& b) { b.Bootloader(); },
     [](Bench& b) { b.Backup(L"Backup\\" + std::wstring(1100, L'x') + L".bcd"); },
     {L"The command would be longer than Windows allows (1024 characters); nothing was run.", MB_ICONERROR}, kAllKept},
    {Family::kTyped, "restore path with characters outside the code page that names no file",
     [](Bench& b) { b.Bootloader(); },
     [](Bench& b) { b.Restore(L"Backup\\" + kNotAscii + L".bcd"); },
     {L"The file *\U0001F600.bcd is not exist.", kNoIcon}, kAllKept},
    {Family::kTyped, "entry name with a double quote",
     [](Bench& b) { b.Os(); },
     [](Bench& b) { b.Modify(L"Windows 7", IDC_GENERAL_NAME, L"Seven \"SP1\""); },
     {kRefusedValue, kNoIcon}, kAllKept},
    {Family::kTyped, "entry name ending in a backslash",
     [](Bench& b) { b.Os(); },
     [](Bench& b) { b.Modify(L"Windows 7", IDC_GENERAL_NAME, L"Seven\\"); },
     {kRefusedValue, kNoIcon}, kAllKept},
    {Family::kTyped, "entry name with a tab, '=' and characters outside the tool's code page",
     [](Bench& b) { b.Os(); },
     [](Bench& b) { b.Modify(L"Windows 7", IDC_GENERAL_NAME, L"a\tb=c " + kNotAscii); },
     {L"\"Name\" cannot be used: it holds a line break or other control character, or a character that "
      L"BCDEdit.exe cannot show on this Windows (code page *", kNoIcon}, kAllKept},
    {Family::kTyped, "entry name with '=' and letters of the tool's code page",
     [](Bench& b) { b.Os(); },
     [](Bench& b) { b.Modify(L"Windows 7", IDC_GENERAL_NAME, L"a=b " + kToolCodePageLetters); },
     {L"Your operation was successfully completed.", MB_ICONINFORMATION}, Except(kStore),
     [](Bench& b) { EXPECT_EQ(b.StoredName(demo_store::kWindows7), L"a=b " + kToolCodePageLetters); }},
    {Family::kTyped, "entry name of 1,000 characters pasted: the box keeps what is saved",
     [](Bench& b) { b.Os(); },
     [](Bench& b) { b.Modify(L"Windows 7", IDC_GENERAL_NAME, std::wstring(1000, L'n')); },
     {L"Your operation was successfully completed.", MB_ICONINFORMATION}, Except(kStore),
     [](Bench& b) { EXPECT_EQ(b.StoredName(demo_store::kWindows7), std::wstring(b.typedLength, L'n')); }},
    {Family::kTyped, "boot path with a double quote",
     [](Bench& b) { b.Os(); },
     [](Bench& b) { b.Modify(L"Windows 7", IDC_GENERAL_BOOT_PATH, L"\\Windows\\sys\"tem32\\winload.exe"); },
     {kRefusedValue, kNoIcon}, kAllKept},
    {Family::kTyped, "virtual disk file with a double quote",
     [](Bench& b) { b.Os(); },
     [](Bench& b) { b.Modify(L"Windows 8 (VHD)", IDC_GENERAL_DEVICE_FILE, L"\\VHD\\a\"b.vhd"); },
     {kRefusedValue, kNoIcon}, kAllKept},
    {Family::kTyped, "virtual disk file with '=' and characters outside the tool's code page",
     [](Bench& b) { b.Os(); },
     [](Bench& b) { b.Modify(L"Windows 8 (VHD)", IDC_GENERAL_DEVICE_FILE, L"\\VHD\\a=b " + kNotAscii + L".vhd"); },
     {L"\"boot device\" cannot be used: *", kNoIcon}, kAllKept},
    {Family::kTyped, "virtual disk file with '=' and letters of the tool's code page",
     [](Bench& b) { b.Os(); },
     [](Bench& b) { b.Modify(L"Windows 8 (VHD)", IDC_GENERAL_DEVICE_FILE, L"\\VHD\\a=b " + kToolCodePageLetters + L".vhd"); },
     {L"Your operation was successfully completed.", MB_ICONINFORMATION}, Except(kStore)},
    {Family::kTyped, "virtual disk file with a tab",
     [](Bench& b) { b.Os(); },
     [](Bench& b) { b.Modify(L"Windows 8 (VHD)", IDC_GENERAL_DEVICE_FILE, L"\\VHD\\a\tb.vhd"); },
     {L"\"boot device\" was not saved: *", kNoIcon}, kAllKept},
    {Family::kTyped, "boot.ini title with a double quote",
     [](Bench& b) { b.Os(); },
     [](Bench& b) { b.Modify(L"Microsoft Windows XP Professional", IDC_GENERAL_NAME, L"XP \"Pro\""); },
     {kRefusedValue, kNoIcon}, kAllKept},
    {Family::kTyped, "boot.ini title with a line break",
     [](Bench& b) { b.Os(); },
     [](Bench& b) { b.Modify(L"Microsoft Windows XP Professional", IDC_GENERAL_NAME, L"XP\r\n[boot loader]"); },
     {L"Write Boot.ini error!", kNoIcon}, kAllKept},
    {Family::kTyped, "boot.ini title with '=' and characters outside the code page",
     [](Bench& b) { b.Os(); },
     [](Bench& b) { b.Modify(L"Microsoft Windows XP Professional", IDC_GENERAL_NAME, L"XP=" + kNotAscii); },
     {L"Your operation was successfully completed.", MB_ICONINFORMATION}, Except(kBootIni)},
    {Family::kTyped, "copy of an entry whose name holds a double quote",
     [](Bench& b) { ASSERT_TRUE(b.SetElementText(demo_store::kWindows7, L"12000004", L"Seven \"SP1\"")); b.Os(); },
     [](Bench& b) { b.Copy(L"Seven \"SP1\""); },
     {L"The name \"Seven \"SP1\"\" contains a double quote (\").*", kNoIcon}, kAllKept},
    {Family::kTyped, "utility with quotes, tabs, line breaks, '=' and '[' in every box",
     [](Bench& b) { b.Utilities(); },
     [](Bench& b) { b.Shortcut(nullptr, L"\"[x]\" a=b\t" L"c", L"one\r\n[two]\r\nthree=3", L"C:\\odd dir\\[a]=b.exe"); },
     kSilent, Except(kPlugins),
     [](Bench& b) {
       std::vector<std::wstring> file = b.UtilitiesInFile();
       ASSERT_EQ(file.size(), 2u) << "one section more, no stray ones";
       EXPECT_EQ(file[1].substr(file[1].find(L'|')), L"|\"[x]\" a=b\tc|one [two] three=3|C:\\odd dir\\[a]=b.exe");
     }},
    {Family::kTyped, "utility named with characters outside the code page",
     [](Bench& b) { b.Utilities(); },
     [](Bench& b) { b.Shortcut(nullptr, kNotAscii.c_str(), kNotAscii.c_str(), (L"C:\\" + kNotAscii + L".exe").c_str()); },
     kSilent, Except(kPlugins),
     [](Bench& b) {
       std::vector<std::wstring> file = b.UtilitiesInFile();
       ASSERT_EQ(file.size(), 2u);
       EXPECT_EQ(file[1].substr(file[1].find(L'|')), L"|" + kNotAscii + L"|" + kNotAscii + L"|C:\\" + kNotAscii + L".exe");
     }},
    {Family::kTyped, "utility command ending in a backslash, name left empty",
     [](Bench& b) { b.Utilities(); },
     [](Bench& b) { b.Shortcut(nullptr, L"", L"", L"C:\\Tools\\"); },
     kSilent, Except(kPlugins),
     [](Bench& b) { EXPECT_EQ(b.UtilitiesInFile().size(), 2u); }},

    // ---------------------------------------------------------------- language files
    {Family::kLanguage, "language file without the text",
     [](Bench& b) { b.LanguageFile(L"[String]\n11=Fertig\n"); b.Os(); },
     [](Bench& b) { b.Answer({IDNO}); b.Select(L"Windows 7"); b.Click(IDC_OSLIST_SET_DEFAULT); },
     {L"Notice: Make sure your selected entry is a legal OS.*\"Windows 7\" as the default entry of Bootloader?",
      MB_ICONQUESTION}, kAllKept},
    {Family::kLanguage, "language file with the text empty",
     [](Bench& b) { b.LanguageFile(L"[String]\n57375=\n"); b.Os(); },
     [](Bench& b) { b.Answer({IDNO}); b.Select(L"Windows 7"); b.Click(IDC_OSLIST_SET_DEFAULT); },
     {L"Notice: Make sure your selected entry is a legal OS.*\"Windows 7\" as the default entry of Bootloader?",
      MB_ICONQUESTION}, kAllKept},
    {Family::kLanguage, "language text with more %s than arguments, and %d for a name",
     [](Bench& b) { b.LanguageFile(L"[String]\n57375=Make %s %s default? %d%%\n"); b.Os(); },
     [](Bench& b) { b.Answer({IDNO}); b.Select(L"Windows 7"); b.Click(IDC_OSLIST_SET_DEFAULT); },
     {L"Make Windows 7  default? *%", MB_ICONQUESTION}, kAllKept},
    {Family::kLanguage, "language text without its %s",
     [](Bench& b) { b.LanguageFile(L"[String]\n57375=Make it the default?\n"); b.Os(); },
     [](Bench& b) { b.Answer({IDNO}); b.Select(L"Windows 7"); b.Click(IDC_OSLIST_SET_DEFAULT); },
     {L"Make it the default?", MB_ICONQUESTION}, kAllKept},
    {Family::kLanguage, "language text with a stray % at the end and unknown placeholders",
     [](Bench& b) { b.LanguageFile(L"[String]\n57372=%n%p%ls %s 100%\n"); b.Os(); },
     [](Bench& b) { b.SetDefault(L"Windows 7"); },
     {L"%n%pWindows 7  100%", MB_ICONINFORMATION}, Except(kStore)},
    {Family::kLanguage, "language file that is binary garbage",
     [](Bench& b) { b.LanguageFileBytes(Bytes("\xff\xfe[\x00S\x00\x00\x00]\x00\r\x00\x80\x81\x82")); b.Os(); },
     [](Bench& b) { b.Bootloader(); b.Backup(L"Backup\\"); },
     {L"The file *Backup\\ is not exist.", kNoIcon}, kAllKept},
};
// clang-format on

void RunFamily(Family family) {
  int ran = 0;
  for (const BadInput& c : kCatalogue) {
    if (c.family != family) continue;
    ++ran;
    SCOPED_TRACE(c.name);
    const ULONGLONG started = GetTickCount64();
    Bench bench;
    bench.Begin();
    if (c.setup) c.setup(bench);
    std::vector<std::string> before = bench.Files();
    ASSERT_NE(before[0], "<no export>") << "without the store's bytes nothing below would be checked";
    size_t asked = bench.Prompts().size();
    bench.LockNow();
    c.action(bench);
    bench.Unlock();

    const std::vector<win::PromptCall>& prompts = bench.Prompts();
    if (!c.says.text) {
      EXPECT_EQ(prompts.size(), asked) << "nothing was to be asked, but: "
                                       << testing::PrintToString(prompts.empty() ? L"" : prompts.back().text);
    } else if (prompts.size() == asked) {
      ADD_FAILURE() << "the user was told nothing";
    } else {
      const win::PromptCall& last = prompts.back();
      EXPECT_TRUE(Matches(c.says.text, last.text.c_str()))
          << "told " << testing::PrintToString(last.text.substr(0, 300));
      EXPECT_EQ(last.flags & MB_ICONMASK, c.says.icon) << "with the wrong icon";
    }
    std::vector<std::string> after = bench.Files();
    const char* names[] = {"the store", "boot.ini", "the settings file", "plugins.ini"};
    for (int file = 0; file < 4; ++file) {
      if (c.kept & (1u << file)) {
        EXPECT_TRUE(before[file] == after[file]) << names[file] << " changed";
      }
    }
    if (c.check) c.check(bench);
    bench.Finish();
    // The whole catalogue must stay quick enough for every run of the suite.
    std::printf("[   CASE   ] %s (%llu ms)\n", c.name, static_cast<unsigned long long>(GetTickCount64() - started));
    std::fflush(stdout);
  }
  EXPECT_GT(ran, 0);
}

}  // namespace

TEST(BadInputCatalogue, ToolOutputAndToolFailures) { RunFamily(Family::kTool); }
TEST(BadInputCatalogue, UnwritableMissingAndMalformedFiles) { RunFamily(Family::kFiles); }
TEST(BadInputCatalogue, AwkwardCharactersTypedIntoEveryBox) { RunFamily(Family::kTyped); }
TEST(BadInputCatalogue, BrokenLanguageFiles) { RunFamily(Family::kLanguage); }

}  // namespace testing_support
