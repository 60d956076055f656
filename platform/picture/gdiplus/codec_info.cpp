// The encoder list (ImageCodecInfo records followed by their strings and signatures, laid out
// with this platform's pointer size) and the encoders' parameter lists.
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/picture/gdiplus/encoder.h"
#include "platform/picture/gdiplus/objects.h"
#include "platform/win32/gdiplus.h"

namespace platform::gdiplus {
namespace {

using namespace win32;

struct EncoderDescription {
  CLSID clsid;
  GUID format;
  std::u16string_view codecName;
  std::u16string_view formatDescription;
  std::u16string_view extensions;
  std::u16string_view mimeType;
  std::vector<std::vector<uint8_t>> signatures;
};

constexpr DWORD kCodecFlags = 0x00010007;  // built in, encoder, decoder, bitmap formats

const std::vector<EncoderDescription>& Encoders() {
  // clang-format off
  static const std::vector<EncoderDescription> encoders = {
      {gdip::EncoderClsidBMP, gdip::ImageFormatBMP, u"Built-in BMP Codec", u"BMP",
       u"*.BMP;*.DIB;*.RLE", u"image/bmp", {{'B', 'M'}}},
      {gdip::EncoderClsidJPEG, gdip::ImageFormatJPEG, u"Built-in JPEG Codec", u"JPEG",
       u"*.JPG;*.JPEG;*.JPE;*.JFIF", u"image/jpeg", {{0xFF, 0xD8}}},
      {gdip::EncoderClsidGIF, gdip::ImageFormatGIF, u"Built-in GIF Codec", u"GIF", u"*.GIF",
       u"image/gif", {{'G', 'I', 'F', '8', '9', 'a'}, {'G', 'I', 'F', '8', '7', 'a'}}},
      {gdip::EncoderClsidTIFF, gdip::ImageFormatTIFF, u"Built-in TIFF Codec", u"TIFF",
       u"*.TIF;*.TIFF", u"image/tiff", {{'I', 'I'}, {'M', 'M'}}},
      {gdip::EncoderClsidPNG, gdip::ImageFormatPNG, u"Built-in PNG Codec", u"PNG", u"*.PNG",
       u"image/png", {{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}}},
  };
  // clang-format on
  return encoders;
}

size_t StringBytes(std::u16string_view s) {
  return (s.size() + 1) * sizeof(WCHAR);
}

// Bytes of the strings and signature patterns and masks that follow the records.
size_t ExtraBytes(const EncoderDescription& e) {
  size_t bytes = StringBytes(e.codecName) + StringBytes(e.formatDescription) +
                 StringBytes(e.extensions) + StringBytes(e.mimeType);
  for (const auto& signature : e.signatures)
    bytes += 2 * signature.size();
  return bytes;
}

size_t EncoderListSize() {
  size_t size = Encoders().size() * sizeof(ImageCodecInfo);
  for (const EncoderDescription& e : Encoders())
    size += ExtraBytes(e);
  return size;
}

class Writer {
 public:
  explicit Writer(uint8_t* at) : at_(at) {}
  const WCHAR* String(std::u16string_view s) {
    auto* start = reinterpret_cast<WCHAR*>(at_);
    std::memcpy(at_, s.data(), s.size() * sizeof(WCHAR));
    std::memset(at_ + s.size() * sizeof(WCHAR), 0, sizeof(WCHAR));
    at_ += StringBytes(s);
    return start;
  }
  const BYTE* Bytes(const std::vector<uint8_t>& bytes) {
    const BYTE* start = at_;
    if (!bytes.empty()) std::memcpy(at_, bytes.data(), bytes.size());
    at_ += bytes.size();
    return start;
  }

 private:
  uint8_t* at_;
};

// One parameter an encoder describes: its id, value type and values.
struct ParameterDescription {
  GUID id;
  ULONG type;
  std::vector<LONG> values;  // two per range
};

std::vector<ParameterDescription> ParametersOf(EncoderKind kind) {
  switch (kind) {
    case EncoderKind::Jpeg:
      return {{gdip::EncoderQuality, gdip::EncoderParameterValueTypeLongRange, {0, 100}}};
    case EncoderKind::Gif:
      return {{gdip::EncoderSaveFlag,
               gdip::EncoderParameterValueTypeLong,
               {LONG(gdip::EncoderValueMultiFrame)}}};
    case EncoderKind::Tiff:
      return {{gdip::EncoderCompression,
               gdip::EncoderParameterValueTypeLong,
               {LONG(gdip::EncoderValueCompressionLZW)}}};
    default:
      return {};
  }
}

constexpr size_t kParameterListHead = offsetof(EncoderParameters, Parameter);

size_t ParameterListSize(const std::vector<ParameterDescription>& parameters) {
  size_t size = kParameterListHead + parameters.size() * sizeof(EncoderParameter);
  for (const auto& p : parameters)
    size += p.values.size() * sizeof(LONG);
  return size;
}

// Ok with the parameters the encoder has; NotImplemented for one without parameters.
GpStatus FindParameters(GpImage image, const CLSID* encoder,
                        std::vector<ParameterDescription>& parameters) {
  Image* object;
  if (GpStatus s = FindImage(image, object); s != gdip::Ok) return s;
  if (!encoder) return gdip::InvalidParameter;
  std::optional<EncoderKind> kind = EncoderOf(*encoder);
  if (!kind) return gdip::FileNotFound;
  parameters = ParametersOf(*kind);
  return parameters.empty() ? gdip::NotImplemented : gdip::Ok;
}

}  // namespace

GpStatus GdipGetImageEncodersSize(UINT* count, UINT* size) {
  if (!Started()) return gdip::GdiplusNotInitialized;
  if (!count || !size) return gdip::InvalidParameter;
  *count = UINT(Encoders().size());
  *size = UINT(EncoderListSize());
  return gdip::Ok;
}

GpStatus GdipGetImageEncoders(UINT count, UINT size, ImageCodecInfo* encoders) {
  if (!Started()) return gdip::GdiplusNotInitialized;
  if (!encoders) return gdip::InvalidParameter;
  if (count != Encoders().size() || size != EncoderListSize()) return gdip::GenericError;
  Writer extra(reinterpret_cast<uint8_t*>(encoders + count));
  for (UINT i = 0; i < count; ++i) {
    const EncoderDescription& e = Encoders()[i];
    ImageCodecInfo& info = encoders[i];
    info.Clsid = e.clsid;
    info.FormatID = e.format;
    info.CodecName = extra.String(e.codecName);
    info.DllName = nullptr;
    info.FormatDescription = extra.String(e.formatDescription);
    info.FilenameExtension = extra.String(e.extensions);
    info.MimeType = extra.String(e.mimeType);
    info.Flags = kCodecFlags;
    info.Version = 1;
    info.SigCount = DWORD(e.signatures.size());
    info.SigSize = DWORD(e.signatures.front().size());
    std::vector<uint8_t> patterns, masks;
    for (const auto& signature : e.signatures) {
      patterns.insert(patterns.end(), signature.begin(), signature.end());
      masks.insert(masks.end(), signature.size(), 0xFF);
    }
    info.SigPattern = extra.Bytes(patterns);
    info.SigMask = extra.Bytes(masks);
  }
  return gdip::Ok;
}

GpStatus GdipGetEncoderParameterListSize(GpImage image, const CLSID* encoder, UINT* size) {
  std::vector<ParameterDescription> parameters;
  if (Started() && !size) return gdip::InvalidParameter;
  GpStatus status = FindParameters(image, encoder, parameters);
  if (status == gdip::Ok) *size = UINT(ParameterListSize(parameters));
  return status;
}

GpStatus GdipGetEncoderParameterList(GpImage image, const CLSID* encoder, UINT size,
                                     EncoderParameters* list) {
  std::vector<ParameterDescription> parameters;
  if (Started() && !list) return gdip::InvalidParameter;
  if (GpStatus s = FindParameters(image, encoder, parameters); s != gdip::Ok) return s;
  if (size != ParameterListSize(parameters)) return gdip::InvalidParameter;
  auto* base = reinterpret_cast<uint8_t*>(list);
  list->Count = UINT(parameters.size());
  auto* entries = reinterpret_cast<EncoderParameter*>(base + kParameterListHead);
  auto* values = reinterpret_cast<LONG*>(base + kParameterListHead +
                                         parameters.size() * sizeof(EncoderParameter));
  for (size_t i = 0; i < parameters.size(); ++i) {
    const ParameterDescription& p = parameters[i];
    bool range = p.type == gdip::EncoderParameterValueTypeLongRange;
    entries[i] = EncoderParameter{p.id, ULONG(range ? p.values.size() / 2 : p.values.size()),
                                  p.type, values};
    std::memcpy(values, p.values.data(), p.values.size() * sizeof(LONG));
    values += p.values.size();
  }
  return gdip::Ok;
}

}  // namespace platform::gdiplus
