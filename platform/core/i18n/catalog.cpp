#include "platform/core/i18n/catalog.h"

#include <array>
#include <vector>

#include "platform/core/files/file_bytes.h"
#include "platform/text/gbk.h"

namespace platform::i18n {
namespace {

constexpr std::array<uint8_t, 16> kMagic = {0x3C, 0xB8, 0x64, 0x18, 0xCA, 0xEF, 0x9C, 0x95,
                                            0xCD, 0x21, 0x1C, 0xBF, 0x60, 0xA1, 0xBD, 0xDD};
constexpr uint8_t kMessagesBlock = 0x69;

enum Tag : uint8_t {
  kEnd = 1,
  kTranslation = 3,
  kObsolete = 4,
  kSourceText = 6,
  kContext = 7,
  kComment = 8,
};

// Big-endian reads that fail past the end.
class Reader {
 public:
  explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  bool AtEnd() const { return at_ == bytes_.size(); }
  std::optional<uint8_t> U8() {
    if (at_ >= bytes_.size()) return std::nullopt;
    return bytes_[at_++];
  }
  std::optional<uint32_t> U32() {
    if (bytes_.size() - at_ < 4) return std::nullopt;
    const uint32_t v = uint32_t{bytes_[at_]} << 24 | uint32_t{bytes_[at_ + 1]} << 16 |
                       uint32_t{bytes_[at_ + 2]} << 8 | bytes_[at_ + 3];
    at_ += 4;
    return v;
  }
  std::optional<std::span<const uint8_t>> Bytes(uint64_t length) {
    if (length > bytes_.size() - at_) return std::nullopt;
    auto part = bytes_.subspan(at_, length);
    at_ += length;
    return part;
  }

 private:
  std::span<const uint8_t> bytes_;
  size_t at_ = 0;
};

std::string Text(std::span<const uint8_t> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

std::string FromUtf16Be(std::span<const uint8_t> bytes) {
  std::u16string units(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i)
    units[i] = static_cast<char16_t>(bytes[2 * i] << 8 | bytes[2 * i + 1]);
  return text::Utf16ToUtf8(units);
}

struct Message {
  std::optional<std::string> translation, source, context;
};

// One record of the messages block; none when it is damaged.
std::optional<Message> ReadMessage(Reader& in) {
  Message message;
  for (;;) {
    std::optional<uint8_t> tag = in.U8();
    if (!tag) return std::nullopt;
    if (*tag == kEnd) return message;
    if (*tag == kObsolete) {
      if (!in.Bytes(4)) return std::nullopt;
      continue;
    }
    std::optional<uint32_t> length = in.U32();
    if (!length) return std::nullopt;
    // A null translation is written as length 0xFFFFFFFF and no bytes.
    if (*tag == kTranslation && *length == 0xFFFFFFFF) continue;
    std::optional<std::span<const uint8_t>> field = in.Bytes(*length);
    if (!field) return std::nullopt;
    switch (*tag) {
      case kTranslation:
        if (*length % 2 != 0) return std::nullopt;
        message.translation = FromUtf16Be(*field);
        break;
      case kSourceText:
        message.source = Text(*field);
        break;
      case kContext:
        message.context = Text(*field);
        break;
      case kComment:
        break;
      default:
        return std::nullopt;
    }
  }
}

std::string Key(std::string_view context, std::string_view source) {
  std::string key(context);
  key += '\x04';
  key += source;
  return key;
}

}  // namespace

Catalog Catalog::Parse(std::span<const uint8_t> bytes) {
  Catalog catalog;
  if (bytes.size() < kMagic.size() || !std::equal(kMagic.begin(), kMagic.end(), bytes.begin()))
    return catalog;
  Reader blocks(bytes.subspan(kMagic.size()));
  while (!blocks.AtEnd()) {
    std::optional<uint8_t> tag = blocks.U8();
    std::optional<uint32_t> length = blocks.U32();
    std::optional<std::span<const uint8_t>> block = length ? blocks.Bytes(*length) : std::nullopt;
    if (!tag || !block) break;
    if (*tag != kMessagesBlock) continue;
    Reader records(*block);
    while (!records.AtEnd()) {
      std::optional<Message> message = ReadMessage(records);
      if (!message) break;
      if (message->translation && !message->translation->empty() && message->source)
        catalog.messages_.emplace(Key(message->context.value_or(""), *message->source),
                                  std::move(*message->translation));
    }
  }
  return catalog;
}

Catalog Catalog::Load(const std::string& nativePath) {
  auto file = files::RegularFile::Open(nativePath);
  if (!file || file->size() <= 0 || static_cast<uint64_t>(file->size()) > kMaxCatalogBytes)
    return {};
  std::vector<uint8_t> bytes(static_cast<size_t>(file->size()));
  std::optional<size_t> read = file->Read(bytes);
  if (!read) return {};
  bytes.resize(*read);
  return Parse(bytes);
}

std::optional<std::string_view> Catalog::Find(std::string_view context,
                                              std::string_view source) const {
  auto found = messages_.find(Key(context, source));
  if (found == messages_.end()) return std::nullopt;
  return found->second;
}

}  // namespace platform::i18n
