// The imaging library (GDI+): images, graphics objects and brushes; its values, ids and records,
// and its functions.
// Texts are GBK byte strings; paths accept "\" and "/" and come back with "/". The binder finds
// the functions by library and name through the module registry (platform/core/modules.h).
#pragma once

#include "platform/win32/types.h"

namespace win32 {

// Imaging library (GDI+).
using GpStatus = INT;
using GpImage = uint32_t;
using GpBitmap = uint32_t;
using GpGraphics = uint32_t;
using GpBrush = uint32_t;
using GpSolidFill = uint32_t;
using ARGB = uint32_t;
using REAL = float;
using PixelFormat = INT;
using PROPID = ULONG;
using GpUnit = INT;
using InterpolationMode = INT;
using RotateFlipType = INT;
using ImageType = INT;

namespace gdip {
constexpr GpStatus Ok = 0;
constexpr GpStatus GenericError = 1;
constexpr GpStatus InvalidParameter = 2;
constexpr GpStatus OutOfMemory = 3;
constexpr GpStatus ObjectBusy = 4;
constexpr GpStatus InsufficientBuffer = 5;
constexpr GpStatus NotImplemented = 6;
constexpr GpStatus Win32Error = 7;
constexpr GpStatus WrongState = 8;
constexpr GpStatus FileNotFound = 10;
constexpr GpStatus UnknownImageFormat = 13;
constexpr GpStatus PropertyNotFound = 19;

constexpr ImageType ImageTypeUnknown = 0;
constexpr ImageType ImageTypeBitmap = 1;
constexpr ImageType ImageTypeMetafile = 2;

constexpr PixelFormat PixelFormat1bppIndexed = 0x00030101;
constexpr PixelFormat PixelFormat4bppIndexed = 0x00030402;
constexpr PixelFormat PixelFormat8bppIndexed = 0x00030803;
constexpr PixelFormat PixelFormat16bppRGB555 = 0x00021005;
constexpr PixelFormat PixelFormat16bppRGB565 = 0x00021006;
constexpr PixelFormat PixelFormat24bppRGB = 0x00021808;
constexpr PixelFormat PixelFormat32bppRGB = 0x00022009;
constexpr PixelFormat PixelFormat32bppARGB = 0x0026200A;
constexpr PixelFormat PixelFormat32bppPARGB = 0x000E200B;

constexpr InterpolationMode InterpolationModeDefault = 0;
constexpr InterpolationMode InterpolationModeLowQuality = 1;
constexpr InterpolationMode InterpolationModeHighQuality = 2;
constexpr InterpolationMode InterpolationModeBilinear = 3;
constexpr InterpolationMode InterpolationModeBicubic = 4;
constexpr InterpolationMode InterpolationModeNearestNeighbor = 5;
constexpr InterpolationMode InterpolationModeHighQualityBilinear = 6;
constexpr InterpolationMode InterpolationModeHighQualityBicubic = 7;

constexpr GpUnit UnitPixel = 2;
}  // namespace gdip

struct GUID {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
};
using CLSID = GUID;
constexpr bool operator==(const GUID& a, const GUID& b) {
  if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
  for (int i = 0; i < 8; ++i)
    if (a.Data4[i] != b.Data4[i]) return false;
  return true;
}

namespace gdip {
constexpr GpStatus Aborted = 9;
constexpr GpStatus ValueOverflow = 11;
constexpr GpStatus AccessDenied = 12;
constexpr GpStatus UnsupportedGdiplusVersion = 17;
constexpr GpStatus GdiplusNotInitialized = 18;

// Pixel format bits: (format >> 8) & 0xFF is the bit count.
constexpr PixelFormat PixelFormatIndexed = 0x00010000;
constexpr PixelFormat PixelFormatGDI = 0x00020000;
constexpr PixelFormat PixelFormatAlpha = 0x00040000;
constexpr PixelFormat PixelFormatPAlpha = 0x00080000;
constexpr PixelFormat PixelFormat16bppGrayScale = 0x00101004;
constexpr PixelFormat PixelFormat16bppARGB1555 = 0x00061007;
constexpr PixelFormat PixelFormat48bppRGB = 0x0010300C;
constexpr PixelFormat PixelFormat64bppARGB = 0x0034400D;
constexpr PixelFormat PixelFormat64bppPARGB = 0x001C400E;

constexpr UINT ImageFlagsHasAlpha = 0x0002;
constexpr UINT ImageFlagsColorSpaceRGB = 0x0010;
constexpr UINT ImageFlagsColorSpaceGRAY = 0x0040;
constexpr UINT ImageFlagsHasRealDPI = 0x1000;
constexpr UINT ImageFlagsHasRealPixelSize = 0x2000;
constexpr UINT ImageFlagsReadOnly = 0x00010000;

constexpr RotateFlipType RotateNoneFlipNone = 0;
constexpr RotateFlipType Rotate90FlipNone = 1;
constexpr RotateFlipType Rotate180FlipNone = 2;
constexpr RotateFlipType Rotate270FlipNone = 3;
constexpr RotateFlipType RotateNoneFlipX = 4;
constexpr RotateFlipType Rotate90FlipX = 5;
constexpr RotateFlipType Rotate180FlipX = 6;
constexpr RotateFlipType Rotate270FlipX = 7;

// Value types of encoder parameters and property items.
constexpr ULONG EncoderParameterValueTypeByte = 1;
constexpr ULONG EncoderParameterValueTypeASCII = 2;
constexpr ULONG EncoderParameterValueTypeShort = 3;
constexpr ULONG EncoderParameterValueTypeLong = 4;
constexpr ULONG EncoderParameterValueTypeRational = 5;
constexpr ULONG EncoderParameterValueTypeLongRange = 6;
constexpr ULONG EncoderParameterValueTypeUndefined = 7;
constexpr ULONG EncoderParameterValueTypeRationalRange = 8;
constexpr ULONG EncoderParameterValueTypePointer = 9;

// Values of the EncoderSaveFlag parameter (and the other enumerated parameters).
constexpr ULONG EncoderValueCompressionLZW = 2;
constexpr ULONG EncoderValueCompressionNone = 6;
constexpr ULONG EncoderValueMultiFrame = 18;
constexpr ULONG EncoderValueLastFrame = 19;
constexpr ULONG EncoderValueFlush = 20;
constexpr ULONG EncoderValueFrameDimensionTime = 21;
constexpr ULONG EncoderValueFrameDimensionResolution = 22;
constexpr ULONG EncoderValueFrameDimensionPage = 23;

constexpr PROPID PropertyTagFrameDelay = 0x5100;
constexpr PROPID PropertyTagLoopCount = 0x5101;
constexpr WORD PropertyTagTypeShort = 3;
constexpr WORD PropertyTagTypeLong = 4;

// Raw formats of images.
constexpr GUID ImageFormatMemoryBMP{
    0xB96B3CAA, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
constexpr GUID ImageFormatBMP{
    0xB96B3CAB, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
constexpr GUID ImageFormatJPEG{
    0xB96B3CAE, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
constexpr GUID ImageFormatPNG{
    0xB96B3CAF, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
constexpr GUID ImageFormatGIF{
    0xB96B3CB0, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
constexpr GUID ImageFormatTIFF{
    0xB96B3CB1, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
constexpr GUID ImageFormatIcon{
    0xB96B3CB5, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

// Class ids of the encoders.
constexpr CLSID EncoderClsidBMP{
    0x557CF400, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
constexpr CLSID EncoderClsidJPEG{
    0x557CF401, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
constexpr CLSID EncoderClsidGIF{
    0x557CF402, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
constexpr CLSID EncoderClsidTIFF{
    0x557CF405, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
constexpr CLSID EncoderClsidPNG{
    0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

// Frame dimensions.
constexpr GUID FrameDimensionTime{
    0x6AEDBD6D, 0x3FB5, 0x418A, {0x83, 0xA6, 0x7F, 0x45, 0x22, 0x9D, 0xC8, 0x72}};
constexpr GUID FrameDimensionResolution{
    0x84236F7B, 0x3BD3, 0x428F, {0x8D, 0xAB, 0x4E, 0xA1, 0x43, 0x9C, 0xA3, 0x15}};
constexpr GUID FrameDimensionPage{
    0x7462DC86, 0x6180, 0x4C7E, {0x8E, 0x3F, 0xEE, 0x73, 0x33, 0xA7, 0xA4, 0x83}};

// Encoder parameters.
constexpr GUID EncoderQuality{
    0x1D5BE4B5, 0xFA4A, 0x452D, {0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB}};
constexpr GUID EncoderSaveFlag{
    0x292266FC, 0xAC40, 0x47BF, {0x8C, 0xFC, 0xA8, 0x5B, 0x89, 0xA6, 0x55, 0xDE}};
constexpr GUID EncoderCompression{
    0xE09D739D, 0xCCD4, 0x44EE, {0x8E, 0xBA, 0x3F, 0xBF, 0x8B, 0xE4, 0xFC, 0x58}};
}  // namespace gdip

struct GdiplusStartupInput {
  UINT GdiplusVersion;
  void (*DebugEventCallback)(int level, char* message);
  BOOL SuppressBackgroundThread;
  BOOL SuppressExternalCodecs;
};

struct EncoderParameter {
  GUID Guid;
  ULONG NumberOfValues;
  ULONG Type;  // 4 = 32-bit integer (EncoderParameterValueTypeLong)
  void* Value;
};

struct EncoderParameters {
  UINT Count;
  EncoderParameter Parameter[1];
};

// One entry of the encoder list; its strings point into the same buffer.
struct ImageCodecInfo {
  CLSID Clsid;
  GUID FormatID;
  const WCHAR* CodecName;
  const WCHAR* DllName;
  const WCHAR* FormatDescription;
  const WCHAR* FilenameExtension;
  const WCHAR* MimeType;
  DWORD Flags;
  DWORD Version;
  DWORD SigCount;
  DWORD SigSize;
  const BYTE* SigPattern;
  const BYTE* SigMask;
};

struct PropertyItem {
  PROPID id;
  ULONG length;
  WORD type;
  void* value;
};

struct GpRectF {
  REAL X;
  REAL Y;
  REAL Width;
  REAL Height;
};

using GetThumbnailImageAbort = BOOL (*)(void*);

}  // namespace win32

namespace platform::gdiplus {
win32::GpStatus GdiplusStartup(win32::ULONG_PTR* token, const win32::GdiplusStartupInput* input,
                               void* output);
win32::GpStatus GdipDisposeImage(win32::GpImage image);
win32::GpStatus GdipCreateBitmapFromGraphics(win32::INT width, win32::INT height,
                                             win32::GpGraphics graphics, win32::GpBitmap* bitmap);
win32::GpStatus GdipLoadImageFromFile(const win32::WCHAR* path, win32::GpImage* image);
win32::GpStatus GdipLoadImageFromStream(win32::ISTREAM stream, win32::GpImage* image);
win32::GpStatus GdipSaveImageToStream(win32::GpImage image, win32::ISTREAM stream,
                                      const win32::CLSID* encoder,
                                      const win32::EncoderParameters* parameters);
win32::GpStatus GdipCreateFromHDC(win32::HDC dc, win32::GpGraphics* graphics);
win32::GpStatus GdipCreateBitmapFromScan0(win32::INT width, win32::INT height, win32::INT stride,
                                          win32::PixelFormat format, win32::BYTE* scan0,
                                          win32::GpBitmap* bitmap);
win32::GpStatus GdipGetImageGraphicsContext(win32::GpImage image, win32::GpGraphics* graphics);
win32::GpStatus GdipCreateSolidFill(win32::ARGB colour, win32::GpSolidFill* brush);
win32::GpStatus GdipFillRectangle(win32::GpGraphics graphics, win32::GpBrush brush, win32::REAL x,
                                  win32::REAL y, win32::REAL width, win32::REAL height);
win32::GpStatus GdipDrawImageRect(win32::GpGraphics graphics, win32::GpImage image, win32::REAL x,
                                  win32::REAL y, win32::REAL width, win32::REAL height);
win32::GpStatus GdipDeleteBrush(win32::GpBrush brush);
win32::GpStatus GdipDeleteGraphics(win32::GpGraphics graphics);
win32::GpStatus GdipCreateBitmapFromHBITMAP(win32::HBITMAP bitmap, win32::HPALETTE palette,
                                            win32::GpBitmap* result);
win32::GpStatus GdipGetImageType(win32::GpImage image, win32::ImageType* type);
win32::GpStatus GdipCreateBitmapFromFile(const win32::WCHAR* path, win32::GpBitmap* bitmap);
win32::GpStatus GdipGetImageWidth(win32::GpImage image, win32::UINT* width);
win32::GpStatus GdipGetImageHeight(win32::GpImage image, win32::UINT* height);
win32::GpStatus GdipCreateBitmapFromHICON(win32::HICON icon, win32::GpBitmap* bitmap);
win32::GpStatus GdipCreateHBITMAPFromBitmap(win32::GpBitmap bitmap, win32::HBITMAP* result,
                                            win32::ARGB background);
win32::GpStatus GdipCreateHICONFromBitmap(win32::GpBitmap bitmap, win32::HICON* result);
win32::GpStatus GdipBitmapSetPixel(win32::GpBitmap bitmap, win32::INT x, win32::INT y,
                                   win32::ARGB colour);
win32::GpStatus GdipBitmapGetPixel(win32::GpBitmap bitmap, win32::INT x, win32::INT y,
                                   win32::ARGB* colour);
win32::GpStatus GdipBitmapSetResolution(win32::GpBitmap bitmap, win32::REAL xdpi, win32::REAL ydpi);
win32::GpStatus GdipGetImageRawFormat(win32::GpImage image, win32::GUID* format);
win32::GpStatus GdipSaveImageToFile(win32::GpImage image, const win32::WCHAR* path,
                                    const win32::CLSID* encoder,
                                    const win32::EncoderParameters* parameters);
win32::GpStatus GdipGetImageDimension(win32::GpImage image, win32::REAL* width,
                                      win32::REAL* height);
win32::GpStatus GdipGetImageBounds(win32::GpImage image, win32::GpRectF* bounds,
                                   win32::GpUnit* unit);
win32::GpStatus GdipGetImageHorizontalResolution(win32::GpImage image, win32::REAL* resolution);
win32::GpStatus GdipGetImageVerticalResolution(win32::GpImage image, win32::REAL* resolution);
win32::GpStatus GdipGetImageFlags(win32::GpImage image, win32::UINT* flags);
win32::GpStatus GdipGetImagePixelFormat(win32::GpImage image, win32::PixelFormat* format);
win32::GpStatus GdipGetImageEncodersSize(win32::UINT* count, win32::UINT* size);
win32::GpStatus GdipGetImageEncoders(win32::UINT count, win32::UINT size,
                                     win32::ImageCodecInfo* encoders);
win32::GpStatus GdipGetEncoderParameterListSize(win32::GpImage image, const win32::CLSID* encoder,
                                                win32::UINT* size);
win32::GpStatus GdipGetEncoderParameterList(win32::GpImage image, const win32::CLSID* encoder,
                                            win32::UINT size, win32::EncoderParameters* list);
win32::GpStatus GdipCloneImage(win32::GpImage image, win32::GpImage* clone);
win32::GpStatus GdipSetInterpolationMode(win32::GpGraphics graphics, win32::InterpolationMode mode);
win32::GpStatus GdipGetImageThumbnail(win32::GpImage image, win32::UINT width, win32::UINT height,
                                      win32::GpImage* thumbnail,
                                      win32::GetThumbnailImageAbort callback, void* callbackData);
win32::GpStatus GdipImageRotateFlip(win32::GpImage image, win32::RotateFlipType kind);
win32::GpStatus GdipGetPropertySize(win32::GpImage image, win32::UINT* totalSize,
                                    win32::UINT* count);
win32::GpStatus GdipGetPropertyIdList(win32::GpImage image, win32::UINT count, win32::PROPID* list);
win32::GpStatus GdipGetPropertyItemSize(win32::GpImage image, win32::PROPID id, win32::UINT* size);
win32::GpStatus GdipGetPropertyItem(win32::GpImage image, win32::PROPID id, win32::UINT size,
                                    win32::PropertyItem* buffer);
win32::GpStatus GdipDrawImage(win32::GpGraphics graphics, win32::GpImage image, win32::REAL x,
                              win32::REAL y);
win32::GpStatus GdipImageGetFrameCount(win32::GpImage image, const win32::GUID* dimension,
                                       win32::UINT* count);
win32::GpStatus GdipImageGetFrameDimensionsCount(win32::GpImage image, win32::UINT* count);
win32::GpStatus GdipImageGetFrameDimensionsList(win32::GpImage image, win32::GUID* dimensions,
                                                win32::UINT count);
win32::GpStatus GdipImageSelectActiveFrame(win32::GpImage image, const win32::GUID* dimension,
                                           win32::UINT index);
win32::GpStatus GdipSaveAdd(win32::GpImage image, const win32::EncoderParameters* parameters);
win32::GpStatus GdipSaveAddImage(win32::GpImage image, win32::GpImage added,
                                 const win32::EncoderParameters* parameters);
}  // namespace platform::gdiplus
