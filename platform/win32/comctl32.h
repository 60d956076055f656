// comctl32: image lists and the list view; the list view's records, messages and styles, and the
// image list functions.
// Texts are GBK byte strings; paths accept "\" and "/" and come back with "/". The binder finds
// the functions by library and name through the module registry (platform/core/modules.h).
#pragma once

#include "platform/win32/types.h"

namespace win32 {

// List-view records. The members are those of the program's 32-bit records in the same order;
// the text pointer and the row parameter take this platform's pointer size, as on every 64-bit
// build of these records, so a record carries the address of its text copy whole.
struct LVCOLUMNA {
  UINT mask;
  int fmt;
  int cx;
  char* pszText;
  int cchTextMax;
  int iSubItem;
  int iImage;
  int iOrder;
};
static_assert(offsetof(LVCOLUMNA, pszText) == 16 && sizeof(LVCOLUMNA) == 40);

struct LVITEMA {
  UINT mask;
  int iItem;
  int iSubItem;
  UINT state;
  UINT stateMask;
  char* pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
  int iIndent;
};
static_assert(offsetof(LVITEMA, pszText) == 24 && offsetof(LVITEMA, lParam) == 40 &&
              sizeof(LVITEMA) == 56);

struct LVFINDINFOA {
  UINT flags;
  const char* psz;
  LPARAM lParam;
  POINT pt;
  UINT vkDirection;
};

struct LVBKIMAGEA {
  ULONG ulFlags;
  HBITMAP hbm;
  char* pszImage;
  UINT cchImageMax;
  int xOffsetPercent;
  int yOffsetPercent;
};

// Orders two rows by their parameters for LVM_SORTITEMS: negative, 0 or positive.
using PFNLVCOMPARE = int (*)(LPARAM first, LPARAM second, LPARAM sortParam);

constexpr UINT LVM_GETBKCOLOR = 0x1000;
constexpr UINT LVM_SETBKCOLOR = 0x1001;
constexpr UINT LVM_GETIMAGELIST = 0x1002;
constexpr UINT LVM_SETIMAGELIST = 0x1003;
constexpr UINT LVM_GETITEMCOUNT = 0x1004;
constexpr UINT LVM_GETITEMA = 0x1005;
constexpr UINT LVM_SETITEMA = 0x1006;
constexpr UINT LVM_INSERTITEMA = 0x1007;
constexpr UINT LVM_DELETEITEM = 0x1008;
constexpr UINT LVM_DELETEALLITEMS = 0x1009;
constexpr UINT LVM_GETNEXTITEM = 0x100C;
constexpr UINT LVM_FINDITEMA = 0x100D;
constexpr UINT LVM_ENSUREVISIBLE = 0x1013;
constexpr UINT LVM_REDRAWITEMS = 0x1015;
constexpr UINT LVM_ARRANGE = 0x1016;
constexpr UINT LVM_EDITLABELA = 0x1017;
constexpr UINT LVM_GETEDITCONTROL = 0x1018;
constexpr UINT LVM_GETCOLUMNA = 0x1019;
constexpr UINT LVM_SETCOLUMNA = 0x101A;
constexpr UINT LVM_INSERTCOLUMNA = 0x101B;
constexpr UINT LVM_DELETECOLUMN = 0x101C;
constexpr UINT LVM_GETCOLUMNWIDTH = 0x101D;
constexpr UINT LVM_SETCOLUMNWIDTH = 0x101E;
constexpr UINT LVM_GETHEADER = 0x101F;
constexpr UINT LVM_GETTEXTCOLOR = 0x1023;
constexpr UINT LVM_SETTEXTCOLOR = 0x1024;
constexpr UINT LVM_GETTEXTBKCOLOR = 0x1025;
constexpr UINT LVM_SETTEXTBKCOLOR = 0x1026;
constexpr UINT LVM_GETTOPINDEX = 0x1027;
constexpr UINT LVM_GETCOUNTPERPAGE = 0x1028;
constexpr UINT LVM_SETITEMSTATE = 0x102B;
constexpr UINT LVM_GETITEMSTATE = 0x102C;
constexpr UINT LVM_SORTITEMS = 0x1030;
constexpr UINT LVM_GETITEMSPACING = 0x1033;
constexpr UINT LVM_SETEXTENDEDLISTVIEWSTYLE = 0x1036;
constexpr UINT LVM_GETEXTENDEDLISTVIEWSTYLE = 0x1037;
constexpr UINT LVM_GETHOTITEM = 0x103D;
constexpr UINT LVM_SETBKIMAGEA = 0x1044;
constexpr UINT LVM_GETBKIMAGEA = 0x1045;
constexpr UINT HDM_GETITEMCOUNT = 0x1200;

constexpr UINT LVIF_TEXT = 0x0001;
constexpr UINT LVIF_IMAGE = 0x0002;
constexpr UINT LVIF_PARAM = 0x0004;
constexpr UINT LVIF_STATE = 0x0008;
constexpr UINT LVIF_INDENT = 0x0010;
constexpr UINT LVIF_DI_SETITEM = 0x1000;
constexpr UINT LVIS_FOCUSED = 0x0001;
constexpr UINT LVIS_SELECTED = 0x0002;
constexpr UINT LVIS_CUT = 0x0004;
constexpr UINT LVIS_DROPHILITED = 0x0008;
constexpr UINT LVIS_OVERLAYMASK = 0x0F00;
constexpr UINT LVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT LVNI_ALL = 0x0000;
constexpr UINT LVNI_FOCUSED = 0x0001;
constexpr UINT LVNI_SELECTED = 0x0002;
constexpr UINT LVNI_ABOVE = 0x0100;
constexpr UINT LVNI_BELOW = 0x0200;
constexpr UINT LVNI_TOLEFT = 0x0400;
constexpr UINT LVNI_TORIGHT = 0x0800;
constexpr UINT LVFI_PARAM = 0x0001;
constexpr UINT LVFI_STRING = 0x0002;
constexpr UINT LVFI_PARTIAL = 0x0008;
constexpr UINT LVFI_WRAP = 0x0020;
constexpr UINT LVCF_FMT = 0x0001;
constexpr UINT LVCF_WIDTH = 0x0002;
constexpr UINT LVCF_TEXT = 0x0004;
constexpr UINT LVCF_SUBITEM = 0x0008;
constexpr UINT LVCF_IMAGE = 0x0010;
constexpr UINT LVCF_ORDER = 0x0020;
constexpr int LVCFMT_LEFT = 0x0000;
constexpr int LVCFMT_RIGHT = 0x0001;
constexpr int LVCFMT_CENTER = 0x0002;
constexpr int LVCFMT_JUSTIFYMASK = 0x0003;
constexpr int LVCFMT_BITMAP_ON_RIGHT = 0x1000;
constexpr int LVSIL_NORMAL = 0;
constexpr int LVSIL_SMALL = 1;
constexpr int LVSIL_STATE = 2;
constexpr ULONG LVBKIF_SOURCE_NONE = 0x0000;
constexpr ULONG LVBKIF_SOURCE_HBITMAP = 0x0001;
constexpr ULONG LVBKIF_SOURCE_URL = 0x0002;
constexpr ULONG LVBKIF_SOURCE_MASK = 0x0003;
constexpr ULONG LVBKIF_STYLE_TILE = 0x0010;
inline char* const LPSTR_TEXTCALLBACKA = reinterpret_cast<char*>(intptr_t{-1});

// List-view styles (bits 0-1 are the view) and extended styles.
constexpr DWORD LVS_ICON = 0x0000;
constexpr DWORD LVS_REPORT = 0x0001;
constexpr DWORD LVS_SMALLICON = 0x0002;
constexpr DWORD LVS_LIST = 0x0003;
constexpr DWORD LVS_TYPEMASK = 0x0003;
constexpr DWORD LVS_SINGLESEL = 0x0004;
constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
constexpr DWORD LVS_SORTASCENDING = 0x0010;
constexpr DWORD LVS_SORTDESCENDING = 0x0020;
constexpr DWORD LVS_NOLABELWRAP = 0x0080;
constexpr DWORD LVS_AUTOARRANGE = 0x0100;
constexpr DWORD LVS_EDITLABELS = 0x0200;
constexpr DWORD LVS_ALIGNLEFT = 0x0800;
constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
constexpr DWORD LVS_NOSORTHEADER = 0x8000;
constexpr DWORD LVS_EX_GRIDLINES = 0x0001;
constexpr DWORD LVS_EX_CHECKBOXES = 0x0004;
constexpr DWORD LVS_EX_TRACKSELECT = 0x0008;
constexpr DWORD LVS_EX_HEADERDRAGDROP = 0x0010;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x0020;
constexpr DWORD LVS_EX_ONECLICKACTIVATE = 0x0040;
constexpr DWORD LVS_EX_UNDERLINEHOT = 0x0800;
constexpr DWORD LVS_EX_DOUBLEBUFFER = 0x00010000;

// Image lists.
constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR = 0x0000;
constexpr UINT ILC_COLOR4 = 0x0004;
constexpr UINT ILC_COLOR8 = 0x0008;
constexpr UINT ILC_COLOR16 = 0x0010;
constexpr UINT ILC_COLOR24 = 0x0018;
constexpr UINT ILC_COLOR32 = 0x0020;
constexpr UINT ILC_COLORMASK = 0x00FE;
constexpr COLORREF CLR_NONE = 0xFFFFFFFFu;
constexpr COLORREF CLR_DEFAULT = 0xFF000000u;

}  // namespace win32

namespace platform::comctl32 {
win32::HIMAGELIST ImageList_Create(int width, int height, win32::UINT flags, int initial, int grow);
win32::BOOL ImageList_Destroy(win32::HIMAGELIST list);
win32::COLORREF ImageList_SetBkColor(win32::HIMAGELIST list, win32::COLORREF colour);
int ImageList_AddIcon(win32::HIMAGELIST list, win32::HICON icon);
}  // namespace platform::comctl32
