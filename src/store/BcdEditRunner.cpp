// The tool runner: where bcdedit.exe is started from, the /store redirection, and the hidden
// child process whose joined stdout and stderr are read until the pipe closes.
#include "store/BcdEditRunner.h"

#include <atomic>
#include <memory>
#include <string_view>

#include "store/FileRoutines.h"
#include "store/StoreCommands.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "texts.h"
#include "win/Handles.h"

namespace {

using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);

// Runs under way (the runner serves the window's thread only): one at most, as the wait lets no
// action through.
int runsUnderWay = 0;
int nestedRunsRefused = 0;

struct RunUnderWay {
  RunUnderWay() { ++runsUnderWay; }
  ~RunUnderWay() { --runsUnderWay; }
  RunUnderWay(const RunUnderWay&) = delete;
  RunUnderWay& operator=(const RunUnderWay&) = delete;
};

// A run asked for by a message handled while another waits would interleave two commands on the
// store: it is refused, and counted, so that tests see it never happens.
bool RefusedAsNested() {
  if (runsUnderWay == 0) return false;
  ++nestedRunsRefused;
  return true;
}

// A child started and read to the end of its output by a thread of its own: starting a program can
// take as long as its run (a virus scanner looks at it first).
// Shared by the run and its reading thread: a thread left reading the output of a hung tool keeps
// what it reads into alive after the run has given up on it.
struct ChildRun {
  std::vector<wchar_t> commandLine;
  STARTUPINFOW startup = {};
  win::UniqueHandle writeEnd;  // closed once the child has its copy
  win::UniqueHandle readEnd;
  std::atomic<bool> started{false};
  PROCESS_INFORMATION process = {};
  std::string bytes;
};

DWORD WINAPI StartAndRead(void* parameter) {
  std::unique_ptr<std::shared_ptr<ChildRun>> owner(static_cast<std::shared_ptr<ChildRun>*>(parameter));
  ChildRun& run = **owner;
  bool started = CreateProcessW(nullptr, run.commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                &run.startup, &run.process) != FALSE;
  run.started = started;
  // Our copy of the write end must go, or ReadFile would never report the end of the output.
  run.writeEnd.Reset();
  char chunk[1024];
  DWORD read = 0;
  while (started && ReadFile(run.readEnd.Get(), chunk, sizeof(chunk), &read, nullptr)) run.bytes.append(chunk, read);
  return 0;
}

}  // namespace

BcdEditRunner::BcdEditRunner() {
  DetectWow64();
  EnsureToolDir();
}

int BcdEditRunner::DetectWow64() {
  isWow64 = 0;
  // Looked up by name: Windows 2000 and early XP do not export it.
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto probe = kernel ? reinterpret_cast<IsWow64ProcessFn>(
                            reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")))
                      : nullptr;
  if (probe) {
    BOOL wow64 = FALSE;
    if (probe(GetCurrentProcess(), &wow64)) isWow64 = wow64 ? 1 : 0;
  }
  return isWow64;
}

std::wstring BcdEditRunner::ProgramDir() {
  if (programDir.empty()) {
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring full(path, length < MAX_PATH ? length : 0);
    size_t slash = full.rfind(L'\\');
    if (slash != std::wstring::npos) programDir = full.substr(0, slash + 1);
  }
  return programDir;
}

std::wstring BcdEditRunner::ProgramPath(const std::wstring& relative) { return ProgramDir() + relative; }

void BcdEditRunner::EnsureToolDir() {
  if (toolDir.empty()) toolDir = ProgramPath(isWow64 ? L"bin64\\" : L"bin\\");
}

std::wstring BcdEditRunner::Run(const std::wstring& arguments, int bypassStore) {
  return RunChecked(arguments, bypassStore).text;
}

std::wstring BcdEditRunner::RunIn(const std::wstring& directory, const std::wstring& arguments, int bypassStore) {
  return RunInChecked(directory, arguments, bypassStore).text;
}

std::wstring BcdEditRunner::Execute(const std::wstring& program, const std::wstring& directory,
                                    const std::wstring& arguments, int settle) {
  return ExecuteChecked(program, directory, arguments, settle).text;
}

ToolResult BcdEditRunner::RunChecked(const std::wstring& arguments, int bypassStore) {
  EnsureToolDir();
  return RunInChecked(toolDir, arguments, bypassStore);
}

ToolResult BcdEditRunner::RunInChecked(const std::wstring& directory, const std::wstring& arguments,
                                       int bypassStore) {
  if (RefusedAsNested()) return {kCreateProcessFailedText};
  lastRefusal = Refusal::kNone;
  std::wstring folder = directory;
  if (!FileExists(folder + L"bcdedit.exe")) {
    // A 32-bit copy of the tool in bin\ still serves a WOW64 process.
    if (!isWow64) return {kToolMissingText};
    folder = ProgramPath(L"bin\\");
    if (!FileExists(folder + L"bcdedit.exe")) return {kToolMissingText};
  }
  const bool redirected = bypassStore == 0 && !storeFile.empty();
  if (redirected && StoreFileRefusal(storeFile) != Refusal::kNone) {
    lastRefusal = StoreFileRefusal(storeFile);
    return {kCreateProcessFailedText};
  }
  if (!redirected && !GuardSystemStore(folder, arguments)) return {kCreateProcessFailedText};
  std::wstring command = redirected ? WithStoreClause(storeFile, arguments) : arguments;
  ToolResult result = ExecuteAs(ActivityText(L"bcdedit.exe", arguments), L"bcdedit.exe", folder, command, 1);
  if (!redirected) NoteSystemStoreRun(arguments, result);
  return result;
}

ToolResult BcdEditRunner::ExecuteChecked(const std::wstring& program, const std::wstring& directory,
                                         const std::wstring& arguments, int settle) {
  return ExecuteAs(ActivityText(program, arguments), program, directory, arguments, settle);
}

ToolResult BcdEditRunner::ExecuteAs(const std::wstring& activity, const std::wstring& program,
                                    const std::wstring& directory, const std::wstring& arguments, int settle) {
  if (RefusedAsNested()) return {kCreateProcessFailedText};
  lastRefusal = Refusal::kNone;
  auto child = std::make_shared<ChildRun>();
  SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, TRUE};
  if (!CreatePipe(child->readEnd.Receive(), child->writeEnd.Receive(), &security, 0)) return {kCreatePipeFailedText};
  // Only the write end goes to the child: a child (or anything it starts) has no use for the read end.
  SetHandleInformation(child->readEnd.Get(), HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW& startup = child->startup;
  startup.cb = sizeof(startup);
  GetStartupInfoW(&startup);
  // No input: a tool that asks a question gets end-of-file instead of waiting for an answer.
  startup.hStdInput = nullptr;
  startup.hStdOutput = child->writeEnd.Get();
  startup.hStdError = child->writeEnd.Get();
  startup.wShowWindow = SW_HIDE;
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;

  std::wstring line = ToolCommandLine(directory, program, arguments);
  if (!FitsCommandLine(line)) {
    lastRefusal = Refusal::kCommandTooLong;
    return {kCreateProcessFailedText};
  }
  // CreateProcessW may write into the command line, so it gets a buffer of its own.
  child->commandLine.assign(kCommandLineLimit, L'\0');
  line.copy(child->commandLine.data(), line.size());

  RunUnderWay running;
  ToolWait wait(activity, onActivity);
  // This thread keeps the window answering meanwhile; should no thread start, it all happens here,
  // as blocking as that is.
  auto* handOver = new std::shared_ptr<ChildRun>(child);
  win::UniqueHandle worker(CreateThread(nullptr, 0, &StartAndRead, handOver, 0, nullptr));
  bool hung = false;
  if (worker) {
    if (!wait.Until(worker.Get(), runLimitMilliseconds)) {
      // Hung: ended, so that its output closes and the reading thread finishes. A thread still
      // reading after that (something the tool started holds the output) is left to itself.
      hung = true;
      if (child->started) TerminateProcess(child->process.hProcess, kHungExitCode);
      if (!wait.Until(worker.Get(), exitWaitMilliseconds)) return {GetText(IDS_TOOL_HUNG), true, kHungExitCode};
    }
  } else {
    StartAndRead(handOver);
  }
  if (!child->started) return {kCreateProcessFailedText};
  win::UniqueHandle processHandle(child->process.hProcess);
  win::UniqueHandle threadHandle(child->process.hThread);
  std::string& bytes = child->bytes;
  size_t nul = bytes.find('\0');
  if (nul != std::string::npos) bytes.resize(nul);

  ToolResult result;
  result.started = true;
  if (hung) {
    result.exitCode = kHungExitCode;
    result.text = base::Widen(bytes, outputCodePage);
    result.text += (result.text.empty() ? L"" : L"\r\n") + GetText(IDS_TOOL_HUNG);
    return result;
  }
  // The pipe closes when the child ends, so this wait is short; it is bounded all the same, for a
  // child that closed its output and lives on (its code then stays STILL_ACTIVE: no success).
  wait.Until(processHandle.Get(), exitWaitMilliseconds);
  if (!GetExitCodeProcess(processHandle.Get(), &result.exitCode)) result.exitCode = STILL_ACTIVE;

  if (settle != 0 && settleMilliseconds) wait.Until(nullptr, settleMilliseconds);
  // The bytes are gathered first and converted once, so a double-byte character that straddles
  // two reads is not split.
  result.text = base::Widen(bytes, outputCodePage);
  return result;
}

int BcdEditRunner::NestedRunsRefused() { return nestedRunsRefused; }

BcdEditRunner& Runner() {
  static BcdEditRunner runner;
  return runner;
}

std::wstring ActivityText(const std::wstring& program, const std::wstring& arguments) {
  if (base::EqualsNoCase(program, L"bootsect.exe")) return GetText(IDS_BUSY_BOOT_CODE);
  if (!base::EqualsNoCase(program, L"bcdedit.exe")) return base::Format(GetText(IDS_BUSY_RUNNING), program);
  switch (KindOfCommand(arguments)) {
    case CommandKind::kListing: return GetText(IDS_BUSY_READING);
    case CommandKind::kExport: return GetText(IDS_BUSY_SAVING);
    case CommandKind::kImport: return GetText(IDS_BUSY_RESTORING);
    default: return GetText(IDS_BUSY_CHANGING);
  }
}

unsigned ToolOutputCodePage() {
  unsigned console = GetConsoleOutputCP();
  return console != 0 ? console : GetOEMCP();
}

std::wstring AsToolPrints(const std::wstring& text) {
  const unsigned codePage = Runner().outputCodePage;
  return base::Widen(base::Narrow(text, codePage), codePage);
}

Refusal StoredTextRefusal(const std::wstring& text) {
  if (base::HasControlCharacter(text) || AsToolPrints(text) != text) return Refusal::kUnprintable;
  return Refusal::kNone;
}

std::wstring ShownToolText(const std::wstring& text) {
  if (text.size() <= kShownToolTextLimit) return text;
  size_t cut = kShownToolTextLimit;
  if (IS_HIGH_SURROGATE(text[cut - 1])) --cut;
  return text.substr(0, cut) + L"\r\n...";
}

std::wstring ResultText(const ToolResult& result, const std::wstring& tool) {
  if (!result.started && Runner().lastRefusal == Refusal::kCommandTooLong)
    return base::Format(GetText(IDS_COMMAND_TOO_LONG), static_cast<int>(kCommandLineLimit));
  if (base::TrimText(result.text).empty()) {
    if (result.Succeeded()) return GetText(IDS_OPERATION_DONE);
    if (result.started) return base::Format(GetText(IDS_TOOL_GAVE_NO_REASON), tool, static_cast<int>(result.exitCode));
  }
  return ShownToolText(result.text);
}

std::wstring UnprintableFieldText(const std::wstring& field) {
  return base::Format(GetText(IDS_FIELD_UNPRINTABLE), field, Runner().outputCodePage);
}

std::wstring UnprintableNameText(const std::wstring& name) {
  return base::Format(GetText(IDS_NAME_UNPRINTABLE), name, Runner().outputCodePage);
}
