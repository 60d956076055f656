#include "tools/formgen/form_source.h"

#include <charconv>
#include <set>

#include "frame/form/form.h"
#include "ui/handlers.h"

namespace formgen {
namespace {

using frame::form::UnitKind;

SourceError Error(int line, std::string message) {
  return SourceError{line, std::move(message)};
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

// Splits a line into words and quoted texts; "#" outside quotes starts a comment.
Result<std::vector<Token>> Tokenize(std::string_view line, int number) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < line.size()) {
    if (IsBlank(line[i])) {
      ++i;
    } else if (line[i] == '#') {
      break;
    } else if (line[i] == '"') {
      Token token{"", true};
      for (++i;; ++i) {
        if (i >= line.size())
          return platform::Fail(Error(number, "a text without its closing quote"));
        char c = line[i];
        if (c == '"') break;
        if (c == '\\') {
          if (++i >= line.size()) return platform::Fail(Error(number, "a text ends in \\"));
          switch (line[i]) {
            case 'r':
              c = '\r';
              break;
            case 'n':
              c = '\n';
              break;
            case 't':
              c = '\t';
              break;
            case '"':
              c = '"';
              break;
            case '\\':
              c = '\\';
              break;
            default:
              return platform::Fail(Error(number, std::string("unknown escape \\") + line[i]));
          }
        }
        token.text += c;
      }
      ++i;
      tokens.push_back(std::move(token));
    } else {
      size_t start = i;
      while (i < line.size() && !IsBlank(line[i]) && line[i] != '"' && line[i] != '#')
        ++i;
      tokens.push_back({std::string(line.substr(start, i - start)), false});
    }
  }
  return tokens;
}

class Parser {
 public:
  Result<FormSource> Run(std::string_view text) {
    int number = 0;
    while (!text.empty()) {
      size_t newline = text.find('\n');
      std::string_view line = text.substr(0, newline);
      text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
      ++number;
      auto tokens = Tokenize(line, number);
      if (!tokens) return platform::Fail(tokens.error());
      if (tokens->empty()) continue;
      if ((*tokens)[0].quoted)
        return platform::Fail(Error(number, "a statement starts with a keyword, not a text"));
      Statement statement{number, (*tokens)[0].text, {tokens->begin() + 1, tokens->end()}};
      if (auto error = OnStatement(statement)) return platform::Fail(*error);
    }
    if (auto error = FinishUnit()) return platform::Fail(*error);
    if (form_.windows.empty()) return platform::Fail(Error(0, "the source describes no window"));
    return std::move(form_);
  }

 private:
  std::optional<SourceError> OnStatement(const Statement& s) {
    if (s.keyword == "window") return OnWindow(s);
    if (s.keyword == "entry" || s.keyword == "unit") return OnUnit(s);
    if (!window_) return Error(s.line, "'" + s.keyword + "' before the first window");
    if (!unit_) return OnWindowStatement(s);
    return OnUnitStatement(s);
  }

  std::optional<SourceError> OnWindow(const Statement& s) {
    if (auto error = FinishUnit()) return error;
    if (auto error = Expect(s, {"ID"})) return error;
    auto id = Number(s, 0);
    if (!id) return id.error();
    window_ = &form_.windows.emplace_back();
    window_->line = s.line;
    window_->id = *id;
    return std::nullopt;
  }

  std::optional<SourceError> OnWindowStatement(const Statement& s) {
    if (s.keyword == "values") {
      if (auto error = Expect(s, {"FIRST", "SECOND"})) return error;
      auto first = Number(s, 0), second = Number(s, 1);
      if (!first) return first.error();
      if (!second) return second.error();
      window_->firstValue = *first;
      window_->secondValue = *second;
      return std::nullopt;
    }
    if (s.keyword == "texts") {
      if (auto error = Expect(s, {"\"FIRST\"", "\"SECOND\""})) return error;
      window_->firstText = s.args[0].text;
      window_->secondText = s.args[1].text;
      return std::nullopt;
    }
    return Error(s.line, "unknown window statement '" + s.keyword + "'");
  }

  std::optional<SourceError> OnUnit(const Statement& s) {
    if (auto error = FinishUnit()) return error;
    if (!window_) return Error(s.line, "'" + s.keyword + "' before the first window");
    bool ownEntry = s.keyword == "entry";
    if (auto error = ownEntry ? Expect(s, {"ID", "TYPE"}) : Expect(s, {"ID", "NAME", "TYPE"}))
      return error;
    SourceUnit unit;
    unit.line = s.line;
    auto id = Number(s, 0);
    if (!id) return id.error();
    unit.id = *id;
    UnitKind kind = ownEntry ? UnitKind::WindowEntry : UnitKind::Unit;
    if (!frame::form::IsValidUnitId(unit.id) ||
        frame::form::UnitIdKind(unit.id) != static_cast<int>(kind))
      return Error(s.line, ownEntry ? "not the id of a window's own entry (0x06......)"
                                    : "not a unit id (0x16......)");
    const Token& typeName = s.args.back();
    unit.type = frame::form::FindUnitTypeByName(typeName.text);
    if (!unit.type || typeName.quoted)
      return Error(s.line, "unknown unit type '" + typeName.text + "'");
    bool windowType = unit.type->type == frame::form::UnitType::Window;
    if (ownEntry != windowType)
      return Error(s.line, ownEntry ? "a window's own entry has the type window"
                                    : "a unit cannot have the type window");
    if (ownEntry) {
      if (window_->ownEntry) return Error(s.line, "the window already has its own entry");
      window_->ownEntry = std::move(unit);
      unit_ = &*window_->ownEntry;
    } else {
      if (s.args[1].quoted) return Error(s.line, "a unit name is a word, not a text");
      unit.name = s.args[1].text;
      window_->units.push_back(std::move(unit));
      unit_ = &window_->units.back();
    }
    seen_.clear();
    return std::nullopt;
  }

  std::optional<SourceError> OnUnitStatement(const Statement& s) {
    const std::string& k = s.keyword;
    bool repeatable = k == "on" || k == "item" || k == "page";
    if (!repeatable && !seen_.insert(k).second)
      return Error(s.line, "'" + k + "' given twice for one unit");
    if (k == "at") return Pair(s, {"LEFT", "TOP"}, unit_->left, unit_->top);
    if (k == "size") return Pair(s, {"WIDTH", "HEIGHT"}, unit_->width, unit_->height);
    if (k == "in") return OnParent(s);
    if (k == "state") return OnState(s);
    if (k == "tag") return OnText(s, unit_->tag);
    if (k == "remark") return OnText(s, unit_->remark);
    if (k == "cursor") {
      if (auto error = Expect(s, {"NUMBER"})) return error;
      auto n = Number(s, 0);
      if (!n) return n.error();
      unit_->cursor = *n;
      return std::nullopt;
    }
    if (k == "on") return OnEvent(s);
    if (k == "data") {
      if (auto error = Expect(s, {"empty"})) return error;
      if (s.args[0].text != "empty" || s.args[0].quoted)
        return Error(s.line, "expected 'data empty'");
      unit_->emptyData = true;
      return std::nullopt;
    }
    unit_->settings.push_back(s);
    return std::nullopt;
  }

  std::optional<SourceError> OnParent(const Statement& s) {
    if (s.args.size() == 3 && s.args[1].text == "page" && !s.args[1].quoted) {
      auto page = Number(s, 2);
      if (!page) return page.error();
      if (*page < 1) return Error(s.line, "pages are numbered from 1");
      unit_->page = *page;
    } else if (auto error = Expect(s, {"PARENT"})) {
      return Error(s.line, "expected 'in PARENT' or 'in PARENT page N'");
    }
    if (s.args[0].quoted) return Error(s.line, "a unit name is a word, not a text");
    unit_->parentName = s.args[0].text;
    unit_->parentLine = s.line;
    return std::nullopt;
  }

  std::optional<SourceError> OnState(const Statement& s) {
    int shown = 0;
    for (const Token& word : s.args) {
      if (word.text == "visible") {
        unit_->flags |= frame::form::kFlagVisible;
        ++shown;
      } else if (word.text == "hidden") {
        ++shown;
      } else if (word.text == "disabled") {
        unit_->flags |= frame::form::kFlagDisabled;
      } else if (word.text == "tabstop") {
        unit_->flags |= frame::form::kFlagTabStop;
      } else {
        return Error(s.line, "unknown state '" + word.text + "'");
      }
    }
    if (shown != 1) return Error(s.line, "a state says either visible or hidden");
    return std::nullopt;
  }

  std::optional<SourceError> OnEvent(const Statement& s) {
    if (auto error = Expect(s, {"EVENT", "HANDLER"})) return error;
    auto index = Number(s, 0);
    if (!index) return index.error();
    for (const SourceEvent& e : unit_->events)
      if (e.index == *index) return Error(s.line, "event " + s.args[0].text + " bound twice");
    SourceEvent event{s.line, *index, frame::form::kNoHandler};
    if (s.args[1].text != "none") {
      auto handler = ui::FindHandler(s.args[1].text);
      if (!handler || s.args[1].quoted)
        return Error(s.line, "unknown handler '" + s.args[1].text + "' (see ui/handlers.h)");
      event.handler = static_cast<int32_t>(*handler);
    }
    unit_->events.push_back(event);
    return std::nullopt;
  }

  std::optional<SourceError> OnText(const Statement& s, std::string& out) {
    if (auto error = Expect(s, {"\"TEXT\""})) return error;
    if (!s.args[0].quoted) return Error(s.line, "'" + s.keyword + "' takes a quoted text");
    out = s.args[0].text;
    return std::nullopt;
  }

  std::optional<SourceError> Pair(const Statement& s, std::vector<std::string> names,
                                  int32_t& first, int32_t& second) {
    if (auto error = Expect(s, names)) return error;
    auto a = Number(s, 0), b = Number(s, 1);
    if (!a) return a.error();
    if (!b) return b.error();
    first = *a;
    second = *b;
    return std::nullopt;
  }

  std::optional<SourceError> FinishUnit() {
    if (!unit_) return std::nullopt;
    for (const char* required : {"at", "size", "state"})
      if (!seen_.count(required))
        return Error(unit_->line, std::string("the unit has no '") + required + "' statement");
    if (unit_->emptyData && !unit_->settings.empty())
      return Error(unit_->settings.front().line, "a setting for a unit with 'data empty'");
    unit_ = nullptr;
    return std::nullopt;
  }

  static std::optional<SourceError> Expect(const Statement& s, std::vector<std::string> args) {
    if (s.args.size() == args.size()) return std::nullopt;
    std::string usage = s.keyword;
    for (const std::string& a : args)
      usage += " " + a;
    return Error(s.line, "expected '" + usage + "'");
  }

  static Result<int32_t> Number(const Statement& s, size_t i) {
    auto n = s.args[i].quoted ? std::nullopt : ParseNumber(s.args[i].text);
    if (!n) return platform::Fail(Error(s.line, "'" + s.args[i].text + "' is not a number"));
    return *n;
  }

  FormSource form_;
  SourceWindow* window_ = nullptr;
  SourceUnit* unit_ = nullptr;
  std::set<std::string> seen_;  // single statements given for the current unit
};

}  // namespace

std::string ToString(const SourceError& error) {
  return error.line > 0 ? "line " + std::to_string(error.line) + ": " + error.message
                        : error.message;
}

std::optional<int32_t> ParseNumber(std::string_view word) {
  bool negative = !word.empty() && word[0] == '-';
  if (negative) word.remove_prefix(1);
  int base = 10;
  if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
    base = 16;
    word.remove_prefix(2);
  }
  uint64_t value = 0;
  auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value, base);
  if (word.empty() || ec != std::errc() || end != word.data() + word.size()) return std::nullopt;
  if (negative) {
    if (value > 0x80000000ULL) return std::nullopt;
    return static_cast<int32_t>(-static_cast<int64_t>(value));
  }
  if (value > (base == 16 ? 0xFFFFFFFFULL : 0x7FFFFFFFULL)) return std::nullopt;
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

Result<FormSource> ParseFormSource(std::string_view text) {
  return Parser().Run(text);
}

}  // namespace formgen
