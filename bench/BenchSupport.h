// What the benchmarks share: a clock, the bare tool run they compare the program's runs with, the
// OS list page hosted as the main window hosts it, the real program watched from outside, and the
// one table they print.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "StoreSandbox.h"
#include "oslist/OsListPage.h"

namespace bench {

double NowSeconds();
// Seconds taken by call.
double Time(const std::function<void()>& call);
double Median(std::vector<double> values);

// Starts commandLine exactly as given, hidden, with its output captured through a pipe and read
// until the pipe closes, as the program's runner does, but with no pause after it; returns seconds.
double BareRun(const std::wstring& commandLine, size_t chunkBytes = 1024);
// The pause the runner keeps after every tool run, in seconds.
inline constexpr double kSettleSeconds = 0.1;

// A demo machine as the OS list page tests set it up: the demo store with NTLDR and a boot.ini.
void PrepareDemoMachine(testing_support::StoreSandbox& sandbox);

// The OS list page in a host window with the main window's shared images, made on demand.
class PageHost {
 public:
  PageHost();
  ~PageHost();
  PageHost(const PageHost&) = delete;
  PageHost& operator=(const PageHost&) = delete;

  // A new page (the old one goes first); it reads the store as it is made.
  OsListPage& Open();
  void Close();
  OsListPage& Page() { return *page_; }
  HWND Host() const { return host_; }
  HIMAGELIST Images() const { return images_; }

  // The first row whose name column reads name, or -1.
  int RowNamed(const std::wstring& name) const;
  // Selects a row as a click would.
  void SelectRow(int row);
  void Click(int id);

 private:
  HWND host_ = nullptr;
  HIMAGELIST images_ = nullptr;
  std::unique_ptr<OsListPage> page_;
};

// The real program, started from the sandbox and watched from this process.
struct ProgramRun {
  double secondsToRows = 0;  // from the start until its list view held the rows expected
  double peakWorkingSetMb = 0;
  bool ok = false;
};
// Starts vexa.exe, waits until its OS list shows rows rows, reads its peak working set, and ends it.
ProgramRun RunProgramUntilRows(testing_support::StoreSandbox& sandbox, int rows);
// The same for another program of the build (buildRelative, e.g. L"bench\\vexa_bench_bare.exe"),
// copied into the sandbox's folder and started from there.
ProgramRun RunUntilRows(testing_support::StoreSandbox& sandbox, const std::wstring& buildRelative, int rows);

// One line of the table.
struct Figure {
  std::string group;     // "1", "2", ...
  std::string what;
  std::string vexa;      // what the program took
  std::string reference; // what it is measured against
  std::string result;    // the comparison
  std::string target;
  bool met = false;
};

// The OS list page and the program on the system store of one loader and of many, phase by phase,
// printed (VEXA_BENCH_PHASES).
void SystemStorePhases(const std::wstring& oneFile, const std::wstring& manyFile, int many);

std::string Printf(const char* format, ...);
std::string Narrow(const std::wstring& text);
void PrintTable(const std::vector<Figure>& figures);

}  // namespace bench
