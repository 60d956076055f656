// The create operation of each unit type module.
#pragma once

#include <memory>

#include "frame/units/unit.h"

namespace frame::units {

std::unique_ptr<Unit> CreateWindowUnit(const CreateParams& params);
std::unique_ptr<Unit> CreateEditBox(const CreateParams& params);
std::unique_ptr<Unit> CreatePicBox(const CreateParams& params);
std::unique_ptr<Unit> CreateShapeBox(const CreateParams& params);
std::unique_ptr<Unit> CreateDrawPanel(const CreateParams& params);
std::unique_ptr<Unit> CreateLabel(const CreateParams& params);
std::unique_ptr<Unit> CreateButton(const CreateParams& params);
std::unique_ptr<Unit> CreateCheckBox(const CreateParams& params);
std::unique_ptr<Unit> CreateComboBox(const CreateParams& params);
std::unique_ptr<Unit> CreateListBox(const CreateParams& params);
std::unique_ptr<Unit> CreateTab(const CreateParams& params);
std::unique_ptr<Unit> CreateSpin(const CreateParams& params);
std::unique_ptr<Unit> CreateCommonDlg(const CreateParams& params);

}  // namespace frame::units
