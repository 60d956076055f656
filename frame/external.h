// The table of external functions and its binder.
//
// The program calls operating-system functions by their index in a table of 145 entries
// (library as declared, function name). The first call of an index binds it: the library is
// loaded (or the default libraries are tried in order) and the function looked up; the address
// and module are cached for that index alone. A function that cannot be bound ends the program
// with the frame's fatal error. At shutdown every bound index releases its module once.
#pragma once

#include <array>
#include <string_view>

#include "frame/values.h"
#include "platform/core/modules.h"

namespace frame {

constexpr int kExternalFunctionCount = 145;

struct ExternalFunction {
  std::string_view library;   // as declared; empty: the default libraries
  std::string_view function;  // a name, or "#" and a decimal ordinal
};

const std::array<ExternalFunction, kExternalFunctionCount>& ExternalFunctionTable();

class ExternalBinder {
 public:
  // Binds over the given table (the program's own by default) and module loader.
  explicit ExternalBinder(platform::ModuleLoader& loader);
  ExternalBinder(platform::ModuleLoader& loader, std::span<const ExternalFunction> table);
  ~ExternalBinder();
  ExternalBinder(const ExternalBinder&) = delete;
  ExternalBinder& operator=(const ExternalBinder&) = delete;

  // The cached address of an index, binding it first; a failure is a fatal error.
  platform::AnyFunction Bind(int index);
  bool IsBound(int index) const;
  win32::HMODULE ModuleOf(int index) const;

  // Folders consulted before and after the program's folder when a library is named: each folder
  // text is put in front of the library name as it is. Both start empty, and are then skipped.
  void SetLibraryFolders(Text first, Text second);
  // The program's own folder (the executable's, to begin with), joined to a library name with "/".
  void SetProgramFolder(Text folder);

  // Shutdown: one unload per bound index, then every cache entry is cleared.
  void ReleaseAll();

 private:
  struct Slot {
    platform::AnyFunction address = nullptr;
    win32::HMODULE module = 0;
  };
  platform::ModuleLoader& loader_;
  std::span<const ExternalFunction> table_;
  std::vector<Slot> slots_;
  Text firstFolder_, secondFolder_, programFolder_;
};

// The process's binder, over the stand-in libraries unless a test installed another.
ExternalBinder& Binder();
// Installs a binder for the process (tests); returns the previous one. Null restores the default.
ExternalBinder* InstallBinder(ExternalBinder* binder);

template <int Index, class Fn, class... A>
auto CallExternal(A... args) {
  static_assert(Index >= 0 && Index < kExternalFunctionCount);
  return reinterpret_cast<Fn>(Binder().Bind(Index))(args...);
}

}  // namespace frame
