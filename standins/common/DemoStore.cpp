// Builds the demo boot store.
#include "common/DemoStore.h"

#include "common/BcdIds.h"

namespace standin::demo {

namespace {

std::wstring Guid(const wchar_t* alias) { return *GuidOfAlias(alias); }

void AddWindowsLoader(BcdStore& store, const wchar_t* guid, const std::wstring& device, const wchar_t* description,
                      bool modern) {
  BcdObject& loader = store.Add(guid, kTypeOsLoader);
  loader.SetText(element::kDevice, device);
  loader.SetText(element::kPath, L"\\Windows\\system32\\winload.exe");
  loader.SetText(element::kDescription, description);
  loader.SetText(element::kLocale, L"en-US");
  loader.SetObjects(element::kInherit, {Guid(L"{bootloadersettings}")});
  loader.SetText(element::kOsDevice, device);
  loader.SetText(element::kSystemRoot, L"\\Windows");
  loader.SetInteger(element::kNx, 0);  // OptIn
  if (modern) loader.SetInteger(element::kBootMenuPolicy, 1);  // Standard
}

}  // namespace

BcdStore MakeDemoStore() {
  BcdStore store;
  const std::wstring ramdisk = L"ramdisk=[C:]\\sources\\boot.wim," + Guid(L"{ramdiskoptions}");
  const std::wstring vhd = L"vhd=[C:]\\VHD\\Windows8.vhd";

  BcdObject& manager = store.Add(kBootMgrGuid, kTypeBootMgr);
  manager.SetText(element::kDevice, L"partition=C:");
  manager.SetText(element::kDescription, L"Windows Boot Manager");
  manager.SetText(element::kLocale, L"en-US");
  manager.SetObjects(element::kInherit, {Guid(L"{globalsettings}")});
  manager.SetText(element::kDefault, kWindows10);
  manager.SetText(element::kBootMgrResumeObject, kResume);
  manager.SetObjects(element::kDisplayOrder, {kWindows10, kWindows7, kWindowsPe, kWindows8Vhd, kNtldrGuid, kGrub});
  manager.SetObjects(element::kToolsDisplayOrder, {kMemDiagGuid});
  manager.SetInteger(element::kTimeout, 30);

  AddWindowsLoader(store, kWindows10, L"partition=C:", L"Windows 10", true);
  BcdObject& windows10 = *store.Find(kWindows10);
  windows10.SetBoolean(element::kRecoveryEnabled, true);
  windows10.SetText(element::kLoaderResumeObject, kResume);
  store.current = kWindows10;

  AddWindowsLoader(store, kWindows7, L"partition=D:", L"Windows 7", false);

  BcdObject& pe = store.Add(kWindowsPe, kTypeOsLoader);
  pe.SetText(element::kDevice, ramdisk);
  pe.SetText(element::kPath, L"\\windows\\system32\\winload.exe");
  pe.SetText(element::kDescription, L"Windows PE");
  pe.SetText(element::kLocale, L"en-US");
  pe.SetObjects(element::kInherit, {Guid(L"{bootloadersettings}")});
  pe.SetText(element::kOsDevice, ramdisk);
  pe.SetText(element::kSystemRoot, L"\\windows");
  pe.SetBoolean(element::kDetectHal, true);
  pe.SetBoolean(element::kWinPe, true);
  pe.SetBoolean(element::kEms, false);

  BcdObject& options = store.Add(kRamdiskOptionsGuid, kTypeDevice);
  options.SetText(element::kDescription, L"Ramdisk Options");
  options.SetText(element::kRamdiskSdiDevice, L"partition=C:");
  options.SetText(element::kRamdiskSdiPath, L"\\boot\\boot.sdi");

  AddWindowsLoader(store, kWindows8Vhd, vhd, L"Windows 8 (VHD)", true);
  store.Find(kWindows8Vhd)->SetBoolean(element::kDetectHal, true);

  BcdObject& ntldr = store.Add(kNtldrGuid, kTypeNtldr);
  ntldr.SetText(element::kDevice, L"partition=C:");
  ntldr.SetText(element::kPath, L"\\ntldr");
  ntldr.SetText(element::kDescription, L"Earlier Version of Windows");

  BcdObject& grub = store.Add(kGrub, kTypeBootSector);
  grub.SetText(element::kDevice, L"partition=C:");
  grub.SetText(element::kPath, L"\\grldr.mbr");
  grub.SetText(element::kDescription, L"GRUB");

  BcdObject& memdiag = store.Add(kMemDiagGuid, kTypeMemDiag);
  memdiag.SetText(element::kDevice, L"partition=C:");
  memdiag.SetText(element::kPath, L"\\boot\\memtest.exe");
  memdiag.SetText(element::kDescription, L"Windows Memory Diagnostic");
  memdiag.SetText(element::kLocale, L"en-US");
  memdiag.SetObjects(element::kInherit, {Guid(L"{globalsettings}")});
  memdiag.SetBoolean(0x1600000b, true);  // badmemoryaccess

  BcdObject& resume = store.Add(kResume, kTypeResume);
  resume.SetText(element::kDevice, L"partition=C:");
  resume.SetText(element::kPath, L"\\Windows\\system32\\winresume.exe");
  resume.SetText(element::kDescription, L"Windows Resume Application");
  resume.SetText(element::kLocale, L"en-US");
  resume.SetObjects(element::kInherit, {Guid(L"{resumeloadersettings}")});
  resume.SetText(0x21000001, L"partition=C:");  // filedevice
  resume.SetText(0x22000002, L"\\hiberfil.sys");  // filepath

  store.Add(Guid(L"{globalsettings}"), kTypeInheritAny)
      .SetObjects(element::kInherit, {Guid(L"{dbgsettings}"), Guid(L"{emssettings}"), Guid(L"{badmemory}")});
  store.Add(Guid(L"{bootloadersettings}"), kTypeInheritOsLoader)
      .SetObjects(element::kInherit, {Guid(L"{globalsettings}")});
  store.Add(Guid(L"{resumeloadersettings}"), kTypeInheritResume)
      .SetObjects(element::kInherit, {Guid(L"{globalsettings}")});
  BcdObject& debugger = store.Add(Guid(L"{dbgsettings}"), kTypeInheritAny);
  debugger.SetInteger(0x15000011, 0);       // debugtype Serial
  debugger.SetInteger(0x15000013, 1);       // debugport
  debugger.SetInteger(0x15000014, 115200);  // baudrate
  store.Add(Guid(L"{emssettings}"), kTypeInheritAny).SetBoolean(0x16000020, false);  // bootems
  store.Add(Guid(L"{badmemory}"), kTypeInheritAny);
  return store;
}

BcdStore MakeUefiDemoStore() {
  BcdStore store = MakeDemoStore();
  const wchar_t kEfiPartition[] = L"partition=\\Device\\HarddiskVolume1";
  BcdObject& manager = *store.Find(kBootMgrGuid);
  manager.SetText(element::kDevice, kEfiPartition);
  manager.SetText(element::kPath, L"\\EFI\\Microsoft\\Boot\\bootmgfw.efi");

  BcdObject& firmware = store.Add(kFwBootMgrGuid, kTypeFwBootMgr);
  firmware.SetObjects(element::kDisplayOrder, {kBootMgrGuid, kUbuntu, kUsbStick, kNetworkBoot});
  firmware.SetInteger(element::kTimeout, 2);

  BcdObject& ubuntu = store.Add(kUbuntu, kTypeFirmwareApplication);
  ubuntu.SetText(element::kDevice, kEfiPartition);
  ubuntu.SetText(element::kPath, L"\\EFI\\ubuntu\\shimx64.efi");
  ubuntu.SetText(element::kDescription, L"ubuntu");
  // Removable and network entries name no file: the firmware finds what to start by itself.
  store.Add(kUsbStick, kTypeFirmwareApplication).SetText(element::kDescription, L"UEFI: USB Flash Disk 1.00");
  store.Add(kNetworkBoot, kTypeFirmwareApplication)
      .SetText(element::kDescription, L"UEFI: PXE IPv4 Intel(R) Ethernet Connection I219-V");
  // Left behind by an earlier Windows installation, as on many real machines: same name, no path,
  // and on no menu.
  BcdObject& orphan = store.Add(kOrphanBootMgr, kTypeFirmwareApplication);
  orphan.SetText(element::kDevice, kEfiPartition);
  orphan.SetText(element::kDescription, L"Windows Boot Manager");
  return store;
}

}  // namespace standin::demo
