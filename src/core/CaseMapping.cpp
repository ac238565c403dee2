// Upper case of a UTF-16 unit by the table of Windows' ordinal comparison (see CaseTable.inc).
#include <algorithm>
#include <iterator>

#include "core/Portable.h"

namespace core {
namespace {

struct CaseRun {
  char16_t first;
  char16_t last;
  int distance;
  unsigned char stride;
};

constexpr CaseRun kRuns[] = {
#include "core/CaseTable.inc"
};

}  // namespace

Char UpperCaseUnit(Char c) {
  const auto unit = static_cast<char16_t>(c);
  // The last run that starts at or before the unit.
  auto after = std::upper_bound(std::begin(kRuns), std::end(kRuns), unit,
                                [](char16_t value, const CaseRun& run) { return value < run.first; });
  if (after == std::begin(kRuns)) return c;
  const CaseRun& run = *std::prev(after);
  if (unit > run.last || (unit - run.first) % run.stride != 0) return c;
  return static_cast<Char>(unit + run.distance);
}

}  // namespace core
