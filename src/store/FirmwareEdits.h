// Changes of the firmware's menu itself: new entries for EFI loaders, names, which entries are on
// its order, deletion and its timeout. Each is one command through the runner, so the safety net
// and the record of changes cover it; a value that could not go to the tool as it stands, and
// every change of a store file (it has no firmware behind it), runs nothing: the result is not
// started.
#pragma once
#include <string>

#include "store/BcdEditRunner.h"

// A new entry starts as a copy of Windows' boot manager (same device, the EFI system partition);
// newIdentifier is the copy's, cut out of the tool's answer, or empty when the answer names none.
ToolResult CopyBootManager(const std::wstring& description, std::wstring& newIdentifier);
// path: an .efi file from the partition's root (IsEfiLoaderPath).
ToolResult SetFirmwareEntryPath(const std::wstring& identifier, const std::wstring& path);
ToolResult RenameFirmwareEntry(const std::wstring& identifier, const std::wstring& description);
ToolResult PutLastOnFirmwareOrder(const std::wstring& identifier);
// Windows' boot manager leaves neither the order nor the store from here: refused, nothing sent.
ToolResult TakeOffFirmwareOrder(const std::wstring& identifier);
ToolResult DeleteFirmwareEntry(const std::wstring& identifier);
ToolResult SetFirmwareTimeout(int seconds);

// Whether the system store holds the firmware's boot manager: read from the store Windows mounts
// in the registry, without a tool run.
bool SystemStoreHasFirmwareBootManager();
// Where the volume of a device text ("partition=\Device\HarddiskVolume1", "partition=S:") is
// reached: its drive ("S:\") or, without one, its volume path ("\\?\Volume{...}\"); empty when
// no volume is that device.
std::wstring VolumeRootOfDevice(const std::wstring& device);
