// The program's event handlers, numbered. The form binds unit events to these numbers (the
// handler field of an event binding; -1 for none) and the frame's dispatch maps a number to its
// function. The numbers are stored in the form description: append new handlers, never renumber.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace ui {

enum class Handler : int32_t {
  InitPictureBrowser = 0,      // the window, 0 created
  OpenMakerWebPage = 1,        // 按钮5 clicked
  LabelFeedback = 2,           // 标签1, message 0x8075
  GoUpFolder = 3,              // 按钮1 "←"
  ChoosePictureFolder = 4,     // 按钮4 ".."
  ScanPictureFolder = 5,       // 组合框2 item chosen
  AddConversionImage = 6,      // 添加按钮
  RemoveConversionImage = 7,   // 删除按钮
  PreviewConversionImage = 8,  // 列表框1 selection changed
  ConvertToIcon = 9,           // 转换按钮
  ShowLastIcon = 10,           // 按钮3 "查看"
  OpenIconSource = 11,         // 提取图标按钮 "提取文件图标"
  PreviewIconByNumber = 12,    // 编辑框2 content changed
  StepIconNumber = 13,         // 调节器1 arrow pressed
  SelectIconInStrip = 14,      // 图标画板 left button down (common event -1)
  ScrollIconStrip = 15,        // 调节器2 arrow pressed
  ExtractSelectedIcon = 16,    // 提取按钮
  ExtractFolderIcon = 17,      // 取文件夹图标按钮
  ChooseOutputFolder = 18,     // 浏览按钮1
  OpenOutputFolder = 19,       // 打开按钮2
  ExtractAllIcons = 20,        // 全部提取按钮
  SplitIcon = 21,              // 分割图标按钮
  RebuildIcon = 22,            // 提取图标按钮2 "重建图标"
  RebuildIconFolder = 23,      // 提取图标按钮1 "批量重建"
};

inline constexpr int kHandlerCount = 24;

struct HandlerName {
  Handler handler;
  std::string_view name;  // as written in form sources
};

inline constexpr std::array<HandlerName, kHandlerCount> kHandlerNames = {{
    {Handler::InitPictureBrowser, "InitPictureBrowser"},
    {Handler::OpenMakerWebPage, "OpenMakerWebPage"},
    {Handler::LabelFeedback, "LabelFeedback"},
    {Handler::GoUpFolder, "GoUpFolder"},
    {Handler::ChoosePictureFolder, "ChoosePictureFolder"},
    {Handler::ScanPictureFolder, "ScanPictureFolder"},
    {Handler::AddConversionImage, "AddConversionImage"},
    {Handler::RemoveConversionImage, "RemoveConversionImage"},
    {Handler::PreviewConversionImage, "PreviewConversionImage"},
    {Handler::ConvertToIcon, "ConvertToIcon"},
    {Handler::ShowLastIcon, "ShowLastIcon"},
    {Handler::OpenIconSource, "OpenIconSource"},
    {Handler::PreviewIconByNumber, "PreviewIconByNumber"},
    {Handler::StepIconNumber, "StepIconNumber"},
    {Handler::SelectIconInStrip, "SelectIconInStrip"},
    {Handler::ScrollIconStrip, "ScrollIconStrip"},
    {Handler::ExtractSelectedIcon, "ExtractSelectedIcon"},
    {Handler::ExtractFolderIcon, "ExtractFolderIcon"},
    {Handler::ChooseOutputFolder, "ChooseOutputFolder"},
    {Handler::OpenOutputFolder, "OpenOutputFolder"},
    {Handler::ExtractAllIcons, "ExtractAllIcons"},
    {Handler::SplitIcon, "SplitIcon"},
    {Handler::RebuildIcon, "RebuildIcon"},
    {Handler::RebuildIconFolder, "RebuildIconFolder"},
}};

constexpr bool HandlerNamesInNumberOrder() {
  for (int i = 0; i < kHandlerCount; ++i)
    if (static_cast<int>(kHandlerNames[i].handler) != i) return false;
  return true;
}
static_assert(HandlerNamesInNumberOrder(), "kHandlerNames must list the handlers by number");

constexpr std::optional<Handler> FindHandler(std::string_view name) {
  for (const HandlerName& h : kHandlerNames)
    if (h.name == name) return h.handler;
  return std::nullopt;
}

constexpr std::string_view HandlerNameOf(Handler handler) {
  return kHandlerNames[static_cast<int>(handler)].name;
}

}  // namespace ui
