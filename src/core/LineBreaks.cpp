// Line-break expansion of language-file values.
#include "core/LineBreaks.h"

core::String ExpandLineBreaks(const core::String& value) {
  core::String result;
  result.reserve(value.size());
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == T16('\\') && i + 1 < value.size() && value[i + 1] == T16('n')) {
      result += T16('\n');
      ++i;
    } else {
      result += value[i];
    }
  }
  return result;
}
