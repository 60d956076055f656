// Typed call wrappers, one per index of the table of external functions, made from the one list
// (external_list.h) and named as its rows say: ext::DestroyIcon, ext::RtlMoveMemory34, ... Each
// index is bound and cached on its own. A wrapper's type is its stand-in function's declaration
// (platform/win32/<library>.h), so what the binder returns is called as what it is; the call itself
// goes through the binder.
#pragma once

#include "frame/external.h"
#include "frame/external_list.h"
#include "platform/win32/comctl32.h"
#include "platform/win32/comdlg32.h"
#include "platform/win32/gdi32.h"
#include "platform/win32/gdiplus.h"
#include "platform/win32/kernel32.h"
#include "platform/win32/ole32.h"
#include "platform/win32/shell32.h"
#include "platform/win32/shlwapi.h"
#include "platform/win32/user32.h"

namespace frame {

template <int Index, class Fn>
struct ExternalCall;
template <int Index, class R, class... P>
struct ExternalCall<Index, R (*)(P...)> {
  static R Call(P... args) { return CallExternal<Index, R (*)(P...)>(args...); }
};

}  // namespace frame

namespace ext {

#define PICTOLAN_WRAPPER(index, library, stand_in, function, wrapper) \
  inline constexpr auto wrapper =                                     \
      &frame::ExternalCall<index, decltype(&platform::stand_in::function)>::Call;
PICTOLAN_EXTERNAL_FUNCTIONS(PICTOLAN_WRAPPER)
#undef PICTOLAN_WRAPPER

}  // namespace ext
