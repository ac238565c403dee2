// The boot store model shared by the bcdedit stand-in's commands, registry layout and file format:
// objects under braced GUIDs, each with a type and elements keyed by element number.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/BcdElements.h"

namespace standin {

struct Element {
  std::uint32_t number = 0;
  std::wstring text;                    // String; Object (lower-case GUID); Device (its text, options as GUID)
  std::vector<std::wstring> objects;    // ObjectList (lower-case GUIDs)
  std::vector<std::uint64_t> integers;  // Integer and Boolean (one value), IntegerList

  ElementFormat Format() const { return FormatOf(number); }
};

struct BcdObject {
  std::wstring guid;  // lower-case braced GUID
  std::uint32_t type = 0;
  std::map<std::uint32_t, Element> elements;

  const Element* Find(std::uint32_t number) const;
  void SetText(std::uint32_t number, std::wstring text);
  void SetObjects(std::uint32_t number, std::vector<std::wstring> guids);
  void SetInteger(std::uint32_t number, std::uint64_t value);
  void SetBoolean(std::uint32_t number, bool value) { SetInteger(number, value ? 1 : 0); }
};

struct BcdStore {
  std::map<std::wstring, BcdObject> objects;  // by lower-case GUID
  // The object the machine is running from; {current} means it. Empty when the store marks none.
  std::wstring current;

  BcdObject* Find(std::wstring_view guid);
  const BcdObject* Find(std::wstring_view guid) const;
  BcdObject& Add(const std::wstring& guid, std::uint32_t type);
  // The boot manager's default object, or empty.
  std::wstring DefaultGuid() const;
  // An identifier as typed (braced GUID in any case, a well-known alias, {current}, {default}) as the
  // GUID it stands for; nothing when it is none of these or names nothing ({current} unmarked).
  std::optional<std::wstring> Resolve(std::wstring_view identifier) const;
  // Objects ordered as bcdedit lists them: by type, then by GUID.
  std::vector<const BcdObject*> Ordered() const;
};

}  // namespace standin
