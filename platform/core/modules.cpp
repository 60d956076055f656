#include "platform/core/modules.h"

#include <array>
#include <string>

#include "platform/core/desktop.h"
#include "platform/core/handles.h"
#include "platform/text/gbk.h"

namespace platform {
namespace {

struct ModuleObject {
  const StandInLibrary* library = nullptr;  // a stand-in library, or
  std::unique_ptr<DataModule> data;  // a module loaded as a data file, or neither: the program
  int loads = 0;
};

HandleTable<ModuleObject>& Modules() {
  static HandleTable<ModuleObject> table(HandleKind::Module);
  return table;
}

using text::EqualsIgnoringAsciiCase;

// "Kernel32.dll" and "kernel32" name the same library; paths and drive names name none.
const StandInLibrary* LibraryByName(std::string_view name) {
  if (name.find_first_of(":/\\") != std::string_view::npos) return nullptr;
  if (name.size() > 4 && EqualsIgnoringAsciiCase(name.substr(name.size() - 4), ".dll"))
    name.remove_suffix(4);
  for (const StandInLibrary& lib : StandInLibraries())
    if (EqualsIgnoringAsciiCase(lib.name, name)) return &lib;
  return nullptr;
}

uint32_t HandleOf(const StandInLibrary* lib) {
  uint32_t found = 0;
  Modules().ForEach([&](uint32_t h, const ModuleObject& m) {
    if (m.library == lib) found = h;
  });
  return found;
}

class RegistryLoader final : public ModuleLoader {
 public:
  win32::HMODULE Load(std::string_view name) override {
    const StandInLibrary* lib = LibraryByName(name);
    if (!lib) return 0;
    uint32_t h = HandleOf(lib);
    if (h == 0) {
      auto m = std::make_unique<ModuleObject>();
      m->library = lib;
      h = Modules().Insert(std::move(m));
      if (h == 0) return 0;
    }
    ++Modules().Find(h)->loads;
    return h;
  }

  AnyFunction Find(win32::HMODULE module, std::string_view name) override {
    return FindExport(module, [name](const Export& e) { return e.name == name; });
  }

  AnyFunction FindOrdinal(win32::HMODULE module, uint16_t ordinal) override {
    if (ordinal == 0) return nullptr;
    return FindExport(module, [ordinal](const Export& e) { return e.ordinal == ordinal; });
  }

 private:
  // The core's exports first; only a function they lack loads the picture or desktop part.
  template <class Matches>
  static AnyFunction FindExport(win32::HMODULE module, Matches matches) {
    ModuleObject* m = Modules().Find(module);
    if (!m || !m->library) return nullptr;
    for (const Export& e : m->library->exports)
      if (matches(e)) return e.function;
    return FindDesktopExport(m->library->name, matches);
  }

  void Unload(win32::HMODULE module) override { ReleaseModule(module); }
};

constexpr std::array<Export, 0> kNoExports{};

}  // namespace

std::span<const StandInLibrary> StandInLibraries() {
  static const std::array<StandInLibrary, 11> libraries = {{
      {"kernel32", Kernel32Exports()},
      {"user32", User32CoreExports()},
      {"gdi32", kNoExports},
      {"shell32", Shell32CoreExports()},
      {"shlwapi", ShlwapiExports()},
      {"comdlg32", kNoExports},
      {"comctl32", kNoExports},
      {"ole32", Ole32Exports()},
      {"gdiplus", kNoExports},
      // Declared in the default library order; nothing the program calls lives there.
      {"advapi32", kNoExports},
      {"mpr", kNoExports},
  }};
  return libraries;
}

ModuleLoader& StandInLoader() {
  static RegistryLoader loader;
  return loader;
}

int StandInLoadCount(std::string_view name) {
  const StandInLibrary* lib = LibraryByName(name);
  if (!lib) return 0;
  ModuleObject* m = Modules().Find(HandleOf(lib));
  return m ? m->loads : 0;
}

win32::HMODULE RegisterDataModule(std::unique_ptr<DataModule> module) {
  if (!module) return 0;
  auto m = std::make_unique<ModuleObject>();
  m->data = std::move(module);
  m->loads = 1;
  return Modules().Insert(std::move(m));
}

DataModule* FindDataModule(win32::HMODULE module) {
  ModuleObject* m = Modules().Find(module);
  return m ? m->data.get() : nullptr;
}

win32::HMODULE FindLoadedStandIn(std::string_view name) {
  const StandInLibrary* lib = LibraryByName(name);
  return lib ? HandleOf(lib) : 0;
}

win32::HMODULE ProgramModule() {
  static const win32::HMODULE program = Modules().Insert(std::make_unique<ModuleObject>());
  return program;
}

bool ReleaseModule(win32::HMODULE module) {
  ModuleObject* m = Modules().Find(module);
  if (!m || (!m->library && !m->data)) return false;  // the program's own module stays
  if (--m->loads <= 0) Modules().Erase(module);
  return true;
}

}  // namespace platform
