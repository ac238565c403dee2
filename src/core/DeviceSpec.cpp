// Parsing and composing device element texts.
#include "core/DeviceSpec.h"

#include "core/Format.h"
#include "core/Strings.h"
#include "core/BootEntry.h"

namespace {

constexpr core::StringView kPartitionPrefix = T16("partition=");
constexpr core::StringView kRamdiskPrefix = T16("ramdisk=[");
constexpr core::StringView kVhdPrefix = T16("vhd=[");

// "[volume]path[,options]" after the prefix, split at the first "]" and the first "," after it, as the
// tool splits them. False when the closing bracket or the volume is missing.
bool SplitBracketed(core::StringView rest, DeviceSpec* spec) {
  size_t close = rest.find(T16(']'));
  // Without a volume the record could not be built back: BuildDevice gives nothing for it.
  if (close == core::StringView::npos || close == 0) return false;
  spec->volume = rest.substr(0, close);
  core::StringView tail = rest.substr(close + 1);
  size_t comma = tail.find(T16(','));
  if (comma == core::StringView::npos) {
    spec->path = tail;
  } else {
    spec->path = tail.substr(0, comma);
    spec->options = tail.substr(comma + 1);
  }
  return true;
}

}  // namespace

void ParseDevice(const core::String& text, DeviceSpec* spec) {
  if (text.empty() || !spec) return;
  spec->Reset();
  core::StringView view = text;
  if (core::EqualsNoCase(view, T16("boot")) || core::EqualsNoCase(view, T16("unknown"))) {
    spec->volume = text;
    return;
  }
  if (core::StartsWithNoCase(view, kPartitionPrefix) && view.size() > kPartitionPrefix.size()) {
    spec->volume = view.substr(kPartitionPrefix.size());
    return;
  }
  // A bracket that is never closed, or a prefix without a volume, is not a device we can split:
  // keep the whole text so that it goes back to the tool exactly as it came.
  if (core::StartsWithNoCase(view, kRamdiskPrefix) && SplitBracketed(view.substr(kRamdiskPrefix.size()), spec)) {
    spec->kind = DeviceSpec::kRamdisk;
    if (core::EqualsNoCase(spec->options, kRamdiskOptionsGuid)) spec->options = kRamdiskOptionsAlias;
    return;
  }
  spec->Reset();
  if (core::StartsWithNoCase(view, kVhdPrefix) && SplitBracketed(view.substr(kVhdPrefix.size()), spec)) {
    spec->kind = DeviceSpec::kVirtualDisk;
    if (core::EqualsNoCase(spec->volume, T16("locate"))) spec->volume = T16("boot");
    return;
  }
  spec->Reset();
  spec->kind = DeviceSpec::kOther;
  spec->volume = text;
}

core::String BuildDevice(const DeviceSpec* spec) {
  if (!spec || spec->volume.empty()) return {};
  switch (spec->kind) {
    case DeviceSpec::kPartition:
      if (core::EqualsNoCase(spec->volume, T16("boot")) || core::EqualsNoCase(spec->volume, T16("unknown"))) return spec->volume;
      return core::Format(T16("%s%s"), kPartitionPrefix, spec->volume);
    case DeviceSpec::kRamdisk: {
      core::String options = spec->options.empty() ? core::String(kRamdiskOptionsAlias) : spec->options;
      return core::Format(T16("%s%s]%s,%s"), kRamdiskPrefix, spec->volume, spec->path, options);
    }
    case DeviceSpec::kVirtualDisk: {
      // Exactly "boot", as the parse gives it for "locate": any other spelling is a volume of its
      // own and must read back as it stands.
      core::String volume = spec->volume == T16("boot") ? core::String(T16("locate")) : spec->volume;
      core::String options = spec->options.empty() ? core::String() : core::Format(T16(",%s"), spec->options);
      return core::Format(T16("%s%s]%s%s"), kVhdPrefix, volume, spec->path, options);
    }
    default:
      return spec->volume;
  }
}

bool DeviceTextIsSafe(core::StringView text) {
  for (core::Char c : text) {
    if (c == T16('"') || c < T16(' ')) return false;
  }
  // Inside quotes a final backslash escapes the closing quote.
  return text.empty() || text.back() != T16('\\');
}

bool DeviceSpecIsSafe(const DeviceSpec& spec) { return DeviceTextIsSafe(BuildDevice(&spec)); }
