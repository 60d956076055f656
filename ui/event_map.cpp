#include "ui/event_map.h"

#include <array>

#include "frame/ui_commands.h"
#include "ui/app_info.h"
#include "ui/conversion_page.h"
#include "ui/extraction_page.h"
#include "ui/handlers.h"

namespace ui {
namespace {

constexpr std::array<frame::EventHandler, kHandlerCount> MakeTable() {
  std::array<frame::EventHandler, kHandlerCount> table{};
  table[static_cast<int>(Handler::InitPictureBrowser)] = &InitPictureBrowser;
  table[static_cast<int>(Handler::GoUpFolder)] = &GoUpFolder;
  table[static_cast<int>(Handler::ChoosePictureFolder)] = &ChoosePictureFolder;
  table[static_cast<int>(Handler::ScanPictureFolder)] = &ScanPictureFolder;
  table[static_cast<int>(Handler::AddConversionImage)] = &AddConversionImage;
  table[static_cast<int>(Handler::RemoveConversionImage)] = &RemoveConversionImage;
  table[static_cast<int>(Handler::PreviewConversionImage)] = &PreviewConversionImage;
  table[static_cast<int>(Handler::ConvertToIcon)] = &ConvertToIcon;
  table[static_cast<int>(Handler::ShowLastIcon)] = &ShowLastIcon;
  table[static_cast<int>(Handler::OpenMakerWebPage)] = &OpenMakerWebPage;
  table[static_cast<int>(Handler::LabelFeedback)] = &LabelFeedback;
  table[static_cast<int>(Handler::OpenIconSource)] = &OpenIconSource;
  table[static_cast<int>(Handler::PreviewIconByNumber)] = &PreviewIconByNumber;
  table[static_cast<int>(Handler::StepIconNumber)] = &StepIconNumber;
  table[static_cast<int>(Handler::SelectIconInStrip)] = &SelectIconInStrip;
  table[static_cast<int>(Handler::ScrollIconStrip)] = &ScrollIconStrip;
  table[static_cast<int>(Handler::ExtractSelectedIcon)] = &ExtractSelectedIcon;
  table[static_cast<int>(Handler::ExtractFolderIcon)] = &ExtractFolderIcon;
  table[static_cast<int>(Handler::ChooseOutputFolder)] = &ChooseOutputFolder;
  table[static_cast<int>(Handler::OpenOutputFolder)] = &OpenOutputFolder;
  table[static_cast<int>(Handler::ExtractAllIcons)] = &ExtractAllIcons;
  table[static_cast<int>(Handler::SplitIcon)] = &SplitIcon;
  table[static_cast<int>(Handler::RebuildIcon)] = &RebuildIcon;
  table[static_cast<int>(Handler::RebuildIconFolder)] = &RebuildIconFolder;
  return table;
}

constexpr std::array<frame::EventHandler, kHandlerCount> kHandlers = MakeTable();

}  // namespace

frame::HandlerTable ProgramHandlers() {
  return kHandlers;
}

std::optional<int32_t> OpenMakerWebPage(const frame::EventRecord&) {
  frame::OpenWebAddress(MakerWebAddress());
  return std::nullopt;
}

std::optional<int32_t> LabelFeedback(const frame::EventRecord&) {
  return std::nullopt;
}

}  // namespace ui
