#include "com/PropertyBag.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "com/StdFont.h"
#include "com/StdPicture.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace com {

namespace {

[[noreturn]] void Invalid(std::string_view what) {
  rt::Raise(errInvalidPropertyValue, "PropertyBag", "Invalid property value: " + std::string(what));
}

const char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string EncodeBase64(std::string_view bytes) {
  std::string out;
  size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    uint32_t v = (uint8_t(bytes[i]) << 16) | (uint8_t(bytes[i + 1]) << 8) | uint8_t(bytes[i + 2]);
    for (int s = 18; s >= 0; s -= 6) out += kBase64[(v >> s) & 63];
  }
  if (i < bytes.size()) {
    uint32_t v = uint8_t(bytes[i]) << 16;
    if (i + 1 < bytes.size()) v |= uint8_t(bytes[i + 1]) << 8;
    out += kBase64[(v >> 18) & 63];
    out += kBase64[(v >> 12) & 63];
    out += i + 1 < bytes.size() ? kBase64[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::string DecodeBase64(std::string_view text) {
  std::string out;
  uint32_t v = 0;
  int bits = 0;
  for (char c : text) {
    if (c == '=') break;
    const char* p = std::strchr(kBase64, c);
    if (!p || c == '\0') Invalid("base64 data");
    v = (v << 6) | uint32_t(p - kBase64);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out += char((v >> bits) & 0xFF);
    }
  }
  return out;
}

std::string Quote(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        out += c;
    }
  }
  return out + "\"";
}

std::string JoinPath(std::string_view folder, std::string_view path) {
  if (folder.empty() || (!path.empty() && path[0] == '/')) return std::string(path);
  std::string out(folder);
  if (out.back() != '/') out += '/';
  return out + std::string(path);
}

std::string RelativePath(std::string_view folder, const std::string& path) {
  if (folder.empty()) return path;
  std::string prefix(folder);
  if (prefix.back() != '/') prefix += '/';
  return path.compare(0, prefix.size(), prefix) == 0 ? path.substr(prefix.size()) : path;
}

// A cursor over one value's text.
class ValueReader {
 public:
  explicit ValueReader(std::string_view text) : m_text(text) {}

  void SkipBlanks() {
    while (m_pos < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_pos]))) ++m_pos;
  }
  bool AtEnd() {
    SkipBlanks();
    return m_pos >= m_text.size();
  }
  bool Accept(char c) {
    SkipBlanks();
    if (m_pos < m_text.size() && m_text[m_pos] == c) {
      ++m_pos;
      return true;
    }
    return false;
  }
  void Expect(char c) {
    if (!Accept(c)) Invalid(m_text);
  }
  std::string String() {
    SkipBlanks();
    if (m_pos >= m_text.size() || m_text[m_pos] != '"') Invalid(m_text);
    std::string out;
    for (++m_pos; m_pos < m_text.size(); ++m_pos) {
      char c = m_text[m_pos];
      if (c == '"') {
        ++m_pos;
        return out;
      }
      if (c == '\\' && m_pos + 1 < m_text.size()) {
        char e = m_text[++m_pos];
        out += e == 'r' ? '\r' : e == 'n' ? '\n' : e == 't' ? '\t' : e;
      } else {
        out += c;
      }
    }
    Invalid(m_text);
  }
  // A bare word or number up to the next "," or ")".
  std::string Atom() {
    SkipBlanks();
    size_t start = m_pos;
    while (m_pos < m_text.size() && m_text[m_pos] != ',' && m_text[m_pos] != ')' && m_text[m_pos] != '(') ++m_pos;
    return rt::Trim(m_text.substr(start, m_pos - start));
  }
  bool PeekQuote() {
    SkipBlanks();
    return m_pos < m_text.size() && m_text[m_pos] == '"';
  }

 private:
  std::string_view m_text;
  size_t m_pos = 0;
};

rt::Variant ParseAtom(const std::string& atom) {
  if (atom.empty()) Invalid(atom);
  if (rt::StrComp(atom, "True", rt::CompareMethod::Text) == 0) return rt::Variant(true);
  if (rt::StrComp(atom, "False", rt::CompareMethod::Text) == 0) return rt::Variant(false);
  if (rt::StrComp(atom, "Empty", rt::CompareMethod::Text) == 0) return rt::Variant();
  if (rt::StrComp(atom, "Null", rt::CompareMethod::Text) == 0) return rt::Variant::Null();
  if (rt::StrComp(atom, "Nothing", rt::CompareMethod::Text) == 0) return Nothing();
  if (atom.size() > 2 && atom[0] == '&' && (atom[1] == 'H' || atom[1] == 'h')) {
    return rt::Variant(rt::Variant(atom).ToLong());
  }
  char* end = nullptr;
  errno = 0;
  long long i = std::strtoll(atom.c_str(), &end, 10);
  if (*end == '\0' && errno == 0 && i >= std::numeric_limits<int32_t>::min() &&
      i <= std::numeric_limits<int32_t>::max()) {
    return rt::Variant(static_cast<int32_t>(i));
  }
  errno = 0;
  double d = std::strtod(atom.c_str(), &end);
  if (*end != '\0' || errno == ERANGE) Invalid(atom);
  return rt::Variant(d);
}

rt::Variant ParseFont(ValueReader& r) {
  r.Expect('(');
  std::string name = r.String();
  r.Expect(',');
  auto font = StdFont::Create(name, ParseAtom(r.Atom()).ToDouble());
  bool flags[4] = {false, false, false, false};
  int16_t charset = 0;
  for (int i = 0; i < 5 && r.Accept(','); ++i) {
    rt::Variant v = ParseAtom(r.Atom());
    if (i < 4)
      flags[i] = v.ToBool();
    else
      charset = v.ToInteger();
  }
  r.Expect(')');
  font->SetBold(flags[0]);
  font->SetItalic(flags[1]);
  font->SetUnderline(flags[2]);
  font->SetStrikethrough(flags[3]);
  font->SetCharset(charset);
  return ToVariant(font);
}

rt::Variant ParsePicture(ValueReader& r, std::string_view folder) {
  r.Expect('(');
  if (r.Accept(')')) return ToVariant(StdPicture::CreateEmpty());
  StdPicturePtr picture;
  if (r.PeekQuote()) {
    picture = LoadPicture(JoinPath(folder, r.String()));
  } else {
    std::string atom = r.Atom();
    if (atom.rfind("png:", 0) != 0) Invalid(atom);
    picture = StdPicture::FromPngData(DecodeBase64(atom.substr(4)));
  }
  r.Expect(')');
  return ToVariant(picture);
}

}  // namespace

bool SamePropertyValue(const rt::Variant& a, const rt::Variant& b) {
  if (a.IsObject() && b.IsObject()) {
    auto fa = std::dynamic_pointer_cast<StdFont>(AsDispatch(a));
    auto fb = std::dynamic_pointer_cast<StdFont>(AsDispatch(b));
    if (fa && fb) return fa->SameAs(*fb);
  }
  if (a.IsString() != b.IsString()) return false;
  return a.Type() == b.Type() || (a.IsNumeric() && b.IsNumeric()) ? a == b : false;
}

std::vector<std::pair<std::string, rt::Variant>>::iterator PropertyBag::FindEntry(std::string_view name) {
  for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
    if (rt::StrComp(it->first, name, rt::CompareMethod::Text) == 0) return it;
  }
  return m_entries.end();
}

std::vector<std::pair<std::string, rt::Variant>>::const_iterator PropertyBag::FindEntry(std::string_view name) const {
  return const_cast<PropertyBag*>(this)->FindEntry(name);
}

rt::Variant PropertyBag::ReadProperty(std::string_view name, const rt::Variant& defaultValue) const {
  auto it = FindEntry(name);
  return it != m_entries.end() ? it->second : defaultValue;
}

void PropertyBag::WriteProperty(std::string_view name, const rt::Variant& value, const rt::Variant& defaultValue) {
  auto it = FindEntry(name);
  if (SamePropertyValue(value, defaultValue)) {
    if (it != m_entries.end()) m_entries.erase(it);
    return;
  }
  if (it != m_entries.end())
    it->second = value;
  else
    m_entries.emplace_back(std::string(name), value);
}

bool PropertyBag::Contains(std::string_view name) const { return FindEntry(name) != m_entries.end(); }

void PropertyBag::Remove(std::string_view name) {
  auto it = FindEntry(name);
  if (it != m_entries.end()) m_entries.erase(it);
}

std::vector<std::string> PropertyBag::Names() const {
  std::vector<std::string> names;
  for (const auto& e : m_entries) names.push_back(e.first);
  return names;
}

std::string PropertyBag::FormatValue(const rt::Variant& value, std::string_view folder) {
  switch (value.Type()) {
    case rt::VarType::Empty:
      return "Empty";
    case rt::VarType::Null:
      return "Null";
    case rt::VarType::Boolean:
      return value.ToBool() ? "True" : "False";
    case rt::VarType::Integer:
    case rt::VarType::Long:
    case rt::VarType::Byte:
      return std::to_string(value.ToLong());
    case rt::VarType::Double: {
      std::string s = rt::FormatNumber(value.ToDouble());
      // Keep a floating-point value recognisable as one.
      if (s.find_first_of(".eE") == std::string::npos) s += ".0";
      return s;
    }
    case rt::VarType::Date:
      return "Date(" + rt::FormatNumber(value.ToDate().days) + ")";
    case rt::VarType::String:
      return Quote(value.ToString());
    case rt::VarType::Object: {
      auto object = AsDispatch(value);
      if (!object) return "Nothing";
      if (auto font = std::dynamic_pointer_cast<StdFont>(object)) {
        std::string s = "Font(" + Quote(font->Name()) + ", " + rt::FormatNumber(font->Size());
        for (bool flag : {font->Bold(), font->Italic(), font->Underline(), font->Strikethrough()}) {
          s += flag ? ", True" : ", False";
        }
        return s + ", " + std::to_string(font->Charset()) + ")";
      }
      if (auto picture = std::dynamic_pointer_cast<StdPicture>(object)) {
        if (picture->IsEmpty()) return "Picture()";
        if (!picture->SourcePath().empty())
          return "Picture(" + Quote(RelativePath(folder, picture->SourcePath())) + ")";
        return "Picture(png:" + EncodeBase64(picture->PngData()) + ")";
      }
      Invalid("object of type " + object->TypeName());
    }
    default:
      Invalid("array");
  }
}

rt::Variant PropertyBag::ParseValue(std::string_view text, std::string_view folder) {
  ValueReader r(text);
  rt::Variant value;
  if (r.PeekQuote()) {
    value = rt::Variant(r.String());
  } else {
    std::string atom = r.Atom();
    if (rt::StrComp(atom, "Font", rt::CompareMethod::Text) == 0)
      value = ParseFont(r);
    else if (rt::StrComp(atom, "Picture", rt::CompareMethod::Text) == 0)
      value = ParsePicture(r, folder);
    else if (rt::StrComp(atom, "Date", rt::CompareMethod::Text) == 0) {
      r.Expect('(');
      value = rt::Variant(rt::DateValue{ParseAtom(r.Atom()).ToDouble()});
      r.Expect(')');
    } else {
      value = ParseAtom(atom);
    }
  }
  if (!r.AtEnd()) Invalid(text);
  return value;
}

void PropertyBag::ReadTextLine(std::string_view line, std::string_view folder) {
  std::string trimmed = rt::Trim(line);
  while (!trimmed.empty() && (trimmed.back() == '\r' || trimmed.back() == '\t')) trimmed.pop_back();
  if (trimmed.empty() || trimmed[0] == '\'') return;
  size_t eq = trimmed.find('=');
  if (eq == std::string::npos) Invalid(trimmed);
  std::string name = rt::Trim(trimmed.substr(0, eq));
  if (name.empty()) Invalid(trimmed);
  rt::Variant value = ParseValue(std::string_view(trimmed).substr(eq + 1), folder);
  auto it = FindEntry(name);
  if (it != m_entries.end())
    it->second = std::move(value);
  else
    m_entries.emplace_back(std::move(name), std::move(value));
}

std::string PropertyBag::ToText(std::string_view folder, int indent) const {
  std::string out;
  const std::string pad(static_cast<size_t>(std::max(indent, 0)), ' ');
  for (const auto& [name, value] : m_entries) out += pad + name + " = " + FormatValue(value, folder) + "\n";
  return out;
}

PropertyBag PropertyBag::FromText(std::string_view text, std::string_view folder) {
  PropertyBag bag;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    bag.ReadTextLine(text.substr(start, end - start), folder);
    start = end + 1;
  }
  return bag;
}

}  // namespace com
