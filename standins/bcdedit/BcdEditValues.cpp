// The bcdedit stand-in's element commands: /set, /deletevalue, /default, /displayorder (and
// /toolsdisplayorder, /bootsequence), /timeout.
#include <algorithm>

#include "bcdedit/BcdEdit.h"
#include "bcdedit/Messages.h"
#include "common/BcdIds.h"
#include "common/DeviceText.h"
#include "common/Text.h"

namespace standin {

using namespace bcdedit_text;

namespace {

bool LooksLikeIdentifier(const std::wstring& text) { return !text.empty() && text[0] == L'{'; }

enum class ListChange { Replace, AddFirst, AddLast, Remove };

// Object list operands: identifiers that replace the list, or one identifier with /addfirst,
// /addlast or /remove. False when they are neither.
bool ParseListOperands(const std::vector<std::wstring>& args, std::vector<std::wstring>& identifiers,
                       ListChange& change) {
  change = ListChange::Replace;
  for (const auto& arg : args) {
    ListChange option = ListChange::Replace;
    if (EqualsNoCase(arg, L"/addfirst")) option = ListChange::AddFirst;
    else if (EqualsNoCase(arg, L"/addlast")) option = ListChange::AddLast;
    else if (EqualsNoCase(arg, L"/remove")) option = ListChange::Remove;
    else if (!arg.empty() && arg[0] == L'/') return false;
    if (option == ListChange::Replace) {
      identifiers.push_back(arg);
    } else {
      if (change != ListChange::Replace) return false;
      change = option;
    }
  }
  return !identifiers.empty() && (change == ListChange::Replace || identifiers.size() == 1);
}

std::vector<std::wstring> ChangeList(std::vector<std::wstring> list, ListChange change,
                                     const std::vector<std::wstring>& guids) {
  auto without = [&list](const std::wstring& guid) { list.erase(std::remove(list.begin(), list.end(), guid), list.end()); };
  switch (change) {
    case ListChange::Replace: return guids;
    case ListChange::AddFirst: without(guids[0]); list.insert(list.begin(), guids[0]); break;
    case ListChange::AddLast: without(guids[0]); list.push_back(guids[0]); break;
    case ListChange::Remove: without(guids[0]); break;
  }
  return list;
}

}  // namespace

bool BcdEdit::ExistingGuids(const Args& identifiers, std::vector<std::wstring>& guids) {
  for (const auto& identifier : identifiers) {
    BcdObject* entry = Reference(identifier);
    if (!entry) return false;
    guids.push_back(entry->guid);
  }
  return true;
}

int BcdEdit::Set(const Args& args) {
  // The identifier may be left out; it then means {current}.
  size_t at = LooksLikeIdentifier(args.empty() ? L"" : args[0]) ? 1 : 0;
  std::wstring identifier = at ? args[0] : L"{current}";
  if (args.size() < at + 2) return InvalidCommand(L"set");
  if (!OpenStore()) return 1;
  BcdObject* object = Reference(identifier);
  if (!object) return 1;
  auto number = ElementNumber(args[at], object->type);
  if (!number) return Fail({kElementUnknown, kRunHelp, kElementNotFound});

  Args values(args.begin() + at + 1, args.end());
  ElementFormat format = FormatOf(*number);
  if (format != ElementFormat::ObjectList && format != ElementFormat::IntegerList && values.size() != 1)
    return InvalidCommand(L"set");
  Args identifiers;
  ListChange change = ListChange::Replace;
  if (format == ElementFormat::ObjectList && !ParseListOperands(values, identifiers, change))
    return InvalidCommand(L"set");

  Element element;
  element.number = *number;
  const std::wstring& value = values[0];
  switch (format) {
    case ElementFormat::String:
      element.text = value;
      break;
    case ElementFormat::Device: {
      auto device = ParseDeviceText(value, store_);
      if (!device) return Fail({kSetFailed, kParameterIncorrect});
      element.text = *device;
      break;
    }
    case ElementFormat::Object: {
      auto guid = store_.Resolve(value);
      if (!guid) return Fail({kSetFailed, kParameterIncorrect});
      element.text = *guid;
      break;
    }
    case ElementFormat::ObjectList: {
      for (const auto& item : identifiers)
        if (!store_.Resolve(item)) return Fail({kSetFailed, kParameterIncorrect});
      // A menu or boot sequence that names a missing entry would start nothing.
      std::vector<std::wstring> guids;
      if (!ExistingGuids(identifiers, guids)) return 1;
      const Element* existing = object->Find(*number);
      element.objects = ChangeList(existing ? existing->objects : std::vector<std::wstring>(), change, guids);
      break;
    }
    case ElementFormat::Boolean: {
      auto flag = ParseBoolean(value);
      if (!flag) return Fail({kSetFailed, kParameterIncorrect});
      element.integers = {*flag ? 1u : 0u};
      break;
    }
    case ElementFormat::Integer:
    case ElementFormat::IntegerList:
      for (const auto& item : values) {
        std::uint64_t n = 0;
        if (auto named = NamedValue(*number, object->type, item)) n = *named;
        else if (!ParseNumber(item, n)) return Fail({kIntegerInvalid, kRunHelp, kParameterIncorrect});
        element.integers.push_back(n);
      }
      break;
  }
  if (format == ElementFormat::ObjectList && element.objects.empty()) object->elements.erase(*number);
  else object->elements[*number] = element;
  if (!SaveStore()) return 1;
  return Succeed();
}

int BcdEdit::DeleteValue(const Args& args) {
  size_t at = LooksLikeIdentifier(args.empty() ? L"" : args[0]) ? 1 : 0;
  std::wstring identifier = at ? args[0] : L"{current}";
  if (args.size() != at + 1) return InvalidCommand(L"deletevalue");
  if (!OpenStore()) return 1;
  BcdObject* object = Reference(identifier);
  if (!object) return 1;
  auto number = ElementNumber(args[at], object->type);
  if (!number) return Fail({kElementUnknown, kRunHelp, kElementNotFound});
  if (!object->elements.erase(*number)) return Fail({kDeleteValueFailed, kElementNotFound});
  if (!SaveStore()) return 1;
  return Succeed();
}

int BcdEdit::Default(const Args& args) {
  if (args.size() != 1) return InvalidCommand(L"default");
  if (!OpenStore()) return 1;
  BcdObject* manager = Reference(L"{bootmgr}");
  if (!manager) return 1;
  BcdObject* entry = Reference(args[0]);
  if (!entry) return 1;
  manager->SetText(element::kDefault, entry->guid);
  if (!SaveStore()) return 1;
  return Succeed();
}

int BcdEdit::ListOrder(const Args& args, std::uint32_t number, const wchar_t* command) {
  Args identifiers;
  ListChange change = ListChange::Replace;
  if (!ParseListOperands(args, identifiers, change)) return InvalidCommand(command);
  if (!OpenStore()) return 1;
  BcdObject* manager = Reference(L"{bootmgr}");
  if (!manager) return 1;
  std::vector<std::wstring> guids;
  if (!ExistingGuids(identifiers, guids)) return 1;
  const Element* existing = manager->Find(number);
  std::vector<std::wstring> list = ChangeList(existing ? existing->objects : std::vector<std::wstring>(), change, guids);
  if (list.empty()) manager->elements.erase(number);
  else manager->SetObjects(number, list);
  if (!SaveStore()) return 1;
  return Succeed();
}

int BcdEdit::Timeout(const Args& args) {
  if (args.size() != 1) return InvalidCommand(L"timeout");
  std::uint64_t seconds = 0;
  if (!ParseNumber(args[0], seconds)) return Fail({kIntegerInvalid, kRunHelp, kParameterIncorrect});
  if (!OpenStore()) return 1;
  BcdObject* manager = Reference(L"{bootmgr}");
  if (!manager) return 1;
  manager->SetInteger(element::kTimeout, seconds);
  if (!SaveStore()) return 1;
  return Succeed();
}

}  // namespace standin
