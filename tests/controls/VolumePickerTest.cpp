// The volume and locale picker on a real extended combo box, over the test prefix's real volumes
// (C: and Z:) and drives of other types defined for the length of a test.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>
#include <winioctl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "base/Format.h"
#include "controls/VolumePicker.h"
#include "test_resource.h"
#include "win/Dialog.h"

namespace {

// Defines (or with DRIVE_NO_ROOT_DIR removes) a drive over C:\windows through Wine's mount manager,
// as Wine's configuration tool does: a link dropped into dosdevices is only seen after the Wine
// server restarts. The request is Wine's own extension of the mount manager's interface; the
// folder is named as Wine names C: itself, relative to dosdevices, and no other drive has it.
bool DefineDrive(wchar_t letter, UINT type) {
  struct {
    ULONG size, type, fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset, deviceOffset, labelOffset;
    char mountPoint[20];
  } request = {32 /* the header's size */, type, 0, 0, 0, letter, USHORT(type == DRIVE_NO_ROOT_DIR ? 0 : 32), 0, 0, "../drive_c/windows"};
  HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
  DWORD returned = 0;
  bool done = DeviceIoControl(manager, CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS),
                              &request, sizeof(request), nullptr, 0, &returned, nullptr);
  CloseHandle(manager);
  return done;
}

// A drive of a type for the length of a test, on the highest free letter below Y: (the letter the
// picker asks the shell about).
class ScratchDrive {
 public:
  explicit ScratchDrive(UINT type) {
    for (wchar_t free = L'X'; free >= L'K' && !letter_; --free) {
      if (!(GetLogicalDrives() & (1u << (free - L'A'))) && DefineDrive(free, type)) letter_ = free;
    }
  }
  ~ScratchDrive() {
    if (letter_) DefineDrive(letter_, DRIVE_NO_ROOT_DIR);
  }
  std::wstring Root() const { return letter_ ? std::wstring{letter_, L':', L'\\'} : L""; }

 private:
  wchar_t letter_ = 0;
};

// A root's caption read through the root rather than the volume name the picker asks.
std::wstring RootCaption(const std::wstring& root) {
  wchar_t label[MAX_PATH + 1] = {}, fileSystem[MAX_PATH + 1] = {};
  GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, fileSystem, MAX_PATH + 1);
  return base::Format(L"%s[%s,%s]", root, label, fileSystem);
}

class VolumePickerTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(dialog_.CreateModeless(nullptr), nullptr);
    picker_.Attach(CreateWindowExW(0, WC_COMBOBOXEXW, L"", WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST, 5, 45, 200, 200,
                                   dialog_.Handle(), nullptr, nullptr, nullptr));
    SHFILEINFOW info = {};
    picker_.SetImageList(reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(
        L".txt", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON)));
  }
  int Find(const std::wstring& data) const {
    for (int index = 0; index < picker_.Count(); ++index) {
      if (picker_.ItemData(index) == data) return index;
    }
    return -1;
  }
  int Image(int index) const {
    COMBOBOXEXITEMW item = {CBEIF_IMAGE, index};
    return SendMessageW(picker_.Handle(), CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? item.iImage : -2;
  }

  win::Dialog dialog_{IDD_TEST_PROBE};
  VolumePicker picker_;
};

TEST_F(VolumePickerTest, ListsFixedAndRemovableDrivesByRootWithLabelAndFileSystem) {
  const std::pair<UINT, bool> cases[] = {{DRIVE_REMOVABLE, true}, {DRIVE_CDROM, false}, {DRIVE_REMOTE, false}};
  for (auto [type, listed] : cases) {
    SCOPED_TRACE(testing::Message() << "drive type " << type);
    ScratchDrive drive(type);
    ASSERT_EQ(GetDriveTypeW(drive.Root().c_str()), type);
    picker_.Clear();
    ASSERT_TRUE(picker_.EnumerateVolumes());
    picker_.FillVolumes(false);
    // Enumerated in every case: its type alone decides whether the drive is offered.
    ASSERT_TRUE(std::ranges::any_of(picker_.Records(), [&](const VolumeRecord& record) {
      return record.mountPath == drive.Root() && record.deviceName.starts_with(L"\\Device\\");
    }));
    EXPECT_EQ(Find(drive.Root()) >= 0, listed);
    for (const std::wstring& root : {std::wstring(L"C:\\"), std::wstring(L"Z:\\"), drive.Root()}) {
      if (root == drive.Root() && !listed) continue;
      EXPECT_EQ(picker_.ItemText(Find(root)), RootCaption(root));
    }
  }
}

TEST_F(VolumePickerTest, SelectVolumeFindsOrAddsTheDeviceText) {
  // index -1: appended; the test prefixes have C:, D: and Z:
  const struct { const wchar_t* volume; bool addBackslash; const wchar_t* selected; int index; } cases[] = {
      {L"sys", true, L"SYS", 0},        {L"C:", true, L"C:\\", 1},        {L"c:", true, L"C:\\", 1},
      {L"Z:\\", false, L"Z:\\", 3},     {L"C:", false, L"C:", -1},        {L"W:", true, L"W:\\", -1},
      {L"boot", true, L"boot", -1},     {L"unknown", true, L"unknown", -1},
      {L"\\Device\\HarddiskVolume9", true, L"\\Device\\HarddiskVolume9", -1},
  };
  ASSERT_EQ(picker_.AddComputerItem(L"[Current Boot Partition]", L"SYS", false), 0);
  ASSERT_TRUE(picker_.EnumerateVolumes());
  picker_.FillVolumes(false);
  for (const auto& c : cases) {
    SCOPED_TRACE(base::Narrow(c.volume, CP_UTF8));
    int count = picker_.Count();
    int index = c.index >= 0 ? c.index : count;
    for (int lookup = 0; lookup < 2; ++lookup) {  // the second lookup finds what the first added
      win::ComboBoxEx(picker_.Handle()).Select(-1);
      EXPECT_EQ(picker_.SelectVolume(c.volume, c.addBackslash), index);
      EXPECT_EQ(picker_.Selection(), index);
      EXPECT_EQ(picker_.SelectedVolume(), c.selected);
      EXPECT_EQ(picker_.Count(), count + (c.index < 0));
    }
    if (c.index < 0) {
      EXPECT_EQ(picker_.ItemText(index), c.selected);
    }
  }
}

TEST_F(VolumePickerTest, LocaleListAndItsUndefinedValue) {
  for (const wchar_t* code : {L"(undef)", L"en-US", L"zh-CN", L"zh-TW", L"zh-HK"}) picker_.AddItem(L"~", code, 5);
  ASSERT_EQ(picker_.AddLocaleCodes(5), 23);
  std::wstring texts, data;
  for (int index = 5; index < 23; ++index) {
    texts += picker_.ItemText(index) + L" ";
    data += picker_.ItemData(index) + L" ";
    EXPECT_EQ(Image(index), 5);
  }
  EXPECT_EQ(texts, L"cs-CZ da-DK de-DE el-GR es-ES fr-FR hu-HU it-IT ja-JP ko-KR nb-NO nl-NL pl-PL pt-BR pt-PT "
                   L"ru-RU sv-SE tr-TR ");
  EXPECT_EQ(data, texts);

  const struct { const wchar_t* code; int index; const wchar_t* selected; } cases[] = {{L"en-US", 1, L"en-US"}, {L"ZH-hk", 4, L"zh-HK"}, {L"tr-tr", 22, L"tr-TR"},
               {L"(UNDEF)", 0, L""},    {L"xx-XX", -1, L""},     {L"en", -1, L""}};
  for (const auto& c : cases) {
    picker_.SelectLocale(L"de-DE");
    EXPECT_EQ(picker_.SelectLocale(c.code), c.index) << base::Narrow(c.code, CP_UTF8);
    EXPECT_EQ(picker_.Selection(), c.index);
    EXPECT_EQ(picker_.SelectedLocale(), c.selected);
  }
  // Items someone else inserted carry no data of ours: their text is the value.
  win::ComboBoxEx combo(picker_.Handle());
  for (const wchar_t* text : {L"Other", L"UNDEF"}) combo.Select(combo.Insert(-1, text, 5, 0));
  EXPECT_EQ(picker_.SelectedLocale(), L"");
  combo.Select(combo.Count() - 2);
  EXPECT_EQ(picker_.SelectedLocale(), L"Other");
}

}  // namespace
