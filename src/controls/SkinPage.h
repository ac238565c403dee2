// A page of the main window: a child dialog that shows the main window's skin behind itself and
// draws its static texts straight onto it.
#pragma once
#include <string>

#include "controls/PageContext.h"
#include "win/AppDialog.h"

class SkinPage : public win::AppDialog {
 public:
  template <class T, size_t N>
  SkinPage(UINT templateId, const win::MessageEntry<T> (&rows)[N]) : win::AppDialog(templateId, rows) {}
  explicit SkinPage(UINT templateId) : win::AppDialog(templateId) {}

 public:
  // Re-reads the page's controls; what is the main window's refresh kind (9: the OS list's rows).
  virtual void Refresh(int what) { (void)what; }
  // Puts the current language on the page again.
  virtual void Relocalize();
  // Before the program ends or the machine restarts: false when the user wants to stay (unsaved
  // changes the page has asked about).
  virtual bool ConfirmLeave() { return true; }
  // The one-time start the page last read as pending, as a line of the tray tip; empty when none.
  virtual std::wstring OneTimeStart() const { return {}; }
  // The session's end as Windows tells it: a page that armed a one-time start for a restart
  // keeps it when the session ends and takes it back when it does not.
  virtual void OnSessionNotice(SessionNotice notice) { (void)notice; }

 protected:
  // The page's lists measure their rows again (their image lists were filled anew at the new
  // size) and their columns take the new scale.
  void OnDpiChanged(UINT from, UINT to) override;
  bool OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
};
