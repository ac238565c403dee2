// A boot store laid out in the registry the way Windows mounts it (Objects\{id}\Elements\NNNNNNNN,
// value "Element"), under a key of HKEY_LOCAL_MACHINE that is removed before and after the test.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "TestSupport.h"

namespace testing_support {

class StoreHive {
 public:
  // A key name unique to this test process, so a real store is never touched.
  StoreHive();
  explicit StoreHive(std::wstring keyName);

  const std::wstring& KeyName() const { return keyName_; }
  bool SetText(const std::wstring& identifier, const std::wstring& element, const std::wstring& text,
               DWORD type = REG_SZ) const;
  // Eight little-endian bytes, as the store keeps integers.
  bool SetInteger(const std::wstring& identifier, const std::wstring& element, std::uint64_t value) const;
  bool SetBytes(const std::wstring& identifier, const std::wstring& element, const std::string& bytes) const;

 private:
  bool SetElement(const std::wstring& identifier, const std::wstring& element, DWORD type, const void* data,
                  DWORD size) const;

  std::wstring keyName_;
  RegistryKeyGuard guard_;
};

}  // namespace testing_support
