// The text format of store files.
#include "common/FileStore.h"

#include <windows.h>

#include <sstream>

#include "common/BcdIds.h"
#include "common/Text.h"

namespace standin {

namespace {

std::string Escape(const std::wstring& text) {
  std::string out;
  for (char c : Narrow(text, CP_UTF8)) {
    if (c == '%') out += "%25";
    else if (c == '\r') out += "%0D";
    else if (c == '\n') out += "%0A";
    else out += c;
  }
  return out;
}

std::wstring Unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      std::string hex = text.substr(i + 1, 2);
      if (hex == "25") { out += '%'; i += 2; continue; }
      if (hex == "0D") { out += '\r'; i += 2; continue; }
      if (hex == "0A") { out += '\n'; i += 2; continue; }
    }
    out += text[i];
  }
  return Widen(out, CP_UTF8);
}

std::string ValueText(const Element& element) {
  switch (element.Format()) {
    case ElementFormat::ObjectList: {
      std::string out;
      for (const auto& guid : element.objects) {
        if (!out.empty()) out += ' ';
        out += Narrow(guid, CP_UTF8);
      }
      return out;
    }
    case ElementFormat::Boolean:
      return !element.integers.empty() && element.integers[0] ? "Yes" : "No";
    case ElementFormat::Integer:
    case ElementFormat::IntegerList: {
      std::string out;
      for (auto value : element.integers) {
        if (!out.empty()) out += ' ';
        out += std::to_string(value);
      }
      return out;
    }
    default:
      return Escape(element.text);
  }
}

bool ParseElement(const std::string& line, Element& element) {
  if (line.size() < 8) return false;
  std::uint64_t number = 0;
  if (!ParseNumber(L"0x" + Widen(line.substr(0, 8), CP_UTF8), number)) return false;
  size_t equals = line.find('=');
  if (equals == std::string::npos) return false;
  std::string value = line.substr(equals + 1);
  element.number = static_cast<std::uint32_t>(number);
  std::wstring wide = Widen(value, CP_UTF8);
  std::wistringstream words(wide);
  std::wstring word;
  switch (element.Format()) {
    case ElementFormat::ObjectList:
      while (words >> word) {
        std::wstring guid = NormalizeGuid(word);
        if (guid.empty()) return false;
        element.objects.push_back(guid);
      }
      return true;
    case ElementFormat::Boolean: {
      auto flag = ParseBoolean(Trim(wide));
      if (!flag) return false;
      element.integers = {*flag ? 1u : 0u};
      return true;
    }
    case ElementFormat::Integer:
    case ElementFormat::IntegerList:
      while (words >> word) {
        std::uint64_t n = 0;
        if (!ParseNumber(word, n)) return false;
        element.integers.push_back(n);
      }
      return element.Format() == ElementFormat::IntegerList || element.integers.size() == 1;
    case ElementFormat::Object:
      element.text = NormalizeGuid(Trim(wide));
      return !element.text.empty();
    default:
      element.text = Unescape(value);
      return true;
  }
}

}  // namespace

std::string SerializeStore(const BcdStore& store) {
  std::string out = std::string(kFileSignature) + "\r\n";
  if (!store.current.empty()) out += "current=" + Narrow(store.current, CP_UTF8) + "\r\n";
  for (const BcdObject* object : store.Ordered()) {
    out += "\r\n[" + Narrow(object->guid, CP_UTF8) + "]\r\n";
    out += "type=" + Narrow(Hex8(object->type), CP_UTF8) + "\r\n";
    for (const auto& [number, element] : object->elements)
      out += Narrow(Hex8(number) + L" " + ElementName(number, object->type), CP_UTF8) + "=" +
             ValueText(element) + "\r\n";
  }
  return out;
}

bool ParseStore(const std::string& text, BcdStore& store) {
  std::istringstream lines(text);
  std::string line;
  if (!std::getline(lines, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.size() >= 3 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
  if (line != kFileSignature) return false;
  store = BcdStore();
  BcdObject* object = nullptr;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      std::wstring guid = NormalizeGuid(Widen(line.substr(1, line.find(']') - 1), CP_UTF8));
      if (guid.empty() || line.back() != ']') return false;
      object = &store.Add(guid, 0);
      continue;
    }
    if (!object) {
      if (line.compare(0, 8, "current=") != 0) return false;
      store.current = NormalizeGuid(Widen(line.substr(8), CP_UTF8));
      continue;
    }
    if (line.compare(0, 5, "type=") == 0) {
      std::uint64_t type = 0;
      if (!ParseNumber(L"0x" + Widen(line.substr(5), CP_UTF8), type)) return false;
      object->type = static_cast<std::uint32_t>(type);
      continue;
    }
    Element element;
    if (!ParseElement(line, element)) return false;
    object->elements[element.number] = element;
  }
  return true;
}

FileResult LoadStoreFile(const std::wstring& path, BcdStore& store, unsigned long& error) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileResult::Missing : FileResult::Failed;
  }
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  if (!ParseStore(bytes, store)) {
    error = ERROR_FILE_CORRUPT;
    return FileResult::NotAStore;
  }
  return FileResult::Ok;
}

bool SaveStoreFile(const std::wstring& path, const BcdStore& store, bool failIfExists, unsigned long& error) {
  std::string bytes = SerializeStore(store);
  // OPEN_ALWAYS rather than CREATE_ALWAYS: a store file is often hidden and system (as \Boot\BCD is),
  // and CREATE_ALWAYS refuses to replace such a file.
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, failIfExists ? CREATE_NEW : OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = GetLastError();
    return false;
  }
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size() && SetEndOfFile(file);
  if (!ok) error = GetLastError();
  CloseHandle(file);
  return ok;
}

}  // namespace standin
