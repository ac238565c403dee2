// The small dialogs of the Firmware page: Add EFI Entry (a name and a loader on the EFI system
// partition), and one box for one value (Rename, the firmware's timeout). Each keeps the user's
// text until it can be used, so a refused text is mended where it was typed.
#pragma once
#include <string>

#include "win/AppDialog.h"

// What the user is told of a text that cannot be used, field being the box's label; empty when
// it can. Names and paths are refused as Add New refuses them, a loader must be an .efi file.
using TextRefusal = std::wstring (*)(const std::wstring& text, const std::wstring& field);
std::wstring FirmwareNameRefusal(const std::wstring& name, const std::wstring& field);
std::wstring LoaderPathRefusal(const std::wstring& path, const std::wstring& field);
std::wstring TimeoutRefusal(const std::wstring& seconds, const std::wstring& field);

class AddEfiEntryDialog : public win::AppDialog {
 public:
  // partitionRoot: where the EFI system partition is reached ("S:\", a volume path); Browse starts
  // there and is off when it is empty.
  explicit AddEfiEntryDialog(std::wstring partitionRoot);

  const std::wstring& Name() const { return name_; }
  const std::wstring& Path() const { return path_; }

 protected:
  BOOL OnInit() override;

 private:
  INT_PTR OnBrowse(WPARAM, LPARAM);
  INT_PTR OnOk(WPARAM, LPARAM);

  static const win::MessageEntry<AddEfiEntryDialog> kMessages[];

  std::wstring partitionRoot_;
  std::wstring name_;
  std::wstring path_;
};

class FirmwareValueDialog : public win::AppDialog {
 public:
  // templateId: IDD_FIRMWARE_RENAME or IDD_FIRMWARE_TIMEOUT; value: what the box starts with.
  FirmwareValueDialog(UINT templateId, std::wstring value, TextRefusal refusal, int limit);

  const std::wstring& Value() const { return value_; }

 protected:
  BOOL OnInit() override;

 private:
  INT_PTR OnOk(WPARAM, LPARAM);

  static const win::MessageEntry<FirmwareValueDialog> kMessages[];

  std::wstring value_;
  TextRefusal refusal_;
  int limit_;
};
