// Where the time goes on the system store, for looking into, not for the table. With
// VEXA_BENCH_PHASES=1: the OS list page made in this process on one loader and on many, each phase
// timed in wall and CPU seconds, the tool runs it sent timed bare, the same runs again with a
// window search spinning beside them, and any stall of the Wine server meanwhile. With
// VEXA_BENCH_PHASES=program: the started vexa.exe until its rows show, against its runs bare. With
// VEXA_BENCH_PHASES=pipe: the listing of many loaders read bare in small reads and in large ones.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <thread>
#include <atomic>
#include <functional>
#include <utility>

#include "BenchSupport.h"
#include "WindowTest.h"
#include "base/AppSettings.h"
#include "resource.h"
#include "store/BcdEditRunner.h"

namespace bench {

using testing_support::StoreSandbox;

namespace {

std::vector<std::wstring> ToolLines(const std::vector<std::wstring>& journal) {
  std::vector<std::wstring> lines;
  for (const std::wstring& line : journal)
    if (line.find(L"bcdedit.exe") != std::wstring::npos) lines.push_back(line);
  return lines;
}

double CpuSeconds() {
  FILETIME created, ended, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
  auto seconds = [](const FILETIME& t) {
    return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

// Wall and CPU seconds of this process taken by call.
std::pair<double, double> Both(const std::function<void()>& call) {
  double cpu = CpuSeconds();
  double wall = Time(call);
  return {wall, CpuSeconds() - cpu};
}

}  // namespace

void SystemStorePhases(const std::wstring& oneFile, const std::wstring& manyFile, int many) {
  if (std::wstring(_wgetenv(L"VEXA_BENCH_PHASES")) == L"pipe") {
    StoreSandbox sandbox;
    sandbox.RunTool(L"bcdedit", L"/import \"" + manyFile + L"\"");
    std::wstring line = sandbox.LineFor(L" /enum OSLOADER /v");
    std::vector<double> small, large;
    for (int round = 0; round < 9; ++round) {
      small.push_back(BareRun(line, 1024));
      large.push_back(BareRun(line, 65536));
    }
    std::printf("listing of %d loaders read in 1 KB reads: median %.3f s; in 64 KB reads: median %.3f s\n", many,
                Median(small), Median(large));
    for (size_t i = 0; i < small.size(); ++i) std::printf("  %.3f %.3f\n", small[i], large[i]);
    return;
  }
  if (std::wstring(_wgetenv(L"VEXA_BENCH_PHASES")) == L"program") {
    for (int round = 0; round < 4; ++round) {
      for (bool isMany : {false, true}) {
        StoreSandbox machine;
        machine.RunTool(L"bcdedit", L"/import \"" + (isMany ? manyFile : oneFile) + L"\"");
        machine.ClearJournal();
        std::printf("start %d\n", isMany ? many : 1);
        std::fflush(stdout);
        ProgramRun run = RunProgramUntilRows(machine, (isMany ? many : 1) + 1);
        std::vector<std::wstring> lines = ToolLines(machine.TakeJournal());
        double bare = 0;
        for (const auto& line : lines) bare += BareRun(line) + kSettleSeconds;
        // Its CPU time is not to be had from here (Wine does not report another process's times):
        // read utime and stime in /proc/<pid>/stat of its Linux process instead.
        std::printf("%4d loaders: rows after %.3f s, %zu runs bare+pauses %.3f s\n", isMany ? many : 1,
                    run.secondsToRows, lines.size(), bare);
        std::fflush(stdout);
      }
    }
    return;
  }
  for (int round = 0; round < 3; ++round) {
    for (bool isMany : {false, true}) {
      StoreSandbox sandbox;
      sandbox.RunTool(L"bcdedit", L"/import \"" + (isMany ? manyFile : oneFile) + L"\"");
      AppSettings.osClass = 10;
      AppSettings.bcdTimeout = -1;
      AppSettings.settingsFile = sandbox.folder.File(L"wmast.dll");
      Runner().storeFile.clear();
      PageHost host;
      // Stalls of the Wine server: a cheap server request every 5 ms, the long ones kept.
      std::atomic<bool> watching{true};
      std::vector<std::pair<double, double>> stalls;
      double origin = NowSeconds();
      std::thread watcher([&] {
        while (watching) {
          double start = NowSeconds();
          HKEY key = nullptr;
          if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software", 0, KEY_READ, &key) == ERROR_SUCCESS) RegCloseKey(key);
          double took = NowSeconds() - start;
          if (took > 0.15) stalls.push_back({start - origin, took});
          Sleep(5);
        }
      });
      sandbox.ClearJournal();
      auto [made, madeCpu] = Both([&] {
        host.Open();
        UpdateWindow(GetDlgItem(host.Page().Handle(), IDC_OSLIST_LIST));
      });
      std::vector<std::wstring> lines = ToolLines(sandbox.TakeJournal());
      std::vector<double> bare;
      for (const auto& line : lines) bare.push_back(BareRun(line));
      EntryList& list = host.Page().List();
      auto [initial, initialCpu] = Both([&] { list.ResetAll(); list.InitialLoad(); });
      auto [reload, reloadCpu] = Both([&] { list.Reload(1); });
      auto [rebuild, rebuildCpu] = Both([&] { host.Page().RefreshList(false); });
      auto [fill, fillCpu] = Both([&] { host.Page().FillList(); UpdateWindow(GetDlgItem(host.Page().Handle(), IDC_OSLIST_LIST)); });
      double bareSum = 0;
      for (double b : bare) bareSum += b + kSettleSeconds;
      std::printf("%4d loaders: page made %.3f s, its %zu runs bare+pauses %.3f s (own %.3f s) |"
                  " CPU: page %.3f InitialLoad %.3f/%.3f, Reload(1) %.3f/%.3f, RefreshList(false) %.3f/%.3f,"
                  " FillList %.3f/%.3f |",
                  isMany ? many : 1, made, lines.size(), bareSum, made - bareSum, madeCpu, initial, initialCpu,
                  reload, reloadCpu, rebuild, rebuildCpu, fill, fillCpu);
      for (size_t i = 0; i < lines.size(); ++i) std::printf(" run%zu %.3f", i, bare[i]);
      // The same listing run again bare, with a window search spinning every 2 ms in another
      // thread, as the watcher of the started program does until the main window shows.
      if (!lines.empty()) {
        std::atomic<bool> stop{false};
        std::thread spinner([&] {
          while (!stop) {
            testing_support::FindProcessWindow(12345, L"Vexa");
            Sleep(2);
          }
        });
        double spun = 0;
        for (const auto& line : lines) spun += BareRun(line) + kSettleSeconds;
        stop = true;
        spinner.join();
        std::printf(" | same runs with a spinning window search %.3f s", spun);
      }
      watching = false;
      watcher.join();
      std::printf(" | %.1f s in all; server stalls:", NowSeconds() - origin);
      for (auto [at, took] : stalls) std::printf(" at %.2f s %.2f s;", at, took);
      std::printf("\n");
      std::fflush(stdout);
    }
  }
}

}  // namespace bench
