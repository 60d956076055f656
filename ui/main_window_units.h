// Unit ids of the main window (ui/main_window.form), under the units' form names: the program
// addresses a unit by (kMainWindowId, unit id) in every property access and event.
#pragma once

#include <cstdint>

namespace ui::unit {

inline constexpr int32_t kWindowEntry = 0x06010000;  // the window's own entry (also unit id 0)

// On the window.
inline constexpr int32_t 按钮5 = 0x160283F2;
inline constexpr int32_t 标签1 = 0x16012411;
inline constexpr int32_t 选择夹1 = 0x16011052;

// Page 1, "图标转换".
inline constexpr int32_t 标签4 = 0x16025792;
inline constexpr int32_t 按钮4 = 0x16025790;
inline constexpr int32_t 按钮3 = 0x1601F4A5;
inline constexpr int32_t 选择框1 = 0x1601F4A4;
inline constexpr int32_t 按钮1 = 0x1601F49F;
inline constexpr int32_t 组合框2 = 0x1601ED5D;
inline constexpr int32_t 画板3 = 0x1601E168;
inline constexpr int32_t 转换按钮 = 0x16012423;
inline constexpr int32_t 删除按钮 = 0x16012422;
inline constexpr int32_t 列表框1 = 0x16012421;
inline constexpr int32_t 画板1 = 0x16012420;
inline constexpr int32_t 添加按钮 = 0x1601241D;
inline constexpr int32_t 组合框1 = 0x1601241A;
inline constexpr int32_t 外形框1 = 0x16011F8F;

// Page 2, "提取图标".
inline constexpr int32_t 打开按钮2 = 0x1602578D;
inline constexpr int32_t 浏览按钮1 = 0x1602578C;
inline constexpr int32_t 标签3 = 0x1602578B;
inline constexpr int32_t 保存路径编辑框 = 0x1602578A;
inline constexpr int32_t 标签9 = 0x1601D9D8;
inline constexpr int32_t 标签2 = 0x1601D9D7;
inline constexpr int32_t 按钮2 = 0x1601D9CC;
inline constexpr int32_t 图片框1 = 0x1601D980;
inline constexpr int32_t 图标画板 = 0x1601D97F;  // inside 画板2
inline constexpr int32_t 画板2 = 0x1601D97E;
inline constexpr int32_t 提取图标按钮1 = 0x1601BD02;
inline constexpr int32_t 调节器2 = 0x1601BC3E;
inline constexpr int32_t 提取图标按钮2 = 0x16012B38;
inline constexpr int32_t 分割图标按钮 = 0x16012A36;
inline constexpr int32_t 格式组合框1 = 0x160129AF;
inline constexpr int32_t 通用对话框3 = 0x160129AD;
inline constexpr int32_t 标签8 = 0x160124D5;
inline constexpr int32_t 标签7 = 0x160124CE;
inline constexpr int32_t 格式组合框 = 0x160124CC;
inline constexpr int32_t 调节器1 = 0x16012495;
inline constexpr int32_t 编辑框2 = 0x1601247C;
inline constexpr int32_t 标签6 = 0x1601247B;
inline constexpr int32_t 标签5 = 0x1601247A;
inline constexpr int32_t 文件前缀编辑框 = 0x16012479;
inline constexpr int32_t 提示标签 = 0x16012476;
inline constexpr int32_t 提取按钮 = 0x16012470;
inline constexpr int32_t 全部提取按钮 = 0x1601246F;
inline constexpr int32_t 取文件夹图标按钮 = 0x16012466;
inline constexpr int32_t 提取图标按钮 = 0x16012463;

}  // namespace ui::unit
