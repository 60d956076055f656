#include "ui/program_folder.h"

#include <string>

#include "frame/commands.h"
#include "frame/external_functions.h"
#include "frame/ui_commands.h"
#include "icofile/dialogs.h"
#include "icofile/shell_paths.h"

namespace ui {
namespace {

constexpr int32_t kPicturesFolder = 39;
constexpr int32_t kHomeFolder = 40;

}  // namespace

frame::Text OutputBaseFolder() {
  return WritableFolderOr(frame::GetProgramDir());
}

frame::Text WritableFolderOr(const frame::Text& folder) {
  if (MayWriteInto(folder)) return folder;
  frame::Text pictures = icofile::SpecialFolder(kPicturesFolder);
  if (!pictures.empty()) return pictures;
  return icofile::SpecialFolder(kHomeFolder);
}

// Permissions alone cannot tell (the owner's bits, groups, read-only mounts, access lists), so a
// file is made. Its name is the process's own, and a file already there is never touched.
bool MayWriteInto(const frame::Text& folder) {
  if (!icofile::IsFolder(folder)) return false;
  const std::string stem = ".pictolan-probe-" + std::to_string(ext::GetCurrentProcessId()) + "-";
  for (int attempt = 0; attempt < 8; ++attempt) {
    frame::Text probe =
        icofile::WithTrailingSeparator(folder) + frame::Text(stem + std::to_string(attempt));
    if (frame::GetFileAttributes(probe) != -1) continue;
    if (!frame::WriteFile(probe, frame::ByteSet())) return false;
    frame::DeleteFile(probe);
    return true;
  }
  return false;
}

}  // namespace ui
