// The system store in the registry, laid out as Windows mounts the BCD hive under
// HKEY_LOCAL_MACHINE\BCD00000000:
//   Description                      KeyName (REG_SZ), System and TreatAsSystem (REG_DWORD 1),
//                                    VexaCurrentObject (REG_SZ): the running system's GUID ({current})
//   Objects\{guid}\Description       Type (REG_DWORD): the object type
//   Objects\{guid}\Elements\NNNNNNNN Element: REG_SZ for strings, objects and devices (device text),
//                                    REG_MULTI_SZ for object lists, REG_BINARY little-endian for
//                                    integers (8 bytes each) and booleans (1 byte)
#pragma once
#include <string>

#include "common/BcdStore.h"

namespace standin {

// Tests may keep their store under another HKLM key than the system's.
inline constexpr wchar_t kRootVariable[] = L"VEXA_BCD_ROOT";
inline constexpr wchar_t kDefaultRoot[] = L"BCD00000000";
inline constexpr wchar_t kCurrentValue[] = L"VexaCurrentObject";

// HKLM subkey of the system store: VEXA_BCD_ROOT when set, else BCD00000000.
std::wstring SystemStoreRoot();

class RegistryStore {
 public:
  explicit RegistryStore(std::wstring root) : root_(std::move(root)) {}

  // False when the store key is missing or unreadable.
  bool Load(BcdStore& store) const;
  // Makes the registry hold exactly the store: writes every object and element, removes the rest.
  bool Save(const BcdStore& store) const;

 private:
  std::wstring root_;
};

}  // namespace standin
