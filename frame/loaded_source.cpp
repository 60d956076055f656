#include "frame/loaded_source.h"

#include "platform/win32/kernel32.h"

namespace frame {

LoadedSource::LoadedSource(const Text& path)
    : module_(
          platform::kernel32::LoadLibraryExA(path.c_str(), 0, win32::LOAD_LIBRARY_AS_DATAFILE)) {}

LoadedSource::~LoadedSource() {
  if (module_) platform::kernel32::FreeLibrary(module_);
}

}  // namespace frame
