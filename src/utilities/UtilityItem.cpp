// Section names, working folders and profile values of utilities.
#include "utilities/UtilityItem.h"

#include "base/Strings.h"

std::wstring CommandFileName(const std::wstring& cmd) {
  size_t slash = cmd.rfind(L'\\');
  return slash == std::wstring::npos ? cmd : cmd.substr(slash + 1);
}

std::wstring SectionKeyFor(const std::wstring& cmd) {
  std::wstring key = CommandFileName(cmd);
  for (wchar_t& c : key) {
    if (c == L'.') c = L'_';
    // Only a to z: the section name must not depend on the machine's locale.
    else if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return key;
}

std::wstring WorkingFolderOf(const std::wstring& cmd) {
  size_t slash = cmd.rfind(L'\\');
  return slash == std::wstring::npos ? std::wstring() : cmd.substr(0, slash + 1);
}

std::wstring ProfileValue(const std::wstring& text) {
  std::wstring flat;
  flat.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' || text[i] == L'\n') {
      flat += L' ';
      if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    } else {
      flat += text[i];
    }
  }
  return base::TrimText(flat);
}
