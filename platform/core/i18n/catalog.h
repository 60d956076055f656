// A compiled catalog, as Qt's lrelease writes it from i18n/pictolan_LANG.ts, read without Qt so
// that a process never loads Qt to speak a language (pictolan-cli's commands that only read and
// write bytes start without it). The file is hostile input: every block and record is checked
// against the bytes that hold it; what cannot be read is left out, never guessed.
//
// The layout: a 16-byte magic, then blocks of a tag byte, a 32-bit big-endian length and the
// bytes. The messages block holds records of tagged fields, each ended by the end tag: the
// translation (UTF-16 big-endian), the source text, the context and the comment (UTF-8), each
// with its 32-bit length, and an obsolete 4-byte field.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

namespace platform::i18n {

class Catalog {
 public:
  // The catalog in the bytes; empty when they are no catalog.
  static Catalog Parse(std::span<const uint8_t> bytes);
  // The catalog in the file (at most kMaxCatalogBytes); empty when it cannot be read.
  static Catalog Load(const std::string& nativePath);

  // The translation (UTF-8) of a source text in its context, if the catalog has one.
  std::optional<std::string_view> Find(std::string_view context, std::string_view source) const;
  size_t size() const { return messages_.size(); }

  static constexpr size_t kMaxCatalogBytes = size_t{16} << 20;

 private:
  std::unordered_map<std::string, std::string> messages_;  // context "\x04" source -> text
};

}  // namespace platform::i18n
