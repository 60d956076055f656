// Image lists: images of one size, addressed by index, in a handle table. The list view draws
// from them by handle at paint time, so a destroyed list simply shows nothing.
#pragma once

#include <QImage>

#include <vector>

#include "platform/core/handles.h"
#include "platform/win32/comctl32.h"

namespace platform::comctl32 {

struct ImageListObject {
  int width = 0;
  int height = 0;
  win32::UINT flags = 0;
  win32::COLORREF background = win32::CLR_NONE;
  std::vector<QImage> images;  // ARGB32, width x height each
  // The same images at the screen's device resolution (their device pixel ratio set), drawn from
  // the icons' detail; empty while the ratio is 1.
  std::vector<QImage> deviceImages;
};

HandleTable<ImageListObject>& ImageLists();

// The list's image at index, or null (no such list or image).
const QImage* ImageListImage(win32::HIMAGELIST list, int index);
// What the screen shows of it: its device-resolution image where there is one (QPainter draws
// it at the list's size), else the image itself.
const QImage* ImageListShownImage(win32::HIMAGELIST list, int index);

}  // namespace platform::comctl32
