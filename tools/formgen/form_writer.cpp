#include "tools/formgen/form_writer.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "frame/form/form.h"
#include "platform/text/gbk.h"
#include "tools/formgen/type_layouts.h"

namespace formgen {
namespace {

SourceError Error(int line, std::string message) {
  return SourceError{line, std::move(message)};
}

class ByteWriter {
 public:
  void Int32(int32_t v) {
    auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i)
      bytes_.push_back(static_cast<uint8_t>(u >> (8 * i)));
  }
  void Uint16(uint16_t v) {
    bytes_.push_back(static_cast<uint8_t>(v));
    bytes_.push_back(static_cast<uint8_t>(v >> 8));
  }
  void Bytes(std::string_view b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
  void Bytes(const std::vector<uint8_t>& b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
  void Counted(std::string_view b) {
    Int32(static_cast<int32_t>(b.size()));
    Bytes(b);
  }
  void Counted(const std::vector<uint8_t>& b) {
    Int32(static_cast<int32_t>(b.size()));
    Bytes(b);
  }
  void ZeroTerminated(std::string_view b) {
    Bytes(b);
    bytes_.push_back(0);
  }
  void Zeros(int words) {
    for (int i = 0; i < words; ++i)
      Int32(0);
  }
  void TextList(const std::vector<std::string>& texts) {
    if (texts.size() < 0xFFFF) {
      Uint16(static_cast<uint16_t>(texts.size()));
    } else {
      Uint16(0xFFFF);
      Int32(static_cast<int32_t>(texts.size()));
    }
    for (const std::string& t : texts)
      Counted(t);
  }
  size_t size() const { return bytes_.size(); }
  std::vector<uint8_t>& bytes() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

Result<std::string> Gbk(std::string_view utf8, int line) {
  bool lossy = false;
  std::string gbk = platform::text::Utf8ToPlainGbk(utf8, &lossy);
  if (lossy) return platform::Fail(Error(line, "a character that code page 936 cannot hold"));
  return gbk;
}

// Writes one unit type's own settings from the unit's setting statements.
class TypeDataWriter {
 public:
  explicit TypeDataWriter(const SourceUnit& unit) : unit_(unit) {}

  Result<std::vector<uint8_t>> Write() {
    if (unit_.emptyData) return std::vector<uint8_t>();
    const auto& layout = LayoutOf(unit_.type->type);
    for (const Statement& s : unit_.settings) {
      bool known = std::any_of(layout.begin(), layout.end(), [&](const Field& f) {
        return !f.key.empty() && f.key == s.keyword;
      });
      if (!known)
        return platform::Fail(Error(
            s.line, "'" + s.keyword + "' is not a setting of " + std::string(unit_.type->name)));
    }
    out_.Int32(unit_.type->highestVersion);
    for (const Field& field : layout)
      if (auto error = WriteField(field)) return platform::Fail(*error);
    return std::move(out_.bytes());
  }

 private:
  std::optional<SourceError> WriteField(const Field& field) {
    switch (field.kind) {
      case FieldKind::Int32: {
        auto v = IntSetting(field);
        if (!v) return v.error();
        out_.Int32(*v);
        return std::nullopt;
      }
      case FieldKind::Int16:
        out_.Uint16(0);
        return std::nullopt;
      case FieldKind::Block:
        out_.Int32(0);
        return std::nullopt;
      case FieldKind::Text: {
        auto text = TextSetting(field);
        if (!text) return text.error();
        out_.Counted(*text);
        return std::nullopt;
      }
      case FieldKind::TextList: {
        auto texts = ListTexts(field.key);
        if (!texts) return texts.error();
        out_.TextList(*texts);
        return std::nullopt;
      }
      case FieldKind::ItemValues: {
        auto values = ItemValues();
        if (!values) return values.error();
        out_.Int32(static_cast<int32_t>(values->size() * 4));
        for (int32_t v : *values)
          out_.Int32(v);
        return std::nullopt;
      }
    }
    return std::nullopt;
  }

  const Statement* Find(std::string_view key) const {
    for (const Statement& s : unit_.settings)
      if (s.keyword == key) return &s;
    return nullptr;
  }

  Result<int32_t> IntSetting(const Field& field) const {
    const Statement* s = field.key.empty() ? nullptr : Find(field.key);
    if (!s) return field.defaultValue;
    if (s->args.size() != 1 || s->args[0].quoted)
      return platform::Fail(Error(s->line, "'" + s->keyword + "' takes one value"));
    const std::string& word = s->args[0].text;
    for (const Symbol& symbol : field.symbols)
      if (symbol.word == word) return symbol.value;
    if (auto n = ParseNumber(word)) return *n;
    std::string accepted;
    for (const Symbol& symbol : field.symbols)
      accepted += std::string(" ") += symbol.word;
    return platform::Fail(Error(s->line, "'" + word + "' is not a number" +
                                             (accepted.empty() ? "" : " or one of" + accepted)));
  }

  Result<std::string> TextSetting(const Field& field) const {
    const Statement* s = field.key.empty() ? nullptr : Find(field.key);
    if (!s) return std::string();
    if (s->args.size() != 1 || !s->args[0].quoted)
      return platform::Fail(Error(s->line, "'" + s->keyword + "' takes one quoted text"));
    return Gbk(s->args[0].text, s->line);
  }

  // "item TEXT [VALUE]" and "page TEXT" statements, in order.
  Result<std::vector<std::string>> ListTexts(std::string_view key) const {
    std::vector<std::string> texts;
    for (const Statement& s : unit_.settings) {
      if (s.keyword != key) continue;
      size_t maxArgs = key == "item" ? 2 : 1;
      if (s.args.empty() || s.args.size() > maxArgs || !s.args[0].quoted)
        return platform::Fail(Error(s.line, key == "item" ? "expected 'item \"TEXT\" [VALUE]'"
                                                          : "expected 'page \"TEXT\"'"));
      auto gbk = Gbk(s.args[0].text, s.line);
      if (!gbk) return platform::Fail(gbk.error());
      texts.push_back(std::move(*gbk));
    }
    return texts;
  }

  // The item values up to the last item that has one; items before it without one get 0.
  Result<std::vector<int32_t>> ItemValues() const {
    std::vector<int32_t> values;
    size_t items = 0;
    for (const Statement& s : unit_.settings) {
      if (s.keyword != "item") continue;
      ++items;
      if (s.args.size() != 2) continue;
      auto v = s.args[1].quoted ? std::nullopt : ParseNumber(s.args[1].text);
      if (!v) return platform::Fail(Error(s.line, "'" + s.args[1].text + "' is not a number"));
      values.resize(items, 0);
      values.back() = *v;
    }
    return values;
  }

  const SourceUnit& unit_;
  ByteWriter out_;
};

// A combo box's current item must be one of its items (or -1, none).
std::optional<SourceError> CheckCurrentItem(const SourceUnit& unit) {
  if (unit.type->type != frame::form::UnitType::ComboBox) return std::nullopt;
  const Statement* current = nullptr;
  int32_t items = 0;
  for (const Statement& s : unit.settings) {
    if (s.keyword == "current") current = &s;
    if (s.keyword == "item") ++items;
  }
  if (!current || current->args.size() != 1) return std::nullopt;
  auto index = ParseNumber(current->args[0].text);
  if (index && (*index < -1 || *index >= items))
    return Error(current->line, "the current item " + current->args[0].text + " does not exist");
  return std::nullopt;
}

class WindowWriter {
 public:
  explicit WindowWriter(const SourceWindow& window) : window_(window) {}

  Result<std::vector<uint8_t>> Write() {
    if (!window_.ownEntry) return platform::Fail(Error(window_.line, "the window has no 'entry'"));
    if (auto error = IndexUnits()) return platform::Fail(*error);
    if (auto error = ResolveParents()) return platform::Fail(*error);

    ByteWriter records;
    std::vector<int32_t> offsets;
    for (const SourceUnit* unit : entries_) {
      auto record = WriteRecord(*unit);
      if (!record) return platform::Fail(record.error());
      offsets.push_back(static_cast<int32_t>(records.size()));
      records.Counted(*record);
    }
    ByteWriter table;
    for (const SourceUnit* unit : entries_)
      table.Int32(unit->id);
    for (int32_t offset : offsets)
      table.Int32(offset);
    table.Bytes(records.bytes());

    ByteWriter out;
    out.Int32(window_.firstValue);
    out.Int32(window_.secondValue);
    for (const std::string* text : {&window_.firstText, &window_.secondText}) {
      auto gbk = Gbk(*text, window_.line);
      if (!gbk) return platform::Fail(gbk.error());
      out.Counted(*gbk);
    }
    out.Int32(static_cast<int32_t>(entries_.size()));
    out.Counted(table.bytes());
    return std::move(out.bytes());
  }

 private:
  // Table order: the window's own entry, then the units by descending serial number.
  std::optional<SourceError> IndexUnits() {
    std::map<int32_t, const SourceUnit*> byId;
    for (const SourceUnit& unit : window_.units) {
      if (((unit.id >> 24) & 0xF) != 6) return Error(unit.line, "bits 24-27 of a unit id are 6");
      if (!byId.emplace(unit.id, &unit).second) return Error(unit.line, "a unit id used twice");
      if (!byName_.emplace(unit.name, &unit).second) return Error(unit.line, "a name used twice");
      if (auto error = CheckCurrentItem(unit)) return error;
    }
    entries_.push_back(&*window_.ownEntry);
    for (auto it = byId.rbegin(); it != byId.rend(); ++it)
      entries_.push_back(it->second);
    return std::nullopt;
  }

  std::optional<SourceError> ResolveParents() {
    if (!window_.ownEntry->parentName.empty())
      return Error(window_.ownEntry->parentLine, "the window's own entry sits in no unit");
    for (const SourceUnit* unit : entries_) {
      if (unit->parentName.empty()) continue;
      auto parent = byName_.find(unit->parentName);
      if (parent == byName_.end())
        return Error(unit->parentLine, "no unit named '" + unit->parentName + "'");
      // Walking up from the unit must reach the window within as many steps as there are units.
      const SourceUnit* up = parent->second;
      for (size_t steps = 0; up; ++steps) {
        if (up == unit || steps > entries_.size())
          return Error(unit->parentLine, "the unit would be inside itself");
        up = up->parentName.empty() ? nullptr : byName_.at(up->parentName);
      }
      auto& pages = children_[parent->second];
      if (pages.size() < static_cast<size_t>(unit->page)) pages.resize(unit->page);
      pages[unit->page - 1].push_back(unit->id);
    }
    return std::nullopt;
  }

  int32_t ParentId(const SourceUnit& unit) const {
    return unit.parentName.empty() ? 0 : byName_.at(unit.parentName)->id;
  }

  Result<std::vector<uint8_t>> WriteRecord(const SourceUnit& unit) {
    auto name = Gbk(unit.name, unit.line);
    auto remark = Gbk(unit.remark, unit.line);
    auto tag = Gbk(unit.tag, unit.line);
    if (!name) return platform::Fail(name.error());
    if (!remark) return platform::Fail(remark.error());
    if (!tag) return platform::Fail(tag.error());
    auto typeData = TypeDataWriter(unit).Write();
    if (!typeData) return platform::Fail(typeData.error());

    ByteWriter r;
    r.Int32(static_cast<int32_t>(unit.type->type));
    r.Zeros(5);
    r.ZeroTerminated(*name);
    r.ZeroTerminated(*remark);
    r.Int32(0);  // object slot
    for (int32_t v : {unit.left, unit.top, unit.width, unit.height})
      r.Int32(v);
    r.Int32(0);  // cursor slot
    r.Int32(ParentId(unit));
    std::vector<int32_t> children;
    if (auto it = children_.find(&unit); it != children_.end()) {
      for (const auto& page : it->second) {
        children.insert(children.end(), page.begin(), page.end());
        children.push_back(0);
      }
    }
    r.Int32(static_cast<int32_t>(children.size()));
    for (int32_t child : children)
      r.Int32(child);
    r.Int32(4);  // cursor data: the cursor number
    r.Int32(unit.cursor);
    r.ZeroTerminated(*tag);
    r.Int32(0);
    r.Int32(unit.flags);
    r.Int32(0);
    r.Int32(static_cast<int32_t>(unit.events.size()));
    for (const SourceEvent& e : unit.events) {
      r.Int32(e.index);
      r.Int32(e.handler);
    }
    r.Zeros(5);
    r.Bytes(*typeData);
    return std::move(r.bytes());
  }

  const SourceWindow& window_;
  std::vector<const SourceUnit*> entries_;
  std::map<std::string, const SourceUnit*> byName_;
  std::map<const SourceUnit*, std::vector<std::vector<int32_t>>> children_;  // per page
};

}  // namespace

Result<std::vector<uint8_t>> WriteForm(const FormSource& source) {
  ByteWriter index;
  for (const SourceWindow& w : source.windows)
    index.Int32(w.id);
  index.Zeros(static_cast<int>(source.windows.size()));
  ByteWriter out;
  out.Counted(index.bytes());
  for (const SourceWindow& w : source.windows) {
    auto record = WindowWriter(w).Write();
    if (!record) return platform::Fail(record.error());
    out.Bytes(*record);
  }
  return std::move(out.bytes());
}

Result<std::vector<uint8_t>> GenerateForm(std::string_view sourceText) {
  auto source = ParseFormSource(sourceText);
  if (!source) return platform::Fail(source.error());
  return WriteForm(*source);
}

std::string EmbedAsCpp(const std::vector<uint8_t>& form, std::string_view sourceName) {
  std::string out = "// Generated by pictolan-formgen from " + std::string(sourceName) +
                    ". Do not edit: edit the source.\n"
                    "#include \"ui/main_window_form.h\"\n\n"
                    "namespace ui {\nnamespace {\n\n"
                    "alignas(4) const uint8_t kForm[" +
                    std::to_string(form.size()) + "] = {";
  char hex[8];
  for (size_t i = 0; i < form.size(); ++i) {
    out += i % 16 == 0 ? "\n   " : "";
    std::snprintf(hex, sizeof hex, " 0x%02X,", form[i]);
    out += hex;
  }
  out +=
      "\n};\n\n}  // namespace\n\n"
      "std::span<const uint8_t> MainWindowForm() { return kForm; }\n\n"
      "}  // namespace ui\n";
  return out;
}

}  // namespace formgen
