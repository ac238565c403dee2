// The manage-bde.exe stand-in: protection status as the exit code, suspending and resuming it.
#include <gtest/gtest.h>

#include "StandinRun.h"
#include "common/StandinState.h"

using namespace standin_tests;

TEST(ManageBde, StatusAndProtectorsFollowTheDrivesRecordedState) {
  StandinSandbox sandbox;
  const struct {
    const wchar_t* state;  // of C: before the run; "" none recorded (not encrypted)
    const wchar_t* arguments;
    DWORD exitCode;
    const char* says;
    const wchar_t* after;
  } cases[] = {
      {L"", L" -status C: -protectionaserrorlevel", 1, "Protection Status:    Protection Off\r\n", L""},
      {L"on", L" -status c: -p", 0, "Protection Status:    Protection On\r\n", L"on"},
      {L"suspended 2", L" /Status C: -ProtectionAsErrorLevel", 1, "Protection Off (2 reboots left)", L"suspended 2"},
      {L"on", L" -protectors -disable C: -RebootCount 1", 0, "Key protectors are disabled", L"suspended 1"},
      {L"off", L" -protectors -disable C:", 0x80310001, "ERROR: An error occurred (code 0x80310001):", L"off"},
      {L"on", L" -status Q: -protectionaserrorlevel", 0x80070057, "ERROR: The volume Q: could not be opened", L"on"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.arguments);
    if (*c.state) ASSERT_TRUE(standin::RecordState(L"manage-bde", L"C:", c.state));
    ToolResult result = sandbox.Run(L"manage-bde", c.arguments);
    EXPECT_EQ(result.exitCode, c.exitCode) << result.output;
    EXPECT_NE(result.output.find(c.says), std::string::npos) << result.output;
    EXPECT_EQ(standin::ReadState(L"manage-bde", L"C:"), c.after);
  }
}
