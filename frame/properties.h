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
// The types' own properties that the units keep (the readers and writers below take these
// indices; the units name their own ones through OwnIndex). Colours are 0x00BBGGRR, borders
// form::BorderStyle, pictures byte sets holding an image file, fonts 60-byte logical-font
// records, text lists each item's text and a zero byte.
inline constexpr int kWindowTitle = 8;               // Window: text
inline constexpr int kWindowBackground = 9;          // Window: colour
inline constexpr int kWindowIcon = 10;               // Window: picture
inline constexpr int kWindowPicture2 = 11;           // Window: picture
inline constexpr int kWindowPicture3 = 12;           // Window: picture
inline constexpr int kEditContent = 8;               // EditBox: text
inline constexpr int kEditFont = 9;                  // EditBox: font
inline constexpr int kPicBoxBorder = 8;              // PicBox: border
inline constexpr int kPicBoxBackground = 9;          // PicBox: colour
inline constexpr int kPicBoxPicture = 10;            // PicBox: picture
inline constexpr int kDrawPanelBorder = 8;           // DrawPanel: border
inline constexpr int kDrawPanelBackground = 9;       // DrawPanel: colour
inline constexpr int kDrawPanelPicture = 10;         // DrawPanel: background picture
inline constexpr int kDrawPanelPicture2 = 11;        // DrawPanel: a second picture
inline constexpr int kLabelCaption = 8;              // Label: text
inline constexpr int kLabelBorder = 9;               // Label: border
inline constexpr int kLabelTextColour = 10;          // Label: colour
inline constexpr int kLabelBackground = 11;          // Label: colour
inline constexpr int kLabelFont = 12;                // Label: font
inline constexpr int kLabelPicture = 13;             // Label: picture
inline constexpr int kButtonCaption = 8;             // Button: text
inline constexpr int kButtonKind = 9;                // Button: form::ButtonKind
inline constexpr int kButtonAlignment = 10;          // Button: form::HorizontalAlignment
inline constexpr int kButtonVerticalAlignment = 11;  // Button: form::VerticalAlignment
inline constexpr int kButtonPicture = 12;            // Button: picture
inline constexpr int kButtonFont = 13;               // Button: font
inline constexpr int kCheckBoxCaption = 8;           // CheckBox: text
inline constexpr int kCheckBoxPicture = 9;           // CheckBox: picture
inline constexpr int kCheckBoxFont = 10;             // CheckBox: font
inline constexpr int kCheckBoxChecked = 18;          // CheckBox: bool
inline constexpr int kComboStyle = 8;                // ComboBox: form::ComboStyle
inline constexpr int kComboContent = 9;              // ComboBox: the edit part's text
inline constexpr int kComboMaxLength = 10;           // ComboBox: integer, 0 no limit
inline constexpr int kComboSorted = 11;              // ComboBox: bool
inline constexpr int kComboExtraItemHeight = 12;     // ComboBox: pixels added to each item
inline constexpr int kComboTextColour = 13;          // ComboBox: colour
inline constexpr int kComboBackground = 14;          // ComboBox: colour
inline constexpr int kComboFont = 15;                // ComboBox: font
inline constexpr int kComboItems = 16;               // ComboBox: text list
inline constexpr int kComboCurrentIndex = 19;        // ComboBox: integer, -1 none
inline constexpr int kListItems = 8;                 // ListBox: text list
inline constexpr int kListFont = 9;                  // ListBox: font
inline constexpr int kListCurrentIndex = 16;         // ListBox: integer, -1 none
inline constexpr int kTabCurrentPage = 8;            // Tab: integer from 0, the page shown
inline constexpr int kTabBackground = 9;             // Tab: colour
inline constexpr int kTabPages = 10;                 // Tab: text list, the page captions
inline constexpr int kTabFont = 11;                  // Tab: font
inline constexpr int kDialogKind = 8;            // CommonDlg: 0 open, 1 save (others not offered)
inline constexpr int kDialogTitle = 9;           // CommonDlg: text
inline constexpr int kDialogFileName = 10;       // CommonDlg: text
inline constexpr int kDialogFilter = 11;         // CommonDlg: "desc|pattern|..." text
inline constexpr int kDialogFilterIndex = 12;    // CommonDlg: integer from 0
inline constexpr int kDialogInitialFolder = 13;  // CommonDlg: text
inline constexpr int kDialogDefaultExtension = 14;  // CommonDlg: text
inline constexpr int kDialogCreatePrompt = 15;      // CommonDlg: bool

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
