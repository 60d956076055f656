// Loading images from files and streams, saving them to files and streams, and multi-frame
// saves (GdipSaveAdd, GdipSaveAddImage). A file is written as the frame writes files (a hidden
// sibling file replaces it only when complete), so a failed save never destroys an existing
// file. Only regular files are read.
#include <QString>

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/core/files/file_bytes.h"
#include "platform/core/files/whole_file.h"
#include "platform/core/ole32/stream.h"
#include "platform/core/paths.h"
#include "platform/picture/gdiplus/decoder.h"
#include "platform/picture/gdiplus/encoder.h"
#include "platform/picture/gdiplus/objects.h"
#include "platform/text/gbk.h"
#include "platform/win32/gdiplus.h"

namespace platform::gdiplus {
namespace {

using namespace win32;

// The wide path goes back through the program's code page, so a name it holds in a private form
// (a byte that is not UTF-8, a "\\" inside a name) is the file system's name again.
std::string NativePath(std::u16string_view path) {
  return paths::ToNative(text::Utf16ToGbk(path));
}

// Only a regular file is read: the program hands over whatever a folder listing shows, and
// opening a named pipe or a device would block or act on it.
GpStatus ReadFileBytes(const WCHAR* path, QByteArray& bytes) {
  auto file = files::RegularFile::Open(NativePath(path));
  if (!file)
    return file.error() == files::OpenError::Missing ? gdip::FileNotFound : gdip::Win32Error;
  if (file->size() > kMaxEncodedSize) return gdip::OutOfMemory;
  bytes.resize(qsizetype(file->size()));
  std::optional<size_t> read =
      file->Read({reinterpret_cast<uint8_t*>(bytes.data()), size_t(bytes.size())});
  if (!read) return gdip::Win32Error;
  bytes.resize(qsizetype(*read));
  return gdip::Ok;
}

// The stream's bytes from its position to its end.
GpStatus ReadStreamBytes(ISTREAM stream, QByteArray& bytes) {
  uint64_t size = 0, position = 0;
  if (ole32::StreamSize(stream, &size) != ole32::S_OK ||
      ole32::StreamSeek(stream, 0, ole32::SeekOrigin::Current, &position) != ole32::S_OK)
    return gdip::InvalidParameter;
  uint64_t remaining = position < size ? size - position : 0;
  if (remaining > uint64_t(kMaxEncodedSize)) return gdip::OutOfMemory;
  bytes.resize(qsizetype(remaining));
  size_t read = 0;
  auto* data = reinterpret_cast<uint8_t*>(bytes.data());
  if (ole32::StreamRead(stream, {data, size_t(remaining)}, &read) != ole32::S_OK ||
      read != remaining)
    return gdip::Win32Error;
  return gdip::Ok;
}

GpStatus LoadFromBytes(GpStatus readStatus, const QByteArray& bytes, GpImage* image) {
  if (readStatus != gdip::Ok) return readStatus;
  std::unique_ptr<Image> decoded;
  if (GpStatus s = DecodePicture(bytes, decoded); s != gdip::Ok) return s;
  return StoreImage(std::move(decoded), image);
}

GpStatus LoadFromFile(const WCHAR* path, GpImage* image) {
  if (!Started()) return gdip::GdiplusNotInitialized;
  if (!path || !image) return gdip::InvalidParameter;
  *image = 0;
  QByteArray bytes;
  return LoadFromBytes(ReadFileBytes(path, bytes), bytes, image);
}

// The path comes from the program's ANSI texts; one the code page cannot name is not saved to.
GpStatus WriteFileBytes(std::u16string_view path, const QByteArray& bytes) {
  bool lossy = false;
  std::string gbkPath = text::Utf16ToGbk(path, &lossy);
  const std::span<const uint8_t> parts[] = {
      {reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())}};
  if (lossy || !files::WriteWholeFile(gbkPath.c_str(), parts)) return gdip::Win32Error;
  return gdip::Ok;
}

GpStatus WriteStreamBytes(ISTREAM stream, uint64_t position, const QByteArray& bytes) {
  auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
  if (ole32::StreamSeek(stream, int64_t(position), ole32::SeekOrigin::Set) != ole32::S_OK ||
      ole32::StreamWrite(stream, {data, size_t(bytes.size())}) != ole32::S_OK)
    return gdip::Win32Error;
  return gdip::Ok;
}

GpStatus WriteSink(const MultiFrameSave& sink, const QByteArray& bytes) {
  if (sink.stream == 0) return WriteFileBytes(sink.path, bytes);
  GpStatus status = WriteStreamBytes(sink.stream, sink.startPosition, bytes);
  // A rewrite with more frames grows the stream; one with fewer must not leave old bytes behind.
  if (status == gdip::Ok) ole32::StreamSetSize(sink.stream, sink.startPosition + bytes.size());
  return status;
}

// Encodes the image's active frame and writes it to the sink; with the multi-frame save flag
// the image keeps the sink, so that frames can be added.
GpStatus Save(GpImage handle, MultiFrameSave sink, const EncoderParameters* parameters) {
  Image* image;
  if (GpStatus s = FindImage(handle, image); s != gdip::Ok) return s;
  std::optional<EncoderKind> kind = EncoderOf(sink.encoder);
  if (!kind) return gdip::UnknownImageFormat;
  EncoderSettings settings;
  if (GpStatus s = ReadEncoderParameters(parameters, settings); s != gdip::Ok) return s;
  QByteArray bytes;
  GpStatus status = Encode(*kind, {&image->pixels, 1}, image->dpiX, image->dpiY, settings, bytes);
  if (status == gdip::Ok) status = WriteSink(sink, bytes);
  image->multiFrameSave.reset();
  if (status == gdip::Ok && settings.saveFlag == gdip::EncoderValueMultiFrame) {
    sink.frames.push_back(image->pixels);
    image->multiFrameSave = std::move(sink);
  }
  return status;
}

// Adds a frame to a multi-frame save and rewrites the whole picture; Flush ends the save.
GpStatus AddFrame(GpImage handle, const QImage* frame, const EncoderParameters* parameters) {
  Image* image;
  if (GpStatus s = FindImage(handle, image); s != gdip::Ok) return s;
  EncoderSettings settings;
  if (GpStatus s = ReadEncoderParameters(parameters, settings); s != gdip::Ok) return s;
  if (!image->multiFrameSave) return gdip::WrongState;
  MultiFrameSave& save = *image->multiFrameSave;
  if (settings.saveFlag == gdip::EncoderValueFlush) {
    image->multiFrameSave.reset();
    return gdip::Ok;
  }
  if (settings.saveFlag != gdip::EncoderValueFrameDimensionPage &&
      settings.saveFlag != gdip::EncoderValueFrameDimensionTime)
    return gdip::InvalidParameter;
  std::vector<QImage> frames = save.frames;
  frames.push_back(frame ? *frame : image->pixels);
  QByteArray bytes;
  GpStatus status =
      Encode(*EncoderOf(save.encoder), frames, image->dpiX, image->dpiY, settings, bytes);
  if (status == gdip::Ok) status = WriteSink(save, bytes);
  if (status == gdip::Ok) save.frames = std::move(frames);
  return status;
}

}  // namespace

GpStatus GdipLoadImageFromFile(const WCHAR* path, GpImage* image) {
  return LoadFromFile(path, image);
}

GpStatus GdipCreateBitmapFromFile(const WCHAR* path, GpBitmap* bitmap) {
  return LoadFromFile(path, bitmap);
}

// Reads the stream from its position to its end; the image does not keep the stream.
GpStatus GdipLoadImageFromStream(ISTREAM stream, GpImage* image) {
  if (!Started()) return gdip::GdiplusNotInitialized;
  if (!image) return gdip::InvalidParameter;
  *image = 0;
  QByteArray bytes;
  return LoadFromBytes(ReadStreamBytes(stream, bytes), bytes, image);
}

GpStatus GdipSaveImageToFile(GpImage image, const WCHAR* path, const CLSID* encoder,
                             const EncoderParameters* parameters) {
  if (Started() && (!path || !encoder)) return gdip::InvalidParameter;
  MultiFrameSave sink;
  if (encoder) sink.encoder = *encoder;
  if (path) sink.path = path;
  return Save(image, std::move(sink), parameters);
}

// Writes at the stream's position.
GpStatus GdipSaveImageToStream(GpImage image, ISTREAM stream, const CLSID* encoder,
                               const EncoderParameters* parameters) {
  if (Started() && !encoder) return gdip::InvalidParameter;
  MultiFrameSave sink;
  if (encoder) sink.encoder = *encoder;
  sink.stream = stream;
  if (Started() &&
      ole32::StreamSeek(stream, 0, ole32::SeekOrigin::Current, &sink.startPosition) != ole32::S_OK)
    return gdip::InvalidParameter;
  return Save(image, std::move(sink), parameters);
}

GpStatus GdipSaveAdd(GpImage image, const EncoderParameters* parameters) {
  if (Started() && !parameters) return gdip::InvalidParameter;
  return AddFrame(image, nullptr, parameters);
}

GpStatus GdipSaveAddImage(GpImage image, GpImage added, const EncoderParameters* parameters) {
  Image* addedImage;
  if (GpStatus s = FindImage(added, addedImage); s != gdip::Ok) return s;
  if (!parameters) return gdip::InvalidParameter;
  return AddFrame(image, &addedImage->pixels, parameters);
}

}  // namespace platform::gdiplus
