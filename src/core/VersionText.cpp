// Version and tray tip texts.
#include "core/VersionText.h"

#include "core/Format.h"

core::String VersionText(std::uint32_t fileVersionMS, std::uint32_t fileVersionLS) {
  const auto high = [](std::uint32_t value) { return static_cast<int>(value >> 16); };
  const auto low = [](std::uint32_t value) { return static_cast<int>(value & 0xFFFF); };
  return core::Format(T16("Version : %d.%d  Build %04d.%04d "), high(fileVersionMS), low(fileVersionMS),
                      high(fileVersionLS), low(fileVersionLS)) +
         T16("( Beta for Test )");
}

core::String TrayTipText(const core::String& appTitle, const core::String& line, const core::String& detail,
                         bool balloonCapable) {
  const core::String prefix = balloonCapable ? appTitle + T16("\r\n") : T16("");
  const size_t limit = balloonCapable ? 128 : 64;
  if ((prefix + line + detail).size() > limit) return line.size() > limit ? appTitle : prefix + line;
  return prefix + line + T16(".") + detail;
}
