// Parsing and composing device element texts.
#include "store/DeviceSpec.h"

#include <windows.h>

#include "base/Format.h"
#include "base/Strings.h"
#include "store/BootEntry.h"

namespace {

constexpr std::wstring_view kPartitionPrefix = L"partition=";
constexpr std::wstring_view kRamdiskPrefix = L"ramdisk=[";
constexpr std::wstring_view kVhdPrefix = L"vhd=[";

// "[volume]path[,options]" after the prefix, split at the first "]" and the first "," after it, as the
// tool splits them. False when the closing bracket is missing.
bool SplitBracketed(std::wstring_view rest, DeviceSpec* spec) {
  size_t close = rest.find(L']');
  if (close == std::wstring_view::npos) return false;
  spec->volume = rest.substr(0, close);
  std::wstring_view tail = rest.substr(close + 1);
  size_t comma = tail.find(L',');
  if (comma == std::wstring_view::npos) {
    spec->path = tail;
  } else {
    spec->path = tail.substr(0, comma);
    spec->options = tail.substr(comma + 1);
  }
  return true;
}

}  // namespace

void ParseDevice(const std::wstring& text, DeviceSpec* spec) {
  if (text.empty() || !spec) return;
  spec->Reset();
  std::wstring_view view = text;
  if (base::EqualsNoCase(view, L"boot") || base::EqualsNoCase(view, L"unknown")) {
    spec->volume = text;
    return;
  }
  if (base::StartsWithNoCase(view, kPartitionPrefix)) {
    spec->volume = view.substr(kPartitionPrefix.size());
    return;
  }
  // A bracket that is never closed is not a device we can split: keep the whole text so that it
  // goes back to the tool exactly as it came.
  if (base::StartsWithNoCase(view, kRamdiskPrefix) && SplitBracketed(view.substr(kRamdiskPrefix.size()), spec)) {
    spec->kind = DeviceSpec::kRamdisk;
    if (base::EqualsNoCase(spec->options, kRamdiskOptionsGuid)) spec->options = kRamdiskOptionsAlias;
    return;
  }
  spec->Reset();
  if (base::StartsWithNoCase(view, kVhdPrefix) && SplitBracketed(view.substr(kVhdPrefix.size()), spec)) {
    spec->kind = DeviceSpec::kVirtualDisk;
    if (base::EqualsNoCase(spec->volume, L"locate")) spec->volume = L"boot";
    return;
  }
  spec->Reset();
  spec->kind = DeviceSpec::kOther;
  spec->volume = text;
}

std::wstring BuildDevice(const DeviceSpec* spec) {
  if (!spec || spec->volume.empty()) return {};
  switch (spec->kind) {
    case DeviceSpec::kPartition:
      if (base::EqualsNoCase(spec->volume, L"boot") || base::EqualsNoCase(spec->volume, L"unknown")) return spec->volume;
      return base::Format(L"%s%s", kPartitionPrefix, spec->volume);
    case DeviceSpec::kRamdisk: {
      std::wstring options = spec->options.empty() ? std::wstring(kRamdiskOptionsAlias) : spec->options;
      return base::Format(L"%s%s]%s,%s", kRamdiskPrefix, spec->volume, spec->path, options);
    }
    case DeviceSpec::kVirtualDisk: {
      std::wstring volume = base::EqualsNoCase(spec->volume, L"boot") ? std::wstring(L"locate") : spec->volume;
      std::wstring options = spec->options.empty() ? std::wstring() : base::Format(L",%s", spec->options);
      return base::Format(L"%s%s]%s%s", kVhdPrefix, volume, spec->path, options);
    }
    default:
      return spec->volume;
  }
}

bool DeviceTextIsSafe(std::wstring_view text) {
  for (wchar_t c : text) {
    if (c == L'"' || c < L' ') return false;
  }
  // Inside quotes a final backslash escapes the closing quote.
  return text.empty() || text.back() != L'\\';
}

bool DeviceSpecIsSafe(const DeviceSpec& spec) { return DeviceTextIsSafe(BuildDevice(&spec)); }
