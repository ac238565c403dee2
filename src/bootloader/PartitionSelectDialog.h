// The question before a boot record update: which partition, and the master boot record too?
#pragma once
#include <string>

#include "controls/PageContext.h"
#include "controls/SkinButton.h"
#include "controls/VolumePicker.h"
#include "win/AppDialog.h"
#include "win/Handles.h"

class PartitionSelectDialog : public win::AppDialog {
 public:
  // partitionArg: the page's bootsect argument, replaced only when the user presses OK.
  PartitionSelectDialog(std::wstring& partitionArg, const PageContext& context);

  bool updateMbr = false;  // checkbox 1128

 protected:
  BOOL OnInit() override;
  // White above the footer line, the button face below it.
  bool OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  INT_PTR OnOk(WPARAM, LPARAM);
  INT_PTR OnCheck(WPARAM, LPARAM);

  void FillPartitions();
  // The footer's top edge in client coordinates.
  int FooterTop() const;
  bool EraseBackground(HDC dc) const;

  static const win::MessageEntry<PartitionSelectDialog> kMessages[];

  std::wstring& partitionArg_;
  PageContext context_;
  VolumePicker partitions_;
  SkinButton ok_;
  win::UniqueIcon icon_;
  win::UniqueBrush footerBrush_;
  COLORREF footerColour_ = RGB(240, 240, 240);
};
