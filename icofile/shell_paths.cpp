#include "icofile/shell_paths.h"

#include <string>

#include "frame/commands.h"
#include "frame/external_functions.h"
#include "frame/literal.h"

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

}  // namespace icofile
