// Exports of the gdiplus stand-in library, found by name by the binder.
#include <array>

#include "platform/core/modules.h"
#include "platform/win32/gdiplus.h"

namespace platform {

std::span<const Export> GdiplusExports() {
  using namespace gdiplus;
  static const std::array<Export, 52> exports = {{
      {"GdiplusStartup", ToAnyFunction(&GdiplusStartup)},
      {"GdipDisposeImage", ToAnyFunction(&GdipDisposeImage)},
      {"GdipCreateBitmapFromGraphics", ToAnyFunction(&GdipCreateBitmapFromGraphics)},
      {"GdipLoadImageFromFile", ToAnyFunction(&GdipLoadImageFromFile)},
      {"GdipLoadImageFromStream", ToAnyFunction(&GdipLoadImageFromStream)},
      {"GdipSaveImageToStream", ToAnyFunction(&GdipSaveImageToStream)},
      {"GdipCreateFromHDC", ToAnyFunction(&GdipCreateFromHDC)},
      {"GdipCreateBitmapFromScan0", ToAnyFunction(&GdipCreateBitmapFromScan0)},
      {"GdipGetImageGraphicsContext", ToAnyFunction(&GdipGetImageGraphicsContext)},
      {"GdipCreateSolidFill", ToAnyFunction(&GdipCreateSolidFill)},
      {"GdipFillRectangle", ToAnyFunction(&GdipFillRectangle)},
      {"GdipDrawImageRect", ToAnyFunction(&GdipDrawImageRect)},
      {"GdipDeleteBrush", ToAnyFunction(&GdipDeleteBrush)},
      {"GdipDeleteGraphics", ToAnyFunction(&GdipDeleteGraphics)},
      {"GdipCreateBitmapFromHBITMAP", ToAnyFunction(&GdipCreateBitmapFromHBITMAP)},
      {"GdipGetImageType", ToAnyFunction(&GdipGetImageType)},
      {"GdipCreateBitmapFromFile", ToAnyFunction(&GdipCreateBitmapFromFile)},
      {"GdipGetImageWidth", ToAnyFunction(&GdipGetImageWidth)},
      {"GdipGetImageHeight", ToAnyFunction(&GdipGetImageHeight)},
      {"GdipCreateBitmapFromHICON", ToAnyFunction(&GdipCreateBitmapFromHICON)},
      {"GdipCreateHBITMAPFromBitmap", ToAnyFunction(&GdipCreateHBITMAPFromBitmap)},
      {"GdipCreateHICONFromBitmap", ToAnyFunction(&GdipCreateHICONFromBitmap)},
      {"GdipBitmapSetPixel", ToAnyFunction(&GdipBitmapSetPixel)},
      {"GdipBitmapGetPixel", ToAnyFunction(&GdipBitmapGetPixel)},
      {"GdipBitmapSetResolution", ToAnyFunction(&GdipBitmapSetResolution)},
      {"GdipGetImageRawFormat", ToAnyFunction(&GdipGetImageRawFormat)},
      {"GdipSaveImageToFile", ToAnyFunction(&GdipSaveImageToFile)},
      {"GdipGetImageDimension", ToAnyFunction(&GdipGetImageDimension)},
      {"GdipGetImageBounds", ToAnyFunction(&GdipGetImageBounds)},
      {"GdipGetImageHorizontalResolution", ToAnyFunction(&GdipGetImageHorizontalResolution)},
      {"GdipGetImageVerticalResolution", ToAnyFunction(&GdipGetImageVerticalResolution)},
      {"GdipGetImageFlags", ToAnyFunction(&GdipGetImageFlags)},
      {"GdipGetImagePixelFormat", ToAnyFunction(&GdipGetImagePixelFormat)},
      {"GdipGetImageEncodersSize", ToAnyFunction(&GdipGetImageEncodersSize)},
      {"GdipGetImageEncoders", ToAnyFunction(&GdipGetImageEncoders)},
      {"GdipGetEncoderParameterListSize", ToAnyFunction(&GdipGetEncoderParameterListSize)},
      {"GdipGetEncoderParameterList", ToAnyFunction(&GdipGetEncoderParameterList)},
      {"GdipCloneImage", ToAnyFunction(&GdipCloneImage)},
      {"GdipSetInterpolationMode", ToAnyFunction(&GdipSetInterpolationMode)},
      {"GdipGetImageThumbnail", ToAnyFunction(&GdipGetImageThumbnail)},
      {"GdipImageRotateFlip", ToAnyFunction(&GdipImageRotateFlip)},
      {"GdipGetPropertySize", ToAnyFunction(&GdipGetPropertySize)},
      {"GdipGetPropertyIdList", ToAnyFunction(&GdipGetPropertyIdList)},
      {"GdipGetPropertyItemSize", ToAnyFunction(&GdipGetPropertyItemSize)},
      {"GdipGetPropertyItem", ToAnyFunction(&GdipGetPropertyItem)},
      {"GdipDrawImage", ToAnyFunction(&GdipDrawImage)},
      {"GdipImageGetFrameCount", ToAnyFunction(&GdipImageGetFrameCount)},
      {"GdipImageGetFrameDimensionsCount", ToAnyFunction(&GdipImageGetFrameDimensionsCount)},
      {"GdipImageGetFrameDimensionsList", ToAnyFunction(&GdipImageGetFrameDimensionsList)},
      {"GdipImageSelectActiveFrame", ToAnyFunction(&GdipImageSelectActiveFrame)},
      {"GdipSaveAdd", ToAnyFunction(&GdipSaveAdd)},
      {"GdipSaveAddImage", ToAnyFunction(&GdipSaveAddImage)},
  }};
  return exports;
}

}  // namespace platform
