// The volume and locale picker on a real extended combo box, over the test prefix's real volumes
// (C: and Z:) and drives of other types defined for the length of a test.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>
#include <winioctl.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/Format.h"
#include "controls/VolumePicker.h"
#include "test_resource.h"
#include "win/Dialog.h"

namespace {

// Wine's mount manager defines and removes drives while it runs (as its configuration tool does);
// a symbolic link dropped into dosdevices would only be seen after the Wine server restarts.
// The layout is Wine's own extension of the mount manager's interface.
constexpr DWORD kDefineUnixDrive = CTL_CODE(static_cast<ULONG>('m'), 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
struct UnixDrive {
  ULONG size;
  ULONG type;
  ULONG fsType;
  DWORD serial;
  ULONGLONG unixDevice;
  WCHAR letter;
  USHORT mountPointOffset;
  USHORT deviceOffset;
  USHORT labelOffset;
};

bool DefineDrive(wchar_t letter, UINT type, const std::string& unixPath) {
  std::vector<char> buffer(sizeof(UnixDrive) + unixPath.size() + 1, '\0');
  UnixDrive drive = {sizeof(UnixDrive), type, 0, 0, 0, letter, 0, 0, 0};
  if (!unixPath.empty()) drive.mountPointOffset = sizeof(UnixDrive);
  std::memcpy(buffer.data(), &drive, sizeof(drive));
  std::memcpy(buffer.data() + sizeof(UnixDrive), unixPath.c_str(), unixPath.size());
  HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (manager == INVALID_HANDLE_VALUE) return false;
  DWORD returned = 0;
  BOOL done = DeviceIoControl(manager, kDefineUnixDrive, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr,
                              0, &returned, nullptr);
  CloseHandle(manager);
  return done != FALSE;
}

// A drive of the given type over a fresh temporary folder; both go away with the object.
class ScratchDrive {
 public:
  explicit ScratchDrive(UINT type) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = base::Format(L"%svexa-drive-%u", temp, GetCurrentProcessId());
    CreateDirectoryW(folder_.c_str(), nullptr);
    using UnixName = char*(CDECL*)(const wchar_t*);
    auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* unixPath = unixName ? unixName(folder_.c_str()) : nullptr;
    if (!unixPath) return;
    // The highest free letter below Y:, which the picker asks the shell about for a generic drive.
    DWORD used = GetLogicalDrives();
    for (wchar_t candidate = L'X'; candidate >= L'K' && !letter_; --candidate) {
      if (!(used & (1u << (candidate - L'A')))) letter_ = candidate;
    }
    if (letter_ && !DefineDrive(letter_, type, unixPath)) letter_ = 0;
    HeapFree(GetProcessHeap(), 0, unixPath);
  }
  ~ScratchDrive() {
    if (letter_) DefineDrive(letter_, DRIVE_NO_ROOT_DIR, {});
    RemoveDirectoryW(folder_.c_str());
  }
  ScratchDrive(const ScratchDrive&) = delete;
  ScratchDrive& operator=(const ScratchDrive&) = delete;

  bool Defined() const { return letter_ != 0; }
  std::wstring Root() const { return std::wstring{letter_, L':', L'\\'}; }

 private:
  std::wstring folder_;
  wchar_t letter_ = 0;
};

class VolumePickerTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(dialog_.CreateModeless(nullptr), nullptr);
    HWND combo = CreateWindowExW(0, WC_COMBOBOXEXW, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 5, 45,
                                 200, 200, dialog_.Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(combo, nullptr);
    picker_.Attach(combo);
    SHFILEINFOW info = {};
    picker_.SetImageList(reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(
        L".txt", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON)));
  }

  void ListVolumes() {
    ASSERT_TRUE(picker_.EnumerateVolumes());
    picker_.FillVolumes(false);
  }
  int FindData(const std::wstring& data) const {
    for (int index = 0; index < picker_.Count(); ++index) {
      if (picker_.ItemData(index) == data) return index;
    }
    return -1;
  }
  bool Enumerated(const std::wstring& root) const {
    for (const VolumeRecord& record : picker_.Records()) {
      if (record.mountPath == root && record.deviceName.starts_with(L"\\Device\\")) return true;
    }
    return false;
  }
  int ItemImage(int index) const {
    COMBOBOXEXITEMW item = {};
    item.mask = CBEIF_IMAGE;
    item.iItem = index;
    return SendMessageW(picker_.Handle(), CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? item.iImage : -2;
  }

  win::Dialog dialog_{IDD_TEST_PROBE};
  VolumePicker picker_;
};

// The caption the list should show for a drive root, read through the root rather than the
// volume name the picker asks.
std::wstring ExpectedCaption(const std::wstring& root) {
  wchar_t label[MAX_PATH + 1] = {};
  wchar_t fileSystem[MAX_PATH + 1] = {};
  if (!GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, fileSystem, MAX_PATH + 1)) {
    return L"(no volume information)";
  }
  return base::Format(L"%s[%s,%s]", root, label, fileSystem);
}

TEST_F(VolumePickerTest, ListsFixedVolumesByRootWithLabelAndFileSystem) {
  ListVolumes();
  for (const std::wstring root : {L"C:\\", L"Z:\\"}) {
    SCOPED_TRACE(testing::Message() << base::Narrow(root, CP_UTF8));
    ASSERT_TRUE(Enumerated(root));
    int index = FindData(root);
    ASSERT_GE(index, 0);
    EXPECT_EQ(picker_.ItemText(index), ExpectedCaption(root));
    EXPECT_GE(ItemImage(index), 0);
  }
  EXPECT_EQ(picker_.Selection(), -1);
}

TEST_F(VolumePickerTest, ListsOnlyFixedAndRemovableDrives) {
  const struct {
    UINT type;
    bool listed;
  } cases[] = {{DRIVE_REMOVABLE, true}, {DRIVE_CDROM, false}, {DRIVE_REMOTE, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "drive type " << c.type);
    ScratchDrive drive(c.type);
    ASSERT_TRUE(drive.Defined());
    ASSERT_EQ(GetDriveTypeW(drive.Root().c_str()), c.type);
    picker_.Clear();
    ListVolumes();
    // Enumerated either way: the drive type alone decides whether it is offered.
    ASSERT_TRUE(Enumerated(drive.Root()));
    int index = FindData(drive.Root());
    EXPECT_EQ(index >= 0, c.listed);
    if (c.listed) {
      EXPECT_EQ(picker_.ItemText(index), ExpectedCaption(drive.Root()));
    }
    EXPECT_GE(FindData(L"C:\\"), 0);
  }
}

TEST_F(VolumePickerTest, SelectVolumeFindsOrAddsTheDeviceText) {
  const struct {
    const wchar_t* volume;
    bool addBackslash;
    const wchar_t* selected;
    bool added;
  } cases[] = {
      {L"C:", true, L"C:\\", false},
      {L"c:", true, L"C:\\", false},
      {L"Z:\\", false, L"Z:\\", false},
      {L"C:", false, L"C:", true},
      {L"W:", true, L"W:\\", true},
      {L"boot", true, L"boot", true},
      {L"unknown", true, L"unknown", true},
      {L"\\Device\\HarddiskVolume9", true, L"\\Device\\HarddiskVolume9", true},
  };
  ListVolumes();
  const int listed = picker_.Count();
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << base::Narrow(c.volume, CP_UTF8) << " backslash " << c.addBackslash);
    int before = picker_.Count();
    int index = picker_.SelectVolume(c.volume, c.addBackslash);
    EXPECT_EQ(picker_.Selection(), index);
    EXPECT_EQ(picker_.SelectedVolume(), c.selected);
    EXPECT_EQ(picker_.Count(), before + (c.added ? 1 : 0));
    EXPECT_EQ(index < listed, !c.added);
    if (c.added) {
      EXPECT_EQ(picker_.ItemText(index), c.selected);
    }
    // A second lookup finds what the first one found or added.
    win::ComboBoxEx(picker_.Handle()).Select(-1);
    EXPECT_EQ(picker_.SelectVolume(c.volume, c.addBackslash), index);
    EXPECT_EQ(picker_.Count(), before + (c.added ? 1 : 0));
  }
}

TEST_F(VolumePickerTest, TheComputerItemCarriesTheBootPartition) {
  ASSERT_EQ(picker_.AddComputerItem(L"[Current Boot Partition]", L"boot", false), 0);
  ListVolumes();
  EXPECT_EQ(picker_.SelectVolume(L"BOOT", true), 0);
  EXPECT_EQ(picker_.SelectedVolume(), L"boot");
  EXPECT_EQ(picker_.ItemText(0), L"[Current Boot Partition]");
  EXPECT_GE(ItemImage(0), 0);
}

TEST_F(VolumePickerTest, LocaleListAndItsUndefinedValue) {
  const std::vector<std::wstring> captioned = {L"(undef)", L"en-US", L"zh-CN", L"zh-TW", L"zh-HK"};
  for (const std::wstring& code : captioned) picker_.AddItem(L"caption of " + code, code, 5);
  ASSERT_EQ(picker_.AddLocaleCodes(5), 23);
  const wchar_t* codes[] = {L"cs-CZ", L"da-DK", L"de-DE", L"el-GR", L"es-ES", L"fr-FR", L"hu-HU", L"it-IT", L"ja-JP",
                            L"ko-KR", L"nb-NO", L"nl-NL", L"pl-PL", L"pt-BR", L"pt-PT", L"ru-RU", L"sv-SE", L"tr-TR"};
  for (int i = 0; i < 18; ++i) {
    EXPECT_EQ(picker_.ItemText(5 + i), codes[i]);
    EXPECT_EQ(picker_.ItemData(5 + i), codes[i]);
    EXPECT_EQ(ItemImage(5 + i), 5);
  }

  const struct {
    const wchar_t* code;
    int index;
    const wchar_t* selected;
  } cases[] = {
      {L"en-US", 1, L"en-US"}, {L"ZH-hk", 4, L"zh-HK"}, {L"tr-tr", 22, L"tr-TR"},
      {L"(UNDEF)", 0, L""},    {L"xx-XX", -1, L""},     {L"en", -1, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << base::Narrow(c.code, CP_UTF8));
    picker_.SelectLocale(L"de-DE");
    EXPECT_EQ(picker_.SelectLocale(c.code), c.index);
    EXPECT_EQ(picker_.Selection(), c.index);
    EXPECT_EQ(picker_.SelectedLocale(), c.selected);
  }
}

TEST_F(VolumePickerTest, AnItemWithoutDataGivesItsText) {
  win::ComboBoxEx combo(picker_.Handle());
  combo.Insert(-1, L"Other", 0, 0);
  combo.Insert(-1, L"UNDEF", 0, 0);
  picker_.AddItem(L"shown", L"undef", 0);
  const wchar_t* expected[] = {L"Other", L"", L""};
  for (int index = 0; index < 3; ++index) {
    combo.Select(index);
    EXPECT_EQ(picker_.SelectedVolume(), expected[index]) << index;
  }
}

}  // namespace
