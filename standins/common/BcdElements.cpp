// The element table of the boot store, as bcdedit names and prints the elements.
#include "common/BcdElements.h"

#include <initializer_list>

#include "common/BcdIds.h"
#include "common/Text.h"

namespace standin {

namespace {

struct Named {
  const wchar_t* name;
  std::uint64_t value;
};

// Which objects an element applies to: every object, only device objects, or one application type.
enum Scope : unsigned { kAny = 0, kBootMgr = 2, kOsLoader = 3, kResume = 4, kMemDiag = 5, kDeviceObjects = 0x100 };

struct ElementInfo {
  const wchar_t* name;
  std::uint32_t number;
  unsigned scope;
  std::initializer_list<Named> values;
  bool hex;
};

const std::initializer_list<Named> kNone = {};
const std::initializer_list<Named> kDisplayMessages = {
    {L"Default", 0}, {L"Resume", 1}, {L"HyperV", 2}, {L"Recovery", 3}, {L"StartupRepair", 4},
    {L"SystemImageRecovery", 5}, {L"CommandPrompt", 6}, {L"SystemRestore", 7}, {L"PushButtonReset", 8}};
const std::initializer_list<Named> kMenuPolicies = {{L"Legacy", 0}, {L"Standard", 1}};

const ElementInfo kElements[] = {
    {L"device", 0x11000001, kAny, kNone, false},
    {L"path", 0x12000002, kAny, kNone, false},
    {L"description", 0x12000004, kAny, kNone, false},
    {L"locale", 0x12000005, kAny, kNone, false},
    {L"inherit", 0x14000006, kAny, kNone, false},
    {L"truncatememory", 0x15000007, kAny, kNone, true},
    {L"recoverysequence", 0x14000008, kAny, kNone, false},
    {L"recoveryenabled", 0x16000009, kAny, kNone, false},
    {L"badmemorylist", 0x1700000a, kAny, kNone, true},
    {L"badmemoryaccess", 0x1600000b, kAny, kNone, false},
    {L"firstmegabytepolicy", 0x1500000c, kAny, {{L"UseNone", 0}, {L"UseAll", 1}, {L"UsePrivate", 2}}, false},
    {L"relocatephysical", 0x1500000d, kAny, kNone, true},
    {L"avoidlowmemory", 0x1500000e, kAny, kNone, true},
    {L"traditionalkseg", 0x1600000f, kAny, kNone, false},
    {L"bootdebug", 0x16000010, kAny, kNone, false},
    {L"debugtype", 0x15000011, kAny, {{L"Serial", 0}, {L"1394", 1}, {L"USB", 2}, {L"NET", 3}, {L"Local", 4}}, false},
    {L"debugaddress", 0x15000012, kAny, kNone, true},
    {L"debugport", 0x15000013, kAny, kNone, false},
    {L"baudrate", 0x15000014, kAny, kNone, false},
    {L"channel", 0x15000015, kAny, kNone, false},
    {L"targetname", 0x12000016, kAny, kNone, false},
    {L"noumex", 0x16000017, kAny, kNone, false},
    {L"debugstart", 0x15000018, kAny, {{L"Active", 0}, {L"AutoEnable", 1}, {L"Disable", 2}}, false},
    {L"busparams", 0x12000019, kAny, kNone, false},
    {L"hostip", 0x1500001a, kAny, kNone, false},
    {L"port", 0x1500001b, kAny, kNone, false},
    {L"dhcp", 0x1600001c, kAny, kNone, false},
    {L"key", 0x1200001d, kAny, kNone, false},
    {L"bootems", 0x16000020, kAny, kNone, false},
    {L"emsport", 0x15000022, kAny, kNone, false},
    {L"emsbaudrate", 0x15000023, kAny, kNone, false},
    {L"loadoptions", 0x12000030, kAny, kNone, false},
    {L"advancedoptions", 0x16000040, kAny, kNone, false},
    {L"optionsedit", 0x16000041, kAny, kNone, false},
    {L"keyringaddress", 0x15000042, kAny, kNone, true},
    {L"graphicsmodedisabled", 0x16000046, kAny, kNone, false},
    {L"configaccesspolicy", 0x15000047, kAny, {{L"Default", 0}, {L"DisallowMmConfig", 1}}, false},
    {L"nointegritychecks", 0x16000048, kAny, kNone, false},
    {L"testsigning", 0x16000049, kAny, kNone, false},
    {L"fontpath", 0x1200004a, kAny, kNone, false},
    {L"integrityservices", 0x1500004b, kAny, {{L"Default", 0}, {L"Enable", 1}, {L"Disable", 2}}, false},
    {L"extendedinput", 0x16000050, kAny, kNone, false},
    {L"graphicsresolution", 0x15000052, kAny, kNone, false},
    {L"isolatedcontext", 0x16000060, kAny, kNone, false},
    {L"displaymessage", 0x15000065, kAny, kDisplayMessages, false},
    {L"displaymessageoverride", 0x15000066, kAny, kDisplayMessages, false},
    {L"bootuxdisabled", 0x1600006c, kAny, kNone, false},
    {L"allowedinmemorysettings", 0x17000077, kAny, kNone, true},
    {L"flightsigning", 0x1600007e, kAny, kNone, false},

    {L"displayorder", 0x24000001, kBootMgr, kNone, false},
    {L"bootsequence", 0x24000002, kBootMgr, kNone, false},
    {L"default", 0x23000003, kBootMgr, kNone, false},
    {L"timeout", 0x25000004, kBootMgr, kNone, false},
    {L"resume", 0x26000005, kBootMgr, kNone, false},
    {L"resumeobject", 0x23000006, kBootMgr, kNone, false},
    {L"toolsdisplayorder", 0x24000010, kBootMgr, kNone, false},
    {L"displaybootmenu", 0x26000020, kBootMgr, kNone, false},
    {L"nokeyboard", 0x26000021, kBootMgr, kNone, false},
    {L"bcddevice", 0x21000022, kBootMgr, kNone, false},
    {L"bcdfilepath", 0x22000023, kBootMgr, kNone, false},

    {L"osdevice", 0x21000001, kOsLoader, kNone, false},
    {L"systemroot", 0x22000002, kOsLoader, kNone, false},
    {L"resumeobject", 0x23000003, kOsLoader, kNone, false},
    {L"detecthal", 0x26000010, kOsLoader, kNone, false},
    {L"kernel", 0x22000011, kOsLoader, kNone, false},
    {L"hal", 0x22000012, kOsLoader, kNone, false},
    {L"dbgtransport", 0x22000013, kOsLoader, kNone, false},
    {L"nx", 0x25000020, kOsLoader, {{L"OptIn", 0}, {L"OptOut", 1}, {L"AlwaysOff", 2}, {L"AlwaysOn", 3}}, false},
    {L"pae", 0x25000021, kOsLoader, {{L"Default", 0}, {L"ForceEnable", 1}, {L"ForceDisable", 2}}, false},
    {L"winpe", 0x26000022, kOsLoader, kNone, false},
    {L"nocrashautoreboot", 0x26000024, kOsLoader, kNone, false},
    {L"lastknowngood", 0x26000025, kOsLoader, kNone, false},
    {L"oslnointegritychecks", 0x26000026, kOsLoader, kNone, false},
    {L"osltestsigning", 0x26000027, kOsLoader, kNone, false},
    {L"nolowmem", 0x26000030, kOsLoader, kNone, false},
    {L"removememory", 0x25000031, kOsLoader, kNone, false},
    {L"increaseuserva", 0x25000032, kOsLoader, kNone, false},
    {L"vga", 0x26000040, kOsLoader, kNone, false},
    {L"quietboot", 0x26000041, kOsLoader, kNone, false},
    {L"novesa", 0x26000042, kOsLoader, kNone, false},
    {L"clustermodeaddressing", 0x25000050, kOsLoader, kNone, false},
    {L"usephysicaldestination", 0x26000051, kOsLoader, kNone, false},
    {L"restrictapiccluster", 0x25000052, kOsLoader, kNone, false},
    {L"x2apicpolicy", 0x25000055, kOsLoader, {{L"Default", 0}, {L"Disable", 1}, {L"Enable", 2}}, false},
    {L"onecpu", 0x26000060, kOsLoader, kNone, false},
    {L"numproc", 0x25000061, kOsLoader, kNone, false},
    {L"maxproc", 0x26000062, kOsLoader, kNone, false},
    {L"configflags", 0x25000063, kOsLoader, kNone, false},
    {L"usefirmwarepcisettings", 0x26000070, kOsLoader, kNone, false},
    {L"msi", 0x25000071, kOsLoader, {{L"Default", 0}, {L"ForceDisable", 1}}, false},
    {L"pciexpress", 0x25000072, kOsLoader, {{L"Default", 0}, {L"ForceDisable", 1}}, false},
    {L"safeboot", 0x25000080, kOsLoader, {{L"Minimal", 0}, {L"Network", 1}, {L"DsRepair", 2}}, false},
    {L"safebootalternateshell", 0x26000081, kOsLoader, kNone, false},
    {L"bootlog", 0x26000090, kOsLoader, kNone, false},
    {L"sos", 0x26000091, kOsLoader, kNone, false},
    {L"debug", 0x260000a0, kOsLoader, kNone, false},
    {L"halbreakpoint", 0x260000a1, kOsLoader, kNone, false},
    {L"useplatformclock", 0x260000a2, kOsLoader, kNone, false},
    {L"ems", 0x260000b0, kOsLoader, kNone, false},
    {L"bootmenupolicy", 0x250000c2, kOsLoader, kMenuPolicies, false},
    {L"bootstatuspolicy", 0x250000e0, kOsLoader,
     {{L"DisplayAllFailures", 0}, {L"IgnoreAllFailures", 1}, {L"IgnoreShutdownFailures", 2},
      {L"IgnoreBootFailures", 3}, {L"IgnoreCheckpointFailures", 4}, {L"DisplayShutdownFailures", 5},
      {L"DisplayBootFailures", 6}, {L"DisplayCheckpointFailures", 7}},
     false},
    {L"hypervisorlaunchtype", 0x250000f0, kOsLoader, {{L"Off", 0}, {L"Auto", 1}}, false},

    {L"filedevice", 0x21000001, kResume, kNone, false},
    {L"filepath", 0x22000002, kResume, kNone, false},
    {L"customsettings", 0x26000003, kResume, kNone, false},
    {L"pae", 0x26000004, kResume, kNone, false},
    {L"associatedosdevice", 0x21000005, kResume, kNone, false},
    {L"debugoptionenabled", 0x26000006, kResume, kNone, false},
    {L"bootmenupolicy", 0x25000008, kResume, kMenuPolicies, false},

    {L"passcount", 0x25000001, kMemDiag, kNone, false},
    {L"testmix", 0x25000002, kMemDiag, {{L"Basic", 0}, {L"Extended", 1}}, false},
    {L"failurecount", 0x25000003, kMemDiag, kNone, false},
    {L"testtofail", 0x25000004, kMemDiag, kNone, false},

    {L"ramdiskimageoffset", 0x35000001, kDeviceObjects, kNone, false},
    {L"ramdisktftpclientport", 0x35000002, kDeviceObjects, kNone, false},
    {L"ramdisksdidevice", 0x31000003, kDeviceObjects, kNone, false},
    {L"ramdisksdipath", 0x32000004, kDeviceObjects, kNone, false},
    {L"ramdiskimagelength", 0x35000005, kDeviceObjects, kNone, false},
    {L"exportascd", 0x36000006, kDeviceObjects, kNone, false},
    {L"ramdisktftpblocksize", 0x35000007, kDeviceObjects, kNone, false},
    {L"ramdisktftpwindowsize", 0x35000008, kDeviceObjects, kNone, false},
    {L"ramdiskmcenabled", 0x36000009, kDeviceObjects, kNone, false},
    {L"ramdiskmctftpfallback", 0x3600000a, kDeviceObjects, kNone, false},
};

// The element scope an object offers: its application type, the application its settings are
// inherited by, or device objects.
unsigned ScopeOf(std::uint32_t objectType) {
  switch (objectType >> 28) {
    case 1: {
      unsigned app = objectType & 0xFFFFF;
      return app == 1 ? kBootMgr : app;  // the firmware boot manager takes the boot manager's elements
    }
    case 2:
      return ((objectType >> 20) & 0xF) == 2 ? (objectType & 0xFFFFF) : kAny;
    case 3:
      return kDeviceObjects;
    default:
      return kAny;
  }
}

bool Applies(const ElementInfo& info, std::uint32_t objectType) {
  return info.scope == kAny || info.scope == ScopeOf(objectType);
}

const ElementInfo* Find(std::uint32_t number, std::uint32_t objectType) {
  for (const auto& info : kElements)
    if (info.number == number && Applies(info, objectType)) return &info;
  return nullptr;
}

}  // namespace

std::wstring TitleOf(std::uint32_t type, std::wstring_view guid) {
  if (EqualsNoCase(guid, kFwBootMgrGuid)) return L"Firmware Boot Manager";
  switch (type) {
    case kTypeBootMgr: return L"Windows Boot Manager";
    case kTypeOsLoader: return L"Windows Boot Loader";
    case kTypeResume: return L"Resume from Hibernate";
    case kTypeMemDiag: return L"Windows Memory Tester";
    case kTypeNtldr: return L"Windows Legacy OS Loader";
    case kTypeBootSector: return L"Real-mode Boot Sector";
    case kTypeStartup: return L"Real-mode Application";
    case kTypeDevice: return L"Device options";
    default: break;
  }
  static const struct {
    const wchar_t* alias;
    const wchar_t* title;
  } kSettings[] = {
      {L"{globalsettings}", L"Global Settings"},         {L"{bootloadersettings}", L"Boot Loader Settings"},
      {L"{resumeloadersettings}", L"Resume Loader Settings"}, {L"{dbgsettings}", L"Debugger Settings"},
      {L"{emssettings}", L"EMS Settings"},               {L"{badmemory}", L"RAM Defects"},
      {L"{hypervisorsettings}", L"Hypervisor Settings"},
  };
  if (auto alias = AliasOfGuid(guid))
    for (const auto& s : kSettings)
      if (*alias == s.alias) return s.title;
  if ((type >> 28) == 2) return L"Inherit Object";
  // Firmware entries the firmware itself made carry their raw type in the title.
  if ((type >> 20) == 0x101) return L"Firmware Application (" + Lower(Hex8(type)) + L")";
  return L"Boot Application";
}

std::wstring ElementName(std::uint32_t number, std::uint32_t objectType) {
  if (const ElementInfo* info = Find(number, objectType)) return info->name;
  return L"custom:" + Lower(Hex8(number));
}

std::optional<std::uint32_t> ElementNumber(std::wstring_view name, std::uint32_t objectType) {
  if (StartsWithNoCase(name, L"custom:")) {
    std::wstring_view digits = name.substr(7);
    std::uint64_t number = 0;
    if (digits.size() != 8 || !ParseNumber(L"0x" + std::wstring(digits), number)) return std::nullopt;
    auto format = static_cast<unsigned>(FormatOf(static_cast<std::uint32_t>(number)));
    if (format < 1 || format > 7) return std::nullopt;
    return static_cast<std::uint32_t>(number);
  }
  for (const auto& info : kElements)
    if (EqualsNoCase(name, info.name) && Applies(info, objectType)) return info.number;
  return std::nullopt;
}

std::optional<std::uint64_t> NamedValue(std::uint32_t number, std::uint32_t objectType, std::wstring_view name) {
  if (const ElementInfo* info = Find(number, objectType))
    for (const auto& named : info->values)
      if (EqualsNoCase(name, named.name)) return named.value;
  return std::nullopt;
}

std::wstring IntegerText(std::uint32_t number, std::uint32_t objectType, std::uint64_t value) {
  const ElementInfo* info = Find(number, objectType);
  if (info) {
    for (const auto& named : info->values)
      if (named.value == value) return named.name;
    if (info->hex) {
      std::wstring digits;
      do {
        digits.insert(digits.begin(), L"0123456789abcdef"[value & 0xF]);
        value >>= 4;
      } while (value);
      return L"0x" + digits;
    }
  }
  return std::to_wstring(value);
}

std::optional<bool> ParseBoolean(std::wstring_view text) {
  for (const wchar_t* yes : {L"yes", L"on", L"true", L"1"})
    if (EqualsNoCase(text, yes)) return true;
  for (const wchar_t* no : {L"no", L"off", L"false", L"0"})
    if (EqualsNoCase(text, no)) return false;
  return std::nullopt;
}

}  // namespace standin
