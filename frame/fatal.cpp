#include "frame/fatal.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "frame/literal.h"
#include "platform/api.h"
#include "platform/desktop.h"

namespace frame {
namespace {

using namespace literals;

FatalReporter& Reporter() {
  // The message box is the desktop part's: a process without it reports nothing here.
  static FatalReporter reporter = [](const Text& text, const Text& caption) {
    using MessageBox = decltype(&platform::user32::MessageBoxA);
    if (auto box = platform::DesktopFunction<MessageBox>("user32", "MessageBoxA"))
      box(0, text.c_str(), caption.c_str(), win32::MB_ICONSTOP);
  };
  return reporter;
}

ShutdownHook& Shutdown() {
  static ShutdownHook hook;
  return hook;
}

bool& Ending() {
  static bool ending = false;
  return ending;
}

}  // namespace

Text FatalErrorText(const Text& message, int code) {
  Text text = "运行时出错!\r\n\r\n"_gbk;
  if (code != 0) text += "错误代码："_gbk + Text(std::to_string(code)) + Text("\r\n\r\n");
  if (!message.empty()) text += "错误信息："_gbk + message + Text("\r\n");
  return text;
}

Text RuntimeErrorMessage(int code) {
  switch (code) {
    case 1:
      return "数组成员引用下标超出定义范围"_gbk;
    case 2:
      return "未得到所需要的数值型数据"_gbk;
    case 3:
      return "引用数组成员时维数不为1且不等于该数组目前所具有的维数"_gbk;
    case 4:
      return "数组成员引用下标必须大于等于1"_gbk;
    case 5:
      return "数据或数组类型不匹配"_gbk;
    case 6:
      return "调用DLL命令后发现堆栈错误"_gbk;
    case 7:
      return "子语句参数未返回数据或者返回了非系统基本类型或数组型数据"_gbk;
    case 8:
      return "被比较数据只能使用等于或不等于命令比较"_gbk;
    case 9:
      return "“多项选择”命令的索引值参数小于零或超出了所提供参数表范围"_gbk;
    case 10:
      return "“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零"_gbk;
    case 11:
      return "所提供参数的数据类型不符合要求"_gbk;
    default:
      return Text();
  }
}

void FatalError(const Text& message, int code) {
  if (!Ending()) {
    Ending() = true;
    if (Reporter()) Reporter()(FatalErrorText(message, code), "错误"_gbk);
  }
  EndProcess(-1);
}

void RaiseRuntimeError(int code) {
  FatalError(RuntimeErrorMessage(code), code);
}

void RaiseRuntimeError(const Text& message) {
  FatalError(message, 0);
}

void AllocationFailed(size_t bytes) {
  FatalError("分配 "_gbk + Text(std::to_string(bytes)) + " 字节内存失败!"_gbk, 0);
}

FatalReporter SetFatalReporter(FatalReporter reporter) {
  FatalReporter previous = std::move(Reporter());
  Reporter() = std::move(reporter);
  return previous;
}

void SetShutdownHook(ShutdownHook hook) {
  Shutdown() = std::move(hook);
}

void EndProcess(int exitCode) {
  if (ShutdownHook hook = std::exchange(Shutdown(), nullptr)) hook(exitCode);
  std::fflush(nullptr);
  std::_Exit(exitCode);
}

}  // namespace frame
