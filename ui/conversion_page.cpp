#include "ui/conversion_page.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "frame/commands.h"
#include "frame/external_functions.h"
#include "frame/literal.h"
#include "frame/properties.h"
#include "frame/services.h"
#include "frame/translated.h"
#include "frame/ui_commands.h"
#include "icofile/conversion.h"
#include "icofile/dialogs.h"
#include "icofile/shell_paths.h"
#include "imaging/combo_box_wrapper.h"
#include "imaging/image_object.h"
#include "ui/globals.h"
#include "ui/main_window_form.h"
#include "ui/main_window_units.h"
#include "ui/page_units.h"
#include "ui/program_folder.h"

namespace ui {

using frame::literals::operator""_gbk;
using frame::form::UnitType;
namespace prop = frame::prop;

namespace {

constexpr std::optional<int32_t> kNoResult = std::nullopt;

constexpr int32_t kListColumnWidth = 200;
constexpr int32_t kReportView = 1;
constexpr int32_t kRowIconSide = 24;
constexpr uint32_t kRowIconFlags = 24;  // 24-bit colour, no mask
constexpr int32_t kPreviewSide = 128;
constexpr win32::COLORREF kPreviewBackground = 0xECECEC;
constexpr int32_t kOpaque = 255;
constexpr int32_t kBmpFormat = 0;
constexpr int32_t kHistoryLimit = 20;
constexpr win32::DWORD kDriveBufferSize = 104;
constexpr win32::UINT kFixedDrive = 3;
constexpr int32_t kHiddenAttribute = 0x02;
constexpr int32_t kFolderOrArchive = 0x30;
constexpr int32_t kFolderAttribute = 0x10;
constexpr int32_t kAnyFileAttribute = 0x27;
constexpr int32_t kFolderParam = 1;
constexpr int32_t kPictureParam = 0;
constexpr win32::WPARAM kUpArrow = 0x26;
constexpr win32::WPARAM kDownArrow = 0x28;
// The special folders of the history, in its order: desktop, pictures, documents.
constexpr std::array<int32_t, 3> kHistoryFolders = {16, 39, 5};

// What a scan that runs while the window pumps its messages is asked meanwhile: the user may
// choose another folder (or close the window) between two entries.
struct ScanState {
  bool running = false;
  bool restart = false;  // another folder was asked for: the running scan starts over
};

ScanState& Scan() {
  static ScanState state;
  return state;
}

frame::UnitRef FolderCombo() {
  return UnitOfMainWindow(unit::组合框2, UnitType::ComboBox);
}
frame::UnitRef SizeCombo() {
  return UnitOfMainWindow(unit::组合框1, UnitType::ComboBox);
}
frame::UnitRef ConversionListBox() {
  return UnitOfMainWindow(unit::列表框1, UnitType::ListBox);
}

frame::Text CurrentFolder() {
  return frame::ReadText(kMainWindowId, unit::组合框2, prop::kComboContent);
}

void SetCurrentFolder(const frame::Text& folder) {
  frame::WriteText(kMainWindowId, unit::组合框2, prop::kComboContent, folder);
}

imaging::IconListView& PictureList() {
  return *ProgramGlobals().pictureList;
}

bool IsPictureExtension(const frame::Text& extension) {
  static const std::array<frame::Text, 6> kPictures = {".bmp"_gbk, ".jpg"_gbk, ".jpeg"_gbk,
                                                       ".gif"_gbk, ".png"_gbk, ".tiff"_gbk};
  return std::find(kPictures.begin(), kPictures.end(), extension) != kPictures.end();
}

bool IsDotEntry(const frame::Text& name) {
  return name == "."_gbk || name == ".."_gbk;
}

// The selected row's name; empty when no row is selected.
frame::Text SelectedName() {
  imaging::IconListView& list = PictureList();
  const int32_t row = list.SelectedIndex();
  return row == -1 ? frame::Text() : list.GetItemText(row, 0);
}

// The selected row's name in the current folder; the folder alone when no row is selected.
frame::Text SelectedPicturePath() {
  return icofile::WithTrailingSeparator(CurrentFolder()) + SelectedName();
}

// Whether the picture list's selected row is a picture (not a sub-folder, not nothing).
bool PictureSelected() {
  imaging::IconListView& list = PictureList();
  const int32_t row = list.SelectedIndex();
  return row != -1 && list.GetItemParam(row) == kPictureParam;
}

// The status line: each operation that finishes says there what it did, so the other page's
// last outcome does not stand beside it.
void ShowStatus(const frame::Text& text) {
  SetCaption(unit::标签1, text);
}

// The shell's icon for the entry, added to the list's image list; its index (-1 when none).
int32_t AddEntryIcon(const frame::Text& path) {
  // The shell may write the path the icon came from into the buffer.
  std::string buffer = path.bytes();
  buffer.resize(std::max<size_t>(buffer.size(), win32::MAX_PATH) + 1, '\0');
  win32::WORD index = 0;
  win32::HICON icon = ext::ExtractAssociatedIconA(ext::GetModuleHandleA(""), buffer.data(), &index);
  const int32_t image = PictureList().AddSmallIcon(icon);
  if (icon) ext::DestroyIcon(icon);
  return image;
}

// Lets the window run between two entries. False when the scan is to end here: the window was
// closed, or another folder was asked for meanwhile.
bool PumpBetweenEntries(win32::HWND window) {
  frame::DoEvents();
  return WindowStillOpen(window) && !Scan().restart;
}

// One pass of the search over folder + "*.*": every name the search gives after `firstMask` (the
// first call) and `nextMask` (the others; none: every entry that is not a folder) that `keep`
// accepts is listed with the parameter. False when the pass was cut short.
template <typename Keep>
bool ListPass(const frame::Text& folder, int32_t firstMask, std::optional<int32_t> nextMask,
              int32_t parameter, win32::HWND window, Keep keep, bool& listedOne) {
  uint32_t search = 0;
  bool whole = true;
  for (frame::Text name = icofile::FindFile(folder + "*.*"_gbk, firstMask, search); !name.empty();
       name = icofile::FindFile(frame::Text(), nextMask, search)) {
    if (!PumpBetweenEntries(window)) {
      whole = false;
      break;
    }
    if (IsDotEntry(name) || !keep(name)) continue;
    const frame::Text path = folder + name;
    PictureList().InsertItem(std::nullopt, name, AddEntryIcon(path), 0, 0, parameter);
    listedOne = true;
  }
  frame::CloseFileSearch(search);
  return whole;
}

// Lists the folder once: sub-folders first, then pictures. False when it was cut short.
bool ListFolderOnce(const frame::Text& current, win32::HWND window, bool& foundPicture) {
  imaging::IconListView& list = PictureList();
  list.EnableRedraw();
  frame::DoEvents();
  if (!WindowStillOpen(window)) return false;
  list.DisableRedraw();
  SetCaption(unit::标签1, TR("conversion", "查找图片……请稍等……"));
  list.CreateSmallImageList(kRowIconSide, kRowIconSide, kRowIconFlags, list.GetBkColor());
  list.DeleteAllItems();
  const frame::Text folder = icofile::WithTrailingSeparator(current);
  bool listedFolder = false;
  const bool whole =
      ListPass(
          folder, kFolderOrArchive, kFolderAttribute, kFolderParam, window,
          [&](const frame::Text& name) {
            const int32_t attributes = frame::GetFileAttributes(folder + name);
            return attributes != -1 && (attributes & kHiddenAttribute) == 0 &&
                   icofile::LowerExtension(name).empty();
          },
          listedFolder) &&
      ListPass(
          folder, kAnyFileAttribute, std::nullopt, kPictureParam, window,
          [](const frame::Text& name) { return IsPictureExtension(icofile::LowerExtension(name)); },
          foundPicture);
  if (WindowStillOpen(window)) list.EnableRedraw();
  return whole;
}

// A folder with pictures joins the history when it is not there yet and the history has room.
void RememberFolder(const frame::Text& folder) {
  imaging::ComboBoxWrapper history(frame::GetUnitHandle(FolderCombo()));
  if (history.FindStringExact(folder) == -1 && frame::ComboItemCount(FolderCombo()) < kHistoryLimit)
    frame::ComboAddItem(FolderCombo(), folder);
}

std::optional<int32_t> ComboItemValue(const frame::UnitRef& combo) {
  const int32_t index = frame::ReadInt(kMainWindowId, combo.unitId, prop::kComboCurrentIndex);
  if (index < 0) return std::nullopt;
  return frame::ComboItemData(combo, index);
}

bool IsConversionSize(int32_t value) {
  return std::find(std::begin(icofile::kConversionSizes), std::end(icofile::kConversionSizes),
                   value) != std::end(icofile::kConversionSizes);
}

// The picture at side x side (as loaded when the side is 0 or scaling fails) on the preview
// background, as a bitmap file for a draw panel; empty when it cannot be loaded.
frame::ByteSet PreviewBitmap(const frame::Text& path, int32_t side, bool keepPixelFormat) {
  imaging::ImageObject image;
  if (!image.LoadFromFile(path)) return frame::ByteSet();
  image.Scale(static_cast<float>(side), static_cast<float>(side), true);
  return image.SaveToBytes(kBmpFormat, std::nullopt, kPreviewBackground, kOpaque, keepPixelFormat);
}

void ShowInFileManager(const frame::Text& path) {
  icofile::ShellOpen("explorer.exe"_gbk, "/select,"_gbk + path);
}

// The fixed drive roots the platform lists; none when they do not fit the buffer.
std::vector<frame::Text> FixedDrives() {
  std::array<char, kDriveBufferSize> buffer{};
  const win32::DWORD length = ext::GetLogicalDriveStringsA(kDriveBufferSize, buffer.data());
  std::vector<frame::Text> drives;
  if (length == 0 || length >= kDriveBufferSize) return drives;
  std::string_view all(buffer.data(), length);
  while (!all.empty()) {
    const size_t end = std::min(all.find('\0'), all.size());
    const std::string root(all.substr(0, end));
    all.remove_prefix(std::min(end + 1, all.size()));
    if (!root.empty() && ext::GetDriveTypeA(root.c_str()) == kFixedDrive)
      drives.push_back(frame::Text(root));
  }
  return drives;
}

}  // namespace

// A folder asked for while a scan runs that is no folder changes nothing, as it would when no
// scan runs: the folder whose listing it cut short is listed again, whole.
void ListPictureFolder() {
  ScanState& scan = Scan();
  if (scan.running) {  // asked from a message the running scan pumped: it starts over
    scan.restart = true;
    return;
  }
  const win32::HWND window = MainWindowHandle();
  scan.running = true;
  bool foundPicture = false;
  frame::Text folder;  // the folder being listed
  bool whole = false;
  do {
    scan.restart = false;
    // A copy: the box may change while the scan lets the window run.
    if (frame::Text asked = CurrentFolder(); icofile::IsFolder(asked))
      folder = std::move(asked);
    else if (folder.empty())
      break;
    foundPicture = false;
    whole = ListFolderOnce(folder, window, foundPicture);
  } while (scan.restart && WindowStillOpen(window));
  scan.running = false;
  scan.restart = false;
  if (!whole || !WindowStillOpen(window)) return;
  if (foundPicture) RememberFolder(folder);
  SetCaption(unit::标签1, TR("conversion", "就绪"));
}

std::optional<int32_t> InitPictureBrowser(const frame::EventRecord&) {
  imaging::IconListView& list = PictureList();
  const int32_t width = frame::ReadInt(kMainWindowId, unit::外形框1, prop::kWidth);
  const int32_t height = frame::ReadInt(kMainWindowId, unit::外形框1, prop::kHeight);
  list.Create(frame::GetUnitHandle(UnitOfMainWindow(unit::外形框1, UnitType::ShapeBox)), 0, 0,
              width, height, kReportView);
  list.SetFullRowSelect(true);
  list.InsertColumn(std::nullopt, TR("conversion", "图片文件"), kListColumnWidth);
  ProgramGlobals().pictureListProcedure = reinterpret_cast<win32::WNDPROC>(
      ext::SetWindowLongA(list.Handle(), win32::GWL_WNDPROC,
                          reinterpret_cast<win32::LONG_PTR>(&PictureListWindowProc)));
  for (int32_t special : kHistoryFolders)
    frame::ComboAddItem(FolderCombo(), icofile::SpecialFolder(special));
  for (const frame::Text& drive : FixedDrives())
    frame::ComboAddItem(FolderCombo(), drive);
  frame::WriteInt(kMainWindowId, unit::组合框2, prop::kComboCurrentIndex, 1);
  ListPictureFolder();
  imaging::StartImagingLibrary();
  return kNoResult;
}

std::optional<int32_t> ScanPictureFolder(const frame::EventRecord&) {
  ListPictureFolder();
  return kNoResult;
}

// "/" is the one root: above it there is nothing to go to.
std::optional<int32_t> GoUpFolder(const frame::EventRecord&) {
  std::string folder = CurrentFolder().bytes();
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\'))
    folder.pop_back();
  if (folder.size() <= 1) return kNoResult;
  frame::Text parent = icofile::ParentFolder(frame::Text(folder));
  if (parent.empty()) parent = icofile::PathSeparator();
  SetCurrentFolder(parent);
  ListPictureFolder();
  return kNoResult;
}

std::optional<int32_t> ChoosePictureFolder(const frame::EventRecord&) {
  icofile::FolderBrowseRequest browse;
  browse.owner = MainWindowHandle();
  browse.title = TR("conversion", "请选择图片目录");
  browse.editBox = true;
  SetCurrentFolder(icofile::BrowseForFolder(browse));
  ListPictureFolder();
  return kNoResult;
}

win32::LRESULT PictureListWindowProc(win32::HWND window, win32::UINT message, win32::WPARAM wParam,
                                     win32::LPARAM lParam) {
  // Read first: a scan started below may pump messages that reach this procedure again.
  const win32::WNDPROC previous = ProgramGlobals().pictureListProcedure;
  const bool previewTrigger =
      (message == win32::WM_KEYUP && (wParam == kUpArrow || wParam == kDownArrow)) ||
      message == win32::WM_LBUTTONDOWN || message == win32::WM_RBUTTONDOWN ||
      message == win32::WM_CAPTURECHANGED;
  imaging::IconListView& list = PictureList();
  if (previewTrigger) {
    const int32_t row = list.SelectedIndex();
    Globals& page = ProgramGlobals();
    if (row != -1 && row != page.lastPreviewed && list.GetItemParam(row) == kPictureParam) {
      imaging::StartImagingLibrary();
      frame::WriteBytes(kMainWindowId, unit::画板3, prop::kDrawPanelPicture,
                        PreviewBitmap(SelectedPicturePath(), kPreviewSide, true));
    }
    page.lastPreviewed = row;
  } else if (message == win32::WM_LBUTTONDBLCLK) {
    const int32_t row = list.SelectedIndex();
    if (row != -1 && list.GetItemParam(row) == kFolderParam) {
      SetCurrentFolder(SelectedPicturePath());
      ListPictureFolder();
    }
  }
  if (!previous) return 0;
  return ext::CallWindowProcA(previous, window, message, wParam, lParam);
}

// A picture the image object cannot load (a damaged file, a sub-folder) adds nothing: its
// empty encoding would make an entry that writes a corrupt icon. No picture chosen asks for
// one; a chosen picture that cannot be read is said so.
std::optional<int32_t> AddConversionImage(const frame::EventRecord&) {
  imaging::StartImagingLibrary();
  frame::SetWaitCursor();
  const std::optional<int32_t> size = ComboItemValue(SizeCombo());
  const frame::Text path = SelectedPicturePath();
  std::optional<icofile::IconBuildList> prepared;
  if (size && IsConversionSize(*size) && frame::FileExists(path)) {
    const uint8_t sizes[] = {static_cast<uint8_t>(*size)};
    prepared = icofile::PrepareConversionImages(path, sizes);
  }
  frame::RestoreCursor();
  if (!prepared || prepared->size() != 1) {
    const frame::Text problem = PictureSelected() ? TR("conversion", "无法读取所选图片！")
                                                  : TR("conversion", "请选择图片！");
    ShowStatus(problem);
    frame::MessageBox(problem);
    return kNoResult;
  }
  const frame::Text sizeText = frame::ComboItemText(
      SizeCombo(), frame::ReadInt(kMainWindowId, unit::组合框1, prop::kComboCurrentIndex));
  const frame::Text itemText = icofile::ConversionListText(sizeText, prepared->front());
  frame::ListAddItem(ConversionListBox(), itemText);
  ProgramGlobals().conversionList.push_back(std::move(prepared->front()));
  ShowStatus(frame::Format(TR("conversion", "已添加：%1，%2"), SelectedName(), itemText));
  frame::ReleaseMouseCapture();
  return kNoResult;
}

std::optional<int32_t> RemoveConversionImage(const frame::EventRecord&) {
  const int32_t index = frame::ReadInt(kMainWindowId, unit::列表框1, prop::kListCurrentIndex);
  icofile::IconBuildList& list = ProgramGlobals().conversionList;
  if (index < 0 || static_cast<size_t>(index) >= list.size()) return kNoResult;
  list.erase(list.begin() + index);
  frame::ListDeleteItem(ConversionListBox(), index);
  return kNoResult;
}

std::optional<int32_t> PreviewConversionImage(const frame::EventRecord&) {
  const int32_t index = frame::ReadInt(kMainWindowId, unit::列表框1, prop::kListCurrentIndex);
  const icofile::IconBuildList& list = ProgramGlobals().conversionList;
  if (index < 0 || static_cast<size_t>(index) >= list.size()) return kNoResult;
  imaging::StartImagingLibrary();
  const icofile::IconBuildEntry& entry = list[static_cast<size_t>(index)];
  frame::WriteBytes(kMainWindowId, unit::画板1, prop::kDrawPanelPicture,
                    PreviewBitmap(entry.source, entry.size, false));
  return kNoResult;
}

// An empty list would make an icon file without an image, which no reader opens: nothing is
// asked or written for it. A written icon is confirmed on the status line.
std::optional<int32_t> ConvertToIcon(const frame::EventRecord&) {
  if (ProgramGlobals().conversionList.empty()) {
    const frame::Text problem = TR("conversion", "转换列表中没有图片，请先添加图片！");
    ShowStatus(problem);
    frame::MessageBox(problem);
    return kNoResult;
  }
  icofile::FileDialogRequest save;
  save.filter = TR("dialogs", "图标文件|*.ico");
  save.initialFolder = OutputBaseFolder();
  const frame::Text path = icofile::AskSaveFile(save);
  if (path.empty()) return kNoResult;
  if (!icofile::WriteConversionIcon(ProgramGlobals().conversionList, path)) {
    ShowStatus(TR("conversion", "抱歉！转换失败。"));
    frame::MessageBox(TR("conversion", "抱歉！转换失败。"));
    return kNoResult;
  }
  // The name, as written: the status line is too short for most paths, and cuts off their end.
  ShowStatus(frame::Format(TR("conversion", "转换完毕！已保存图标：%1"),
                           frame::Text::FromCString(ext::PathFindFileNameA(path.c_str()))));
  if (frame::ReadBool(kMainWindowId, unit::选择框1, prop::kCheckBoxChecked))
    ShowInFileManager(path);
  ProgramGlobals().lastIconPath = path;
  return kNoResult;
}

std::optional<int32_t> ShowLastIcon(const frame::EventRecord&) {
  const frame::Text path = ProgramGlobals().lastIconPath;
  if (!path.empty() && frame::FileExists(path)) ShowInFileManager(path);
  return kNoResult;
}

}  // namespace ui
