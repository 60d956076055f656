#include "icofile/dialogs.h"

#include <algorithm>
#include <array>
#include <string>

#include "frame/commands.h"
#include "frame/external_functions.h"
#include "frame/literal.h"
#include "frame/services.h"
#include "frame/translated.h"
#include "icofile/shell_paths.h"
#include "imaging/own_window.h"

namespace icofile {

using frame::literals::operator""_gbk;

namespace {

constexpr win32::DWORD kFileNameRecordSize = 76;  // the record's classic size, which it is given
constexpr size_t kNameBufferSize = 255;
constexpr win32::UINT kOverwriteQuestionFlags = 68;  // Yes and No, information icon

// An empty text stands for "none" in the platform's requests.
const char* OrNull(const frame::Text& text) {
  return text.empty() ? nullptr : text.c_str();
}

// The blocks the open-file-name record points into; they live as long as the dialog.
struct FileNameRecord {
  std::string filter;
  frame::Text defaultExtension;
  std::string name;
  win32::OPENFILENAMEA record{};

  FileNameRecord(const FileNameRecord&) = delete;
  FileNameRecord& operator=(const FileNameRecord&) = delete;
  explicit FileNameRecord(const FileDialogRequest& request) {
    // The filter's "|" become the zero bytes between the parts, and two more end the list. The
    // split steps over double-byte characters, whose second byte may be that of "|".
    const frame::Array<frame::Text> parts = frame::SplitText(request.filter, "|"_gbk);
    for (size_t i = 1; i <= parts.size(); ++i) {
      if (i > 1) filter += '\0';
      filter += parts(static_cast<int64_t>(i)).bytes();
    }
    filter.append(2, '\0');
    if (parts.size() >= 2) defaultExtension = parts(2);

    // The initial name padded with zero bytes; a longer one keeps its terminator.
    name = request.initialName.bytes();
    name.resize(std::max(kNameBufferSize, name.size() + 1), '\0');

    record.lStructSize = kFileNameRecordSize;
    record.hwndOwner = request.owner ? request.owner : imaging::FindOwnMainWindow();
    record.lpstrFilter = filter.c_str();
    record.nFilterIndex = static_cast<win32::DWORD>(request.filterIndex);
    record.lpstrFile = name.data();
    record.nMaxFile = kNameBufferSize;
    record.nMaxFileTitle = kNameBufferSize;
    record.lpstrInitialDir = OrNull(request.initialFolder);
    record.lpstrTitle = OrNull(request.title);
    if (!defaultExtension.empty()) {
      record.lpstrDefExt = defaultExtension.c_str();
      record.lCustData = reinterpret_cast<win32::LPARAM>(defaultExtension.c_str());
    }
  }

  frame::Text Chosen() const { return frame::Text::FromCString(name.c_str()); }
};

// The browser's callback: once created, it selects the initial folder.
int SelectInitialFolder(win32::HWND browser, win32::UINT message, win32::LPARAM,
                        win32::LPARAM initialFolder) {
  if (message == win32::BFFM_INITIALIZED)
    ext::SendMessageA(browser, win32::BFFM_SETSELECTIONA, win32::TRUE, initialFolder);
  return 0;
}

// The platform's special folder number of a browser root number.
int RootFolderNumber(int32_t root) {
  static constexpr std::array<int, 10> kRoots = {17, 5, 16, 13, 39, 14, 6, 36, 37, 38};
  return root >= 1 && root <= 10 ? kRoots[static_cast<size_t>(root - 1)] : 0;
}

}  // namespace

frame::Text AskOpenFile(const FileDialogRequest& request, bool mustExist) {
  FileNameRecord dialog(request);
  dialog.record.hInstance = 0;
  dialog.record.Flags = win32::OFN_EXPLORER;
  if (!ext::GetOpenFileNameA(&dialog.record)) return {};
  frame::Text chosen = dialog.Chosen();
  if (mustExist && !frame::FileExists(chosen)) return {};
  return chosen;
}

frame::Text AskSaveFile(const FileDialogRequest& request, uint32_t flags, bool askOverwrite) {
  FileNameRecord dialog(request);
  dialog.record.hInstance = ext::GetModuleHandleA(nullptr);
  dialog.record.Flags = flags;
  if (!ext::GetSaveFileNameA(&dialog.record)) return {};
  frame::Text chosen = dialog.Chosen();
  if (askOverwrite && !chosen.empty() && frame::FileExists(chosen)) {
    // The platform's message box answers Yes with IDYES (6), not the frame's 5.
    const frame::Text question =
        frame::Format(TR("dialogs", "%1已经存在，是否覆盖？"), FileNameOfPath(chosen, true));
    if (ext::MessageBoxA(dialog.record.hwndOwner, question.c_str(), TR("dialogs", "信息：").c_str(),
                         kOverwriteQuestionFlags) != win32::IDYES)
      return {};
  }
  return chosen;
}

frame::Text BrowseForFolder(const FolderBrowseRequest& request) {
  // The platform writes up to MAX_PATH bytes of display name.
  std::string displayName(win32::MAX_PATH, '\0');
  win32::BROWSEINFOA info{};
  info.hwndOwner = request.owner;
  info.pidlRoot = request.newDialogStyle ? 0 : RootFolderNumber(request.root);
  info.pszDisplayName = displayName.data();
  info.lpszTitle = OrNull(request.title);
  if (request.editBox) info.ulFlags |= win32::BIF_EDITBOX;
  if (request.newDialogStyle) info.ulFlags |= win32::BIF_NEWDIALOGSTYLE;
  if (request.includeFiles) info.ulFlags |= win32::BIF_BROWSEINCLUDEFILES;
  info.lpfn = &SelectInitialFolder;
  info.lParam = reinterpret_cast<win32::LPARAM>(request.initialFolder.c_str());

  const win32::PIDLIST folder = ext::SHBrowseForFolderA(&info);
  if (folder == 0) return {};
  std::string path(win32::MAX_PATH, '\0');
  ext::SHGetPathFromIDListA(folder, path.data());
  frame::Text chosen = frame::Text::FromCString(path.c_str());
  if (chosen.empty() && request.displayNameWhenNoPath)
    return frame::Text::FromCString(displayName.c_str());
  return chosen;
}

bool ShellOpen(const frame::Text& file, const frame::Text& parameters, const frame::Text& folder,
               int32_t show) {
  return ext::ShellExecuteA(0, nullptr, file.c_str(), OrNull(parameters), OrNull(folder), show) >
         32;
}

frame::Text FindFile(const frame::Text& pattern, std::optional<int32_t> attributeMask,
                     uint32_t& search) {
  return frame::FindFileEntry(pattern, attributeMask.value_or(0), !attributeMask, search);
}

frame::Text TempFolder() {
  std::string buffer(win32::MAX_PATH, '\0');
  win32::DWORD length = ext::GetTempPathA(static_cast<win32::DWORD>(buffer.size()), buffer.data());
  if (length >= buffer.size()) {  // too small: the size it needs
    buffer.assign(length + 1, '\0');
    length = ext::GetTempPathA(static_cast<win32::DWORD>(buffer.size()), buffer.data());
    if (length >= buffer.size()) return {};
  }
  return frame::Text(std::string_view(buffer.data(), length));
}

frame::Text SpecialFolder(int32_t number) {
  if (number == 1) return TempFolder();
  std::string path(win32::MAX_PATH, '\0');
  if (!ext::SHGetSpecialFolderPathA(0, path.data(), number, win32::FALSE)) return {};
  return frame::Text::FromCString(path.c_str());
}

}  // namespace icofile
