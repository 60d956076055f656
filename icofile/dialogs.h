// The file dialogs and shell operations every page shares: the open and save dialogs (the save
// dialog asks before overwriting), the folder browser, handing a path to the shell, the file
// search, and the temporary and special folders. They take and return the frame's texts; a
// cancelled or declined dialog gives the empty text. The path operations they build on are in
// shell_paths.h.
#pragma once

#include <cstdint>
#include <optional>

#include "frame/values.h"
#include "platform/win32/comdlg32.h"

namespace icofile {

struct FileDialogRequest {
  frame::Text title;          // empty: the dialog's own title
  frame::Text filter;         // "description|pattern|description|pattern..."
  frame::Text initialFolder;  // empty: the dialog's choice
  int32_t filterIndex = 0;    // 1-based; 0: the first
  frame::Text initialName;    // the name the dialog starts with
  win32::HWND owner = 0;      // 0: the program's own top-level window (imaging::FindOwnMainWindow)
};

// The chosen path; empty when cancelled, and, unless mustExist is false, when no file exists
// at the chosen path (a typed name of a missing file).
frame::Text AskOpenFile(const FileDialogRequest& request, bool mustExist = true);

// The chosen path; empty when cancelled. With askOverwrite, a chosen file that exists brings up
// "<lowered file name>已经存在，是否覆盖？" (Yes/No) owned by the dialog's owner, and No gives
// empty. flags are the dialog's OFN_* flags.
frame::Text AskSaveFile(const FileDialogRequest& request, uint32_t flags = win32::OFN_EXPLORER,
                        bool askOverwrite = true);

struct FolderBrowseRequest {
  win32::HWND owner = 0;
  frame::Text title;
  frame::Text initialFolder;  // selected when the browser opens
  // 1 computer, 2 documents, 3 desktop folder, 4 music, 5 pictures, 6 videos, 7 favourites,
  // 8 system root, 9 system folder, 10 programs; anything else the desktop. The new dialog style
  // always starts at the desktop.
  int32_t root = 0;
  bool editBox = false;
  bool newDialogStyle = false;
  bool includeFiles = false;
  // When the chosen item has no path (a virtual folder, or a path too long for the platform's
  // buffer), give its display name instead of the empty text.
  bool displayNameWhenNoPath = false;
};

// The chosen folder's path, or empty.
frame::Text BrowseForFolder(const FolderBrowseRequest& request);

// Hands the file (a program, document, folder or web address) to the shell's default action,
// without an owner window. True when the shell accepted it. Showing a file selected in the file
// manager: ShellOpen("explorer.exe", "/select," + path).
bool ShellOpen(const frame::Text& file, const frame::Text& parameters = {},
               const frame::Text& folder = {}, int32_t show = 1);

// The file search: a pattern starts a new search held in `search` (closing the one held), the
// empty pattern continues it. Without an attribute mask only entries that are not folders are
// returned; with one, entries with any of its attributes. Returns the next name (no folder),
// "." and ".." included, or empty at the end, where the search is closed and `search` becomes 0.
frame::Text FindFile(const frame::Text& pattern, std::optional<int32_t> attributeMask,
                     uint32_t& search);

// The platform's temporary folder, ending in a separator.
frame::Text TempFolder();

// A special folder's path: 16 the desktop folder, 39 pictures, 5 documents (the platform's
// numbers); 1 is TempFolder. Empty when the platform knows no such folder.
frame::Text SpecialFolder(int32_t number);

}  // namespace icofile
