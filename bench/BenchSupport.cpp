// Clock, bare tool runs, the hosted OS list page, the watched program and the table.
#include "BenchSupport.h"

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "WindowTest.h"
#include "base/AppSettings.h"
#include "controls/ButtonPresets.h"
#include "oslist/OsListTestSupport.h"
#include "resource.h"
#include "win/Controls.h"
#include "win/Dpi.h"
#include "win/Handles.h"

namespace bench {

using testing_support::StoreSandbox;

double NowSeconds() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / frequency;
}

double Time(const std::function<void()>& call) {
  double start = NowSeconds();
  call();
  return NowSeconds() - start;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double BareRun(const std::wstring& commandLine, size_t chunkBytes) {
  double start = NowSeconds();
  SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, TRUE};
  win::UniqueHandle readEnd, writeEnd;
  if (!CreatePipe(readEnd.Receive(), writeEnd.Receive(), &security, 0)) return 0;
  SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  GetStartupInfoW(&startup);
  startup.hStdInput = nullptr;
  startup.hStdOutput = writeEnd.Get();
  startup.hStdError = writeEnd.Get();
  startup.wShowWindow = SW_HIDE;
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back(L'\0');
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
    return 0;
  win::UniqueHandle processHandle(process.hProcess), threadHandle(process.hThread);
  writeEnd.Reset();
  std::vector<char> chunk(chunkBytes);
  DWORD read = 0;
  std::string bytes;
  while (ReadFile(readEnd.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr))
    bytes.append(chunk.data(), read);
  WaitForSingleObject(processHandle.Get(), 10000);
  return NowSeconds() - start;
}

void PrepareDemoMachine(StoreSandbox& sandbox) {
  sandbox.SeedDemo();
  AppSettings.appTitle = L"Vexa";
  AppSettings.languageFile.clear();
  AppSettings.languageCode = L"409";
  AppSettings.osClass = 10;
  AppSettings.currentSystemName = L"Windows 10 Pro";
  AppSettings.enableDelMode = 1;
  AppSettings.autoReBoot = 0;
  AppSettings.bcdTimeout = -1;
  AppSettings.bootIniTimeout = 30;
  AppSettings.settingsFile = sandbox.folder.File(L"wmast.dll");
  sandbox.PlaceBootIni(testing_support::kDemoBootIni);
  sandbox.PlaceFile(L"C:\\ntldr", "NTLDR");
}

PageHost::PageHost() {
  images_ = MakeButtonImages(win::SystemDpi());
  HINSTANCE module = GetModuleHandleW(nullptr);
  host_ = CreateWindowExW(0, L"STATIC", L"Vexa host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                          nullptr, module, nullptr);
}

PageHost::~PageHost() {
  Close();
  DestroyWindow(host_);
  ImageList_Destroy(images_);
}

OsListPage& PageHost::Open() {
  Close();
  page_ = std::make_unique<OsListPage>(PageContext{images_, nullptr, nullptr, host_, nullptr});
  HWND window = page_->CreateModeless(host_);
  ShowWindow(window, SW_SHOW);
  return *page_;
}

void PageHost::Close() {
  page_.reset();
  testing_support::PumpMessages();
}

int PageHost::RowNamed(const std::wstring& name) const {
  win::ListView list(GetDlgItem(page_->Handle(), IDC_OSLIST_LIST));
  for (int row = 0; row < list.Count(); ++row) {
    if (list.Cell(row, 1) == name) return row;
  }
  return -1;
}

void PageHost::SelectRow(int row) {
  win::ListView(GetDlgItem(page_->Handle(), IDC_OSLIST_LIST)).Select(row);
  testing_support::PumpMessages();
}

void PageHost::Click(int id) { testing_support::ClickControl(page_->Handle(), id); }

namespace {

struct ListSearch {
  HWND found = nullptr;
};

BOOL CALLBACK FindOsList(HWND window, LPARAM search) {
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  if (GetDlgCtrlID(window) != IDC_OSLIST_LIST || lstrcmpiW(className, WC_LISTVIEWW) != 0) return TRUE;
  reinterpret_cast<ListSearch*>(search)->found = window;
  return FALSE;
}

}  // namespace

ProgramRun RunProgramUntilRows(StoreSandbox& sandbox, int rows) { return RunUntilRows(sandbox, L"vexa.exe", rows); }

ProgramRun RunUntilRows(StoreSandbox& sandbox, const std::wstring& buildRelative, int rows) {
  ProgramRun run;
  std::wstring name = buildRelative.substr(buildRelative.rfind(L'\\') + 1);
  if (GetFileAttributesW(sandbox.folder.File(name).c_str()) == INVALID_FILE_ATTRIBUTES)
    sandbox.folder.CopyFromBuild(buildRelative, name);
  double start = NowSeconds();
  testing_support::ChildProcess process(L"\"" + sandbox.folder.File(name) + L"\"", sandbox.folder.Path());
  if (!process.Started()) return run;
  HWND main = nullptr;
  HWND list = nullptr;
  // A search of every window each 2 ms while the program's tool runs go on slowed those runs (the
  // Wine server answers both), and the slowdown counted as the program's own. So first wait, asking
  // nothing, until the program waits for input: it does so once its window is made with the rows
  // in it (or earlier, which the polling below then covers).
  {
    win::UniqueHandle watched(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, process.Id()));
    if (watched) WaitForInputIdle(watched.Get(), 60000);
  }
  // Polled finely: the figure is the moment the rows are there, not the end of a longer wait.
  while (NowSeconds() - start < 60) {
    if (!main) main = testing_support::FindProcessWindow(process.Id(), L"Vexa");
    if (main && !list) {
      ListSearch search;
      EnumChildWindows(main, FindOsList, reinterpret_cast<LPARAM>(&search));
      list = search.found;
    }
    if (list && ListView_GetItemCount(list) >= rows) {
      run.secondsToRows = NowSeconds() - start;
      run.ok = true;
      break;
    }
    Sleep(2);
  }
  // Let the rows paint before the peak is read: drawing them is part of showing them.
  Sleep(500);
  win::UniqueHandle handle(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | PROCESS_TERMINATE, FALSE,
                                       process.Id()));
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof(counters);
  if (handle && GetProcessMemoryInfo(handle.Get(), &counters, sizeof(counters)))
    run.peakWorkingSetMb = counters.PeakWorkingSetSize / (1024.0 * 1024.0);
  else
    run.ok = false;
  if (main) PostMessageW(main, WM_COMMAND, ID_TRAY_EXIT, 0);
  if (process.WaitExit(20000) == STILL_ACTIVE && handle) TerminateProcess(handle.Get(), 1);
  return run;
}

std::string Printf(const char* format, ...) {
  char buffer[512];
  va_list arguments;
  va_start(arguments, format);
  vsnprintf(buffer, sizeof(buffer), format, arguments);
  va_end(arguments);
  return buffer;
}

std::string Narrow(const std::wstring& text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

void PrintTable(const std::vector<Figure>& figures) {
  const char* headings[] = {"#", "figure", "Vexa", "against", "result", "target", "met"};
  size_t widths[7] = {};
  auto cells = [](const Figure& f) {
    return std::vector<std::string>{f.group, f.what, f.vexa, f.reference, f.result, f.target, f.met ? "yes" : "NO"};
  };
  for (int i = 0; i < 7; ++i) widths[i] = strlen(headings[i]);
  for (const Figure& f : figures) {
    auto row = cells(f);
    for (int i = 0; i < 7; ++i) widths[i] = std::max(widths[i], row[i].size());
  }
  auto line = [&](const std::vector<std::string>& row) {
    std::string text = "|";
    for (int i = 0; i < 7; ++i) text += " " + row[i] + std::string(widths[i] - row[i].size(), ' ') + " |";
    std::printf("%s\n", text.c_str());
  };
  line({headings, headings + 7});
  std::string rule = "|";
  for (size_t width : widths) rule += std::string(width + 2, '-') + "|";
  std::printf("%s\n", rule.c_str());
  for (const Figure& f : figures) line(cells(f));
  std::fflush(stdout);
}

}  // namespace bench
