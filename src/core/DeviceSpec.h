// A device element text of the tool ("partition=C:", "ramdisk=[C:]\x.wim,{id}", "vhd=[locate]\x.vhd")
// split into its parts for the editing dialogs, and put back together.
#pragma once
#include "core/Portable.h"

struct DeviceSpec {
  enum Kind { kPartition = 0, kRamdisk = 1, kVirtualDisk = 2, kOther = 3 };

  int kind = kPartition;
  core::String volume;   // "C:", "boot", "unknown"; for kOther the whole device text
  core::String path;     // file on the volume (ramdisk and virtual disk)
  core::String options;  // device-options identifier; "{ramdiskoptions}" for the well-known one

  void Reset() { *this = DeviceSpec{}; }
};

// Splits text into spec. An empty text or a null spec leaves everything unchanged.
void ParseDevice(const core::String& text, DeviceSpec* spec);
// The tool's notation of spec; empty for a null spec or an empty volume.
core::String BuildDevice(const DeviceSpec* spec);

// False when the text could not be passed to the tool as one quoted value: it holds a double quote
// (which would end the quotes and add arguments) or a control character, or ends in a backslash.
bool DeviceTextIsSafe(core::StringView text);
// The same check over the text spec builds.
bool DeviceSpecIsSafe(const DeviceSpec& spec);
