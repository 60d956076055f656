// The handlers of the "提取图标" page: the icon source with its strip and preview, single and
// batch extraction, the folder icon and the output folder, and the icon-file tools (split, and
// rebuild of one file or a folder). They read the page's units, call the operations that
// pictolan-cli shares (extract/, icofile/) and report on the status line or in message boxes.
#pragma once

#include <cstdint>
#include <optional>

#include "frame/events.h"

namespace ui {

// 提取图标按钮: asks for a source file and shows its icons.
std::optional<int32_t> OpenIconSource(const frame::EventRecord& event);
// 编辑框2 changed: previews the icon whose number the box holds.
std::optional<int32_t> PreviewIconByNumber(const frame::EventRecord& event);
// 调节器1: steps the number, wrapping between 1 and the icon count.
std::optional<int32_t> StepIconNumber(const frame::EventRecord& event);
// 图标画板, left button down (x, y, key state): selects the icon under the pointer.
std::optional<int32_t> SelectIconInStrip(const frame::EventRecord& event);
// 调节器2: scrolls the strip by one visible width.
std::optional<int32_t> ScrollIconStrip(const frame::EventRecord& event);
// 提取按钮: saves the selected icon (or, for a source without icons, its associated icon).
std::optional<int32_t> ExtractSelectedIcon(const frame::EventRecord& event);
// 取文件夹图标按钮: saves the icon of a folder the user picks.
std::optional<int32_t> ExtractFolderIcon(const frame::EventRecord& event);
// 浏览按钮1 and 打开按钮2: choose the output folder, open it in the file manager.
std::optional<int32_t> ChooseOutputFolder(const frame::EventRecord& event);
std::optional<int32_t> OpenOutputFolder(const frame::EventRecord& event);
// 全部提取按钮: saves every icon into a fresh folder.
std::optional<int32_t> ExtractAllIcons(const frame::EventRecord& event);
// 分割图标按钮, 提取图标按钮2 "重建图标", 提取图标按钮1 "批量重建".
std::optional<int32_t> SplitIcon(const frame::EventRecord& event);
std::optional<int32_t> RebuildIcon(const frame::EventRecord& event);
std::optional<int32_t> RebuildIconFolder(const frame::EventRecord& event);

}  // namespace ui
