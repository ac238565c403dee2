// The boot store's element table: element numbers, the names bcdedit uses for them, their data
// formats, which objects they apply to and the named values of integer elements.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace standin {

// Bits 24-27 of an element number.
enum class ElementFormat : unsigned {
  Device = 1,
  String = 2,
  Object = 3,
  ObjectList = 4,
  Integer = 5,
  Boolean = 6,
  IntegerList = 7,
};

inline ElementFormat FormatOf(std::uint32_t number) { return static_cast<ElementFormat>((number >> 24) & 0xF); }

// Object types (the Description\Type value).
inline constexpr std::uint32_t kTypeBootMgr = 0x10100002;
// Windows writes the firmware boot manager with the boot manager's own type; only its GUID tells
// the two apart.
inline constexpr std::uint32_t kTypeFwBootMgr = kTypeBootMgr;
// An entry of the firmware's boot menu that Windows did not make (a shim, a USB stick, network boot).
inline constexpr std::uint32_t kTypeFirmwareApplication = 0x101fffff;
inline constexpr std::uint32_t kTypeOsLoader = 0x10200003;
inline constexpr std::uint32_t kTypeResume = 0x10200004;
inline constexpr std::uint32_t kTypeMemDiag = 0x10200005;
inline constexpr std::uint32_t kTypeNtldr = 0x10300006;
inline constexpr std::uint32_t kTypeBootSector = 0x10400008;
inline constexpr std::uint32_t kTypeStartup = 0x10400009;
inline constexpr std::uint32_t kTypeInheritAny = 0x20100000;
inline constexpr std::uint32_t kTypeInheritOsLoader = 0x20200003;
inline constexpr std::uint32_t kTypeInheritResume = 0x20200004;
inline constexpr std::uint32_t kTypeInheritMemDiag = 0x20200005;
inline constexpr std::uint32_t kTypeDevice = 0x30000000;

// Element numbers the stand-in itself refers to.
namespace element {
inline constexpr std::uint32_t kDevice = 0x11000001;
inline constexpr std::uint32_t kPath = 0x12000002;
inline constexpr std::uint32_t kDescription = 0x12000004;
inline constexpr std::uint32_t kLocale = 0x12000005;
inline constexpr std::uint32_t kInherit = 0x14000006;
inline constexpr std::uint32_t kRecoverySequence = 0x14000008;
inline constexpr std::uint32_t kRecoveryEnabled = 0x16000009;
inline constexpr std::uint32_t kDisplayOrder = 0x24000001;
inline constexpr std::uint32_t kBootSequence = 0x24000002;
inline constexpr std::uint32_t kDefault = 0x23000003;
inline constexpr std::uint32_t kTimeout = 0x25000004;
inline constexpr std::uint32_t kBootMgrResumeObject = 0x23000006;
inline constexpr std::uint32_t kToolsDisplayOrder = 0x24000010;
inline constexpr std::uint32_t kOsDevice = 0x21000001;
inline constexpr std::uint32_t kSystemRoot = 0x22000002;
inline constexpr std::uint32_t kLoaderResumeObject = 0x23000003;
inline constexpr std::uint32_t kDetectHal = 0x26000010;
inline constexpr std::uint32_t kNx = 0x25000020;
inline constexpr std::uint32_t kPae = 0x25000021;
inline constexpr std::uint32_t kWinPe = 0x26000022;
inline constexpr std::uint32_t kSafeBoot = 0x25000080;
inline constexpr std::uint32_t kEms = 0x260000b0;
inline constexpr std::uint32_t kBootMenuPolicy = 0x250000c2;
inline constexpr std::uint32_t kRamdiskSdiDevice = 0x31000003;
inline constexpr std::uint32_t kRamdiskSdiPath = 0x32000004;
}  // namespace element

// The section title bcdedit prints above an object of this type (and identifier, for the settings
// objects that share one type).
std::wstring TitleOf(std::uint32_t type, std::wstring_view guid);

// The element's name for an object of this type: its bcdedit name, or "custom:" and eight digits.
std::wstring ElementName(std::uint32_t number, std::uint32_t objectType);
// The element number a name means for an object of this type, or nothing when the name is unknown or
// the element does not apply there. "custom:NNNNNNNN" names any element.
std::optional<std::uint32_t> ElementNumber(std::wstring_view name, std::uint32_t objectType);

// Named values of integer elements (nx OptIn, safeboot Minimal, ...).
std::optional<std::uint64_t> NamedValue(std::uint32_t number, std::uint32_t objectType, std::wstring_view name);
// The printed form of an integer element: its name when it has one, else decimal (hexadecimal for
// addresses).
std::wstring IntegerText(std::uint32_t number, std::uint32_t objectType, std::uint64_t value);

// Yes/No, On/Off, True/False, 1/0 in any letter case.
std::optional<bool> ParseBoolean(std::wstring_view text);

}  // namespace standin
