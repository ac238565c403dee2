// The shipped language files: each holds every built-in text, menu item and localised control
// text, and each translation takes the same arguments as the built-in text it replaces.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "StoreSandbox.h"
#include "base/Texts.h"
#include "resource.h"
#include "win/Dialog.h"
#include "WindowTest.h"

using namespace testing_support;

namespace {

// Every number of the program's string table, read from the resource itself, so that a text added
// to strings.rc is expected in every language without this test changing.
BOOL CALLBACK CollectBlock(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR param) {
  if (!IS_INTRESOURCE(name)) return TRUE;
  auto& numbers = *reinterpret_cast<std::vector<UINT>*>(param);
  UINT first = (static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)) - 1) * 16;
  for (UINT id = first; id < first + 16; ++id) {
    const wchar_t* text = nullptr;
    if (LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0) > 0) numbers.push_back(id);
  }
  return TRUE;
}

std::vector<UINT> BuiltInNumbers() {
  std::vector<UINT> numbers;
  EnumResourceNamesW(GetModuleHandleW(nullptr), RT_STRING, CollectBlock, reinterpret_cast<LONG_PTR>(&numbers));
  return numbers;
}

// Controls whose text the program sets while it runs, and image buttons: no language carries them.
const std::map<UINT, std::set<int>> kRunTimeControls = {
    {IDD_ABOUT, {IDC_ABOUT_VERSION, IDC_ABOUT_BETA_NOTE, IDC_ABOUT_EMAIL, IDC_ABOUT_FOOTER}},
    {IDD_MAIN, {IDC_MAIN_FOOTER, IDC_MAIN_VERSION, IDC_MAIN_CURRENT_SYSTEM, IDC_MAIN_PAGE_ICON, IDC_MAIN_MINIMIZE,
                IDC_MAIN_CLOSE, IDC_MAIN_CONFIG}},
    {IDD_OSLIST, {IDC_OSLIST_RELOAD_STORE, IDC_OSLIST_BROWSE_STORE, IDC_OSLIST_MOVE_UP, IDC_OSLIST_DELETE,
                  IDC_OSLIST_MOVE_DOWN, IDC_OSLIST_SAVE_ORDER, IDC_OSLIST_NO_LOADER_NOTE, IDC_OSLIST_STORE_ICON,
                  IDC_OSLIST_STORE_LABEL, IDC_OSLIST_LIST}},
    {IDD_UTILITIES, {IDC_UTILITIES_MODIFY, IDC_UTILITIES_ADD, IDC_UTILITIES_DELETE, IDC_UTILITIES_DETAILS,
                     IDC_UTILITIES_PAGE_ICON, IDC_UTILITIES_LIST}},
    {IDD_BOOTLOADER, {IDC_BOOTLOADER_RESET_MBR_MODE, IDC_BOOTLOADER_BROWSE_BACKUP, IDC_BOOTLOADER_BROWSE_RESTORE,
                      IDC_BOOTLOADER_BACKUP_NOTE, IDC_BOOTLOADER_WARNING, IDC_BOOTLOADER_PAGE_ICON,
                      IDC_BOOTLOADER_UNDO_RUN}},
    {IDD_PARTITION, {IDC_PARTITION_EXPLANATION}},
    {IDD_KINDLIST, {}},
    {IDD_SHORTCUT, {IDC_SHORTCUT_BROWSE}},
    {IDD_RAMDISK, {}},
    {IDD_ENTRY_GENERAL, {IDC_GENERAL_EDIT_RAMDISK, IDC_GENERAL_BROWSE_DEVICE_FILE}},
    {IDD_ENTRY_ADVANCED, {}},
    {IDD_ENTRY, {IDC_ENTRY_INFO, IDC_ENTRY_TABS}},
    {IDD_CONFIG, {}},
};
// Captions the program replaces when the window opens.
const std::set<UINT> kRunTimeCaptions = {IDD_MAIN, IDD_SHORTCUT, IDD_ENTRY};

// Key "Title" or a control number, and the template's own text.
struct TemplateText {
  UINT templateId;
  std::wstring key;
  std::wstring text;
};

std::vector<TemplateText> LocalisedTemplateTexts() {
  HWND host = CreateWindowExW(0, L"Static", L"host", WS_POPUP, 0, 0, 900, 700, nullptr, nullptr, nullptr, nullptr);
  std::vector<TemplateText> texts;
  for (const auto& [templateId, runTime] : kRunTimeControls) {
    win::Dialog dialog(templateId);
    HWND window = dialog.CreateModeless(host);
    if (!window) {
      ADD_FAILURE() << "template " << templateId << " did not open";
      continue;
    }
    std::wstring caption = TextOf(window);
    if (!caption.empty() && !kRunTimeCaptions.count(templateId)) texts.push_back({templateId, L"Title", caption});
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      int id = GetDlgCtrlID(child);
      std::wstring text = TextOf(child);
      // A picture static's text is its resource ordinal (0xFFFF, number), no words.
      bool picture = !text.empty() && text[0] == 0xFFFF;
      if (id != IDC_STATIC && !text.empty() && !picture && !runTime.count(id))
        texts.push_back({templateId, std::to_wstring(id), text});
    }
    DestroyWindow(window);
  }
  DestroyWindow(host);
  return texts;
}

std::vector<UINT> TrayMenuCommands() {
  std::vector<UINT> commands;
  HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU));
  HMENU popup = GetSubMenu(menu, 0);
  for (int i = 0; i < GetMenuItemCount(popup); ++i)
    if (UINT id = GetMenuItemID(popup, i); id != 0 && id != static_cast<UINT>(-1)) commands.push_back(id);
  DestroyMenu(menu);
  return commands;
}

// The conversions of a format string in order ("%s", "%d", "%04d"; "%%" is no argument).
std::wstring Arguments(const std::wstring& text) {
  std::wstring found;
  for (size_t at = text.find(L'%'); at != std::wstring::npos; at = text.find(L'%', at + 1)) {
    size_t end = at + 1;
    while (end < text.size() && iswdigit(text[end])) ++end;
    if (end < text.size() && text[end] == L'%' && end == at + 1) {
      at = end;
      continue;
    }
    found += text.substr(at, end + 1 - at) + L" ";
    at = end;
  }
  return found;
}

std::wstring Raw(const std::wstring& file, const std::wstring& section, const std::wstring& key) {
  wchar_t buffer[1000] = {};
  GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer, 1000, file.c_str());
  return buffer;
}

std::wstring Trimmed(std::wstring text) {
  while (!text.empty() && text.back() == L' ') text.pop_back();
  while (!text.empty() && text.front() == L' ') text.erase(0, 1);
  return text;
}

class LanguageFiles : public testing::TestWithParam<const wchar_t*> {
 protected:
  StoreSandbox sandbox;
  std::wstring file = BuildFile(std::wstring(L"Language\\") + GetParam() + L".ini");
  bool english = std::wstring(GetParam()) == L"409";
};

}  // namespace

TEST(LanguageFilesArguments, ReadsConversionsInOrder) {
  struct Case {
    const wchar_t* text;
    const wchar_t* arguments;
  } cases[] = {
      {L"Datei %s fehlt", L"%s "},
      {L"%s\\n\\n„%s“ als „%s“", L"%s %s %s "},
      {L"Version : %d.%d  Build %04d.%04d ", L"%d %d %04d %04d "},
      {L"100%% fertig, %u", L"%u "},
      {L"keine", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(Arguments(c.text), c.arguments) << c.text;
}

TEST_P(LanguageFiles, HoldEveryTextWithTheBuiltInArguments) {
  ASSERT_NE(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES) << "not built: " << file;
  EXPECT_FALSE(Raw(file, L"Info", L"Language").empty()) << "the config dialog lists the language by this name";

  std::vector<UINT> numbers = BuiltInNumbers();
  // The string table reaches from the first texts to the newest; fewer means the enumeration failed.
  ASSERT_GE(numbers.size(), 120u);
  AppSettings.languageFile = file;
  for (UINT number : numbers) {
    std::wstring builtIn = BuiltInText(number);
    std::wstring value = Raw(file, L"String", std::to_wstring(number));
    EXPECT_FALSE(value.empty()) << "text " << number << " missing";
    EXPECT_EQ(Arguments(GetText(number)), Arguments(builtIn)) << "text " << number;
    if (english) {
      EXPECT_EQ(GetText(number), Trimmed(builtIn)) << "text " << number;
    }
  }
  for (UINT command : TrayMenuCommands())
    EXPECT_FALSE(Raw(file, L"String", std::to_wstring(command)).empty()) << "tray menu item " << command;

  int controls = 0;
  for (const TemplateText& item : LocalisedTemplateTexts()) {
    std::wstring section = L"DLG" + std::to_wstring(item.templateId);
    EXPECT_FALSE(Raw(file, section, item.key).empty()) << section << " " << item.key << " \"" << item.text << "\"";
    if (english && item.key != L"Title") {
      EXPECT_EQ(GetText(std::stoi(item.key), item.templateId), Trimmed(item.text)) << section << " " << item.key;
    }
    ++controls;
  }
  EXPECT_GE(controls, 80) << "the templates' texts were not read";
}

TEST_P(LanguageFiles, LeaveRunTimeTextsToTheProgram) {
  // Localising a page again after a language change must not put a template text back over a
  // file name, a version line or a cleared image button.
  for (const auto& [templateId, runTime] : kRunTimeControls)
    for (int id : runTime)
      EXPECT_TRUE(Raw(file, L"DLG" + std::to_wstring(templateId), std::to_wstring(id)).empty())
          << "DLG" << templateId << " " << id;
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageFiles, testing::Values(L"409", L"407", L"804", L"404"),
                         [](const testing::TestParamInfo<const wchar_t*>& info) {
                           return "Code" + std::string(info.param, info.param + wcslen(info.param));
                         });
