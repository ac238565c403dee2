// The settings of BitLocker's default validation profile that have a bcdedit name.
#include "core/BitLockerSettings.h"

#include "core/Strings.h"

namespace {

// Checked for every boot application, the boot manager included.
constexpr const core::Char* kEveryApplication[] = {
    T16("device"),     T16("path"),         T16("loadoptions"), T16("bootdebug"),       T16("advancedoptions"),
    T16("optionsedit"), T16("nointegritychecks"), T16("testsigning"), T16("isolatedcontext"), T16("forcefipscrypto"),
};
// Checked besides for Windows loaders. Their device (osdevice), PAE, safe mode, HAL detection and
// menu style are not: BitLocker lets those change.
constexpr const core::Char* kWindowsLoader[] = {
    T16("systemroot"), T16("kernel"),       T16("hal"),           T16("evstore"),
    T16("nx"),         T16("restrictapiccluster"), T16("winpe"),  T16("lastknowngood"),
    T16("safebootalternateshell"), T16("debug"), T16("hypervisordebug"), T16("hypervisorusevapic"),
};

template <size_t N>
bool Lists(const core::Char* const (&names)[N], const core::String& name) {
  for (const core::Char* listed : names)
    if (core::EqualsNoCase(name, listed)) return true;
  return false;
}

}  // namespace

bool BitLockerChecks(const core::String& element, bool windowsLoader) {
  core::String name = core::TrimText(element);
  return Lists(kEveryApplication, name) || (windowsLoader && Lists(kWindowsLoader, name));
}
