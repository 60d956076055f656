#include "frame/external.h"

#include <string>
#include <utility>

#include "frame/fatal.h"
#include "frame/literal.h"
#include "frame/translated.h"
#include "platform/core/paths.h"
#include "platform/win32/kernel32.h"

namespace frame {
namespace {

using namespace literals;

// Tried in this order for functions declared without a library.
constexpr std::string_view kDefaultLibraries[] = {"Kernel32.dll", "Gdi32.dll", "User32.dll",
                                                  "Advapi32.dll", "Mpr.dll",   "Shell32.dll"};

// "#" and a decimal number: the number's low 16 bits, read like the runtime's own conversion
// (digits up to the first other character; a number of any length wraps instead of failing).
uint16_t Ordinal(std::string_view digits) {
  uint32_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') break;
    value = value * 10 + static_cast<uint32_t>(c - '0');
  }
  return static_cast<uint16_t>(value & 0xFFFF);
}

platform::AnyFunction Lookup(platform::ModuleLoader& loader, win32::HMODULE module,
                             std::string_view function) {
  if (!function.empty() && function.front() == '#')
    return loader.FindOrdinal(module, Ordinal(function.substr(1)));
  return loader.Find(module, function);
}

}  // namespace

ExternalBinder::ExternalBinder(platform::ModuleLoader& loader)
    : ExternalBinder(loader, ExternalFunctionTable()) {}

ExternalBinder::ExternalBinder(platform::ModuleLoader& loader,
                               std::span<const ExternalFunction> table)
    : loader_(loader), table_(table), slots_(table.size()) {
  char program[4096];
  win32::DWORD length = platform::kernel32::GetModuleFileNameA(0, program, sizeof program);
  std::string_view path(program, length < sizeof program ? length : 0);
  size_t nameAt = platform::paths::NameOffset(path);
  programFolder_ = Text(path.substr(0, nameAt > 0 ? nameAt - 1 : 0));
}

ExternalBinder::~ExternalBinder() {
  ReleaseAll();
}

void ExternalBinder::SetLibraryFolders(Text first, Text second) {
  firstFolder_ = std::move(first);
  secondFolder_ = std::move(second);
}

void ExternalBinder::SetProgramFolder(Text folder) {
  programFolder_ = std::move(folder);
}

bool ExternalBinder::IsBound(int index) const {
  return index >= 0 && static_cast<size_t>(index) < slots_.size() && slots_[index].address;
}

win32::HMODULE ExternalBinder::ModuleOf(int index) const {
  return IsBound(index) ? slots_[index].module : 0;
}

platform::AnyFunction ExternalBinder::Bind(int index) {
  if (index < 0 || static_cast<size_t>(index) >= slots_.size())
    FatalError(Format(TR("errors", "无法找到指定DLL库文件中的输出命令“#%1”"), index));
  Slot& slot = slots_[index];
  if (slot.address) return slot.address;

  const ExternalFunction& entry = table_[index];
  win32::HMODULE module = 0;
  platform::AnyFunction address = nullptr;

  if (entry.library.empty()) {
    for (std::string_view library : kDefaultLibraries) {
      win32::HMODULE candidate = loader_.Load(library);
      if (!candidate) continue;
      address = Lookup(loader_, candidate, entry.function);
      if (address) {
        module = candidate;
        break;
      }
      loader_.Unload(candidate);
    }
  } else {
    Text library(entry.library);
    if (entry.library.find(':') != std::string_view::npos) {
      module = loader_.Load(library.view());
    } else {
      if (!module && !firstFolder_.empty()) module = loader_.Load((firstFolder_ + library).view());
      if (!module) module = loader_.Load((programFolder_ + Text("/") + library).view());
      if (!module && !secondFolder_.empty())
        module = loader_.Load((secondFolder_ + library).view());
      if (!module) module = loader_.Load(library.view());
    }
    if (module) address = Lookup(loader_, module, entry.function);
  }

  if (!address) {
    if (module) loader_.Unload(module);
    Text function(entry.function);
    if (entry.library.empty()) {
      FatalError(Format(TR("errors", "无法找到指定DLL库文件中的输出命令“%1”"), function));
    }
    FatalError(Format(TR("errors", "无法找到指定DLL库文件“%1”中的输出命令“%2”"),
                      Text(entry.library), function));
  }
  slot.address = address;
  slot.module = module;
  return address;
}

void ExternalBinder::ReleaseAll() {
  for (Slot& slot : slots_) {
    if (slot.address && slot.module) loader_.Unload(slot.module);
    slot = Slot{};
  }
}

namespace {
ExternalBinder*& InstalledBinder() {
  static ExternalBinder* installed = nullptr;
  return installed;
}
}  // namespace

ExternalBinder& Binder() {
  if (ExternalBinder* installed = InstalledBinder()) return *installed;
  // Never destroyed: the runtime's shutdown releases the modules, and the registry may already be
  // gone when static destructors run.
  static ExternalBinder* standIn = new ExternalBinder(platform::StandInLoader());
  return *standIn;
}

ExternalBinder* InstallBinder(ExternalBinder* binder) {
  return std::exchange(InstalledBinder(), binder);
}

}  // namespace frame
