// Argument handling, store access and the listing command of the bcdedit stand-in.
#include "bcdedit/BcdEdit.h"

#include <windows.h>

#include <algorithm>

#include "bcdedit/Messages.h"
#include "common/BcdIds.h"
#include "common/FileStore.h"
#include "common/Journal.h"
#include "common/Listing.h"
#include "common/RegistryStore.h"
#include "common/Text.h"

namespace standin {

using namespace bcdedit_text;

std::wstring SystemErrorText(unsigned long code) {
  // Wine's system message table words several of these differently from Windows.
  switch (code) {
    case ERROR_FILE_NOT_FOUND: return L"The system cannot find the file specified.";
    case ERROR_PATH_NOT_FOUND: return L"The system cannot find the path specified.";
    case ERROR_ACCESS_DENIED: return L"Access is denied.";
    case ERROR_SHARING_VIOLATION: return L"The process cannot access the file because it is being used by another process.";
    case ERROR_FILE_EXISTS: return L"The file exists.";
    case ERROR_ALREADY_EXISTS: return L"Cannot create a file when that file already exists.";
    case ERROR_INVALID_NAME: return L"The filename, directory name, or volume label syntax is incorrect.";
    case ERROR_FILE_CORRUPT: return L"The file or directory is corrupted and unreadable.";
    default: break;
  }
  wchar_t* buffer = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = buffer ? Trim(buffer) : L"Error " + std::to_wstring(code) + L".";
  if (buffer) LocalFree(buffer);
  return text;
}

namespace {

// Entries the firmware starts by itself. Application types 1 and 2 (the firmware and the Windows
// boot manager) carry the firmware image type as well, but they are managers, not entries.
bool IsFirmwareApplication(std::uint32_t type) {
  std::uint32_t application = type & 0xFFFFF;
  return (type & 0xFFF00000) == 0x10100000 && application != 1 && application != 2;
}

// The firmware's boot menu as /enum FIRMWARE lists it: {fwbootmgr}, the entries of its displayorder
// in that order ({bootmgr} among them), then the firmware's entries that are on no menu. A BIOS
// store has none of these.
std::vector<const BcdObject*> FirmwareObjects(const BcdStore& store) {
  std::vector<const BcdObject*> objects;
  auto add = [&objects](const BcdObject* object) {
    if (object && std::find(objects.begin(), objects.end(), object) == objects.end()) objects.push_back(object);
  };
  if (const BcdObject* manager = store.Find(kFwBootMgrGuid)) {
    add(manager);
    if (const Element* order = manager->Find(element::kDisplayOrder))
      for (const auto& guid : order->objects) add(store.Find(guid));
  }
  for (const BcdObject* object : store.Ordered())
    if (IsFirmwareApplication(object->type)) add(object);
  return objects;
}

}  // namespace

const wchar_t* BcdEdit::Said(const wchar_t* english) const {
  return InLanguage(english, EnvironmentValue(kLanguageVariable));
}

int BcdEdit::Fail(std::initializer_list<std::wstring> lines) {
  for (const auto& line : lines) console_.Line(line);
  return 1;
}

int BcdEdit::InvalidCommand(const wchar_t* command) {
  return Fail({std::wstring(L"The ") + command + L" command specified is not valid.", kRunHelp, kParameterIncorrect});
}

int BcdEdit::Succeed() {
  console_.Line(Said(kSuccess));
  return 0;
}

bool BcdEdit::OpenStore() {
  if (storeFile_) {
    unsigned long error = 0;
    switch (LoadStoreFile(*storeFile_, store_, error)) {
      case FileResult::Ok: return true;
      case FileResult::Missing: Fail({Said(kStoreNotOpened), SystemErrorText(ERROR_FILE_NOT_FOUND)}); return false;
      default: Fail({Said(kStoreNotOpened), SystemErrorText(error)}); return false;
    }
  }
  if (RegistryStore(registryRoot_).Load(store_)) return true;
  Fail({Said(kStoreNotOpened), SystemErrorText(ERROR_FILE_NOT_FOUND)});
  return false;
}

bool BcdEdit::SaveStore() {
  if (storeFile_) {
    unsigned long error = 0;
    if (SaveStoreFile(*storeFile_, store_, false, error)) return true;
    Fail({kStoreWriteFailed, SystemErrorText(error)});
    return false;
  }
  if (RegistryStore(registryRoot_).Save(store_)) return true;
  Fail({kStoreWriteFailed, SystemErrorText(ERROR_ACCESS_DENIED)});
  return false;
}

BcdObject* BcdEdit::Reference(const std::wstring& identifier) {
  auto guid = store_.Resolve(identifier);
  if (!guid) {
    // {current} and {default} are well formed but may name nothing; anything else is malformed.
    bool virtualId = EqualsNoCase(identifier, L"{current}") || EqualsNoCase(identifier, L"{default}");
    Fail({kReferenceError, virtualId ? SystemErrorText(ERROR_FILE_NOT_FOUND) : std::wstring(kParameterIncorrect)});
    return nullptr;
  }
  BcdObject* object = store_.Find(*guid);
  if (!object) Fail({kReferenceError, SystemErrorText(ERROR_FILE_NOT_FOUND)});
  return object;
}

int BcdEdit::Run(std::vector<std::wstring> args) {
  // /store FILE and /v may stand anywhere; everything else belongs to the command.
  Args rest;
  for (size_t i = 0; i < args.size(); ++i) {
    if (EqualsNoCase(args[i], L"/store")) {
      if (i + 1 >= args.size()) return InvalidCommand(L"store");
      storeFile_ = args[++i];
    } else if (EqualsNoCase(args[i], L"/v")) {
      verbose_ = true;
    } else {
      rest.push_back(args[i]);
    }
  }
  if (rest.empty()) return Enum({});

  std::wstring command = Lower(rest.front());
  Args operands(rest.begin() + 1, rest.end());
  if (command == L"/enum") return Enum(operands);
  if (command == L"/set") return Set(operands);
  if (command == L"/deletevalue") return DeleteValue(operands);
  if (command == L"/create") return Create(operands);
  if (command == L"/copy") return Copy(operands);
  if (command == L"/delete") return Delete(operands);
  if (command == L"/default") return Default(operands);
  if (command == L"/displayorder") return ListOrder(operands, element::kDisplayOrder, L"displayorder");
  if (command == L"/toolsdisplayorder") return ListOrder(operands, element::kToolsDisplayOrder, L"toolsdisplayorder");
  if (command == L"/bootsequence") return ListOrder(operands, element::kBootSequence, L"bootsequence");
  if (command == L"/timeout") return Timeout(operands);
  if (command == L"/export") return Export(operands);
  if (command == L"/import") return Import(operands);
  if (command == L"/createstore") return CreateStore(operands);
  if (command == L"/?" || command == L"/help") return Help();
  if (command == L"/vexa-seed-demo") return SeedDemo(operands);
  if (command == L"/vexa-current") return MarkCurrent(operands);
  return Fail({kInvalidSwitch + rest.front(), kRunHelp, kParameterIncorrect});
}

int BcdEdit::Enum(const Args& args) {
  if (args.size() > 1) return InvalidCommand(L"enum");
  std::wstring what = args.empty() ? L"ACTIVE" : Upper(args[0]);
  if (!OpenStore()) return 1;

  std::vector<const BcdObject*> objects;
  if (!what.empty() && what[0] == L'{') {
    const BcdObject* object = Reference(args[0]);
    if (!object) return 1;
    objects.push_back(object);
  } else if (what == L"ACTIVE") {
    if (const BcdObject* manager = store_.Find(kBootMgrGuid)) {
      objects.push_back(manager);
      if (const Element* order = manager->Find(element::kDisplayOrder))
        for (const auto& guid : order->objects)
          if (const BcdObject* entry = store_.Find(guid)) objects.push_back(entry);
    }
  } else if (what == L"FIRMWARE") {
    objects = FirmwareObjects(store_);
  } else {
    auto matches = [&what](std::uint32_t type) {
      if (what == L"ALL") return true;
      if (what == L"BOOTMGR") return type == kTypeBootMgr;
      if (what == L"OSLOADER") return type == kTypeOsLoader;
      if (what == L"BOOTSECTOR") return type == kTypeBootSector;
      if (what == L"RESUME") return type == kTypeResume;
      if (what == L"INHERIT") return (type >> 28) == 2;
      if (what == L"BOOTAPP") return (type >> 28) == 1 && (type & 0x00F00000) != 0x00100000;
      return false;
    };
    static const wchar_t* const kTypes[] = {L"ALL",     L"BOOTMGR",  L"OSLOADER", L"BOOTSECTOR",
                                            L"RESUME",  L"INHERIT",  L"FIRMWARE", L"BOOTAPP"};
    bool known = false;
    for (const wchar_t* type : kTypes) known = known || what == type;
    if (!known) return InvalidCommand(L"enum");
    // The firmware's boot manager shares the boot manager's type here; the real tool's type sets it apart.
    for (const BcdObject* object : store_.Ordered())
      if (matches(object->type) && !(what == L"BOOTMGR" && object->guid == kFwBootMgrGuid)) objects.push_back(object);
  }
  if (objects.empty()) {
    console_.Line(kNoObjects);
    return 0;
  }
  console_.Text(FormatListing(store_, objects, verbose_, IdentifierKey(EnvironmentValue(kLanguageVariable))));
  return 0;
}

int BcdEdit::Help() {
  console_.Line();
  console_.Line(L"BCDEDIT - Boot Configuration Data Store Editor");
  console_.Line();
  console_.Line(L"The Bcdedit.exe command-line tool modifies the boot configuration data store.");
  console_.Line(L"This copy is a test stand-in; it keeps the system store in the registry.");
  console_.Line();
  console_.Line(L"Commands: /store /createstore /export /import /copy /create /delete /deletevalue /set");
  console_.Line(L"          /enum /v /bootsequence /default /displayorder /timeout /toolsdisplayorder");
  return 0;
}

}  // namespace standin
