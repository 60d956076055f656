// The unit types' own settings (the type data at the end of a unit record), read into one struct
// per type. Every type data block starts with a version; a version above the type's highest
// (unit_types.h) or a block shorter than its layout is an error; empty type data gives the
// defaults below. Settings whose meaning this frame does not use are read and dropped.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <variant>
#include <vector>

#include "frame/form/colours.h"
#include "frame/form/form.h"
#include "frame/form/reader.h"
#include "frame/values.h"
#include "platform/core/result.h"

namespace frame::form {

enum class BorderStyle : int32_t {
  None = 0,
  Sunken = 1,
  ModalFrame = 2,
  Static = 3,
  SunkenModalFrame = 4,
  Thin = 5,
};

// Picture and font settings are counted blocks: a picture is the bytes of an image file, a font a
// 60-byte logical-font record; empty means none.

struct WindowData {
  Colour background = kButtonFace;
  std::array<ByteSet, 3> pictures;  // the first is the window's icon
  Text title;
  friend bool operator==(const WindowData&, const WindowData&) = default;
};

enum class ButtonKind : int32_t { Normal = 0, DefaultPush = 1 };
enum class HorizontalAlignment : int32_t { Left = 0, Centre = 1, Right = 2 };
enum class VerticalAlignment : int32_t { Top = 0, Centre = 1, Bottom = 2 };

struct ButtonData {
  ButtonKind kind = ButtonKind::Normal;
  HorizontalAlignment horizontal = HorizontalAlignment::Centre;
  VerticalAlignment vertical = VerticalAlignment::Centre;
  ByteSet picture;
  ByteSet font;
  Text caption;
  friend bool operator==(const ButtonData&, const ButtonData&) = default;
};

struct LabelData {
  BorderStyle border = BorderStyle::None;
  Colour textColour = kBlack;
  Colour background = kButtonFace;
  ByteSet font;
  ByteSet picture;
  Text caption;
  friend bool operator==(const LabelData&, const LabelData&) = default;
};

struct EditBoxData {
  ByteSet font;
  Text content;
  friend bool operator==(const EditBoxData&, const EditBoxData&) = default;
};

struct CheckBoxData {
  ByteSet picture;
  ByteSet font;
  Text caption;
  friend bool operator==(const CheckBoxData&, const CheckBoxData&) = default;
};

enum class ComboStyle : int32_t { Simple = 0, DropDown = 1, DropDownList = 2 };

struct ComboBoxData {
  ComboStyle style = ComboStyle::DropDown;
  int32_t maxLength = 0;  // 0: no limit
  bool sorted = false;
  int32_t extraItemHeight = 0;  // pixels added to every item's height
  Colour textColour = kBlack;
  Colour background = kWhite;
  int32_t currentIndex = -1;  // clamped to -1 .. items.size() - 1
  ByteSet font;
  std::vector<int32_t> itemValues;  // one per item; items without a stored value get 0
  Text content;
  std::vector<Text> items;
  friend bool operator==(const ComboBoxData&, const ComboBoxData&) = default;
};

struct ListBoxData {
  ByteSet font;
  std::vector<int32_t> itemValues;  // one per item; items without a stored value get 0
  std::vector<Text> items;
  friend bool operator==(const ListBoxData&, const ListBoxData&) = default;
};

struct TabData {
  Colour background = kButtonFace;
  ByteSet font;
  std::vector<Text> pages;  // page captions
  friend bool operator==(const TabData&, const TabData&) = default;
};

struct PicBoxData {
  BorderStyle border = BorderStyle::None;
  Colour background = kButtonFace;
  ByteSet picture;
  friend bool operator==(const PicBoxData&, const PicBoxData&) = default;
};

struct ShapeBoxData {
  friend bool operator==(const ShapeBoxData&, const ShapeBoxData&) = default;
};

struct DrawPanelData {
  BorderStyle border = BorderStyle::None;
  Colour background = kButtonFace;
  std::array<ByteSet, 2> pictures;  // the first is the background picture
  friend bool operator==(const DrawPanelData&, const DrawPanelData&) = default;
};

struct SpinData {
  friend bool operator==(const SpinData&, const SpinData&) = default;
};

enum class DialogKind : int32_t { Open = 0, Save = 1 };  // higher values: other dialogs

struct CommonDlgData {
  DialogKind kind = DialogKind::Open;
  int32_t filterIndex = 0;  // 0-based
  bool createPrompt = false;
  Text title;
  Text fileName;
  Text filter;  // description|pattern pairs
  Text initialFolder;
  Text defaultExtension;
  friend bool operator==(const CommonDlgData&, const CommonDlgData&) = default;
};

using UnitTypeData = std::variant<WindowData, EditBoxData, PicBoxData, ShapeBoxData, DrawPanelData,
                                  LabelData, ButtonData, CheckBoxData, ComboBoxData, ListBoxData,
                                  TabData, SpinData, CommonDlgData>;

// Reads the type data of a unit of the type. origin is where the data starts in the form, for
// error offsets. Bytes after the layout are left unread; layoutSize, when given, receives how many
// bytes the layout took (0 for empty type data).
platform::Result<UnitTypeData, FormError> ReadTypeData(int32_t typeId,
                                                       std::span<const uint8_t> typeData,
                                                       size_t origin = 0,
                                                       size_t* layoutSize = nullptr);
// The same for a unit record's own type data.
platform::Result<UnitTypeData, FormError> ReadTypeData(const UnitRecord& unit);

}  // namespace frame::form
