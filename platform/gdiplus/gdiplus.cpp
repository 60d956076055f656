// Placeholders: every function answers its documented failure value until implemented.
#include "platform/api.h"

namespace platform::gdiplus {

GpStatus GdiplusStartup(ULONG_PTR*, const GdiplusStartupInput*, void*) { return gdip::NotImplemented; }
GpStatus GdipDisposeImage(GpImage) { return gdip::NotImplemented; }
GpStatus GdipCreateBitmapFromGraphics(INT, INT, GpGraphics, GpBitmap*) { return gdip::NotImplemented; }
GpStatus GdipLoadImageFromFile(const WCHAR*, GpImage*) { return gdip::NotImplemented; }
GpStatus GdipLoadImageFromStream(ISTREAM, GpImage*) { return gdip::NotImplemented; }
GpStatus GdipSaveImageToStream(GpImage, ISTREAM, const CLSID*, const EncoderParameters*) { return gdip::NotImplemented; }
GpStatus GdipCreateFromHDC(HDC, GpGraphics*) { return gdip::NotImplemented; }
GpStatus GdipCreateBitmapFromScan0(INT, INT, INT, PixelFormat, BYTE*, GpBitmap*) { return gdip::NotImplemented; }
GpStatus GdipGetImageGraphicsContext(GpImage, GpGraphics*) { return gdip::NotImplemented; }
GpStatus GdipCreateSolidFill(ARGB, GpSolidFill*) { return gdip::NotImplemented; }
GpStatus GdipFillRectangle(GpGraphics, GpBrush, REAL, REAL, REAL, REAL) { return gdip::NotImplemented; }
GpStatus GdipDrawImageRect(GpGraphics, GpImage, REAL, REAL, REAL, REAL) { return gdip::NotImplemented; }
GpStatus GdipDeleteBrush(GpBrush) { return gdip::NotImplemented; }
GpStatus GdipDeleteGraphics(GpGraphics) { return gdip::NotImplemented; }
GpStatus GdipCreateBitmapFromHBITMAP(HBITMAP, HPALETTE, GpBitmap*) { return gdip::NotImplemented; }
GpStatus GdipGetImageType(GpImage, ImageType*) { return gdip::NotImplemented; }
GpStatus GdipCreateBitmapFromFile(const WCHAR*, GpBitmap*) { return gdip::NotImplemented; }
GpStatus GdipGetImageWidth(GpImage, UINT*) { return gdip::NotImplemented; }
GpStatus GdipGetImageHeight(GpImage, UINT*) { return gdip::NotImplemented; }
GpStatus GdipCreateBitmapFromHICON(HICON, GpBitmap*) { return gdip::NotImplemented; }
GpStatus GdipCreateHBITMAPFromBitmap(GpBitmap, HBITMAP*, ARGB) { return gdip::NotImplemented; }
GpStatus GdipCreateHICONFromBitmap(GpBitmap, HICON*) { return gdip::NotImplemented; }
GpStatus GdipBitmapSetPixel(GpBitmap, INT, INT, ARGB) { return gdip::NotImplemented; }
GpStatus GdipBitmapGetPixel(GpBitmap, INT, INT, ARGB*) { return gdip::NotImplemented; }
GpStatus GdipBitmapSetResolution(GpBitmap, REAL, REAL) { return gdip::NotImplemented; }
GpStatus GdipGetImageRawFormat(GpImage, GUID*) { return gdip::NotImplemented; }
GpStatus GdipSaveImageToFile(GpImage, const WCHAR*, const CLSID*, const EncoderParameters*) { return gdip::NotImplemented; }
GpStatus GdipGetImageDimension(GpImage, REAL*, REAL*) { return gdip::NotImplemented; }
GpStatus GdipGetImageBounds(GpImage, GpRectF*, GpUnit*) { return gdip::NotImplemented; }
GpStatus GdipGetImageHorizontalResolution(GpImage, REAL*) { return gdip::NotImplemented; }
GpStatus GdipGetImageVerticalResolution(GpImage, REAL*) { return gdip::NotImplemented; }
GpStatus GdipGetImageFlags(GpImage, UINT*) { return gdip::NotImplemented; }
GpStatus GdipGetImagePixelFormat(GpImage, PixelFormat*) { return gdip::NotImplemented; }
GpStatus GdipGetImageEncodersSize(UINT*, UINT*) { return gdip::NotImplemented; }
GpStatus GdipGetImageEncoders(UINT, UINT, ImageCodecInfo*) { return gdip::NotImplemented; }
GpStatus GdipGetEncoderParameterListSize(GpImage, const CLSID*, UINT*) { return gdip::NotImplemented; }
GpStatus GdipGetEncoderParameterList(GpImage, const CLSID*, UINT, EncoderParameters*) { return gdip::NotImplemented; }
GpStatus GdipCloneImage(GpImage, GpImage*) { return gdip::NotImplemented; }
GpStatus GdipSetInterpolationMode(GpGraphics, InterpolationMode) { return gdip::NotImplemented; }
GpStatus GdipGetImageThumbnail(GpImage, UINT, UINT, GpImage*, GetThumbnailImageAbort, void*) { return gdip::NotImplemented; }
GpStatus GdipImageRotateFlip(GpImage, RotateFlipType) { return gdip::NotImplemented; }
GpStatus GdipGetPropertySize(GpImage, UINT*, UINT*) { return gdip::NotImplemented; }
GpStatus GdipGetPropertyIdList(GpImage, UINT, PROPID*) { return gdip::NotImplemented; }
GpStatus GdipGetPropertyItemSize(GpImage, PROPID, UINT*) { return gdip::NotImplemented; }
GpStatus GdipGetPropertyItem(GpImage, PROPID, UINT, PropertyItem*) { return gdip::NotImplemented; }
GpStatus GdipDrawImage(GpGraphics, GpImage, REAL, REAL) { return gdip::NotImplemented; }
GpStatus GdipImageGetFrameCount(GpImage, const GUID*, UINT*) { return gdip::NotImplemented; }
GpStatus GdipImageGetFrameDimensionsCount(GpImage, UINT*) { return gdip::NotImplemented; }
GpStatus GdipImageGetFrameDimensionsList(GpImage, GUID*, UINT) { return gdip::NotImplemented; }
GpStatus GdipImageSelectActiveFrame(GpImage, const GUID*, UINT) { return gdip::NotImplemented; }
GpStatus GdipSaveAdd(GpImage, const EncoderParameters*) { return gdip::NotImplemented; }
GpStatus GdipSaveAddImage(GpImage, GpImage, const EncoderParameters*) { return gdip::NotImplemented; }

}  // namespace platform::gdiplus
