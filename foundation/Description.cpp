#include "foundation/Description.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "foundation/Component.h"
#include "foundation/Errors.h"
#include "foundation/StringList.h"
#include "foundation/Text.h"

namespace {

// Raised with the source and line already in the message; never wrapped again.
class DescriptionError : public EReadError {
 public:
  using EReadError::EReadError;
};

constexpr int kMaxNesting = 64;

enum class Tok { End, Ident, Integer, String, Symbol, Bytes };

struct Token {
  Tok kind = Tok::End;
  std::string text;  // identifier, decoded string, hex digits, or the symbol
  std::int64_t number = 0;
  int line = 1;
};

class Lexer {
 public:
  explicit Lexer(std::string_view text) : text_(text) {}

  Token Next() {
    SkipBlanks();
    Token t;
    t.line = tokenLine_ = line_;
    if (pos_ >= text_.size()) return t;
    const char c = text_[pos_];
    if (IsIdentStart(c)) {
      const size_t start = pos_;
      while (pos_ < text_.size() && IsIdentPart(text_[pos_])) ++pos_;
      t.kind = Tok::Ident;
      t.text.assign(text_.substr(start, pos_ - start));
    } else if (IsDigit(c) || c == '$') {
      t.kind = Tok::Integer;
      const size_t start = pos_;
      ++pos_;
      while (pos_ < text_.size() && IsHexDigit(text_[pos_])) ++pos_;
      const std::string_view digits = text_.substr(start, pos_ - start);
      if (!TryStrToInt64(digits, t.number))
        Fail(Format("Invalid number %.*s", static_cast<int>(digits.size()), digits.data()));
    } else if (c == '\'' || c == '#') {
      t.kind = Tok::String;
      t.text = ReadString();
    } else if (c == '{') {
      t.kind = Tok::Bytes;
      ++pos_;
      while (true) {
        SkipBlanks();
        if (pos_ >= text_.size()) Fail("Byte data ends without }");
        const char h = text_[pos_];
        if (h == '}') break;
        if (!IsHexDigit(h)) Fail("Invalid character in byte data");
        t.text += h;
        ++pos_;
      }
      ++pos_;
      if (t.text.size() % 2 != 0) Fail("Byte data has an odd number of digits");
    } else {
      t.kind = Tok::Symbol;
      t.text.assign(1, c);
      ++pos_;
    }
    return t;
  }

  // The line the token being read begins on.
  int TokenLine() const { return tokenLine_; }
  [[noreturn]] void Fail(const std::string& message) const { throw EReadError(message); }

 private:
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  static bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
  static bool IsIdentStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
  static bool IsIdentPart(char c) { return IsIdentStart(c) || IsDigit(c); }

  void SkipBlanks() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++pos_;
      } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
      } else {
        break;
      }
    }
  }

  // 'quoted' parts and #code characters, adjacent, joined by + across line ends.
  std::string ReadString() {
    std::string result;
    while (true) {
      if (pos_ < text_.size() && text_[pos_] == '\'') {
        ++pos_;
        while (true) {
          if (pos_ >= text_.size() || text_[pos_] == '\n') Fail("Unterminated string");
          if (text_[pos_] == '\'') {
            if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
              result += '\'';
              pos_ += 2;
              continue;
            }
            ++pos_;
            break;
          }
          result += text_[pos_++];
        }
      } else if (pos_ < text_.size() && text_[pos_] == '#') {
        ++pos_;
        const size_t start = pos_;
        while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
        std::int32_t code = 0;
        if (pos_ == start || !TryStrToInt(text_.substr(start, pos_ - start), code) || code < 0 ||
            code > 0xFFFF)
          Fail("Invalid character code");
        AppendUtf8(result, static_cast<unsigned>(code));
      } else {
        // A + at the end of the line continues the string with the next quoted part.
        const size_t save = pos_;
        const int saveLine = line_;
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == '+') {
          ++pos_;
          SkipBlanks();
          if (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#')) continue;
          Fail("String expected after +");
        }
        pos_ = save;
        line_ = saveLine;
        return result;
      }
    }
  }

  // Texts are UTF-8: a character code names a Unicode character (#174 is the registered sign).
  static void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  std::string_view text_;
  size_t pos_ = 0;
  int line_ = 1;
  int tokenLine_ = 1;
};

struct Value {
  Tok kind = Tok::End;  // Ident, Integer, String, Bytes; Symbol "[" for sets, "(" for lists
  std::string text;
  std::int64_t number = 0;
  std::vector<Value> items;
};

struct ReferenceFixup {
  TObject* object;
  const PropInfo* property;
  std::string target;
  int line;
};

class Reader {
 public:
  Reader(TComponent& root, std::string_view text, const std::string& source)
      : root_(root), lexer_(text), source_(source) {
    Advance();
  }

  void Run() {
    root_.SetLoading(true);
    ReadObject(nullptr, 0);
    if (current_.kind != Tok::End) FailAt(current_.line, "Text after the end of the description");
    ResolveReferences();
    // The load notification, in read order: the root first.
    root_.LoadCompleted();
    for (TComponent* component : read_) component->LoadCompleted();
  }

 private:
  void Advance() {
    try {
      current_ = lexer_.Next();
    } catch (const DescriptionError&) {
      throw;
    } catch (const Exception& e) {
      FailAt(lexer_.TokenLine(), e.Message());
    }
  }

  [[noreturn]] void FailAt(int line, const std::string& message) const {
    throw DescriptionError(Format("%s, line %d: %s", source_.c_str(), line, message.c_str()));
  }

  bool IsWord(const char* word) const { return current_.kind == Tok::Ident && SameText(current_.text, word); }
  bool IsSymbol(char symbol) const {
    return current_.kind == Tok::Symbol && current_.text.size() == 1 && current_.text[0] == symbol;
  }

  std::string ExpectIdent(const char* what) {
    if (current_.kind != Tok::Ident) FailAt(current_.line, Format("%s expected", what));
    std::string text = current_.text;
    Advance();
    return text;
  }

  void ExpectSymbol(char symbol) {
    if (!IsSymbol(symbol)) FailAt(current_.line, Format("'%c' expected", symbol));
    Advance();
  }

  void ReadObject(TComponent* parent, int depth) {
    if (depth > kMaxNesting) FailAt(current_.line, "Components nested too deeply");
    const int line = current_.line;
    if (!IsWord("object")) FailAt(line, "'object' expected");
    Advance();
    const std::string name = ExpectIdent("Component name");
    ExpectSymbol(':');
    const std::string className = ExpectIdent("Class name");

    TComponent* component = nullptr;
    try {
      component = parent ? CreateComponent(name, className, parent) : PrepareRoot(name, className);
    } catch (const DescriptionError&) {
      throw;
    } catch (const Exception& e) {
      FailAt(line, e.Message());
    }

    while (!IsWord("end") && !IsWord("object")) {
      if (current_.kind == Tok::End) FailAt(current_.line, "'end' expected");
      ReadProperty(*component);
    }
    while (IsWord("object")) ReadObject(component, depth + 1);
    if (!IsWord("end")) FailAt(current_.line, "'end' expected");
    Advance();
  }

  TComponent* PrepareRoot(const std::string& name, const std::string& className) {
    if (!SameText(root_.ClassName(), className))
      throw EReadError(
          Format("Description is for class %s, not %s", className.c_str(), root_.ClassName().c_str()));
    root_.SetName(name);
    return &root_;
  }

  TComponent* CreateComponent(const std::string& name, const std::string& className, TComponent* parent) {
    const ClassInfo* info = FindClass(className);
    if (!info) throw EClassNotFound(Format("Class %s not found", className.c_str()));
    if (!info->Create()) throw EClassNotFound(Format("Class %s cannot be created", className.c_str()));
    if (LookupComponent(&root_, name))
      throw EComponentError(Format("A component named %s already exists", name.c_str()));
    TComponent* component = info->Create()(&root_);
    component->SetLoading(true);
    component->SetName(name);
    read_.push_back(component);
    if (const auto* field = root_.Class().FindField(name)) {
      if (!field->assign(root_, component))
        throw EReadError(Format("Field %s does not hold a %s", name.c_str(), className.c_str()));
    }
    component->SetParentComponent(parent);
    return component;
  }

  void ReadProperty(TComponent& component) {
    const int line = current_.line;
    std::vector<std::string> path{ExpectIdent("Property name")};
    while (IsSymbol('.')) {
      Advance();
      path.push_back(ExpectIdent("Property name"));
    }
    ExpectSymbol('=');
    const Value value = ReadValue(0);
    try {
      Apply(component, path, value, line);
    } catch (const DescriptionError&) {
      throw;
    } catch (const Exception& e) {
      FailAt(line, e.Message());
    }
  }

  Value ReadValue(int depth) {
    if (depth > kMaxNesting) FailAt(current_.line, "Value nested too deeply");
    Value v;
    v.kind = current_.kind;
    switch (current_.kind) {
      case Tok::Ident:
      case Tok::String:
      case Tok::Bytes:
        v.text = current_.text;
        Advance();
        return v;
      case Tok::Integer:
        v.number = current_.number;
        Advance();
        return v;
      case Tok::Symbol:
        break;
      case Tok::End:
        FailAt(current_.line, "Value expected");
    }
    if (IsSymbol('-')) {
      Advance();
      if (current_.kind != Tok::Integer) FailAt(current_.line, "Number expected");
      v.kind = Tok::Integer;
      v.number = -current_.number;
      Advance();
      return v;
    }
    if (IsSymbol('[')) {
      v.kind = Tok::Symbol;
      v.text = "[";
      Advance();
      while (!IsSymbol(']')) {
        v.items.push_back({Tok::Ident, ExpectIdent("Set element"), 0, {}});
        if (IsSymbol(','))
          Advance();
        else if (!IsSymbol(']'))
          FailAt(current_.line, "']' expected");
      }
      Advance();
      return v;
    }
    if (IsSymbol('(')) {
      v.kind = Tok::Symbol;
      v.text = "(";
      Advance();
      while (!IsSymbol(')')) {
        if (current_.kind == Tok::End) FailAt(current_.line, "')' expected");
        v.items.push_back(ReadValue(depth + 1));
      }
      Advance();
      return v;
    }
    FailAt(current_.line, Format("Unexpected '%s'", current_.text.c_str()));
  }

  void Apply(TComponent& component, const std::vector<std::string>& path, const Value& value, int line) {
    TObject* object = &component;
    for (size_t i = 0; i + 1 < path.size(); ++i) {
      const PropInfo* p = FindProperty(object, path[i]);
      if (!p) throw EPropertyError(Format("Property %s does not exist", path[i].c_str()));
      if (p->kind != PropKind::Object)
        throw EPropertyError(Format("Property %s has no parts", path[i].c_str()));
      object = p->getObject(*object);
      if (!object) throw EPropertyError(Format("Property %s is not set", path[i].c_str()));
    }
    const std::string& name = path.back();
    const PropInfo* p = FindProperty(object, name);
    if (!p && path.size() == 1 && value.kind == Tok::Integer &&
        (SameText(name, "Left") || SameText(name, "Top"))) {
      // A component without a position of its own keeps where a designer showed it.
      TComponent::DesignPoint where = component.DesignPosition();
      (SameText(name, "Left") ? where.X : where.Y) = static_cast<int>(value.number);
      component.SetDesignPosition(where);
      return;
    }
    if (!p) throw EPropertyError(Format("Property %s does not exist", name.c_str()));
    ApplyValue(*object, *p, value, line);
  }

  [[noreturn]] static void InvalidValue(const PropInfo& p) {
    throw EPropertyError(Format("Invalid value for property %s", p.name.c_str()));
  }

  static std::int64_t OrdinalOf(const PropInfo& p, const Value& value) {
    if (value.kind == Tok::Integer) {
      if (p.kind == PropKind::Integer) return value.number;
      InvalidValue(p);
    }
    if (value.kind != Tok::Ident) InvalidValue(p);
    switch (p.kind) {
      case PropKind::Bool:
        if (SameText(value.text, "True")) return 1;
        if (SameText(value.text, "False")) return 0;
        break;
      case PropKind::Integer:
        for (const IntegerIdent& ident : p.idents)
          if (SameText(ident.name, value.text)) return ident.value;
        break;
      case PropKind::Enum:
        for (size_t i = 0; i < p.names.size(); ++i)
          if (SameText(p.names[i], value.text)) return static_cast<std::int64_t>(i);
        break;
      default:
        break;
    }
    InvalidValue(p);
  }

  static std::int64_t SetOf(const PropInfo& p, const Value& value) {
    if (value.kind != Tok::Symbol || value.text != "[") InvalidValue(p);
    std::int64_t bits = 0;
    for (const Value& element : value.items) {
      size_t i = 0;
      while (i < p.names.size() && !SameText(p.names[i], element.text)) ++i;
      if (i == p.names.size() || i >= 63) InvalidValue(p);
      bits |= std::int64_t{1} << i;
    }
    return bits;
  }

  static std::vector<std::uint8_t> BytesOf(const std::string& hex) {
    std::vector<std::uint8_t> bytes(hex.size() / 2);
    auto nibble = [](char c) {
      return static_cast<std::uint8_t>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
    };
    for (size_t i = 0; i < bytes.size(); ++i)
      bytes[i] = static_cast<std::uint8_t>(nibble(hex[2 * i]) << 4 | nibble(hex[2 * i + 1]));
    return bytes;
  }

  void ApplyValue(TObject& object, const PropInfo& p, const Value& value, int line) {
    switch (p.kind) {
      case PropKind::String:
        if (value.kind != Tok::String) InvalidValue(p);
        p.setString(object, value.text);
        return;
      case PropKind::Integer:
      case PropKind::Bool:
      case PropKind::Enum:
        p.setOrdinal(object, OrdinalOf(p, value));
        return;
      case PropKind::Set:
        p.setOrdinal(object, SetOf(p, value));
        return;
      case PropKind::Binary: {
        if (value.kind != Tok::Bytes) InvalidValue(p);
        const std::vector<std::uint8_t> bytes = BytesOf(value.text);
        p.setBinary(object, bytes);
        return;
      }
      case PropKind::Event: {
        if (value.kind != Tok::Ident) InvalidValue(p);
        const MethodInfo* method = root_.Class().FindMethod(value.text);
        if (!method) throw EPropertyError(Format("Method %s not found", value.text.c_str()));
        p.setEvent(object, method->bind(root_));
        return;
      }
      case PropKind::Object:
        if (value.kind == Tok::Ident) {
          if (!p.setObject) InvalidValue(p);
          fixups_.push_back({&object, &p, value.text, line});
          return;
        }
        if (value.kind == Tok::Symbol && value.text == "(") {
          auto* lines = dynamic_cast<TStrings*>(p.getObject(object));
          if (!lines) InvalidValue(p);
          lines->BeginUpdate();
          lines->Clear();
          for (const Value& item : value.items) {
            if (item.kind == Tok::String)
              lines->Add(item.text);
            else if (item.kind == Tok::Integer)
              lines->Add(IntToStr(item.number));
            else
              InvalidValue(p);
          }
          lines->EndUpdate();
          return;
        }
        InvalidValue(p);
    }
  }

  void ResolveReferences() {
    for (const ReferenceFixup& fixup : fixups_) {
      TComponent* target =
          SameText(fixup.target, root_.Name()) ? &root_ : LookupComponent(&root_, fixup.target);
      if (!target) FailAt(fixup.line, Format("Component %s not found", fixup.target.c_str()));
      try {
        fixup.property->setObject(*fixup.object, target);
      } catch (const Exception& e) {
        FailAt(fixup.line, e.Message());
      }
    }
  }

  TComponent& root_;
  Lexer lexer_;
  const std::string& source_;
  Token current_;
  std::vector<TComponent*> read_;
  std::vector<ReferenceFixup> fixups_;
};

}  // namespace

void LoadDescription(TComponent& root, std::string_view text, const std::string& sourceName) {
  Reader(root, text, sourceName).Run();
}
