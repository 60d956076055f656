#include "platform/core/desktop.h"

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/text/gbk.h"

// A process that links a part has its entry; pictolan-cli has it from the part's plugin.
extern "C" const platform::PicturePart* PictolanPicturePart() __attribute__((weak));
extern "C" const platform::DesktopPart* PictolanDesktopPart() __attribute__((weak));

namespace platform {
namespace {

std::string& LoadError() {
  static std::string error;
  return error;
}

// Where the plugins are: beside the executable in the build tree, in the installed library folder
// (PICTOLAN_PLUGIN_DIR, relative to the executable's folder) otherwise. The path is made here,
// not left to the run path, which a sanitizer's interception of dlopen would not see.
std::filesystem::path PluginPath(const char* file) {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  const std::filesystem::path folder = error ? std::filesystem::path() : program.parent_path();
  const std::filesystem::path beside = folder / file;
  if (std::filesystem::exists(beside, error)) return beside;
  return folder / PICTOLAN_PLUGIN_DIR / file;
}

// A plugin is never unloaded: handles and Qt's state live in it until the process ends.
template <class Part>
const Part* LoadPlugin(const char* file, const char* entryName) {
  void* plugin = dlopen(PluginPath(file).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!plugin) {
    const char* reason = dlerror();
    LoadError() = reason ? reason : file;
    return nullptr;
  }
  auto entry = reinterpret_cast<const Part* (*)()>(dlsym(plugin, entryName));
  if (!entry) {
    LoadError() = std::string(file) + " has no " + entryName;
    return nullptr;
  }
  return entry();
}

std::span<const Export> ExportsOf(std::span<const StandInLibrary> libraries,
                                  std::string_view library) {
  for (const StandInLibrary& lib : libraries)
    if (text::EqualsIgnoringAsciiCase(lib.name, library)) return lib.exports;
  return {};
}

}  // namespace

const PicturePart* Pictures() {
  static const PicturePart* part =
      PictolanPicturePart ? PictolanPicturePart()
                          : LoadPlugin<PicturePart>("pictolan-pictures.so", "PictolanPicturePart");
  return part;
}

const DesktopPart* Desktop() {
  static const DesktopPart* part =
      PictolanDesktopPart ? PictolanDesktopPart()
                          : LoadPlugin<DesktopPart>("pictolan-desktop.so", "PictolanDesktopPart");
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

std::span<const Export> PictureExports(std::string_view library) {
  const PicturePart* part = Pictures();
  return part ? ExportsOf(part->libraries, library) : std::span<const Export>();
}

std::span<const Export> DesktopOnlyExports(std::string_view library) {
  const DesktopPart* part = Desktop();
  return part ? ExportsOf(part->libraries, library) : std::span<const Export>();
}

}  // namespace platform
