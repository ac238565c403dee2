// The version line of the main window and the tray tip, from plain values.
#pragma once
#include <cstdint>

#include "core/Portable.h"

// "Version : 2.4  Build 2021.0625 ( Beta for Test )" for file version 2.4.2021.625 (the two
// 32-bit halves of the version resource, high word first).
core::String VersionText(std::uint32_t fileVersionMS, std::uint32_t fileVersionLS);

// The tray tip (and balloon text): title, line and detail as far as the shell's limit allows
// (128 UTF-16 units with balloons, 64 without).
core::String TrayTipText(const core::String& appTitle, const core::String& line, const core::String& detail,
                         bool balloonCapable);
