#include "ui/handed_files.h"

#include <algorithm>
#include <array>
#include <utility>

#include "frame/events.h"
#include "frame/external_functions.h"
#include "frame/handed_files.h"
#include "frame/literal.h"
#include "frame/properties.h"
#include "frame/translated.h"
#include "frame/ui_commands.h"
#include "icofile/shell_paths.h"
#include "ui/globals.h"
#include "ui/main_window_form.h"
#include "ui/main_window_units.h"
#include "ui/page_units.h"

namespace ui {

using frame::literals::operator""_gbk;
namespace prop = frame::prop;

namespace {

constexpr int32_t kConversionPage = 0;
constexpr int32_t kExtractionPage = 1;
constexpr int32_t kPictureParam = 0;  // the picture list's parameter of a picture's row

std::optional<frame::Text>& StartFile() {
  static std::optional<frame::Text> path;
  return path;
}

enum class Handed { Missing, NotAFile, IconSource, Picture, Folder, OtherFile };

// The extensions of the pictures the picture browser lists.
bool IsListedPicture(const frame::Text& path) {
  static const std::array<frame::Text, 6> kPictures = {".bmp"_gbk, ".jpg"_gbk, ".jpeg"_gbk,
                                                       ".gif"_gbk, ".png"_gbk, ".tiff"_gbk};
  const frame::Text extension = icofile::LowerExtension(path);
  return std::find(kPictures.begin(), kPictures.end(), extension) != kPictures.end();
}

Handed KindOf(const frame::Text& path) {
  switch (frame::KindOfPath(path)) {
    case frame::PathKind::Missing:
      return Handed::Missing;
    case frame::PathKind::Other:
      return Handed::NotAFile;
    case frame::PathKind::Folder:
      return Handed::Folder;
    case frame::PathKind::File:
      break;
  }
  if (frame::StartsAsIconSource(path)) return Handed::IconSource;
  return IsListedPicture(path) ? Handed::Picture : Handed::OtherFile;
}

int32_t ShownPage() {
  return frame::ReadInt(kMainWindowId, unit::选择夹1, prop::kTabCurrentPage);
}

void ShowPage(int32_t page) {
  frame::WriteInt(kMainWindowId, unit::选择夹1, prop::kTabCurrentPage, page);
}

// The unit's event 0 (a click, a folder chosen), raised as the unit raises it for the user.
void RaiseEvent(int32_t unitId) {
  frame::EventRecord event(kMainWindowId, unitId, 0);
  frame::FireEvent(event);
}

// 提取文件图标, its open dialog answered with the file. A page busy with a batch (its buttons
// disabled) takes no new source.
bool OpenInExtractionPage(const frame::Text& path) {
  ShowPage(kExtractionPage);
  if (IsDisabled(unit::提取图标按钮)) return false;
  frame::HandedFileChoice choice(path);
  RaiseEvent(unit::提取图标按钮);
  return choice.taken();
}

// The folder typed into the folder box and chosen, as Enter there does: the browser lists it.
void ListFolder(const frame::Text& folder) {
  ShowPage(kConversionPage);
  frame::WriteText(kMainWindowId, unit::组合框2, prop::kComboContent, folder);
  RaiseEvent(unit::组合框2);
}

// The picture's row selected as a click on it does: the list's procedure previews it when the
// mouse capture goes. The selection is cleared first, since the list previews no row twice in a
// row.
void SelectPicture(const frame::Text& name) {
  imaging::IconListView& list = *ProgramGlobals().pictureList;
  int32_t row = 0;
  const int32_t count = list.ItemCount();
  while (row < count &&
         !(list.GetItemParam(row) == kPictureParam && list.GetItemText(row, 0) == name))
    ++row;
  if (row == count) return;
  const win32::HWND window = list.Handle();
  win32::LVITEMA state{};
  state.stateMask = win32::LVIS_SELECTED | win32::LVIS_FOCUSED;
  ext::SendMessageA(window, win32::LVM_SETITEMSTATE, static_cast<win32::WPARAM>(-1),
                    reinterpret_cast<win32::LPARAM>(&state));
  ext::SendMessageA(window, win32::WM_CAPTURECHANGED, 0, 0);
  state.state = state.stateMask;
  ext::SendMessageA(window, win32::LVM_SETITEMSTATE, static_cast<win32::WPARAM>(row),
                    reinterpret_cast<win32::LPARAM>(&state));
  ext::SendMessageA(window, win32::LVM_ENSUREVISIBLE, static_cast<win32::WPARAM>(row), 0);
  ext::SendMessageA(window, win32::WM_CAPTURECHANGED, 0, 0);
}

void OpenPicture(const frame::Text& path) {
  frame::Text folder = icofile::ParentFolder(path);
  if (folder.empty()) folder = icofile::PathSeparator();
  ListFolder(folder);
  SelectPicture(frame::Text(ext::PathFindFileNameA(path.c_str())));
}

}  // namespace

void SetStartFile(std::optional<frame::Text> path) {
  StartFile() = std::move(path);
}

void TakeHandedFiles() {
  if (std::optional<frame::Text> path = std::exchange(StartFile(), std::nullopt))
    OpenHandedPath(*path);
  frame::AcceptFileDrops(kMainWindowId, &TakeDroppedFiles);
}

void OpenHandedPath(const frame::Text& path) {
  switch (KindOf(path)) {
    case Handed::Missing:
      frame::MessageBox(frame::Format(TR("shell", "“%1”不存在！"), path));
      break;
    case Handed::NotAFile:
      frame::MessageBox(frame::Format(TR("shell", "“%1”不是文件或文件夹！"), path));
      break;
    case Handed::IconSource:
    case Handed::OtherFile:
      OpenInExtractionPage(path);
      break;
    case Handed::Picture:
      OpenPicture(path);
      break;
    case Handed::Folder:
      ListFolder(path);
      break;
  }
}

bool TakeDroppedFiles(const std::vector<frame::Text>& paths, bool drop) {
  const int32_t page = ShownPage();
  for (const frame::Text& path : paths) {
    const Handed kind = KindOf(path);
    if (page == kExtractionPage && kind == Handed::IconSource) {
      if (IsDisabled(unit::提取图标按钮)) return false;
      return !drop || OpenInExtractionPage(path);
    }
    if (page == kConversionPage && (kind == Handed::Picture || kind == Handed::Folder)) {
      if (drop) OpenHandedPath(path);
      return true;
    }
  }
  return false;
}

}  // namespace ui
