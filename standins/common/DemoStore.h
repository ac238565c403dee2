// The demo boot store: what a multi-boot machine's store looks like, for the demo run and for tests.
#pragma once
#include "common/BcdStore.h"

namespace standin::demo {

inline constexpr wchar_t kWindows10[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e10}";
inline constexpr wchar_t kWindows7[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}";
inline constexpr wchar_t kWindowsPe[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e0e}";
inline constexpr wchar_t kWindows8Vhd[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e08}";
inline constexpr wchar_t kGrub[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3eb5}";
inline constexpr wchar_t kResume[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e4e}";
// The firmware's own entries in the UEFI demo store.
inline constexpr wchar_t kUbuntu[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3ef1}";
inline constexpr wchar_t kUsbStick[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3ef2}";
inline constexpr wchar_t kNetworkBoot[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3ef3}";
inline constexpr wchar_t kOrphanBootMgr[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3ef4}";

// Boot manager (displayorder: Windows 10 = {current}, Windows 7, Windows PE on a ramdisk, Windows 8
// in a VHD, {ntldr}, a GRUB boot sector; toolsdisplayorder {memdiag}; timeout 30; locale en-US) and
// every object those refer to.
BcdStore MakeDemoStore();

// The demo store as a UEFI machine has it: the boot manager on the EFI system partition, and the
// firmware's boot menu ({fwbootmgr}: Windows Boot Manager, an ubuntu shim, a USB stick, network
// boot; timeout 2) with a second "Windows Boot Manager" entry the menu no longer shows.
BcdStore MakeUefiDemoStore();

}  // namespace standin::demo
