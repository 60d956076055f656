#include "tests/support/pe_writer.h"

#include "tests/support/icon_images.h"

namespace testing_support {

namespace {

constexpr uint32_t kFileAlignment = 0x200;
constexpr uint32_t kSectionAlignment = 0x1000;
constexpr uint32_t kResourceRva = 0x1000;
constexpr uint32_t kPeOffset = 0x40;

uint32_t AlignUp(uint32_t v, uint32_t a) {
  return (v + a - 1) / a * a;
}

void PutName(Bytes& b, size_t at, const ResourceName& name, uint32_t stringOffset) {
  PutU32(b, at, name.isString ? 0x80000000u | stringOffset : name.number);
}

}  // namespace

void PeWriter::Add(const ResourceName& type, const ResourceName& name, Bytes data,
                   uint16_t language) {
  types_[type][name][language] = std::move(data);
}

IconGroupResources SplitIconFile(const Bytes& icoFile, uint16_t firstId) {
  uint16_t count = GetU16(icoFile, 4);
  IconGroupResources out{Bytes(icoFile.begin(), icoFile.begin() + 6), {}};
  for (uint16_t i = 0; i < count; ++i) {
    size_t entry = 6 + 16 * size_t{i};
    uint32_t size = GetU32(icoFile, entry + 8);
    uint32_t offset = GetU32(icoFile, entry + 12);
    out.images.emplace_back(icoFile.begin() + offset, icoFile.begin() + offset + size);
    out.group.insert(out.group.end(), icoFile.begin() + entry, icoFile.begin() + entry + 12);
    AppendU16(out.group, static_cast<uint16_t>(firstId + i));
  }
  return out;
}

int PeWriter::AddIconGroup(const ResourceName& name, const Bytes& icoFile) {
  IconGroupResources parts = SplitIconFile(icoFile, nextIconId_);
  for (Bytes& image : parts.images)
    Add(kRtIcon, nextIconId_++, std::move(image));
  Add(kRtGroupIcon, name, std::move(parts.group));
  return static_cast<int>(parts.images.size());
}

Bytes PeWriter::Build() {
  // Sizes of the four areas of the section: directories, data entries, strings, data.
  uint32_t directories = 16 + 8 * static_cast<uint32_t>(types_.size());
  uint32_t dataEntries = 0;
  uint32_t strings = 0;
  auto countString = [&](const ResourceName& n) {
    if (n.isString) strings += 2 + 2 * static_cast<uint32_t>(n.string.size());
  };
  for (const auto& [type, names] : types_) {
    countString(type);
    directories += 16 + 8 * static_cast<uint32_t>(names.size());
    for (const auto& [name, languages] : names) {
      countString(name);
      directories += 16 + 8 * static_cast<uint32_t>(languages.size());
      dataEntries += 16 * static_cast<uint32_t>(languages.size());
    }
  }
  uint32_t dataStart = AlignUp(directories + dataEntries + strings, 8);
  uint32_t size = dataStart;
  std::map<Bytes, uint32_t> placed;  // shared data: where it is
  for (const auto& [type, names] : types_)
    for (const auto& [name, languages] : names)
      for (const auto& [language, data] : languages)
        if (!share_ || placed.try_emplace(data, 0).second)
          size = AlignUp(size + static_cast<uint32_t>(data.size()), 8);

  Bytes rsrc(size, 0);
  uint32_t dirCursor = 0, entryCursor = directories, stringCursor = directories + dataEntries;
  uint32_t dataCursor = dataStart;
  auto placeString = [&](const ResourceName& n) -> uint32_t {
    if (!n.isString) return 0;
    uint32_t at = stringCursor;
    PutU16(rsrc, at, static_cast<uint16_t>(n.string.size()));
    for (size_t i = 0; i < n.string.size(); ++i)
      PutU16(rsrc, at + 2 + 2 * i, n.string[i]);
    stringCursor += 2 + 2 * static_cast<uint32_t>(n.string.size());
    return at;
  };
  // A directory header whose entries follow it; returns the offset of its first entry.
  auto placeDirectory = [&](size_t count, size_t named) {
    uint32_t at = dirCursor;
    PutU16(rsrc, at + 12, static_cast<uint16_t>(named));
    PutU16(rsrc, at + 14, static_cast<uint16_t>(count - named));
    dirCursor += 16 + 8 * static_cast<uint32_t>(count);
    return at + 16;
  };
  auto namedCount = [](const auto& map) {
    size_t n = 0;
    for (const auto& kv : map)
      n += kv.first.isString;
    return n;
  };

  uint32_t rootEntry = placeDirectory(types_.size(), namedCount(types_));
  layout_.firstSubdirectory = dirCursor;
  // Type directories first, each followed later by the language directories of its names.
  std::vector<uint32_t> typeEntries;
  for (const auto& [type, names] : types_) {
    PutName(rsrc, rootEntry, type, placeString(type));
    PutU32(rsrc, rootEntry + 4, 0x80000000u | dirCursor);
    typeEntries.push_back(placeDirectory(names.size(), namedCount(names)));
    rootEntry += 8;
  }
  size_t t = 0;
  for (const auto& [type, names] : types_) {
    uint32_t nameEntry = typeEntries[t++];
    for (const auto& [name, languages] : names) {
      PutName(rsrc, nameEntry, name, placeString(name));
      PutU32(rsrc, nameEntry + 4, 0x80000000u | dirCursor);
      uint32_t languageEntry = placeDirectory(languages.size(), 0);
      for (const auto& [language, data] : languages) {
        PutU32(rsrc, languageEntry, language);
        PutU32(rsrc, languageEntry + 4, entryCursor);
        PutU32(rsrc, entryCursor + 4, static_cast<uint32_t>(data.size()));
        if (share_ && placed.at(data) != 0) {
          PutU32(rsrc, entryCursor, kResourceRva + placed.at(data));
        } else {
          if (share_) placed.at(data) = dataCursor;
          PutU32(rsrc, entryCursor, kResourceRva + dataCursor);
          std::copy(data.begin(), data.end(), rsrc.begin() + dataCursor);
          dataCursor = AlignUp(dataCursor + static_cast<uint32_t>(data.size()), 8);
        }
        entryCursor += 16;
        languageEntry += 8;
      }
      nameEntry += 8;
    }
  }

  bool plus = format_ == Format::Pe32Plus;
  uint16_t optionalSize = plus ? 240 : 224;
  uint32_t optional = kPeOffset + 24;
  uint32_t sectionTable = optional + optionalSize;
  uint32_t headers = AlignUp(sectionTable + 40, kFileAlignment);
  uint32_t rawSize = AlignUp(static_cast<uint32_t>(rsrc.size()), kFileAlignment);
  Bytes file(headers + rawSize, 0);
  file[0] = 'M', file[1] = 'Z';
  PutU32(file, 0x3C, kPeOffset);
  file[kPeOffset] = 'P', file[kPeOffset + 1] = 'E';
  PutU16(file, kPeOffset + 4, plus ? 0x8664 : 0x14C);
  PutU16(file, kPeOffset + 6, 1);
  PutU16(file, kPeOffset + 20, optionalSize);
  PutU16(file, kPeOffset + 22, plus ? 0x0022 : 0x0102);

  PutU16(file, optional, plus ? 0x20B : 0x10B);
  PutU32(file, optional + 8, rawSize);  // initialised data
  if (plus)
    PutU32(file, optional + 28, 0x1), PutU32(file, optional + 24, 0x40000000);  // image base
  else
    PutU32(file, optional + 28, 0x400000);
  PutU32(file, optional + 32, kSectionAlignment);
  PutU32(file, optional + 36, kFileAlignment);
  PutU16(file, optional + 40, 4);  // operating system 4.0
  PutU16(file, optional + 48, 4);  // subsystem 4.0
  PutU32(file, optional + 56,
         kResourceRva + AlignUp(static_cast<uint32_t>(rsrc.size()), kSectionAlignment));
  PutU32(file, optional + 60, headers);
  PutU16(file, optional + 68, 2);  // GUI
  uint32_t directoriesAt = optional + (plus ? 108 : 92);
  PutU32(file, directoriesAt, 16);
  PutU32(file, directoriesAt + 4 + 2 * 8, kResourceRva);
  PutU32(file, directoriesAt + 4 + 2 * 8 + 4, static_cast<uint32_t>(rsrc.size()));

  const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
  std::copy(name, name + 8, file.begin() + sectionTable);
  PutU32(file, sectionTable + 8, static_cast<uint32_t>(rsrc.size()));
  PutU32(file, sectionTable + 12, kResourceRva);
  PutU32(file, sectionTable + 16, rawSize);
  PutU32(file, sectionTable + 20, headers);
  PutU32(file, sectionTable + 36, 0x40000040);  // initialised data, readable
  std::copy(rsrc.begin(), rsrc.end(), file.begin() + headers);

  layout_.peHeader = kPeOffset;
  layout_.optionalHeader = optional;
  layout_.sectionTable = sectionTable;
  layout_.resourceSection = headers;
  layout_.resourceRva = kResourceRva;
  layout_.firstSubdirectory += headers;
  return file;
}

}  // namespace testing_support
