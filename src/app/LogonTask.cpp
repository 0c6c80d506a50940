#include "app/LogonTask.h"

namespace tandrel {
namespace {

// Element text may hold any path character but these three.
std::string EscapedXmlText(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      default: escaped += c; break;
    }
  }
  return escaped;
}

}  // namespace

std::string LogonTaskXml(const std::string& executablePath) {
  // The text reaches the service as a wide string, hence UTF-16. S-1-5-32-545
  // is the built-in Users group under every language of Windows.
  return "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
         "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\r\n"
         "  <RegistrationInfo>\r\n"
         "    <Description>Velmora (定时关机)</Description>\r\n"
         "  </RegistrationInfo>\r\n"
         "  <Triggers>\r\n"
         "    <LogonTrigger>\r\n"
         "      <Enabled>true</Enabled>\r\n"
         "    </LogonTrigger>\r\n"
         "  </Triggers>\r\n"
         "  <Principals>\r\n"
         "    <Principal id=\"Users\">\r\n"
         "      <GroupId>S-1-5-32-545</GroupId>\r\n"
         "      <RunLevel>HighestAvailable</RunLevel>\r\n"
         "    </Principal>\r\n"
         "  </Principals>\r\n"
         "  <Settings>\r\n"
         "    <MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>\r\n"
         "    <DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>\r\n"
         "    <StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>\r\n"
         "    <ExecutionTimeLimit>PT0S</ExecutionTimeLimit>\r\n"
         "    <Enabled>true</Enabled>\r\n"
         "  </Settings>\r\n"
         "  <Actions Context=\"Users\">\r\n"
         "    <Exec>\r\n"
         "      <Command>\"" +
         EscapedXmlText(executablePath) +
         "\"</Command>\r\n"
         "      <Arguments>au</Arguments>\r\n"
         "    </Exec>\r\n"
         "  </Actions>\r\n"
         "</Task>\r\n";
}

}  // namespace tandrel
