// The shutdown.exe stand-in.
#include "shutdown/Shutdown.h"

#include <cstdint>

#include "common/StandinState.h"
#include "common/Text.h"

namespace standin {

namespace {

// One action per run; /a (abort) stands alone.
const wchar_t* const kActions[] = {L"s", L"r", L"g", L"sg", L"p", L"h", L"l", L"a"};
const wchar_t* const kModifiers[] = {L"fw", L"f", L"hybrid", L"soft", L"o"};
// Switches followed by a value: the delay in seconds, the reason code, the comment.
const wchar_t* const kValued[] = {L"t", L"d", L"c"};
// The longest delay the real tool accepts: ten years.
constexpr std::uint64_t kMaxDelay = 315360000;

template <size_t N>
bool OneOf(const std::wstring& name, const wchar_t* const (&names)[N]) {
  for (const wchar_t* known : names)
    if (name == known) return true;
  return false;
}

int Usage(Console& console) {
  console.Line(L"Usage: shutdown [/i | /l | /s | /sg | /r | /g | /a | /p | /h | /e | /o] [/hybrid] [/soft] [/fw] [/f]");
  console.Line(L"    [/m \\\\computer][/t xxx][/d [p|u:]xx:yy [/c \"comment\"]]");
  console.Line();
  console.Line(L"This copy is a test stand-in: it records the request and restarts nothing.");
  return 1;
}

}  // namespace

int RunShutdown(const std::vector<std::wstring>& args, Console& console) {
  // The request in one spelling whatever the caller typed: "-R -FW -T 0" is recorded as "/r /fw /t 0".
  std::wstring request;
  std::wstring action;
  bool firmware = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::wstring& arg = args[i];
    if (arg.size() < 2 || (arg[0] != L'/' && arg[0] != L'-')) return Usage(console);
    std::wstring name = Lower(arg.substr(1));
    if (name == L"?") {
      Usage(console);
      return 0;
    }
    std::wstring value;
    if (OneOf(name, kActions)) {
      if (!action.empty()) return Usage(console);
      action = name;
    } else if (OneOf(name, kModifiers)) {
      firmware = firmware || name == L"fw";
    } else if (OneOf(name, kValued)) {
      if (i + 1 >= args.size()) return Usage(console);
      value = args[++i];
      std::uint64_t seconds = 0;
      if (value.empty() || (name == L"t" && (!ParseNumber(value, seconds) || seconds > kMaxDelay)))
        return Usage(console);
    } else {
      // /m (another machine), /i (the dialog), /e and anything unknown: nothing a test needs.
      return Usage(console);
    }
    if (!request.empty()) request += L' ';
    request += L"/" + name;
    if (!value.empty()) request += L" " + value;
  }
  // Firmware set-up on the next start needs a shutdown or restart to follow, and /a takes nothing else.
  bool restarts = action == L"s" || action == L"r" || action == L"g" || action == L"sg";
  if (action.empty() || (firmware && !restarts) || (action == L"a" && args.size() > 1))
    return Usage(console);
  if (!RecordState(L"Shutdown", L"LastRequest", request)) {
    console.Line(L"Access is denied.(5)");
    return 1;
  }
  return 0;
}

}  // namespace standin
