#include "platform/desktop.h"

#include <dlfcn.h>

#include "platform/text/gbk.h"

// A process that links the desktop part has this symbol; pictolan-cli has it from the plugin.
extern "C" const platform::DesktopPart* PictolanDesktopPart() __attribute__((weak));

namespace platform {
namespace {

// Found through the executable's run path: beside it in the build tree, in the installed
// library folder otherwise.
constexpr const char* kPluginName = "pictolan-desktop.so";

std::string& LoadError() {
  static std::string error;
  return error;
}

const DesktopPart* LoadPlugin() {
  void* plugin = dlopen(kPluginName, RTLD_NOW | RTLD_LOCAL);
  if (!plugin) {
    const char* reason = dlerror();
    LoadError() = reason ? reason : kPluginName;
    return nullptr;
  }
  auto entry = reinterpret_cast<const DesktopPart* (*)()>(dlsym(plugin, "PictolanDesktopPart"));
  if (!entry) {
    LoadError() = std::string(kPluginName) + " has no desktop part";
    return nullptr;
  }
  return entry();  // never unloaded: handles and Qt's state live in it until the process ends
}

}  // namespace

const DesktopPart* Desktop() {
  static const DesktopPart* part = PictolanDesktopPart ? PictolanDesktopPart() : LoadPlugin();
  return part;
}

const std::string& DesktopError() {
  return LoadError();
}

DesktopApplication::DesktopApplication(const char* programPath) {
  if (const DesktopPart* part = Desktop()) application_ = part->startApplication(programPath);
}

DesktopApplication::~DesktopApplication() {
  if (application_) Desktop()->endApplication(application_);
}

std::span<const Export> DesktopExports(std::string_view library) {
  const DesktopPart* part = Desktop();
  if (!part) return {};
  for (const StandInLibrary& lib : part->libraries)
    if (text::EqualsIgnoringAsciiCase(lib.name, library)) return lib.exports;
  return {};
}

}  // namespace platform
