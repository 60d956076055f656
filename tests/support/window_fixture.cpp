#include "tests/support/window_fixture.h"

#include <QAbstractButton>
#include <QTabBar>

#include "frame/properties.h"
#include "frame/ui_commands.h"
#include "platform/desktop/user32/window_table.h"
#include "ui/globals.h"
#include "ui/main_window_form.h"
#include "ui/main_window_units.h"
#include "ui/program.h"

namespace testing_support {

namespace seams = platform::seams;
using ui::kMainWindowId;

void ProgramWindowTest::SetUp() {
  dialogs_ = std::make_unique<seams::ScriptedDialogs>();
  shell_ = std::make_unique<seams::ShellRecorder>();
}

void ProgramWindowTest::TearDown() {
  app_.reset();
  ui::CleanUpGlobals();
  shell_.reset();
  dialogs_.reset();
}

void ProgramWindowTest::LoadWindow() {
  app_ = std::make_unique<frame::RuntimeApp>(ui::Program());
  app_->Initialise();
  ui::SetUpGlobals();
  app_->LoadStartWindow(kMainWindowId);
}

QWidget* ProgramWindowTest::Widget(int32_t unit) {
  return platform::user32::WidgetOf(frame::GetUnitHandle({kMainWindowId, unit, 0}));
}

std::string ProgramWindowTest::Caption(int32_t unit) {
  return frame::ReadText(kMainWindowId, unit, frame::prop::kLabelCaption).ToUtf8();
}

void ProgramWindowTest::SelectPage(int page) {
  auto* bar = Widget(ui::unit::选择夹1)->findChild<QTabBar*>();
  ASSERT_NE(bar, nullptr);
  bar->setCurrentIndex(page);
}

void ProgramWindowTest::Click(int32_t unit) {
  static_cast<QAbstractButton*>(Widget(unit))->click();
}

std::vector<std::string> ProgramWindowTest::Messages() const {
  std::vector<std::string> texts;
  for (const seams::DialogRequest& request : dialogs_->requests())
    if (request.kind == seams::DialogKind::Message) texts.push_back(request.text);
  return texts;
}

}  // namespace testing_support
