// Line breaks in language-file values, which can only hold one line each.
#pragma once
#include "core/Portable.h"

// Replaces every backslash-n pair of a language file value by a line break.
core::String ExpandLineBreaks(const core::String& value);
