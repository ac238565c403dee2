// The bcdedit stand-in's store file commands (/export, /import, /createstore) and its two hidden
// commands for tests and the demo: /vexa-seed-demo and /vexa-current.
#include <windows.h>

#include "bcdedit/BcdEdit.h"
#include "bcdedit/Messages.h"
#include "common/DemoStore.h"
#include "common/FileStore.h"
#include "common/Text.h"

namespace standin {

using namespace bcdedit_text;

int BcdEdit::Export(const Args& args) {
  if (args.size() != 1) return InvalidCommand(L"export");
  if (!OpenStore()) return 1;
  unsigned long error = 0;
  if (!SaveStoreFile(args[0], store_, false, error)) return Fail({kExportFailed, SystemErrorText(error)});
  return Succeed();
}

int BcdEdit::Import(const Args& args) {
  // /clean also drops the firmware's own entries on EFI machines; here the file's store replaces
  // the whole store either way.
  bool clean = args.size() == 2 && EqualsNoCase(args[1], L"/clean");
  if (args.size() != 1 && !clean) return InvalidCommand(L"import");
  BcdStore imported;
  unsigned long error = 0;
  if (LoadStoreFile(args[0], imported, error) != FileResult::Ok) return Fail({kImportFailed, SystemErrorText(error)});
  store_ = imported;
  if (!SaveStore()) return 1;
  return Succeed();
}

int BcdEdit::CreateStore(const Args& args) {
  if (args.size() != 1) return InvalidCommand(L"createstore");
  unsigned long error = 0;
  if (!SaveStoreFile(args[0], BcdStore(), true, error)) return Fail({kStoreNotCreated, SystemErrorText(error)});
  return Succeed();
}

int BcdEdit::SeedDemo(const Args& args) {
  // BIOS unless asked otherwise: every test written before the firmware menu expects that store.
  bool uefi = args.size() == 1 && EqualsNoCase(args[0], L"uefi");
  bool bios = args.empty() || (args.size() == 1 && EqualsNoCase(args[0], L"bios"));
  if (!uefi && !bios) return InvalidCommand(L"vexa-seed-demo");
  store_ = uefi ? demo::MakeUefiDemoStore() : demo::MakeDemoStore();
  if (!SaveStore()) return 1;
  return Succeed();
}

int BcdEdit::MarkCurrent(const Args& args) {
  if (args.size() != 1) return InvalidCommand(L"vexa-current");
  if (!OpenStore()) return 1;
  BcdObject* object = Reference(args[0]);
  if (!object) return 1;
  store_.current = object->guid;
  if (!SaveStore()) return 1;
  return Succeed();
}

}  // namespace standin
