// The window layer in real windows: templates, message tables, modal results and the seams.
#include <gtest/gtest.h>

#include <iterator>
#include <stdexcept>
#include <vector>

#include "TestSupport.h"
#include "win/Dpi.h"
#include "test_resource.h"
#include "win/Controls.h"
#include "win/Dialog.h"
#include "win/ScaledLayout.h"
#include "win/Seams.h"

namespace {

class ProbeDialog : public win::Dialog {
 public:
  ProbeDialog();

  int presses = 0;
  int checkClicks = 0;
  bool closeOnInit = false;
  std::wstring editAtPress;

  INT_PTR OnPress(WPARAM, LPARAM) {
    ++presses;
    editAtPress = ItemText(IDC_TEST_EDIT);
    if (IsModal()) End(40 + presses);
    return TRUE;
  }
  INT_PTR OnCheck(WPARAM, LPARAM) {
    ++checkClicks;
    return TRUE;
  }

 protected:
  BOOL OnInit() override {
    SetItemText(IDC_TEST_EDIT, L"from init");
    if (closeOnInit) PostMessageW(Handle(), WM_COMMAND, MAKEWPARAM(IDC_TEST_BUTTON, BN_CLICKED), 0);
    return TRUE;
  }

 private:
  static const win::MessageEntry<ProbeDialog> kMessages[];
};

const win::MessageEntry<ProbeDialog> ProbeDialog::kMessages[] = {
    win::OnCommand(IDC_TEST_BUTTON, BN_CLICKED, &ProbeDialog::OnPress),
    win::OnCommand(IDC_TEST_CHECK, BN_CLICKED, &ProbeDialog::OnCheck),
};

ProbeDialog::ProbeDialog() : win::Dialog(IDD_TEST_PROBE, kMessages) {}

TEST(Dialog, ClickIsRoutedThroughTheMessageTable) {
  ProbeDialog dialog;
  HWND hwnd = dialog.CreateModeless(nullptr);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(win::WindowText(hwnd), L"Probe");
  EXPECT_EQ(dialog.ItemText(IDC_TEST_EDIT), L"from init");

  dialog.SetItemText(IDC_TEST_EDIT, L"typed");
  win::Click(dialog.Item(IDC_TEST_BUTTON));
  EXPECT_EQ(dialog.presses, 1);
  EXPECT_EQ(dialog.checkClicks, 0);
  EXPECT_EQ(dialog.editAtPress, L"typed");

  win::Click(dialog.Item(IDC_TEST_CHECK));
  EXPECT_EQ(dialog.checkClicks, 1);
  EXPECT_TRUE(dialog.IsItemChecked(IDC_TEST_CHECK));
  EXPECT_EQ(dialog.presses, 1);

  dialog.End(0);
  EXPECT_EQ(dialog.Handle(), nullptr);
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST(Dialog, ModalLoopReturnsTheValueGivenToEnd) {
  ProbeDialog dialog;
  dialog.closeOnInit = true;
  EXPECT_EQ(dialog.RunModal(nullptr), 41);
  EXPECT_EQ(dialog.presses, 1);
  EXPECT_EQ(dialog.Handle(), nullptr);
}

TEST(Dialog, MissingTemplateFailsWithoutAWindow) {
  class Missing : public win::Dialog {
   public:
    Missing() : win::Dialog(4242) {}
  } dialog;
  EXPECT_EQ(dialog.RunModal(nullptr), -1);
  EXPECT_EQ(dialog.CreateModeless(nullptr), nullptr);
}

// At 150% every control lands at 1.5 times its 96-DPI place (the combo box keeps its own field
// height), and the dialog keeps its centre; back at 96 DPI all is where the template put it.
TEST(Dialog, ScaledLayoutIsTheTemplatesLayoutTimesTheScale) {
  ProbeDialog dialog;
  HWND hwnd = dialog.CreateModeless(nullptr);
  ASSERT_NE(hwnd, nullptr);
  auto rectOf = [hwnd](HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  };
  const int ids[] = {IDC_TEST_BUTTON, IDC_TEST_EDIT, IDC_TEST_CHECK, IDC_TEST_COMBO};
  std::vector<RECT> at96;
  for (int id : ids) at96.push_back(rectOf(dialog.Item(id)));
  RECT client96 = {}, window96 = {};
  GetClientRect(hwnd, &client96);
  GetWindowRect(hwnd, &window96);

  for (UINT dpi : {144u, 96u}) {
    SCOPED_TRACE(dpi);
    win::LayOutScaled(hwnd, GetModuleHandleW(nullptr), IDD_TEST_PROBE, dpi);
    auto scale = [dpi](LONG value) { return win::ScaleToDpi(value, dpi); };
    for (size_t n = 0; n < std::size(ids); ++n) {
      const RECT now = rectOf(dialog.Item(ids[n]));
      const RECT wanted = {scale(at96[n].left), scale(at96[n].top), scale(at96[n].right),
                           ids[n] == IDC_TEST_COMBO ? now.bottom : scale(at96[n].bottom)};
      EXPECT_TRUE(EqualRect(&now, &wanted)) << ids[n];
    }
    RECT client = {}, window = {};
    GetClientRect(hwnd, &client);
    GetWindowRect(hwnd, &window);
    EXPECT_EQ(client.right, scale(client96.right));
    EXPECT_EQ(client.bottom, scale(client96.bottom));
    EXPECT_NEAR(window.left + window.right, window96.left + window96.right, 1);
    EXPECT_NEAR(window.top + window.bottom, window96.top + window96.bottom, 1);
  }
  dialog.End(0);
}

TEST(Seams, ScriptedPromptAnswersAndRecords) {
  testing_support::ScopedSeams seams;
  seams.script.promptAnswers = {IDNO, IDYES};
  HWND owner = reinterpret_cast<HWND>(0x1234);

  EXPECT_EQ(win::Prompt(owner, L"Delete it?", L"Vexa", MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(win::Prompt(nullptr, L"Really?", L"Vexa", MB_YESNO | MB_ICONSTOP), IDYES);
  // Unanswered prompts take their default button.
  EXPECT_EQ(win::Prompt(nullptr, L"Third", L"Vexa", MB_YESNO | MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(win::Prompt(nullptr, L"Fourth", L"Vexa", MB_OK), IDOK);

  ASSERT_EQ(seams.script.prompts.size(), 4u);
  EXPECT_EQ(seams.script.prompts[0].text, L"Delete it?");
  EXPECT_EQ(seams.script.prompts[0].caption, L"Vexa");
  EXPECT_EQ(seams.script.prompts[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(seams.script.prompts[0].owner, owner);
  EXPECT_EQ(seams.script.prompts[1].text, L"Really?");
}

TEST(Seams, FileDialogShellAndRestartAreScripted) {
  testing_support::ScopedSeams seams;
  seams.script.fileAnswers = {std::wstring(L"C:\\backup.bcd")};
  win::FileDialogRequest request;
  request.save = true;
  request.filter = L"Store|*.bcd";
  EXPECT_EQ(win::ChooseFile(nullptr, request), std::optional<std::wstring>(L"C:\\backup.bcd"));
  EXPECT_EQ(win::ChooseFile(nullptr, request), std::nullopt);  // nothing queued: cancelled
  ASSERT_EQ(seams.script.fileDialogs.size(), 2u);
  EXPECT_TRUE(seams.script.fileDialogs[0].request.save);

  seams.script.shellSucceeds = false;
  EXPECT_FALSE(win::ShellRun(nullptr, L"open", L"C:\\tool.exe", L"-x", L"C:\\", SW_SHOW));
  ASSERT_EQ(seams.script.shellCalls.size(), 1u);
  EXPECT_EQ(seams.script.shellCalls[0].parameters, L"-x");

  EXPECT_TRUE(win::RestartWindows(EWX_REBOOT, 0));
  ASSERT_EQ(seams.script.restarts.size(), 1u);
  EXPECT_EQ(seams.script.restarts[0].flags, static_cast<UINT>(EWX_REBOOT));
}

}  // namespace

namespace {

class ThrowingDialog : public win::Dialog {
 public:
  ThrowingDialog();
  int presses = 0;

 private:
  INT_PTR OnPress(WPARAM, LPARAM) {
    ++presses;
    throw std::runtime_error("handler failed");
  }
  static const win::MessageEntry<ThrowingDialog> kMessages[];
};

const win::MessageEntry<ThrowingDialog> ThrowingDialog::kMessages[] = {
    win::OnCommand(IDC_TEST_BUTTON, BN_CLICKED, &ThrowingDialog::OnPress),
};

ThrowingDialog::ThrowingDialog() : win::Dialog(IDD_TEST_PROBE, kMessages) {}

}  // namespace

TEST(Dialog, AHandlerThatThrowsLeavesTheWindowAndTheProgramRunning) {
  ThrowingDialog dialog;
  ASSERT_TRUE(dialog.CreateModeless(nullptr));
  win::Click(dialog.Item(IDC_TEST_BUTTON));
  win::Click(dialog.Item(IDC_TEST_BUTTON));
  EXPECT_EQ(dialog.presses, 2) << "the second click still reaches the handler";
  EXPECT_TRUE(IsWindow(dialog.Handle()));
  dialog.End(0);
}
