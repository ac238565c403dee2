// Device element texts: a parsed text built back parses to the same spec (a ramdisk's empty
// options are always written out as {ramdiskoptions}), the built text is a fixed point, and a text
// called safe reaches the tool as one argument when quoted.
#include "FuzzSupport.h"
#include "core/BootEntry.h"
#include "core/DeviceSpec.h"

namespace {

bool SameSpec(const DeviceSpec& a, const DeviceSpec& b) {
  auto options = [](const DeviceSpec& spec) {
    return spec.kind == DeviceSpec::kRamdisk && spec.options.empty() ? core::String(kRamdiskOptionsAlias) : spec.options;
  };
  return a.kind == b.kind && a.volume == b.volume && a.path == b.path && options(a) == options(b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const core::String text = fuzz::Text(data, size);
  DeviceSpec spec;
  ParseDevice(text, &spec);
  const core::String built = BuildDevice(&spec);
  if (!text.empty()) fuzz::Require(!built.empty(), "a device text builds back to a text", text);
  DeviceSpec again;
  ParseDevice(built, &again);
  fuzz::Require(SameSpec(spec, again), "a parsed text built back parses to the same spec", text);
  fuzz::Require(BuildDevice(&again) == built, "the built text is a fixed point", built);

  if (DeviceTextIsSafe(built)) {
    const core::String line = T16("bcdedit.exe /set {id} device \"") + built + T16("\"");
    const auto argv = fuzz::SplitCommandLine(line);
    fuzz::Require(argv.size() == 5 && argv[4] == built, "a safe device text is one argument", built);
  }
  return 0;
}
