// The library commands of dialogs, the cursor, message pumping and units. A unit is named as the
// program names it in a command's first argument: window id, unit id and the unit's type id.
#pragma once

#include <cstdint>
#include <optional>

#include "frame/values.h"
#include "platform/win32/types.h"

namespace frame {

struct UnitRef {
  int32_t windowId;
  int32_t unitId;
  int32_t typeId;
};

// The button pressed: 0 OK, 1 Cancel, 2 Abort, 3 Retry, 4 Ignore, 5 Yes, 6 No. The message is
// any value, shown as ToText shows it; flags are the platform's message box flags. The box has no
// owner and is task-modal unless the flags ask for system-modal.
int32_t MessageBox(const Value& message, int32_t flags = 0,
                   const std::optional<Text>& caption = std::nullopt);
// True when the user confirms; the typed text is then stored in the variable, converted to the
// variable's type. False on cancel, the variable untouched. Modes 1-4 (text, password, integer,
// decimal); others are clamped to the nearer end.
bool InputBox(const Text& prompt, const std::optional<Text>& caption,
              const std::optional<Text>& initial, Value& variable, int32_t mode = 1);
// Dispatches every waiting message; returns when none is left or a quit message is next.
void DoEvents();
// Shows the hourglass; the cursor shown before the first call is remembered.
void SetWaitCursor();
// Shows the remembered cursor again and forgets it.
void RestoreCursor();
bool ReleaseMouseCapture();
// Asks the shell to open the address with the "open" verb.
void OpenWebAddress(const Text& address);
// The folder of the program file, without a trailing separator.
Text GetProgramDir();
// The program file's name without its folder; empty while no program runs.
Text GetProgramFileName();

// The unit's window handle; a unit that does not exist or is not loaded is a runtime error.
win32::HWND GetUnitHandle(UnitRef unit);
// Shows the open or save dialog the CommonDlg unit's properties configure; on success stores the
// chosen path in the unit's file name property. False on cancel.
bool CommonDlgOpen(UnitRef dialog);

int32_t ComboItemCount(UnitRef combo);
// The item's text; an index outside the list gives the empty text.
Text ComboItemText(UnitRef combo, int32_t index);
// The item's value; -1 for an index outside the list.
int32_t ComboItemData(UnitRef combo, int32_t index);
// The new item's index, or -1 when the box refuses it.
int32_t ComboAddItem(UnitRef combo, const Text& text, int32_t data = 0);
int32_t ListAddItem(UnitRef list, const Text& text, int32_t data = 0);
bool ListDeleteItem(UnitRef list, int32_t index);

}  // namespace frame
