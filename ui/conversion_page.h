// The handlers of the "图标转换" page: the picture browser (the folder combo 组合框2 with its
// history, "←", "..", the picture list in 外形框1 and its preview 画板3) and the conversion list
// (添加》, 《删除, the list box 列表框1 with its preview 画板1, 转换 and 查看). Pictures are
// prepared and the icon file written by the operations pictolan-cli's convert calls
// (icofile/conversion.h), so both write the same bytes for the same pictures and sizes.
#pragma once

#include <cstdint>
#include <optional>

#include "frame/events.h"
#include "platform/win32/types.h"

namespace ui {

// The window, created: makes the picture list, fills the folder history (desktop, pictures,
// documents, the fixed drive roots), lists the pictures folder and starts the imaging library.
std::optional<int32_t> InitPictureBrowser(const frame::EventRecord& event);
// 组合框2, item chosen (also Enter in its edit part): lists the folder the box holds.
std::optional<int32_t> ScanPictureFolder(const frame::EventRecord& event);
// 按钮1 "←": the parent folder, never above "/".
std::optional<int32_t> GoUpFolder(const frame::EventRecord& event);
// 按钮4 "..": a folder chosen in the folder browser.
std::optional<int32_t> ChoosePictureFolder(const frame::EventRecord& event);
// 添加按钮, 删除按钮, 列表框1 selection changed, 转换按钮, 按钮3 "查看".
std::optional<int32_t> AddConversionImage(const frame::EventRecord& event);
std::optional<int32_t> RemoveConversionImage(const frame::EventRecord& event);
std::optional<int32_t> PreviewConversionImage(const frame::EventRecord& event);
std::optional<int32_t> ConvertToIcon(const frame::EventRecord& event);
std::optional<int32_t> ShowLastIcon(const frame::EventRecord& event);

// The picture list's window procedure: previews the selected picture on an arrow key's release,
// a mouse press or the capture's loss (not the one previewed last), enters a sub-folder on a
// double click, and passes every message on to the list view's own procedure.
win32::LRESULT PictureListWindowProc(win32::HWND window, win32::UINT message, win32::WPARAM wParam,
                                     win32::LPARAM lParam);

// Lists the folder the combo box holds; a folder that does not exist changes nothing.
void ListPictureFolder();

}  // namespace ui
