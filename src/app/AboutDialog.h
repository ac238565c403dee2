// The about page: the product's picture, its version and links to the maker; a click beside the
// links or any key closes it.
#pragma once
#include <windows.h>

#include "controls/HoverStatic.h"
#include "win/AppDialog.h"
#include "win/Handles.h"

class AboutDialog : public win::AppDialog {
 public:
  AboutDialog();

 protected:
  BOOL OnInit() override;
  bool OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  INT_PTR OnEmail(WPARAM, LPARAM);
  INT_PTR OnFooter(WPARAM, LPARAM);
  INT_PTR OnDonate(WPARAM, LPARAM);
  INT_PTR OnClose(WPARAM, LPARAM);
  INT_PTR OnDialogCode(WPARAM, LPARAM);

  void SetUpLink(LinkStatic& link, int id, UINT tooltipId);
  void DrawBackground(HDC dc) const;

  static const win::MessageEntry<AboutDialog> kMessages[];

  win::UniqueBitmap background_;
  win::UniqueBitmap picture_;
  LinkStatic email_;
  LinkStatic footer_;
  LinkStatic donate_;
};
