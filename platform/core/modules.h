// The module loader under the binder, and the in-process registry of stand-in libraries.
//
// A stand-in library is a name ("kernel32") and a table of exports (name, optional ordinal,
// function). Names compare without regard to case and ".dll" is optional; a name that holds ":"
// or a path separator is refused, since nothing here is loaded from disk. Modules loaded as data
// files (LoadLibraryExA with LOAD_LIBRARY_AS_DATAFILE) share the HMODULE handle space.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/win32/types.h"

namespace platform {

using AnyFunction = void (*)();

template <class F>
AnyFunction ToAnyFunction(F* f) {
  return reinterpret_cast<AnyFunction>(f);
}

struct Export {
  std::string_view name;
  AnyFunction function;
  uint16_t ordinal = 0;  // 0: exported by name only
};

struct StandInLibrary {
  std::string_view name;  // without ".dll"
  std::span<const Export> exports;
};

// What the binder needs of a module system. Tests inject their own to check the binding order.
class ModuleLoader {
 public:
  virtual ~ModuleLoader() = default;
  // 0 when the module cannot be loaded. Each successful load is matched by one Unload.
  virtual win32::HMODULE Load(std::string_view name) = 0;
  virtual AnyFunction Find(win32::HMODULE module, std::string_view name) = 0;
  virtual AnyFunction FindOrdinal(win32::HMODULE module, uint16_t ordinal) = 0;
  virtual void Unload(win32::HMODULE module) = 0;
};

// The registry of stand-in libraries (kernel32, user32, gdi32, shell32, shlwapi, comdlg32,
// comctl32, ole32, gdiplus, advapi32, mpr).
ModuleLoader& StandInLoader();

// Every stand-in library with the core's exports (desktop.h has the others), for tests and for the
// registry itself.
std::span<const StandInLibrary> StandInLibraries();

// Number of loads of a stand-in library that have not been unloaded (0 when not loaded).
int StandInLoadCount(std::string_view name);

}  // namespace platform

// ---- Inside the platform: the HMODULE table shared by the registry and kernel32 ----
#include <memory>

namespace platform {

// A module loaded as a data file (its resources are readable, no code runs).
class DataModule {
 public:
  virtual ~DataModule() = default;
};

win32::HMODULE RegisterDataModule(std::unique_ptr<DataModule> module);
DataModule* FindDataModule(win32::HMODULE module);

// Finds a loaded stand-in library by name without loading it (GetModuleHandleA); 0 if not loaded.
win32::HMODULE FindLoadedStandIn(std::string_view name);

// The program's own module (GetModuleHandleA(nullptr)); never unloaded.
win32::HMODULE ProgramModule();

// FreeLibrary: one unload of a stand-in library or the release of a data module.
bool ReleaseModule(win32::HMODULE module);

// Export tables of the stand-in libraries, each defined next to its library: the core's,
std::span<const Export> Kernel32Exports();
std::span<const Export> User32CoreExports();
std::span<const Export> Shell32CoreExports();
std::span<const Export> ShlwapiExports();
std::span<const Export> Ole32Exports();
// the picture part's,
std::span<const Export> User32DrawingExports();
std::span<const Export> Gdi32Exports();
std::span<const Export> GdiplusExports();
// and the desktop part's.
std::span<const Export> User32Exports();
std::span<const Export> Shell32Exports();
std::span<const Export> Comdlg32Exports();
std::span<const Export> Comctl32Exports();

}  // namespace platform
