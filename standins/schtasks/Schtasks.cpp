// The schtasks.exe stand-in.
#include "schtasks/Schtasks.h"

#include <windows.h>

#include <regex>

#include "common/StandinState.h"
#include "common/Text.h"

namespace standin {

namespace {

constexpr wchar_t kStateName[] = L"schtasks";
constexpr wchar_t kNotFound[] = L"ERROR: The system cannot find the file specified.";
constexpr wchar_t kMalformed[] = L"ERROR: The task XML is malformed.";
constexpr wchar_t kMissingElement[] = L"ERROR: The task XML is missing a required element or attribute.";
constexpr wchar_t kBadValue[] = L"ERROR: The task XML contains a value which is incorrectly formatted or out of range.";
// An XML duration as the scheduler takes it: PT30S, P1DT2H, PT0S (no limit); not a bare P or PT.
constexpr wchar_t kDuration[] = L"P(?=\\d|T\\d)(\\d+D)?(T(?=\\d)(\\d+H)?(\\d+M)?(\\d+S)?)?";

// Values the scheduler refuses to register; each occurrence of the element is checked.
struct ValueRule {
  const wchar_t* element;
  const wchar_t* pattern;
};
const ValueRule kValueRules[] = {
    {L"RunLevel", L"LeastPrivilege|HighestAvailable"},
    {L"LogonType", L"InteractiveToken|S4U|Password|InteractiveTokenOrPassword|Group|ServiceAccount|None"},
    {L"MultipleInstancesPolicy", L"Parallel|Queue|IgnoreNew|StopExisting"},
    {L"Priority", L"[0-9]|10"},
    {L"Delay", kDuration},
    {L"ExecutionTimeLimit", kDuration},
    {L"Enabled", L"true|false"},
    {L"DisallowStartIfOnBatteries", L"true|false"},
    {L"StopIfGoingOnBatteries", L"true|false"},
};

struct Request {
  std::wstring verb;
  std::wstring name;
  std::wstring xmlFile;
  bool nameGiven = false;
  bool xmlGiven = false;
  bool force = false;
};

int Refuse(Console& console, const std::wstring& problem, const std::wstring& verb) {
  console.Line(L"ERROR: " + problem);
  console.Line(L"Type \"SCHTASKS" + (verb.empty() ? L"" : L" /" + Upper(verb)) + L" /?\" for usage.");
  return 1;
}

// "\Tavro Vexa" and "Tavro Vexa" both name a task of the root folder.
std::wstring TaskKey(const std::wstring& name) { return name.size() > 1 && name[0] == L'\\' ? name.substr(1) : name; }

// The answer to a question the real tool asks on the console: only a line starting with Y agrees;
// no input at all (the caller gave none) is a no.
bool AnswerIsYes(Console& console) {
  console.Flush();
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  char answer = 0;
  DWORD read = 0;
  return input && input != INVALID_HANDLE_VALUE && ReadFile(input, &answer, 1, &read, nullptr) && read == 1 &&
         (answer == 'y' || answer == 'Y');
}

// The content of each element called name (attributes allowed in its start tag), in order.
std::vector<std::wstring> Elements(const std::wstring& xml, const std::wstring& name) {
  std::vector<std::wstring> found;
  const std::wstring open = L"<" + name, close = L"</" + name + L">";
  for (size_t at = xml.find(open); at != std::wstring::npos; at = xml.find(open, at + 1)) {
    const size_t after = at + open.size();
    if (after >= xml.size() || (xml[after] != L'>' && xml[after] != L' ' && xml[after] != L'/')) continue;
    const size_t start = xml.find(L'>', after);
    if (start == std::wstring::npos) break;
    if (xml[start - 1] == L'/') {
      found.emplace_back();
      continue;
    }
    const size_t end = xml.find(close, start);
    if (end == std::wstring::npos) break;
    found.push_back(xml.substr(start + 1, end - start - 1));
  }
  return found;
}

std::wstring FirstElement(const std::wstring& xml, const std::wstring& name) {
  std::vector<std::wstring> found = Elements(xml, name);
  return found.empty() ? std::wstring() : found[0];
}

// Tags nest, one root, and every "&" starts a reference: what any XML parser demands first.
bool WellFormed(const std::wstring& xml, std::wstring& root) {
  static const std::wregex kReference(L"&(amp|lt|gt|quot|apos|#[0-9]+|#x[0-9a-fA-F]+);");
  for (size_t at = xml.find(L'&'); at != std::wstring::npos; at = xml.find(L'&', at + 1)) {
    const size_t end = xml.find(L';', at);
    if (end == std::wstring::npos || !std::regex_match(xml.substr(at, end - at + 1), kReference)) return false;
  }
  std::vector<std::wstring> open;
  int roots = 0;
  for (size_t at = xml.find(L'<'); at != std::wstring::npos; at = xml.find(L'<', at)) {
    const wchar_t* closer = xml.compare(at, 4, L"<!--") == 0 ? L"-->" : xml.compare(at, 2, L"<?") == 0 ? L"?>" : L">";
    const size_t end = xml.find(closer, at);
    if (end == std::wstring::npos) return false;
    const std::wstring tag = xml.substr(at + 1, end - at - 1);
    at = end + wcslen(closer);
    if (closer[0] != L'>') continue;
    if (!tag.empty() && tag[0] == L'/') {
      if (open.empty() || open.back() != Trim(tag.substr(1))) return false;
      open.pop_back();
      continue;
    }
    const std::wstring name = tag.substr(0, tag.find_first_of(L" \t\r\n/"));
    if (name.empty()) return false;
    if (open.empty() && ++roots == 1) root = name;
    if (tag.back() != L'/') open.push_back(name);
  }
  return open.empty() && roots == 1;
}

// The file as text: UTF-16 after its byte-order mark, else UTF-8. utf16 says which it was.
bool ReadDefinition(const std::wstring& path, std::wstring& text, bool& utf16) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  utf16 = bytes.size() >= 2 && bytes.compare(0, 2, "\xFF\xFE") == 0;
  if (utf16) {
    text.assign(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / sizeof(wchar_t));
  } else {
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    text = Widen(bytes, CP_UTF8);
  }
  return true;
}

int Create(const Request& request, Console& console) {
  if (!request.nameGiven) return Refuse(console, L"Invalid syntax. Mandatory option '/tn' is missing.", L"create");
  // The schedule-type form (/sc, /tr, ...) is not known here: only a definition file registers.
  if (!request.xmlGiven) return Refuse(console, L"Invalid syntax. Mandatory option '/sc' is missing.", L"create");
  std::wstring xml;
  bool utf16 = false;
  if (!ReadDefinition(request.xmlFile, xml, utf16)) {
    console.Line(kNotFound);
    return 1;
  }
  // The declaration must name the encoding the file is in, as for any XML parser.
  static const std::wregex kDeclared(L"<\\?xml[^>]*encoding=\"([^\"]*)\"");
  std::wsmatch declared;
  const bool mismatch = std::regex_search(xml, declared, kDeclared) && EqualsNoCase(declared[1].str(), L"UTF-16") != utf16;
  std::wstring error = mismatch ? kMalformed : TaskXmlError(xml);
  if (!error.empty()) {
    console.Line(error);
    return 1;
  }
  const std::wstring key = TaskKey(request.name);
  if (!ReadState(kStateName, key).empty() && !request.force) {
    console.Text(L"WARNING: The task name \"" + request.name + L"\" already exists. Do you want to replace it (Y/N)? ");
    if (!AnswerIsYes(console)) return 1;
    console.Line();
  }
  if (!RecordState(kStateName, key, xml)) {
    console.Line(L"ERROR: Access is denied.");
    return 1;
  }
  console.Line(L"SUCCESS: The scheduled task \"" + request.name + L"\" has successfully been created.");
  return 0;
}

int Delete(const Request& request, Console& console) {
  if (!request.nameGiven) return Refuse(console, L"Invalid syntax. Mandatory option '/tn' is missing.", L"delete");
  const std::wstring key = TaskKey(request.name);
  if (ReadState(kStateName, key).empty()) {
    console.Line(kNotFound);
    return 1;
  }
  if (!request.force) {
    console.Text(L"WARNING: Are you sure you want to remove the task \"" + request.name + L"\" (Y/N)? ");
    if (!AnswerIsYes(console)) return 1;
    console.Line();
  }
  if (!RemoveState(kStateName, key)) {
    console.Line(L"ERROR: Access is denied.");
    return 1;
  }
  console.Line(L"SUCCESS: The scheduled task \"" + request.name + L"\" was successfully deleted.");
  return 0;
}

std::wstring Column(const std::wstring& text, size_t width) {
  return text.size() < width ? text + std::wstring(width - text.size(), L' ') : text;
}

int Query(const Request& request, Console& console) {
  std::vector<std::wstring> names = StateNames(kStateName);
  if (request.nameGiven) {
    if (ReadState(kStateName, TaskKey(request.name)).empty()) {
      console.Line(kNotFound);
      return 1;
    }
    names.assign(1, TaskKey(request.name));
  }
  if (names.empty()) {
    console.Line(L"INFO: There are no scheduled tasks presently available at your access level.");
    return 0;
  }
  console.Line();
  console.Line(L"Folder: \\");
  console.Line(Column(L"TaskName", 40) + L" " + Column(L"Next Run Time", 22) + L" " + Column(L"Status", 15));
  console.Line(std::wstring(40, L'=') + L" " + std::wstring(22, L'=') + L" " + std::wstring(15, L'='));
  for (const std::wstring& name : names) {
    const std::wstring settings = FirstElement(ReadState(kStateName, name), L"Settings");
    const bool disabled = Trim(FirstElement(settings, L"Enabled")) == L"false";
    // A logon trigger has no time of its own to show.
    console.Line(Column(name, 40) + L" " + Column(L"N/A", 22) + L" " + Column(disabled ? L"Disabled" : L"Ready", 15));
  }
  return 0;
}

}  // namespace

std::wstring TaskXmlError(const std::wstring& xml) {
  std::wstring root;
  if (!WellFormed(xml, root)) return kMalformed;
  if (root != L"Task" || Trim(FirstElement(FirstElement(FirstElement(xml, L"Actions"), L"Exec"), L"Command")).empty())
    return kMissingElement;
  for (const ValueRule& rule : kValueRules) {
    const std::wregex allowed(rule.pattern);
    for (const std::wstring& value : Elements(xml, rule.element))
      if (!std::regex_match(Trim(value), allowed)) return kBadValue;
  }
  return {};
}

int RunSchtasks(const std::vector<std::wstring>& args, Console& console) {
  if (args.empty() || args[0].size() < 2 || (args[0][0] != L'/' && args[0][0] != L'-'))
    return Refuse(console, L"Invalid syntax.", L"");
  Request request;
  request.verb = Lower(args[0].substr(1));
  if (request.verb != L"create" && request.verb != L"delete" && request.verb != L"query")
    return Refuse(console, L"Invalid argument/option - '" + args[0] + L"'.", L"");
  for (size_t i = 1; i < args.size(); ++i) {
    const std::wstring option = args[i].size() > 1 && (args[i][0] == L'/' || args[i][0] == L'-')
                                    ? Lower(args[i].substr(1)) : std::wstring();
    const bool valued = option == L"tn" || (option == L"xml" && request.verb == L"create");
    if (valued) {
      if (i + 1 >= args.size()) return Refuse(console, L"Invalid syntax. Value expected for '" + args[i] + L"'.", request.verb);
      (option == L"tn" ? request.name : request.xmlFile) = args[++i];
      (option == L"tn" ? request.nameGiven : request.xmlGiven) = true;
    } else if (option == L"f" && request.verb != L"query") {
      request.force = true;
    } else {
      return Refuse(console, L"Invalid argument/option - '" + args[i] + L"'.", request.verb);
    }
  }
  if (request.verb == L"create") return Create(request, console);
  if (request.verb == L"delete") return Delete(request, console);
  return Query(request, console);
}

}  // namespace standin
