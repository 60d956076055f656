#include "icofile/shell_paths.h"

#include <string>

#include "frame/commands.h"
#include "frame/external_functions.h"
#include "frame/literal.h"
#include "frame/services.h"

namespace icofile {

using frame::literals::operator""_gbk;

const frame::Text& PathSeparator() {
  return "/"_gbk;
}

frame::Text WithTrailingSeparator(const frame::Text& folder) {
  // The folder ends with a separator when a name put after it stands on its own; its last byte
  // alone cannot tell, since a double-byte character may end in the byte "\\" (乗 is 81 5C).
  const frame::Text probe = folder + "x"_gbk;
  const char* name = ext::PathFindFileNameA(probe.c_str());
  if (!folder.empty() && name == probe.c_str() + folder.size()) return folder;
  return folder + PathSeparator();
}

frame::Text FileNameOfPath(const frame::Text& path, bool keepExtension) {
  frame::Text name = frame::Text::FromCString(ext::PathFindFileNameA(path.c_str()));
  if (!keepExtension) {
    frame::Text extension = frame::Text::FromCString(ext::PathFindExtensionA(name.c_str()));
    name = frame::TextLeft(name, frame::TextLength(name) - frame::TextLength(extension));
  }
  return frame::ToLower(name);
}

frame::Text FolderNameFor(const frame::Text& path) {
  frame::Text name = FileNameOfPath(path, false);
  if (name.empty() || name == "."_gbk || name == ".."_gbk) return FileNameOfPath(path, true);
  return name;
}

frame::Text ParentFolder(const frame::Text& path) {
  std::string copy = path.bytes();
  ext::PathRemoveFileSpecA(copy.data());
  return frame::Text::FromCString(copy.c_str());
}

frame::Text LowerExtension(const frame::Text& path) {
  frame::Text name = frame::Text::FromCString(ext::PathFindFileNameA(path.c_str()));
  return frame::ToLower(frame::Text::FromCString(ext::PathFindExtensionA(name.c_str())));
}

bool IsFolder(const frame::Text& path) {
  return ext::PathIsDirectoryA(path.c_str()) != 0;
}

bool CreateFolderPath(const frame::Text& path) {
  return ext::SHCreateDirectoryExA(0, path.c_str(), nullptr) == 0;
}

std::vector<frame::Text> MissingFolders(const frame::Text& path) {
  std::vector<frame::Text> missing;
  std::string folder = path.bytes();
  while (true) {
    // Only "/": a "\" at the end may be the second byte of a double-byte character.
    while (folder.size() > 1 && folder.back() == '/')
      folder.pop_back();
    if (folder.empty() || frame::GetFileAttributes(frame::Text(folder)) != -1) break;
    missing.push_back(frame::Text(folder));
    std::string parent = ParentFolder(frame::Text(folder)).bytes();
    if (parent.size() >= folder.size()) break;
    folder = std::move(parent);
  }
  return missing;
}

// The shell's delete takes a folder with everything in it: it is asked only after the file
// search has found nothing but "." and ".." there.
bool RemoveEmptyFolder(const frame::Text& folder) {
  if (!IsFolder(folder)) return false;
  constexpr int32_t kAnyEntry = 0x37;  // read-only, hidden, system, folder or archive
  uint32_t search = 0;
  for (frame::Text name =
           frame::FindFileEntry(WithTrailingSeparator(folder) + "*"_gbk, kAnyEntry, false, search);
       !name.empty(); name = frame::FindFileEntry(frame::Text(), kAnyEntry, false, search)) {
    if (name != "."_gbk && name != ".."_gbk) {
      frame::CloseFileSearch(search);
      return false;
    }
  }
  std::string from = folder.bytes();
  from.push_back('\0');  // the list of paths ends with an empty one
  win32::SHFILEOPSTRUCTA operation{};
  operation.wFunc = win32::FO_DELETE;
  operation.pFrom = from.c_str();
  return ext::SHFileOperationA(&operation) == 0;
}

}  // namespace icofile
