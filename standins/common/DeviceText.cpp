// Parsing and printing of device element values.
#include "common/DeviceText.h"

#include <cwctype>

#include "common/BcdIds.h"
#include "common/BcdStore.h"
#include "common/Text.h"

namespace standin {

namespace {

// "C:" (any case) becomes "C:"; "boot" and "locate" stay as words; anything else is refused.
std::optional<std::wstring> VolumeText(std::wstring_view volume, bool allowWords) {
  if (volume.size() == 2 && std::iswalpha(volume[0]) && volume[1] == L':')
    return std::wstring(1, static_cast<wchar_t>(std::towupper(volume[0]))) + L":";
  if (allowWords && (EqualsNoCase(volume, L"boot") || EqualsNoCase(volume, L"locate"))) return Lower(volume);
  return std::nullopt;
}

// "[VOLUME]path[,options]" after a keyword.
std::optional<std::wstring> FileDevice(const std::wstring& keyword, std::wstring_view rest, bool optionsRequired,
                                       const BcdStore& store) {
  if (rest.empty() || rest.front() != L'[') return std::nullopt;
  size_t close = rest.find(L']');
  if (close == std::wstring_view::npos) return std::nullopt;
  auto volume = VolumeText(rest.substr(1, close - 1), true);
  if (!volume) return std::nullopt;
  std::wstring_view tail = rest.substr(close + 1);
  size_t comma = tail.find(L',');
  std::wstring_view path = tail.substr(0, comma);
  if (path.empty()) return std::nullopt;
  std::wstring text = keyword + L"=[" + *volume + L"]" + std::wstring(path);
  if (comma == std::wstring_view::npos) {
    if (optionsRequired) return std::nullopt;
    return text;
  }
  auto options = store.Resolve(tail.substr(comma + 1));
  if (!options) return std::nullopt;
  return text + L"," + *options;
}

}  // namespace

std::optional<std::wstring> ParseDeviceText(std::wstring_view text, const BcdStore& store) {
  for (const wchar_t* word : {L"boot", L"unknown", L"locate"})
    if (EqualsNoCase(text, word)) return std::wstring(word);
  if (StartsWithNoCase(text, L"partition=")) {
    std::wstring_view volume = text.substr(10);
    if (auto drive = VolumeText(volume, false)) return L"partition=" + *drive;
    // A kernel device path such as \Device\HarddiskVolume1 names a partition without a letter.
    if (!volume.empty() && volume.front() == L'\\') return L"partition=" + std::wstring(volume);
    return std::nullopt;
  }
  if (StartsWithNoCase(text, L"ramdisk=")) return FileDevice(L"ramdisk", text.substr(8), false, store);
  if (StartsWithNoCase(text, L"vhd=")) return FileDevice(L"vhd", text.substr(4), false, store);
  if (StartsWithNoCase(text, L"file=")) return FileDevice(L"file", text.substr(5), false, store);
  return std::nullopt;
}

std::wstring DisplayDeviceText(const std::wstring& stored, bool verbose) {
  if (verbose) return stored;
  size_t comma = stored.rfind(L',');
  if (comma == std::wstring::npos) return stored;
  if (auto alias = AliasOfGuid(std::wstring_view(stored).substr(comma + 1))) return stored.substr(0, comma + 1) + *alias;
  return stored;
}

}  // namespace standin
