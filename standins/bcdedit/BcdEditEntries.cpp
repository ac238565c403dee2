// The bcdedit stand-in's entry commands: /create, /copy, /delete.
#include <algorithm>

#include "bcdedit/BcdEdit.h"
#include "bcdedit/Messages.h"
#include "common/BcdIds.h"
#include "common/Listing.h"
#include "common/Text.h"

namespace standin {

using namespace bcdedit_text;

namespace {

// The type a well-known object is created with when /create names it.
std::uint32_t WellKnownType(const std::wstring& alias) {
  static const struct {
    const wchar_t* alias;
    std::uint32_t type;
  } kTypes[] = {
      {L"{bootmgr}", kTypeBootMgr},          {L"{fwbootmgr}", kTypeFwBootMgr},
      {L"{memdiag}", kTypeMemDiag},          {L"{ntldr}", kTypeNtldr},
      {L"{ramdiskoptions}", kTypeDevice},    {L"{globalsettings}", kTypeInheritAny},
      {L"{dbgsettings}", kTypeInheritAny},   {L"{emssettings}", kTypeInheritAny},
      {L"{badmemory}", kTypeInheritAny},     {L"{bootloadersettings}", kTypeInheritOsLoader},
      {L"{hypervisorsettings}", kTypeInheritOsLoader}, {L"{resumeloadersettings}", kTypeInheritResume},
  };
  for (const auto& entry : kTypes)
    if (EqualsNoCase(alias, entry.alias)) return entry.type;
  return 0;
}

std::uint32_t ApplicationType(const std::wstring& name) {
  if (EqualsNoCase(name, L"BOOTSECTOR")) return kTypeBootSector;
  if (EqualsNoCase(name, L"OSLOADER")) return kTypeOsLoader;
  if (EqualsNoCase(name, L"RESUME")) return kTypeResume;
  if (EqualsNoCase(name, L"STARTUP")) return kTypeStartup;
  return 0;
}

std::uint32_t InheritType(const std::wstring& name) {
  if (name.empty()) return kTypeInheritAny;
  if (EqualsNoCase(name, L"OSLOADER")) return kTypeInheritOsLoader;
  if (EqualsNoCase(name, L"RESUME")) return kTypeInheritResume;
  if (EqualsNoCase(name, L"MEMDIAG")) return kTypeInheritMemDiag;
  return 0;
}

// Drops every reference to guid from the store: list entries, and object elements that name it.
void RemoveReferences(BcdStore& store, const std::wstring& guid) {
  for (auto& [id, object] : store.objects) {
    for (auto it = object.elements.begin(); it != object.elements.end();) {
      Element& element = it->second;
      if (element.Format() == ElementFormat::ObjectList) {
        element.objects.erase(std::remove(element.objects.begin(), element.objects.end(), guid), element.objects.end());
        if (element.objects.empty()) {
          it = object.elements.erase(it);
          continue;
        }
      } else if (element.Format() == ElementFormat::Object && element.text == guid) {
        it = object.elements.erase(it);
        continue;
      }
      ++it;
    }
  }
}

bool Referenced(const BcdStore& store, const std::wstring& guid) {
  for (const auto& [id, object] : store.objects)
    for (const auto& [number, element] : object.elements)
      if ((element.Format() == ElementFormat::Object && element.text == guid) ||
          (element.Format() == ElementFormat::ObjectList &&
           std::find(element.objects.begin(), element.objects.end(), guid) != element.objects.end()))
        return true;
  return false;
}

}  // namespace

int BcdEdit::Create(const Args& args) {
  std::wstring identifier;
  std::optional<std::wstring> description;
  std::uint32_t type = 0;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::wstring& arg = args[i];
    if (EqualsNoCase(arg, L"/d")) {
      if (i + 1 >= args.size()) return InvalidCommand(L"create");
      description = args[++i];
    } else if (EqualsNoCase(arg, L"/application")) {
      if (type || i + 1 >= args.size()) return InvalidCommand(L"create");
      type = ApplicationType(args[++i]);
      if (!type) return InvalidCommand(L"create");
    } else if (EqualsNoCase(arg, L"/inherit")) {
      if (type) return InvalidCommand(L"create");
      std::wstring kind = i + 1 < args.size() && args[i + 1][0] != L'/' ? args[++i] : L"";
      type = InheritType(kind);
      if (!type) return InvalidCommand(L"create");
    } else if (EqualsNoCase(arg, L"/device")) {
      if (type) return InvalidCommand(L"create");
      type = kTypeDevice;
    } else if (i == 0 && !arg.empty() && arg[0] == L'{') {
      identifier = arg;
    } else {
      return InvalidCommand(L"create");
    }
  }

  std::wstring guid;
  if (!identifier.empty()) {
    if (std::uint32_t known = WellKnownType(identifier)) {
      if (type && type != known) return InvalidCommand(L"create");
      type = known;
      guid = *GuidOfAlias(identifier);
    } else {
      guid = NormalizeGuid(identifier);
      if (guid.empty()) return InvalidCommand(L"create");
    }
  } else {
    guid = NewGuid();
  }
  // An application entry needs a description; a new settings or device object may do without.
  if (!type || ((type >> 28) == 1 && !description)) return InvalidCommand(L"create");

  if (!OpenStore()) return 1;
  if (store_.Find(guid)) return Fail({kCreateFailed, L"Cannot create a file when that file already exists."});
  BcdObject& object = store_.Add(guid, type);
  if (description) object.SetText(element::kDescription, *description);
  if (!SaveStore()) return 1;
  console_.Line(L"The entry " + AliasOfGuid(guid).value_or(guid) + L" was successfully created.");
  return 0;
}

int BcdEdit::Copy(const Args& args) {
  if (args.size() != 3 || !EqualsNoCase(args[1], L"/d")) return InvalidCommand(L"copy");
  if (!OpenStore()) return 1;
  BcdObject* source = Reference(args[0]);
  if (!source) return 1;
  BcdObject copy = *source;
  copy.guid = NewGuid();
  copy.SetText(element::kDescription, args[2]);
  store_.objects[copy.guid] = copy;
  // The copy of an entry on the boot menu joins the menu as its last item, as with the real tool.
  if (BcdObject* manager = store_.Find(kBootMgrGuid)) {
    const Element* order = manager->Find(element::kDisplayOrder);
    if (order && std::find(order->objects.begin(), order->objects.end(), source->guid) != order->objects.end()) {
      std::vector<std::wstring> menu = order->objects;
      menu.push_back(copy.guid);
      manager->SetObjects(element::kDisplayOrder, std::move(menu));
    }
  }
  if (!SaveStore()) return 1;
  std::wstring said = Said(kCopied);
  console_.Line(said.replace(said.find(L"%s"), 2, copy.guid));
  return 0;
}

int BcdEdit::Delete(const Args& args) {
  bool force = false;
  bool cleanup = true;
  Args identifiers;
  for (const auto& arg : args) {
    if (EqualsNoCase(arg, L"/f")) force = true;
    else if (EqualsNoCase(arg, L"/cleanup")) cleanup = true;
    else if (EqualsNoCase(arg, L"/nocleanup")) cleanup = false;
    else if (!arg.empty() && arg[0] == L'/') return InvalidCommand(L"delete");
    else identifiers.push_back(arg);
  }
  if (identifiers.size() != 1) return InvalidCommand(L"delete");
  if (!OpenStore()) return 1;
  BcdObject* object = Reference(identifiers[0]);
  if (!object) return 1;
  // Entries known by a fixed name (typed as an alias or carrying a well-known GUID) need /f.
  bool wellKnown = NormalizeGuid(identifiers[0]).empty() || AliasOfGuid(object->guid).has_value();
  if (wellKnown && !force) return Fail({kDeleteFailed, kWellKnownNeedsForce, kRunHelp, kParameterIncorrect});

  std::wstring guid = object->guid;
  std::wstring resume;
  if (const Element* resumeObject = object->Find(element::kLoaderResumeObject);
      resumeObject && object->type == kTypeOsLoader)
    resume = resumeObject->text;
  store_.objects.erase(guid);
  if (cleanup) {
    RemoveReferences(store_, guid);
    // The resume object of a deleted loader goes with it unless something else still uses it.
    if (!resume.empty() && store_.Find(resume) && !Referenced(store_, resume)) store_.objects.erase(resume);
  }
  if (store_.current == guid) store_.current.clear();
  if (!SaveStore()) return 1;
  return Succeed();
}

}  // namespace standin
