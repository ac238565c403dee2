// Composition of the logon task's definition.
#include "core/LogonTask.h"

#include "core/Format.h"

core::String XmlText(const core::String& text) {
  core::String escaped;
  for (core::Char c : text) {
    if (c == T16('&'))
      escaped += T16("&amp;");
    else if (c == T16('<'))
      escaped += T16("&lt;");
    else if (c == T16('>'))
      escaped += T16("&gt;");
    else
      escaped += c;
  }
  return escaped;
}

core::String LogonTaskDefinition(const core::String& userId, const core::String& program,
                                 const core::String& arguments) {
  // Schema 1.2 (Windows 7) is the first with a logon trigger's delay; the delay lets the taskbar
  // come up before the program adds its icon. Priority 7, the scheduler's default, would run the
  // window below normal priority; 4 is a normal interactive program's.
  const core::Char* const kTemplate =
      T16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
          "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\r\n"
          "  <RegistrationInfo>\r\n"
          "    <Description>Starts Vexa in the notification area at logon.</Description>\r\n"
          "  </RegistrationInfo>\r\n"
          "  <Triggers>\r\n"
          "    <LogonTrigger>\r\n"
          "      <Enabled>true</Enabled>\r\n"
          "      <UserId>%s</UserId>\r\n"
          "      <Delay>PT30S</Delay>\r\n"
          "    </LogonTrigger>\r\n"
          "  </Triggers>\r\n"
          "  <Principals>\r\n"
          "    <Principal id=\"Author\">\r\n"
          "      <UserId>%s</UserId>\r\n"
          "      <LogonType>InteractiveToken</LogonType>\r\n"
          "      <RunLevel>HighestAvailable</RunLevel>\r\n"
          "    </Principal>\r\n"
          "  </Principals>\r\n"
          "  <Settings>\r\n"
          "    <MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>\r\n"
          "    <DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>\r\n"
          "    <StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>\r\n"
          "    <ExecutionTimeLimit>PT0S</ExecutionTimeLimit>\r\n"
          "    <Priority>4</Priority>\r\n"
          "    <Enabled>true</Enabled>\r\n"
          "  </Settings>\r\n"
          "  <Actions Context=\"Author\">\r\n"
          "    <Exec>\r\n"
          "      <Command>\"%s\"</Command>\r\n"
          "      <Arguments>%s</Arguments>\r\n"
          "    </Exec>\r\n"
          "  </Actions>\r\n"
          "</Task>\r\n");
  const core::String user = XmlText(userId);
  return core::Format(kTemplate, user, user, XmlText(program), XmlText(arguments));
}
