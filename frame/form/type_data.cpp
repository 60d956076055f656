#include "frame/form/type_data.h"

#include <algorithm>

#include "frame/form/unit_types.h"

namespace frame::form {
namespace {

Colour ReadColour(FormReader& r) {
  return static_cast<Colour>(r.Int32());
}

template <class Enum>
Enum ReadEnum(FormReader& r) {
  return static_cast<Enum>(r.Int32());
}

void SkipTexts(FormReader& r, int count) {
  for (int i = 0; i < count; ++i)
    r.CountedText();
}

// A counted block of int32 item values, one per item from the first.
std::vector<int32_t> ReadItemValues(FormReader& r) {
  size_t at = r.offset();
  ByteSet block = r.CountedBlock();
  if (block.size() % 4 != 0) {
    r.Fail(FormErrorReason::BadItemValues, at);
    return {};
  }
  FormReader values(block.span());
  std::vector<int32_t> out(block.size() / 4);
  for (int32_t& v : out)
    v = values.Int32();
  return out;
}

// Items without a stored value get 0; values beyond the last item belong to no item.
void MatchValuesToItems(std::vector<int32_t>& values, size_t itemCount) {
  values.resize(itemCount, 0);
}

void Read(FormReader& r, int32_t version, WindowData& d) {
  r.SkipInt32s(2);
  d.background = ReadColour(r);
  r.SkipInt32s(10);
  if (version > 1) r.SkipInt32s(1);
  if (version > 2) r.SkipInt32s(2);
  if (version > 3) r.SkipInt32s(1);
  if (version > 4) r.SkipInt32s(1);
  if (version == 6) SkipTexts(r, 1);
  for (ByteSet& picture : d.pictures)
    picture = r.CountedBlock();
  d.title = r.CountedText();
  SkipTexts(r, 1);
}

void Read(FormReader& r, int32_t, ButtonData& d) {
  d.kind = ReadEnum<ButtonKind>(r);
  d.horizontal = ReadEnum<HorizontalAlignment>(r);
  d.vertical = ReadEnum<VerticalAlignment>(r);
  d.picture = r.CountedBlock();
  d.font = r.CountedBlock();
  d.caption = r.CountedText();
}

void Read(FormReader& r, int32_t version, LabelData& d) {
  r.SkipInt32s(2);
  d.border = ReadEnum<BorderStyle>(r);
  r.SkipInt32s(3);
  d.textColour = ReadColour(r);
  d.background = ReadColour(r);
  r.SkipInt32s(8);
  d.font = r.CountedBlock();
  d.picture = r.CountedBlock();
  d.caption = r.CountedText();
  if (version == 2) SkipTexts(r, 2);
}

void Read(FormReader& r, int32_t version, EditBoxData& d) {
  r.SkipInt32s(9);
  r.Uint16();
  r.SkipInt32s(6);
  d.font = r.CountedBlock();
  d.content = r.CountedText();
  if (version == 2) SkipTexts(r, 2);
}

void Read(FormReader& r, int32_t version, CheckBoxData& d) {
  r.SkipInt32s(8);
  d.picture = r.CountedBlock();
  d.font = r.CountedBlock();
  d.caption = r.CountedText();
  if (version == 2) SkipTexts(r, 2);
}

void Read(FormReader& r, int32_t version, ComboBoxData& d) {
  d.style = ReadEnum<ComboStyle>(r);
  d.maxLength = r.Int32();
  r.SkipInt32s(2);
  d.sorted = r.Int32() != 0;
  d.extraItemHeight = r.Int32();
  d.textColour = ReadColour(r);
  d.background = ReadColour(r);
  int32_t current = r.Int32();
  d.font = r.CountedBlock();
  d.itemValues = ReadItemValues(r);
  d.content = r.CountedText();
  d.items = r.TextList();
  if (version > 1) SkipTexts(r, 2);
  if (version == 3) r.SkipInt32s(1);
  MatchValuesToItems(d.itemValues, d.items.size());
  int32_t last = static_cast<int32_t>(std::min<size_t>(d.items.size(), INT32_MAX)) - 1;
  d.currentIndex = std::clamp(current, -1, last);
}

void Read(FormReader& r, int32_t version, ListBoxData& d) {
  r.SkipInt32s(8);
  d.font = r.CountedBlock();
  d.itemValues = ReadItemValues(r);
  d.items = r.TextList();
  if (version > 1) SkipTexts(r, 2);
  if (version == 3) r.SkipInt32s(1);
  MatchValuesToItems(d.itemValues, d.items.size());
}

void Read(FormReader& r, int32_t version, TabData& d) {
  r.SkipInt32s(3);
  if (version > 1) r.SkipInt32s(1);
  if (version == 3) {
    r.SkipInt32s(1);
    d.background = ReadColour(r);
  }
  d.font = r.CountedBlock();
  d.pages = r.TextList();
}

void Read(FormReader& r, int32_t version, PicBoxData& d) {
  d.border = ReadEnum<BorderStyle>(r);
  d.background = ReadColour(r);
  r.SkipInt32s(2);
  d.picture = r.CountedBlock();
  if (version == 2) SkipTexts(r, 2);
}

void Read(FormReader& r, int32_t, ShapeBoxData&) {
  r.SkipInt32s(7);
}

void Read(FormReader& r, int32_t, DrawPanelData& d) {
  d.border = ReadEnum<BorderStyle>(r);
  d.background = ReadColour(r);
  r.SkipInt32s(12);
  for (ByteSet& picture : d.pictures)
    picture = r.CountedBlock();
}

void Read(FormReader& r, int32_t, SpinData&) {
  r.SkipInt32s(2);
}

void Read(FormReader& r, int32_t, CommonDlgData& d) {
  d.kind = ReadEnum<DialogKind>(r);
  d.filterIndex = r.Int32();
  d.createPrompt = r.Int32() != 0;
  r.SkipInt32s(12);
  d.title = r.CountedText();
  d.fileName = r.CountedText();
  d.filter = r.CountedText();
  d.initialFolder = r.CountedText();
  d.defaultExtension = r.CountedText();
  SkipTexts(r, 2);
}

template <class Data>
UnitTypeData ReadAs(FormReader& r, int32_t highestVersion) {
  Data data;
  if (r.remaining() == 0) return data;
  size_t at = r.offset();
  int32_t version = r.Int32();
  if (version > highestVersion) {
    r.Fail(FormErrorReason::VersionTooHigh, at);
    return data;
  }
  Read(r, version, data);
  return data;
}

using TypeDataReader = UnitTypeData (*)(FormReader&, int32_t highestVersion);

TypeDataReader ReaderFor(UnitType type) {
  switch (type) {
    case UnitType::Window:
      return ReadAs<WindowData>;
    case UnitType::EditBox:
      return ReadAs<EditBoxData>;
    case UnitType::PicBox:
      return ReadAs<PicBoxData>;
    case UnitType::ShapeBox:
      return ReadAs<ShapeBoxData>;
    case UnitType::DrawPanel:
      return ReadAs<DrawPanelData>;
    case UnitType::Label:
      return ReadAs<LabelData>;
    case UnitType::Button:
      return ReadAs<ButtonData>;
    case UnitType::CheckBox:
      return ReadAs<CheckBoxData>;
    case UnitType::ComboBox:
      return ReadAs<ComboBoxData>;
    case UnitType::ListBox:
      return ReadAs<ListBoxData>;
    case UnitType::Tab:
      return ReadAs<TabData>;
    case UnitType::Spin:
      return ReadAs<SpinData>;
    case UnitType::CommonDlg:
      return ReadAs<CommonDlgData>;
  }
  return nullptr;
}

}  // namespace

platform::Result<UnitTypeData, FormError> ReadTypeData(int32_t typeId,
                                                       std::span<const uint8_t> typeData,
                                                       size_t origin, size_t* layoutSize) {
  const UnitTypeInfo* info = FindUnitType(typeId);
  if (!info) return platform::Fail(FormError{FormErrorReason::UnknownUnitType, origin});
  FormReader r(typeData, origin);
  UnitTypeData data = ReaderFor(info->type)(r, info->highestVersion);
  if (!r.ok()) return platform::Fail(*r.error());
  if (layoutSize) *layoutSize = typeData.size() - r.remaining();
  return data;
}

platform::Result<UnitTypeData, FormError> ReadTypeData(const UnitRecord& unit) {
  return ReadTypeData(unit.typeId, unit.typeData.span(), unit.typeDataOffset);
}

}  // namespace frame::form
