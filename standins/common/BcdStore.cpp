// The boot store model.
#include "common/BcdStore.h"

#include <algorithm>

#include "common/BcdIds.h"
#include "common/Text.h"

namespace standin {

const Element* BcdObject::Find(std::uint32_t number) const {
  auto it = elements.find(number);
  return it == elements.end() ? nullptr : &it->second;
}

void BcdObject::SetText(std::uint32_t number, std::wstring text) {
  Element element;
  element.number = number;
  element.text = std::move(text);
  elements[number] = std::move(element);
}

void BcdObject::SetObjects(std::uint32_t number, std::vector<std::wstring> guids) {
  Element element;
  element.number = number;
  element.objects = std::move(guids);
  elements[number] = std::move(element);
}

void BcdObject::SetInteger(std::uint32_t number, std::uint64_t value) {
  Element element;
  element.number = number;
  element.integers = {value};
  elements[number] = std::move(element);
}

BcdObject* BcdStore::Find(std::wstring_view guid) {
  auto it = objects.find(Lower(guid));
  return it == objects.end() ? nullptr : &it->second;
}

const BcdObject* BcdStore::Find(std::wstring_view guid) const {
  auto it = objects.find(Lower(guid));
  return it == objects.end() ? nullptr : &it->second;
}

BcdObject& BcdStore::Add(const std::wstring& guid, std::uint32_t type) {
  BcdObject& object = objects[Lower(guid)];
  object.guid = Lower(guid);
  object.type = type;
  return object;
}

std::wstring BcdStore::DefaultGuid() const {
  const BcdObject* manager = Find(kBootMgrGuid);
  const Element* element = manager ? manager->Find(element::kDefault) : nullptr;
  return element ? element->text : std::wstring();
}

std::optional<std::wstring> BcdStore::Resolve(std::wstring_view identifier) const {
  if (EqualsNoCase(identifier, L"{current}")) {
    if (current.empty()) return std::nullopt;
    return current;
  }
  if (EqualsNoCase(identifier, L"{default}")) {
    std::wstring guid = DefaultGuid();
    if (guid.empty()) return std::nullopt;
    return guid;
  }
  if (auto guid = GuidOfAlias(identifier)) return guid;
  std::wstring guid = NormalizeGuid(identifier);
  if (guid.empty()) return std::nullopt;
  return guid;
}

std::vector<const BcdObject*> BcdStore::Ordered() const {
  std::vector<const BcdObject*> list;
  for (const auto& [guid, object] : objects) list.push_back(&object);
  // bcdedit lists the firmware boot manager first, before the Windows boot manager whose type it
  // shares here; after them come the firmware's own entries, the loaders, resume loaders, tools,
  // the inherited settings and the device options, each kind in the order of its identifiers.
  auto rank = [](const BcdObject* object) {
    return EqualsNoCase(object->guid, kFwBootMgrGuid) ? std::uint64_t{0} : std::uint64_t{object->type} + 1;
  };
  std::stable_sort(list.begin(), list.end(),
                   [&rank](const BcdObject* a, const BcdObject* b) { return rank(a) < rank(b); });
  return list;
}

}  // namespace standin
