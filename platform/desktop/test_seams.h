// The one in-process seam through which tests answer the platform's dialogs and watch the shell.
//
// While a DialogResponder is installed, no open, save, folder, message or input dialog is shown:
// each request is handed to the responder, which answers it. While a ShellRecorder is installed,
// ShellExecuteA launches nothing and records what it would have done. Only tests install them;
// the product has no other way in (no environment variable, no command-line switch).
// Texts in requests and answers are UTF-8, paths native.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace platform::seams {

enum class DialogKind { Open, Save, Folder, Message, Input };

struct DialogRequest {
  DialogKind kind = DialogKind::Message;
  std::string caption;           // window title (message box caption, dialog title)
  std::string text;              // message, prompt, or the file dialog's initial file name
  std::string filter;            // file dialogs: "desc|pattern|desc|pattern"
  std::string folder;            // initial folder, or the folder browser's initial selection
  std::string defaultExtension;  // as the program gave it
  uint32_t flags = 0;            // MB_*, OFN_* or BIF_* bits as passed
  int filterIndex = 0;           // 1-based, as the dialog receives it
  uint32_t owner = 0;            // owner window handle
};

struct DialogAnswer {
  bool accepted = false;  // false: the user cancelled
  std::string value;      // the chosen path or the typed text
  int button = 0;         // message boxes: IDOK (1) .. IDNO (7)

  static DialogAnswer Cancel() { return {}; }
  static DialogAnswer Choose(std::string value) { return {true, std::move(value), 0}; }
  static DialogAnswer Press(int button) { return {true, {}, button}; }
};

class DialogResponder {
 public:
  virtual ~DialogResponder() = default;
  virtual DialogAnswer Answer(const DialogRequest& request) = 0;
};

// The installed responder, or null when dialogs are real.
DialogResponder* InstalledDialogResponder();

// Answers from a script, in order, and records every request. Installed for its lifetime.
// When the script runs out, file, folder and input dialogs are cancelled and a message box
// answers with its first button.
class ScriptedDialogs final : public DialogResponder {
 public:
  ScriptedDialogs();
  ~ScriptedDialogs() override;
  ScriptedDialogs(const ScriptedDialogs&) = delete;
  ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

  ScriptedDialogs& Then(DialogAnswer answer);
  const std::vector<DialogRequest>& requests() const { return requests_; }
  DialogAnswer Answer(const DialogRequest& request) override;

 private:
  DialogResponder* previous_;
  std::deque<DialogAnswer> script_;
  std::vector<DialogRequest> requests_;
};

// What ShellExecuteA was asked, and what it would have done.
struct ShellRequest {
  std::string verb, file, parameters, folder;  // as passed (UTF-8)
  int show = 0;
  enum class Action { Open, ShowSelected } action = Action::Open;
  std::string target;  // the native path or the web address acted on
};

class ShellRecorder {
 public:
  ShellRecorder();
  ~ShellRecorder();
  ShellRecorder(const ShellRecorder&) = delete;
  ShellRecorder& operator=(const ShellRecorder&) = delete;

  void Record(ShellRequest request) { requests_.push_back(std::move(request)); }
  const std::vector<ShellRequest>& requests() const { return requests_; }

  // As on a desktop without a file manager or any application: every request is recorded, then
  // fails as nothing took it (the user is told, as the shell tells them).
  ShellRecorder& WithoutHelpers() {
    helpers_ = false;
    return *this;
  }
  bool helpers() const { return helpers_; }

 private:
  ShellRecorder* previous_;
  std::vector<ShellRequest> requests_;
  bool helpers_ = true;
};

// The installed recorder, or null when the shell launches for real.
ShellRecorder* InstalledShellRecorder();

}  // namespace platform::seams
