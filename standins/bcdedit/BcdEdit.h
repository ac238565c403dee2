// The bcdedit.exe stand-in: parses the arguments, opens the system store (registry) or a store file,
// runs one command and prints what the real tool prints. Returns the exit code (0, or 1 on any error).
#pragma once
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "common/BcdStore.h"
#include "common/Console.h"

namespace standin {

class BcdEdit {
 public:
  // registryRoot: the HKLM subkey that holds the system store.
  BcdEdit(Console& console, std::wstring registryRoot) : console_(console), registryRoot_(std::move(registryRoot)) {}

  // args: the arguments after the program name.
  int Run(std::vector<std::wstring> args);

 private:
  using Args = std::vector<std::wstring>;

  int Enum(const Args& args);
  int Set(const Args& args);
  int DeleteValue(const Args& args);
  int Create(const Args& args);
  int Copy(const Args& args);
  int Delete(const Args& args);
  int Default(const Args& args);
  int ListOrder(const Args& args, std::uint32_t number, const wchar_t* command);
  int Timeout(const Args& args);
  int Export(const Args& args);
  int Import(const Args& args);
  int CreateStore(const Args& args);
  int SeedDemo(const Args& args);
  int MarkCurrent(const Args& args);
  int Help();
  // A message in the language of the Windows the stand-in imitates, where it knows one.
  const wchar_t* Said(const wchar_t* english) const;

  // Loads the store in use into store_; prints the real tool's error and returns false when it cannot.
  bool OpenStore();
  // Writes store_ back where it came from; prints an error and returns false when it cannot.
  bool SaveStore();
  // Resolves an identifier to an existing object; prints the reference error when there is none.
  BcdObject* Reference(const std::wstring& identifier);
  // Every identifier as the GUID of an existing object; prints the reference error at the first that
  // names none.
  bool ExistingGuids(const Args& identifiers, std::vector<std::wstring>& guids);

  int Fail(std::initializer_list<std::wstring> lines);
  int InvalidCommand(const wchar_t* command);
  int Succeed();

  Console& console_;
  std::wstring registryRoot_;
  std::optional<std::wstring> storeFile_;
  bool verbose_ = false;
  BcdStore store_;
};

// A Win32 error code in the words Windows uses for it.
std::wstring SystemErrorText(unsigned long code);

}  // namespace standin
