#include "platform/desktop/test_seams.h"

#include <utility>

#include "platform/win32/user32.h"

namespace platform::seams {
namespace {

DialogResponder*& Responder() {
  static DialogResponder* responder = nullptr;
  return responder;
}

ShellRecorder*& Recorder() {
  static ShellRecorder* recorder = nullptr;
  return recorder;
}

int FirstButton(uint32_t flags) {
  switch (flags & 0x0F) {
    case win32::MB_ABORTRETRYIGNORE:
      return win32::IDABORT;
    case win32::MB_YESNOCANCEL:
    case win32::MB_YESNO:
      return win32::IDYES;
    case win32::MB_RETRYCANCEL:
      return win32::IDRETRY;
    default:
      return win32::IDOK;
  }
}

}  // namespace

DialogResponder* InstalledDialogResponder() {
  return Responder();
}

ScriptedDialogs::ScriptedDialogs() : previous_(std::exchange(Responder(), this)) {}

ScriptedDialogs::~ScriptedDialogs() {
  Responder() = previous_;
}

ScriptedDialogs& ScriptedDialogs::Then(DialogAnswer answer) {
  script_.push_back(std::move(answer));
  return *this;
}

DialogAnswer ScriptedDialogs::Answer(const DialogRequest& request) {
  requests_.push_back(request);
  if (script_.empty()) {
    if (request.kind == DialogKind::Message) return DialogAnswer::Press(FirstButton(request.flags));
    return DialogAnswer::Cancel();
  }
  DialogAnswer answer = std::move(script_.front());
  script_.pop_front();
  return answer;
}

ShellRecorder::ShellRecorder() : previous_(std::exchange(Recorder(), this)) {}

ShellRecorder::~ShellRecorder() {
  Recorder() = previous_;
}

ShellRecorder* InstalledShellRecorder() {
  return Recorder();
}

}  // namespace platform::seams
