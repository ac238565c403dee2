// Runs bcdedit.exe (and the other system tools) as a hidden child with captured output.
#pragma once
#include <windows.h>

#include <string>

#include "core/StoreCommands.h"
#include "store/RunChanges.h"
#include "store/ToolWait.h"

// Texts Execute returns for its own failures (besides "-1" for a missing tool).
inline constexpr wchar_t kToolMissingText[] = L"-1";
inline constexpr wchar_t kCreatePipeFailedText[] = L"CreatePipe Failed!";
inline constexpr wchar_t kCreateProcessFailedText[] = L"CreateProcess Failed!";

// A run with its outcome. The tools' texts are translated on a localised Windows, so only the exit
// code says reliably whether a command worked.
struct ToolResult {
  std::wstring text;        // what the child printed, or one of the runner's own failure texts
  bool started = false;     // false: text is "-1", "CreatePipe Failed!" or "CreateProcess Failed!"
  DWORD exitCode = 0;       // the child's exit code once it has ended (STILL_ACTIVE if it never did)
  bool Succeeded() const { return started && exitCode == 0; }
};

unsigned ToolOutputCodePage();

class BcdEditRunner {
 public:
  // Detects WOW64 and sets the tool folder from the program folder.
  BcdEditRunner();
  virtual ~BcdEditRunner() = default;

  std::wstring toolDir;     // folder bcdedit.exe is started from, with trailing backslash
  std::wstring storeFile;   // another store file in use; empty = the system store
  int isWow64 = 0;
  std::wstring programDir;  // the program's folder with trailing backslash; filled on first use
  // Code page the tools write their redirected output in: their console's output code page.
  unsigned outputCodePage = ToolOutputCodePage();
  // Set by the runs and the element operations: why the last command was not issued.
  Refusal lastRefusal = Refusal::kNone;
  // The safety net and the changes made to the system store in this run (SafetyNet.cpp).
  RunChanges changes;
  // Told what a long run does, for the main window's status line; the store layer shows nothing.
  ActivityHook onActivity;
  // How long a child that closed its output is given to end; one that lives on has not succeeded.
  DWORD exitWaitMilliseconds = 10000;
  // A tool still running after this long has hung: it is ended and its run fails with
  // kHungExitCode and a text that says so. The window answers all the while.
  DWORD runLimitMilliseconds = 5 * 60 * 1000;
  static constexpr DWORD kHungExitCode = WAIT_TIMEOUT;
  // The pause after a run that asks for one, for the store the real tool wrote to settle.
  DWORD settleMilliseconds = 100;

  // Runs asked for while another was under way (a message handled during the wait started one):
  // each was refused without starting. Stays 0 while the wait lets no action through.
  static int NestedRunsRefused();

  int DetectWow64();
  std::wstring ProgramDir();
  std::wstring ProgramPath(const std::wstring& relative);
  void EnsureToolDir();

  // Every bcdedit command and listing goes through here; bypassStore = 1 only for /export and /import.
  std::wstring Run(const std::wstring& arguments, int bypassStore = 0);
  std::wstring RunIn(const std::wstring& directory, const std::wstring& arguments, int bypassStore);
  // Starts directory + program with arguments, hidden, and returns what it printed; or "-1",
  // "CreatePipe Failed!", "CreateProcess Failed!" (also for a command line too long to start).
  std::wstring Execute(const std::wstring& program, const std::wstring& directory, const std::wstring& arguments,
                       int settle);
  // The same runs, with the child's exit code beside the text. The tool's messages come in the
  // machine's language, its exit code does not: a caller that must know whether a change arrived
  // asks the result, without reading the store back.
  ToolResult RunChecked(const std::wstring& arguments, int bypassStore = 0);
  ToolResult RunInChecked(const std::wstring& directory, const std::wstring& arguments, int bypassStore);
  ToolResult ExecuteChecked(const std::wstring& program, const std::wstring& directory,
                            const std::wstring& arguments, int settle);

  // Element operations: the run, started when the command was issued, not started when refused
  // (see lastRefusal) or when the tool could not be started.
  ToolResult SetElement(const std::wstring& identifier, const std::wstring& name, const std::wstring& value);
  ToolResult DeleteElement(const std::wstring& identifier, const std::wstring& name);
  // Creates an object of the given application type; returns the identifier cut out of the
  // tool's answer, or its whole answer when it holds no "}".
  std::wstring CreateEntry(const std::wstring& applicationType, const std::wstring& description);

 private:
  // Before a command on the system store: when it is a change, the safety net's copy, made once a
  // run with the tool in directory. False (the user told, lastRefusal set) when it could not be made.
  bool GuardSystemStore(const std::wstring& directory, const std::wstring& arguments);
  // After a command on the system store: a change the tool carried out joins changes.done.
  void NoteSystemStoreRun(const std::wstring& arguments, const ToolResult& result);
  // ExecuteChecked, naming the run activity while it lasts long.
  ToolResult ExecuteAs(const std::wstring& activity, const std::wstring& program, const std::wstring& directory,
                       const std::wstring& arguments, int settle);
};

// The process's one runner.
BcdEditRunner& Runner();

// What a run of program with arguments is shown as doing while it lasts: for bcdedit the kind of
// its command (arguments without a /store clause of ours), else the program's name.
std::wstring ActivityText(const std::wstring& program, const std::wstring& arguments);

// The code page a console tool we start writes to our pipe in: the output code page of the console
// it shares with us, or, as we normally have none, of the console Windows makes for it, which
// starts in the OEM code page (437, 850, 866...), not the ANSI one.
unsigned ToolOutputCodePage();

// text as the tool lists it back: each character the tool's output code page lacks comes back as
// a stand-in ("?" or a look-alike). A value read back equals this, not text.
std::wstring AsToolPrints(const std::wstring& text);
// Why text cannot be stored through the tool: kUnprintable when it holds a control character or a
// character the tool could not print back, kNone when it can. Checked before anything is sent, as
// the tool itself would take such a text and the program could never read it back.
Refusal StoredTextRefusal(const std::wstring& text);

// The most of a tool's text a message box is given: a screenful, not the megabytes a broken tool
// may print.
inline constexpr size_t kShownToolTextLimit = 1000;
// A tool's text as the user is shown it: cut after kShownToolTextLimit units (never inside a
// surrogate pair), with "..." on a line of its own to say so.
std::wstring ShownToolText(const std::wstring& text);
// What the user is told of a run: the tool's own words, shortened as above; when the tool said
// nothing, that it succeeded or which code it ended with; when the command was too long to start,
// that nothing ran.
std::wstring ResultText(const ToolResult& result, const std::wstring& tool);

// What the user is told of a field, or of a name, that StoredTextRefusal refused.
std::wstring UnprintableFieldText(const std::wstring& field);
std::wstring UnprintableNameText(const std::wstring& name);
