// Ordinal comparison ignoring case as Windows makes it, trimming, and lengths counted in UTF-16
// units on every build. The expected answers were taken from CompareStringOrdinal; under Wine the
// test asks it again, and checks the whole mapping table against the system's own.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <vector>
#endif

#include "core/StoreCommands.h"
#include "core/Strings.h"

namespace {

const struct {
  const core::Char* a;
  const core::Char* b;
  bool equal;
} kNoCaseCases[] = {
    {T16("identifier"), T16("IDENTIFIER"), true},
    {T16("{AE5534E0-a924}"), T16("{ae5534e0-A924}"), true},
    {T16("\u00ff"), T16("\u0178"), true},              // y with diaeresis: its capital lies outside Latin-1
    {T16("\u00e9t\u00e9"), T16("\u00c9T\u00c9"), true},
    {T16("\u03c3"), T16("\u03a3"), true},              // sigma
    {T16("\u03c2"), T16("\u03a3"), false},             // final sigma has no simple capital in the table
    {T16("\u0434\u0436"), T16("\u0414\u0416"), true},  // Cyrillic
    {T16("\uab70"), T16("\u13a0"), true},              // Cherokee small letters map down the code space
    {T16("\uff41"), T16("\uff21"), true},              // fullwidth
    {T16("\u00df"), T16("\u1e9e"), false},             // sharp s: no one-to-one capital
    {T16("\u00df"), T16("SS"), false},
    {T16("\u0131"), T16("I"), false},                  // dotless i
    {T16("i"), T16("\u0130"), false},                  // capital I with dot
    {T16("\u017f"), T16("S"), false},                  // long s
    {T16("\u01c6"), T16("\u01c4"), true},              // dz with caron: small to capital
    {T16("\u01c5"), T16("\u01c4"), false},             // its title case is a letter of its own
    // Outside the Basic Multilingual Plane the units are compared one by one: Deseret's small and
    // capital letters differ, a pair equals only itself, and lone surrogates are plain units.
    {T16("\U00010428"), T16("\U00010400"), false},
    {T16("\U00010428"), T16("\U00010428"), true},
    {T16("a\xd801"), T16("A\xd801"), true},
    {T16("\xdc00"), T16("\xdc28"), false},
    {T16("abc"), T16("abcd"), false},
};

}  // namespace

TEST(Strings, NoCaseComparisonAsWindowsMakesIt) {
  for (const auto& c : kNoCaseCases) {
    EXPECT_EQ(core::EqualsNoCase(c.a, c.b), c.equal) << testing::PrintToString(core::String(c.a));
#ifdef _WIN32
    EXPECT_EQ(CompareStringOrdinal(c.a, -1, c.b, -1, TRUE) == CSTR_EQUAL, c.equal)
        << "the system disagrees on " << testing::PrintToString(core::String(c.a));
#endif
  }
  EXPECT_EQ(core::FindNoCase(T16("x /DisplayOrder \u0414"), T16("displayorder \u0434")), 3u);
  EXPECT_EQ(core::ReplaceFirstNoCase(T16("a Partition=C: partition=D:"), T16("PARTITION="), T16("")),
            T16("a C: partition=D:"));
  EXPECT_TRUE(core::StartsWithNoCase(T16("RAMDISK=[C:]"), T16("ramdisk=[")));
}

#ifdef _WIN32
// Every unit against the system: the table's upper case is the system's, and ordering the units
// by it gives the order (and the ties) CompareStringOrdinal sees, so no equivalence is missed.
TEST(Strings, CaseTableIsTheSystemsForEveryUnit) {
  using UpcaseFn = WCHAR(WINAPI*)(WCHAR);
  auto upcase = reinterpret_cast<UpcaseFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlUpcaseUnicodeChar")));
  ASSERT_NE(upcase, nullptr);
  std::vector<std::pair<wchar_t, wchar_t>> byUpper;
  int mismatches = 0;
  for (unsigned u = 0; u < 0x10000; ++u) {
    const auto c = static_cast<wchar_t>(u);
    if (core::UpperCaseUnit(c) != upcase(c) && ++mismatches <= 5) ADD_FAILURE() << "unit " << std::hex << u;
    byUpper.emplace_back(core::UpperCaseUnit(c), c);
  }
  EXPECT_EQ(mismatches, 0);
  std::sort(byUpper.begin(), byUpper.end());
  int disorder = 0;
  for (size_t i = 1; i < byUpper.size(); ++i) {
    const wchar_t a = byUpper[i - 1].second, b = byUpper[i].second;
    int expected = byUpper[i - 1].first == byUpper[i].first ? CSTR_EQUAL : CSTR_LESS_THAN;
    if (CompareStringOrdinal(&a, 1, &b, 1, TRUE) != expected && ++disorder <= 5) {
      ADD_FAILURE() << "units " << std::hex << unsigned(a) << " and " << unsigned(b);
    }
  }
  EXPECT_EQ(disorder, 0);
}
#endif

TEST(Strings, TrimmingAndReplacing) {
  EXPECT_EQ(core::TrimText(T16(" \t\r\n\v\fa b\f\v\n\r\t ")), T16("a b"));
  // A no-break space is not a blank of ours.
  EXPECT_EQ(core::TrimText(T16("\u00a0x\u00a0")), T16("\u00a0x\u00a0"));
  EXPECT_EQ(core::TrimLeft(T16("  ")), T16(""));
  // Left to right, never overlapping, never searching the text just put in.
  const struct {
    const core::Char* text;
    const core::Char* from;
    const core::Char* to;
    const core::Char* result;
  } cases[] = {
      {T16("aaa"), T16("a"), T16("aa"), T16("aaaaaa")},
      {T16("abc"), T16(""), T16("x"), T16("abc")},
      {T16("aaaaa"), T16("aa"), T16("b"), T16("bba")},
      {T16("\r\n\r\n\r\n"), T16("\r\n\r\n"), T16("\n\n"), T16("\n\n\r\n")},
      {T16("x\r\n"), T16("\r\n"), T16(""), T16("x")},
      {T16("ab"), T16("abc"), T16("x"), T16("ab")},
      {T16("abab"), T16("ab"), T16("abab"), T16("abababab")},
  };
  for (const auto& c : cases) EXPECT_EQ(core::ReplaceAll(c.text, c.from, c.to), c.result);
}

TEST(Strings, CommandLineLimitCountsUtf16Units) {
  // 1,023 units and the terminator fill the buffer; a character outside the Basic Multilingual
  // Plane takes two of them on every build.
  EXPECT_TRUE(FitsCommandLine(core::String(1023, T16('x'))));
  EXPECT_FALSE(FitsCommandLine(core::String(1024, T16('x'))));
  core::String pairs;
  for (int i = 0; i < 511; ++i) pairs += T16("\U0001F600");
  EXPECT_EQ(pairs.size(), 1022u);
  EXPECT_TRUE(FitsCommandLine(pairs + T16("x")));
  EXPECT_FALSE(FitsCommandLine(pairs + T16("\U0001F600")));
}
