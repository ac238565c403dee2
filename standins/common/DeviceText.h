// Device element values in bcdedit's notation: boot, unknown, locate, partition=C:,
// ramdisk=[C:]\path,{options}, vhd=[C:]\path[,{options}], file=[C:]\path.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace standin {

struct BcdStore;

// The stored form of a device typed on the command line: keywords in lower case, drive letters in
// upper case, an options identifier as the GUID it stands for. Nothing when the text is no device.
std::optional<std::wstring> ParseDeviceText(std::wstring_view text, const BcdStore& store);

// The printed form of a stored device: the options GUID stays a GUID with /v and becomes its alias
// ({ramdiskoptions}) without.
std::wstring DisplayDeviceText(const std::wstring& stored, bool verbose);

}  // namespace standin
