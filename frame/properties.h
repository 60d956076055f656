// Unit properties by number: the program names a unit by its window id and unit id (0 for the
// window's own entry) and a property by its index. Indices 0 to 7 are common to every unit type;
// 8 and up are the type's own properties. Texts and byte sets come back as new values.
#pragma once

#include <cstdint>

#include "frame/values.h"

namespace frame {

namespace prop {
// Common to every unit type.
inline constexpr int kLeft = 0;
inline constexpr int kTop = 1;
inline constexpr int kWidth = 2;
inline constexpr int kHeight = 3;
inline constexpr int kTag = 4;
inline constexpr int kVisible = 5;
inline constexpr int kDisabled = 6;
inline constexpr int kCursor = 7;
// A menu item's properties.
inline constexpr int kMenuCaption = 0;   // text
inline constexpr int kMenuChecked = 1;   // bool
inline constexpr int kMenuDisabled = 2;  // bool
inline constexpr int kMenuVisible = 3;   // bool
// The first of a type's own properties; a unit keeps them by own index (index - kFirstOwn).
inline constexpr int kFirstOwn = 8;
// The types' own properties that the program uses.
inline constexpr int kEditContent = 8;           // EditBox: text
inline constexpr int kLabelCaption = 8;          // Label: text
inline constexpr int kCheckBoxChecked = 18;      // CheckBox: bool
inline constexpr int kComboContent = 9;          // ComboBox: the edit part's text
inline constexpr int kComboCurrentIndex = 19;    // ComboBox: integer, -1 none
inline constexpr int kListCurrentIndex = 16;     // ListBox: integer, -1 none
inline constexpr int kPicBoxBackground = 9;      // PicBox: colour 0x00BBGGRR
inline constexpr int kPicBoxPicture = 10;        // PicBox: byte set holding an image file
inline constexpr int kDrawPanelPicture = 10;     // DrawPanel: background picture, an image file
inline constexpr int kDialogKind = 8;            // CommonDlg: 0 open, 1 save (others not offered)
inline constexpr int kDialogTitle = 9;           // CommonDlg: text
inline constexpr int kDialogFileName = 10;       // CommonDlg: text
inline constexpr int kDialogFilter = 11;         // CommonDlg: "desc|pattern|..." text
inline constexpr int kDialogFilterIndex = 12;    // CommonDlg: integer from 0
inline constexpr int kDialogInitialFolder = 13;  // CommonDlg: text
inline constexpr int kDialogDefaultExtension = 14;  // CommonDlg: text
inline constexpr int kDialogCreatePrompt = 15;      // CommonDlg: bool
inline constexpr int kTabCurrentPage = 8;           // Tab: integer from 0, the page shown

// The own index under which a unit keeps one of its type's own properties.
constexpr int OwnIndex(int property) {
  return property - kFirstOwn;
}
}  // namespace prop

// The value of the property's kind: int32_t (integers, selections, colours), int64_t, bool, Text
// or ByteSet (pictures, cursors, fonts, text lists).
Value ReadProperty(int32_t windowId, int32_t unitId, int index);
// The value is converted to the property's kind (numbers to numbers, bool to 0 or 1; a text
// property given no text becomes empty).
void WriteProperty(int32_t windowId, int32_t unitId, int index, const Value& value);

int32_t ReadInt(int32_t windowId, int32_t unitId, int index);
bool ReadBool(int32_t windowId, int32_t unitId, int index);
Text ReadText(int32_t windowId, int32_t unitId, int index);
ByteSet ReadBytes(int32_t windowId, int32_t unitId, int index);

inline void WriteInt(int32_t windowId, int32_t unitId, int index, int32_t value) {
  WriteProperty(windowId, unitId, index, Value(value));
}
inline void WriteBool(int32_t windowId, int32_t unitId, int index, bool value) {
  WriteProperty(windowId, unitId, index, Value(value));
}
inline void WriteText(int32_t windowId, int32_t unitId, int index, const Text& value) {
  WriteProperty(windowId, unitId, index, Value(value));
}
inline void WriteBytes(int32_t windowId, int32_t unitId, int index, const ByteSet& value) {
  WriteProperty(windowId, unitId, index, Value(value));
}

}  // namespace frame
