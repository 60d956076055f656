#include "frame/handed_files.h"

#include <array>
#include <filesystem>
#include <fstream>

#include "frame/runtime/loaded_window.h"
#include "frame/runtime/runtime_app.h"
#include "frame/units/unit.h"
#include "platform/core/paths.h"
#include "platform/desktop/comdlg32/handed_choice.h"

namespace frame {
namespace {

namespace fs = std::filesystem;

fs::path NativePath(const Text& path) {
  return fs::path(platform::paths::ToNative(path.bytes()));
}

}  // namespace

HandedFileChoice::HandedFileChoice(const Text& path) {
  platform::comdlg32::SetHandedChoice(path.bytes());
}

HandedFileChoice::~HandedFileChoice() {
  platform::comdlg32::SetHandedChoice(std::nullopt);
}

bool HandedFileChoice::taken() const {
  return !platform::comdlg32::HandedChoicePending();
}

bool AcceptFileDrops(int32_t windowId, FileDropHandler handler) {
  RuntimeApp* app = RuntimeApp::Current();
  LoadedWindow* window = app ? app->Loaded(windowId) : nullptr;
  return window && window->windowUnit().TakeFileDrops(std::move(handler));
}

bool StartsAsIconSource(const Text& path) {
  const fs::path native = NativePath(path);
  std::error_code error;
  if (!fs::is_regular_file(native, error)) return false;
  std::ifstream file(native, std::ios::binary);
  std::array<char, 4> start{};
  if (!file.read(start.data(), start.size()) && file.gcount() < 2) return false;
  if (start[0] == 'M' && start[1] == 'Z') return true;
  return file.gcount() == 4 && start[0] == 0 && start[1] == 0 && start[2] == 1 && start[3] == 0;
}

PathKind KindOfPath(const Text& path) {
  std::error_code error;
  const fs::file_status status = fs::status(NativePath(path), error);
  switch (status.type()) {
    case fs::file_type::not_found:
    case fs::file_type::none:
      return PathKind::Missing;
    case fs::file_type::directory:
      return PathKind::Folder;
    case fs::file_type::regular:
      return PathKind::File;
    default:
      return PathKind::Other;
  }
}

}  // namespace frame
