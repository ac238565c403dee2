// A random user on the main window over the demo store of a UEFI machine: clicks, list rows, typing (hostile text
// too), every dialog opened and closed, every box answered with one of its own buttons. After each
// action the window still answers, and neither the store nor boot.ini changed unless the action
// confirmed a change. VEXA_RANDOM_SEED and VEXA_RANDOM_ACTIONS override the seed and the count.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "StoreSandbox.h"
#include "WindowTest.h"
#include "app/MainDialog.h"
#include "resource.h"

using namespace testing_support;

namespace {

constexpr char kDemoBootIni[] =
    "[boot loader]\r\ntimeout=30\r\ndefault=multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS\r\n"
    "[operating systems]\r\n"
    "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Microsoft Windows XP Professional\" /fastdetect\r\n"
    "C:\\CMDCONS\\BOOTSECT.DAT=\"Microsoft Windows Recovery Console\" /cmdcons\r\n";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValue[] = L"Tavro Vexa";

// What the bad-input catalogue types, and what a user types by mistake.
const std::vector<std::wstring> kTexts = {
    L"", L"0", L"7", L"-1", L"999", L"4294967296", L"Windows 7", L"a \"quoted\" name", L"tab\there",
    L"two\r\nlines", L"ends in \\", L"Gr\u00fc\u00dfe \u65e5\u672c \u0416 \U0001F600", L"Gr\u00fc\u00dfe \u00c9t\u00e9",
    L"C:\\Tools\\zed.exe", L"\\boot\\boot.sdi", L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}", L"%s %d %x",
    std::wstring(1000, L'W')};

// The main window's own buttons a user might press to leave; the random user stays.
bool Leaves(HWND control) { return GetDlgCtrlID(control) == IDC_MAIN_CLOSE || GetDlgCtrlID(control) == IDC_MAIN_MINIMIZE; }

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectTopDialog(HWND window, LPARAM list) {
  if (ClassOf(window) == L"#32770" && IsWindowVisible(window))
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// The store as it stands: every key and value below it, values sorted by name so that a value
// written again in its old form counts as no change.
void DumpKey(HKEY parent, const std::wstring& path, std::wstring& out) {
  HKEY key;
  if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  out += L"[" + path + L"]\n";
  std::map<std::wstring, std::wstring> values;
  for (DWORD i = 0;; ++i) {
    wchar_t name[512];
    DWORD nameLength = 512, type = 0, size = 0;
    if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
    std::vector<BYTE> data(size + 2);
    nameLength = 512;
    RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data.data(), &size);
    values[name] = std::to_wstring(type) + L":" + std::wstring(data.begin(), data.begin() + size);
  }
  for (const auto& [name, value] : values) out += name + L"=" + value + L"\n";
  std::vector<std::wstring> subkeys;
  for (DWORD i = 0;; ++i) {
    wchar_t name[512];
    DWORD nameLength = 512;
    if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    subkeys.push_back(name);
  }
  RegCloseKey(key);
  std::sort(subkeys.begin(), subkeys.end());
  for (const std::wstring& subkey : subkeys) DumpKey(parent, path + L"\\" + subkey, out);
}

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c >= 32 && c < 127 ? static_cast<char>(c) : '?';
  return out;
}

unsigned EnvironmentNumber(const wchar_t* name, unsigned fallback) {
  wchar_t value[32] = {};
  if (!GetEnvironmentVariableW(name, value, 32)) return fallback;
  return static_cast<unsigned>(wcstoul(value, nullptr, 10));
}

class RandomUser;
RandomUser* g_user = nullptr;
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
LRESULT CALLBACK NextTurn(HWND, UINT, WPARAM, LPARAM);
constexpr UINT kNextTurn = WM_APP + 0x31;

class RandomUser {
 public:
  RandomUser(StoreSandbox& sandbox, MainDialog& main, unsigned seed, unsigned actions)
      : sandbox_(sandbox), main_(main), random_(seed), seed_(seed), total_(actions) {
    sandbox_.seams.script.answerPrompt = [this](const win::PromptCall& call) { return Answer(call); };
    baseline_ = State();
    WatchStore();
  }

  // Runs every action; empty when all held, else what went wrong.
  std::string Run() {
    g_user = this;
    std::thread watchdog([this] { Watch(); });
    // A message-only window takes the turn posted after each action inside a modal loop.
    WNDCLASSW turns = {};
    turns.lpfnWndProc = NextTurn;
    turns.hInstance = GetModuleHandleW(nullptr);
    turns.lpszClassName = L"Vexa.RandomUser";
    RegisterClassW(&turns);
    turnWindow_ = CreateWindowExW(0, turns.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, turns.hInstance, nullptr);
    UINT_PTR timer = SetTimer(nullptr, 0, 10, Tick);
    while (done_ < total_ && failure_.empty()) {
      Step();
      PumpMessages();
    }
    KillTimer(nullptr, timer);
    DestroyWindow(turnWindow_);
    running_ = false;
    watchdog.join();
    g_user = nullptr;
    return failure_;
  }

  // A tick inside a modal loop (a dialog or a menu opened by an action) acts on what that loop shows.
  void OnTick() {
    if (!failure_.empty() || done_ >= total_) {
      CloseEverything();
      return;
    }
    // The tool runner pumps messages while a tool runs: only a dialog or a menu is a user's turn.
    GUITHREADINFO thread = {sizeof(thread)};
    bool menu = GetGUIThreadInfo(GetCurrentThreadId(), &thread) && (thread.flags & GUI_INMENUMODE);
    if (depth_ > 0 && !stepping_ && (menu || InnermostDialog())) {
      Step();
      // The next action inside the same loop comes as soon as the loop is back, not at the next
      // tick: a run spends a third of its actions inside dialogs, and the ticks' waits were a third
      // of its time.
      PostMessageW(turnWindow_, kNextTurn, 0, 0);
    }
  }

 private:
  void Step() {
    // Ticks act inside the modal loops an action opens, not while this step pumps and checks.
    // An action inside a dialog may finish the write its opener confirmed: confirmations count
    // from the start of the outermost action still running.
    if (depth_++ == 0) outerConfirms_ = confirms_;
    unsigned number = ++done_;
    int confirmsBefore = outerConfirms_;
    bool writes = false;
    std::wstring action = Act(writes);
    Remember(number, action);
    stepping_ = true;
    PumpMessages();
    // A restart Windows accepted ends the session: a one-time start armed for it stays.
    if (sandbox_.seams.script.restarts.size() > restartsSeen_) {
      restartsSeen_ = sandbox_.seams.script.restarts.size();
      SendMessageW(main_.Handle(), WM_ENDSESSION, TRUE, 0);
    }
    if (writes) ++confirms_;
    Check(number, confirms_ > confirmsBefore);
    stepping_ = false;
    --depth_;
    // A long run says how far it is, and how fast it still goes.
    if (number % 1000 == 0) {
      std::printf("action %u after %lu s\n", number, static_cast<unsigned long>((GetTickCount() - begun_) / 1000));
      std::fflush(stdout);
    }
  }

  // One action on the innermost window a user could reach now; says what it did and whether it is
  // a command that writes by itself (an OK, Apply or Save, or a page button that writes).
  std::wstring Act(bool& writes) {
    sandbox_.seams.script.restartSucceeds = Pick(2) == 0;
    sandbox_.seams.script.fileAnswers.clear();
    sandbox_.seams.script.fileAnswers.push_back(FileAnswer());

    GUITHREADINFO thread = {sizeof(thread)};
    if (GetGUIThreadInfo(GetCurrentThreadId(), &thread) && (thread.flags & GUI_INMENUMODE)) return ChooseFromMenu(thread, writes);

    HWND dialog = InnermostDialog();
    if (dialog && Pick(6) == 0) {
      static const struct { int id; const wchar_t* name; } kCloses[] = {{IDOK, L"OK"}, {IDCANCEL, L"Cancel"}, {0, L"close box"}};
      const auto& close = kCloses[Pick(3)];
      writes = close.id == IDOK;
      if (close.id) SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(close.id, BN_CLICKED), 0);
      else SendMessageW(dialog, WM_CLOSE, 0, 0);
      return L"dialog '" + Text(dialog) + L"': " + close.name;
    }
    HWND top = dialog ? dialog : main_.Handle();
    std::vector<HWND> controls = Reachable(top);
    if (controls.empty()) return L"nothing to do on '" + Text(top) + L"'";
    HWND control = controls[Pick(static_cast<unsigned>(controls.size()))];
    std::wstring name = ClassOf(control);
    HWND parent = GetParent(control);
    int id = GetDlgCtrlID(control);
    std::wstring where = L"'" + Text(control) + L"' (" + name + L" " + std::to_wstring(id) + L") on '" + Text(top) + L"'";

    if (name == L"Edit") {
      std::wstring text = kTexts[Pick(static_cast<unsigned>(kTexts.size()))];
      SetWindowTextW(control, text.c_str());
      return L"type " + std::to_wstring(text.size()) + L" characters into " + where;
    }
    if (name == L"ComboBox") {
      int count = static_cast<int>(SendMessageW(control, CB_GETCOUNT, 0, 0));
      if ((GetWindowLongW(control, GWL_STYLE) & 3) == CBS_DROPDOWN && (count == 0 || Pick(3) == 0)) {
        std::wstring text = kTexts[Pick(static_cast<unsigned>(kTexts.size()))];
        SetWindowTextW(control, text.c_str());
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(control));
        return L"type " + std::to_wstring(text.size()) + L" characters into " + where;
      }
      if (count == 0) return L"empty " + where;
      int row = static_cast<int>(Pick(static_cast<unsigned>(count)));
      SendMessageW(control, CB_SETCURSEL, row, 0);
      SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
      return L"choose item " + std::to_wstring(row) + L" of " + where;
    }
    if (name == L"SysListView32") {
      int count = ListView_GetItemCount(control);
      int row = count ? static_cast<int>(Pick(static_cast<unsigned>(count))) : -1;
      static const UINT kCodes[] = {NM_CLICK, NM_DBLCLK, NM_RCLICK};
      static const wchar_t* kNames[] = {L"click", L"double-click", L"right-click"};
      unsigned kind = Pick(3);
      ListView_SetItemState(control, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
      if (row >= 0) ListView_SetItemState(control, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      PumpMessages();
      NMITEMACTIVATE click = {};
      click.hdr = {control, static_cast<UINT_PTR>(id), kCodes[kind]};
      click.iItem = row;
      // A double-click on the OS list makes the row the default: the list's own write command.
      writes = kCodes[kind] == NM_DBLCLK && parent == main_.Page(0);
      SendMessageW(parent, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&click));
      return std::wstring(kNames[kind]) + L" row " + std::to_wstring(row) + L" of " + where;
    }
    if (name == L"SysTabControl32") {
      int count = TabCtrl_GetItemCount(control);
      if (count == 0) return L"empty " + where;
      int tab = static_cast<int>(Pick(static_cast<unsigned>(count)));
      NMHDR change = {control, static_cast<UINT_PTR>(id), TCN_SELCHANGING};
      SendMessageW(parent, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&change));
      TabCtrl_SetCurSel(control, tab);
      change.code = TCN_SELCHANGE;
      SendMessageW(parent, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&change));
      return L"tab " + std::to_wstring(tab) + L" of " + where;
    }
    if (name == L"Static") {
      SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), reinterpret_cast<LPARAM>(control));
      return L"click " + where;
    }
    writes = WritesByItself(control, parent, id);
    SendMessageW(control, BM_CLICK, 0, 0);
    return L"click " + where;
  }

  // The buttons that write without asking first, as the README's table of what each page writes
  // names them, and every dialog's OK, Save or Apply.
  bool WritesByItself(HWND control, HWND parent, int id) const {
    if (id == IDOK) return true;
    std::wstring text = Text(control);
    text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
    if (text == L"OK" || text == L"Apply" || text == L"Save") return true;
    if (parent == main_.Page(0))
      return id == IDC_OSLIST_SET_DEFAULT || id == IDC_OSLIST_SAVE_ORDER || id == IDC_OSLIST_APPLY || id == IDC_OSLIST_COPY;
    if (parent == main_.Page(2))
      return id == IDC_BOOTLOADER_RESTORE || id == IDC_BOOTLOADER_UNDO_RUN || id == IDC_BOOTLOADER_UPDATE_RECORD;
    if (parent == main_.Page(3)) return id == IDC_FIRMWARE_ADD_TO_ORDER;
    return false;
  }

  // A menu is open (a row's or a button's): one of its commands, or none.
  std::wstring ChooseFromMenu(const GUITHREADINFO& thread, bool& writes) {
    HWND menuWindow = FindWindowW(L"#32768", nullptr);
    HMENU menu = menuWindow ? reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0)) : nullptr;
    std::vector<UINT> commands;
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
      UINT state = GetMenuState(menu, i, MF_BYPOSITION);
      UINT command = GetMenuItemID(menu, i);
      if (command != static_cast<UINT>(-1) && command != 0 && !(state & (MF_DISABLED | MF_GRAYED | MF_SEPARATOR)))
        commands.push_back(command);
    }
    EndMenu();
    if (commands.empty() || Pick(4) == 0) return L"dismiss the menu";
    UINT command = commands[Pick(static_cast<unsigned>(commands.size()))];
    writes = command == IDC_FIRMWARE_ADD_TO_ORDER;
    PostMessageW(thread.hwndMenuOwner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return L"menu command " + std::to_wstring(command);
  }

  std::optional<std::wstring> FileAnswer() {
    switch (Pick(4)) {
      case 0: return std::nullopt;
      case 1: return sandbox_.folder.File(L"random.bcd");
      case 2: return sandbox_.folder.File(L"Backup\\") + kTexts[Pick(static_cast<unsigned>(kTexts.size()))];
      default: return sandbox_.folder.File(L"missing\\nothing.bcd");
    }
  }

  // One of the box's own buttons, at random; an accepting answer to a box with a choice confirms.
  int Answer(const win::PromptCall& call) {
    std::vector<int> buttons;
    switch (call.flags & MB_TYPEMASK) {
      case MB_OKCANCEL: buttons = {IDOK, IDCANCEL}; break;
      case MB_ABORTRETRYIGNORE: buttons = {IDABORT, IDRETRY, IDIGNORE}; break;
      case MB_YESNOCANCEL: buttons = {IDYES, IDNO, IDCANCEL}; break;
      case MB_YESNO: buttons = {IDYES, IDNO}; break;
      case MB_RETRYCANCEL: buttons = {IDRETRY, IDCANCEL}; break;
      default: buttons = {IDOK}; break;
    }
    int answer = buttons[Pick(static_cast<unsigned>(buttons.size()))];
    if (buttons.size() > 1 && answer != IDNO && answer != IDCANCEL && answer != IDABORT) ++confirms_;
    Remember(done_, L"  box '" + call.text.substr(0, 80) + L"' answered " + std::to_wstring(answer));
    return answer;
  }

  void Check(unsigned number, bool confirmed) {
    // The store is read again only when the registry says something below it was written: a dump
    // of every key after every action took most of the run's time.
    bool storeWritten = !storeWatch_ || WaitForSingleObject(storeWatch_.Get(), 0) == WAIT_OBJECT_0;
    std::wstring now = storeWritten ? State() : baseline_.substr(0, baseline_.find(kBootIniMark)) + BootIniState();
    if (storeWritten) WatchStore();
    if (now != baseline_ && !confirmed && failure_.empty()) Fail(number, "the store or boot.ini changed without a confirmation");
    baseline_ = now;
  }

  // Arms the watch over every key and value below the store for the next action.
  void WatchStore() {
    storeKey_.Reset();
    if (!storeWatch_) storeWatch_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ResetEvent(storeWatch_.Get());
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, sandbox_.storeKey.c_str(), 0, KEY_NOTIFY | KEY_READ, &key) != ERROR_SUCCESS ||
        RegNotifyChangeKeyValue(key, TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET, storeWatch_.Get(), TRUE) !=
            ERROR_SUCCESS) {
      if (key) RegCloseKey(key);
      storeWatch_.Reset();  // no watch: every check reads the whole store
      return;
    }
    storeKey_.Reset(key);
  }

  std::wstring State() const {
    std::wstring state;
    DumpKey(HKEY_LOCAL_MACHINE, sandbox_.storeKey, state);
    return state + BootIniState();
  }
  static std::wstring BootIniState() {
    std::string bootIni = ReadFileBytes(AppSettings.bootIniPath);
    return kBootIniMark + std::wstring(bootIni.begin(), bootIni.end());
  }
  static constexpr wchar_t kBootIniMark[] = L"\n[boot.ini]\n";

  void Fail(unsigned number, const std::string& what) {
    std::lock_guard<std::mutex> lock(mutex_);
    failure_ = what + " at action " + std::to_string(number) + " of seed " + std::to_string(seed_) +
               " (VEXA_RANDOM_SEED=" + std::to_string(seed_) + " VEXA_RANDOM_ACTIONS=" + std::to_string(number) +
               " repeats it); the last actions:\n";
    for (const std::string& line : recent_) failure_ += "  " + line + "\n";
  }

  // A second thread asks the main window for an answer all the time; five seconds without one is a
  // hang, and a hung thread cannot report, so this one does and ends the process.
  void Watch() {
    while (running_) {
      DWORD_PTR result = 0;
      if (!SendMessageTimeoutW(main_.Handle(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) && running_ &&
          IsWindow(main_.Handle())) {
        Fail(done_, "the main window gave no answer within 5 s");
        std::lock_guard<std::mutex> lock(mutex_);
        std::fprintf(stderr, "%s", failure_.c_str());
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
      }
      Sleep(200);
    }
  }

  // The dialog a user would act on now: the newest enabled one of ours besides the main window.
  HWND InnermostDialog() {
    std::vector<HWND> open;
    EnumThreadWindows(GetCurrentThreadId(), CollectTopDialog, reinterpret_cast<LPARAM>(&open));
    // Closed dialogs leave the list: each stale handle costs a server call, and thousands of them
    // made every 10 ms tick slower than 10 ms, so that a run slowed down the longer it went.
    seen_.erase(std::remove_if(seen_.begin(), seen_.end(), [](HWND window) { return !IsWindow(window); }), seen_.end());
    for (HWND window : open)
      if (std::find(seen_.begin(), seen_.end(), window) == seen_.end()) seen_.push_back(window);
    for (auto it = seen_.rbegin(); it != seen_.rend(); ++it) {
      if (*it != main_.Handle() && IsWindow(*it) && IsWindowVisible(*it) && IsWindowEnabled(*it)) return *it;
    }
    return nullptr;
  }

  void CloseEverything() {
    GUITHREADINFO thread = {sizeof(thread)};
    if (GetGUIThreadInfo(GetCurrentThreadId(), &thread) && (thread.flags & GUI_INMENUMODE)) EndMenu();
    if (HWND dialog = InnermostDialog()) EndDialog(dialog, IDCANCEL);
  }

  std::vector<HWND> Reachable(HWND top) const {
    std::vector<HWND> all, reachable;
    EnumChildWindows(top, CollectChild, reinterpret_cast<LPARAM>(&all));
    for (HWND control : all) {
      std::wstring name = ClassOf(control);
      if (name == L"#32770" || Leaves(control) || !IsWindowVisible(control) || !IsWindowEnabled(control)) continue;
      if (name == L"Static" && !(GetWindowLongW(control, GWL_STYLE) & SS_NOTIFY)) continue;
      // The parts of a combo box and a list's header are reached through their owner.
      if (name != L"Button" && name != L"Edit" && name != L"ComboBox" && name != L"SysListView32" &&
          name != L"SysTabControl32" && name != L"Static")
        continue;
      if (name == L"Edit" && ClassOf(GetParent(control)) == L"ComboBox") continue;
      if (IsWindowEnabled(GetParent(control))) reachable.push_back(control);
    }
    return reachable;
  }

  void Remember(unsigned number, const std::wstring& action) {
    std::lock_guard<std::mutex> lock(mutex_);
    recent_.push_back(std::to_string(number) + ": " + Narrow(action));
    if (recent_.size() > 25) recent_.pop_front();
  }

  static std::wstring Text(HWND window) {
    std::wstring text = TextOf(window);
    return text.size() > 40 ? text.substr(0, 40) + L"..." : text;
  }

  unsigned Pick(unsigned count) { return std::uniform_int_distribution<unsigned>(0, count - 1)(random_); }

  StoreSandbox& sandbox_;
  MainDialog& main_;
  std::mt19937 random_;
  unsigned seed_;
  unsigned total_;
  std::atomic<unsigned> done_{0};
  DWORD begun_ = GetTickCount();
  std::atomic<bool> running_{true};
  int depth_ = 0;
  bool stepping_ = false;
  int confirms_ = 0;
  int outerConfirms_ = 0;
  size_t restartsSeen_ = 0;
  std::wstring baseline_;
  win::UniqueHandle storeWatch_;
  win::UniqueKey storeKey_;
  std::vector<HWND> seen_;
  HWND turnWindow_ = nullptr;
  std::mutex mutex_;
  std::deque<std::string> recent_;
  std::string failure_;
};

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (g_user) g_user->OnTick();
}

LRESULT CALLBACK NextTurn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kNextTurn) return DefWindowProcW(window, message, wParam, lParam);
  if (g_user) g_user->OnTick();
  return 0;
}

class RandomUse : public testing::Test, protected StoreSandbox {
 protected:
  void SetUp() override {
    // A UEFI machine, so that the Firmware page has a menu to change too.
    ASSERT_TRUE(SeedUefiDemo());
    ASSERT_TRUE(PlaceBootIni(kDemoBootIni));
    ASSERT_TRUE(PlaceFile(L"C:\\ntldr", "NTLDR"));
    // The pause after each tool run is for the real tool's store; the stand-in's needs none, and
    // three hundred pauses would be a third of the run. Runs still wait, answering, for the tool.
    Runner().settleMilliseconds = 0;
    AppSettings.appTitle = L"Vexa";
    AppSettings.languageFile.clear();
    AppSettings.languageCode = L"409";
    AppSettings.osClass = 10;
    AppSettings.currentSystemName = L"Windows 10 Pro";
    AppSettings.settingsFile = folder.File(L"wmast.dll");
    AppSettings.pluginsFile = folder.File(L"plugins.ini");
    AppSettings.showWindow = true;
    AppSettings.enableDelMode = 1;
    AppSettings.autoReBoot = 1;
    CreateDirectoryW(folder.File(L"Backup").c_str(), nullptr);
    ASSERT_TRUE(folder.WriteText(L"plugins.ini", "[TOOL]\r\nname=Zed Tool\r\ninfo=Draws\r\ncmd=C:\\Tools\\zed.exe\r\n"));
    // Config's AutoStart writes the machine's Run key: it gets back what it held.
    runValueSaved_ = RegGetValueW(HKEY_LOCAL_MACHINE, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr, runValue_, &runSize_) ==
                     ERROR_SUCCESS;
  }
  void TearDown() override {
    if (runValueSaved_) {
      RegSetKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, kRunValue, REG_SZ, runValue_, runSize_);
    } else {
      RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, kRunValue);
    }
  }

 private:
  wchar_t runValue_[1024] = {};
  DWORD runSize_ = sizeof(runValue_);
  bool runValueSaved_ = false;
};

TEST_F(RandomUse, TheWindowAnswersAndChangesNothingUnconfirmed) {
  unsigned seed = EnvironmentNumber(L"VEXA_RANDOM_SEED", 19);
  unsigned actions = EnvironmentNumber(L"VEXA_RANDOM_ACTIONS", 2000);
  MainDialog main;
  HWND window = main.CreateModeless(nullptr);
  ASSERT_TRUE(window);
  ShowWindow(window, SW_SHOW);
  PumpMessages();
  auto started = std::chrono::steady_clock::now();
  std::string failure = RandomUser(*this, main, seed, actions).Run();
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("%u actions from seed %u in %.1f s, %zu tool runs\n", actions, seed, seconds, Journal().size());
  EXPECT_EQ(failure, "");
  EXPECT_TRUE(IsWindow(window)) << "seed " << seed << ": the main window went away";
  if (IsWindow(window)) main.End(0);
  PumpMessages();
}

}  // namespace
