// Composition of the bcdedit argument texts.
#include "store/StoreCommands.h"

#include "store/BootEntry.h"
#include "base/Format.h"

std::wstring ToolCommandLine(const std::wstring& directory, const std::wstring& program,
                             const std::wstring& arguments) {
  std::wstring path = directory + program;
  // Unquoted, a program folder such as "C:\Program Files\..." would be cut at its first blank.
  if (path.find(L' ') != std::wstring::npos) path = WrapInQuotes(path);
  return base::Format(L"%s %s", path, arguments);
}

std::wstring WithStoreClause(const std::wstring& storeFile, const std::wstring& arguments) {
  return base::Format(L" /store \"%s\" %s", storeFile, arguments);
}

bool HasStrayQuote(const std::wstring& value) {
  size_t first = value.find(L'"');
  if (first == std::wstring::npos) return false;
  size_t last = value.rfind(L'"');
  bool wrapped = first == 0 && last == value.size() - 1 && last > 0;
  return !wrapped || value.find(L'"', 1) != last || EscapesClosingQuote(value.substr(0, last));
}

bool EscapesClosingQuote(const std::wstring& text) { return !text.empty() && text.back() == L'\\'; }

std::wstring WrapInQuotes(const std::wstring& value) { return L"\"" + value + L"\""; }

std::wstring EnumArgs(const std::wstring& identifier) { return L" /enum " + identifier + L" /v"; }

std::wstring QuoteIfBlank(const std::wstring& value) {
  if (!value.empty() && value.front() == L'"') return value;
  return value.find(L' ') != std::wstring::npos ? WrapInQuotes(value) : value;
}

std::wstring SetElementArgs(const std::wstring& identifier, const std::wstring& name, const std::wstring& value) {
  return base::Format(L" /set  %s   %s   %s", identifier, name, value);
}

std::wstring DeleteElementArgs(const std::wstring& identifier, const std::wstring& name) {
  return base::Format(L" /deletevalue  %s   %s", identifier, name);
}

std::wstring CreateEntryArgs(const std::wstring& applicationType, const std::wstring& description) {
  std::wstring type = L"OSLOADER";
  for (const wchar_t* known : {L"BOOTSECTOR", L"OSLOADER", L"RESUME", L"STARTUP"}) {
    if (SameText(applicationType, known)) type = applicationType;
  }
  return base::Format(L" /create /d \"%s\" /application %s", description, type);
}

std::wstring CreatedIdentifier(const std::wstring& output) {
  size_t close = output.rfind(L'}');
  if (close == std::wstring::npos) return output;
  std::wstring upToBrace = output.substr(0, close + 1);
  size_t open = upToBrace.find(L'{');
  return open == std::wstring::npos ? upToBrace : upToBrace.substr(open);
}

std::wstring DefaultArgs(const std::wstring& identifier) { return base::Format(L"%s%s", L" /default ", identifier); }

std::wstring DeleteEntryArgs(const std::wstring& identifier) {
  return base::Format(L"%s%s%s", L" /delete ", identifier, L" /cleanup ");
}

std::wstring AddToListArgs(const std::wstring& identifier) {
  return base::Format(L"%s%s%s", L" /displayorder ", identifier, L" /addlast");
}

std::wstring TimeoutArgs(int seconds) { return base::Format(L"%s%d", L" /timeout ", seconds); }

std::wstring DisplayOrderArgs(const std::vector<std::wstring>& identifiers) {
  std::wstring joined;
  for (const auto& identifier : identifiers) {
    if (!joined.empty()) joined += L' ';
    joined += identifier;
  }
  return base::Format(L"%s%s", L" /displayorder ", joined);
}

std::wstring CopyArgs(const std::wstring& identifier, const std::wstring& description) {
  return base::Format(L"%s%s%s%s%s", L" /copy ", identifier, L" /d \" ", base::Format(L"Copy of %s", description),
                     L" \" ");
}

std::wstring ExportArgs(const std::wstring& path) { return base::Format(L"%s%s%s", L" /export ", L"\"", path) + L"\""; }

std::wstring ImportArgs(const std::wstring& path) {
  return base::Format(L"%s%s%s%s", L" /import ", WrapInQuotes(path), L" ", L"");
}

std::wstring CreateLegacyLoaderArgs(const std::wstring& name) {
  return base::Format(L"%s%s%s", L" /create {ntldr} /d \"", name, L"\"");
}

std::wstring AppendToMenuArgs(const std::wstring& identifier) {
  return base::Format(L" /displayorder %s /addlast", identifier);
}

std::vector<std::wstring> LegacyLoaderSetupArgs() {
  return {
      base::Format(L"%s%s%s", L" /create ", kNtldrAlias, L" /d \"Earlier Windows OS Loader\""),
      base::Format(L"%s%s%s", L" /set ", kNtldrAlias, L" description \"Earlier Windows OS Loader\""),
      base::Format(L"%s%s%s", L" /set ", kNtldrAlias, L" path \\ntldr"),
      base::Format(L"%s%s%s", L" /set ", kNtldrAlias, L" device partition=c:"),
  };
}

std::wstring LegacyLoaderNameArgs(const std::wstring& title) {
  return base::Format(L"%s%s%s%s%s", L" /set ", L"{ntldr} description ", L"\"", title, L"\"");
}
