#include "registry/KeyTree.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "runtime/Strings.h"

namespace reg::detail {

namespace {

constexpr std::string_view kHeaderFullPaths = "QVREG 1";
constexpr std::string_view kHeader = "QVREG 2";
constexpr char kHexDigits[] = "0123456789ABCDEF";

int CompareNames(std::string_view a, std::string_view b) { return rt::StrComp(a, b, rt::CompareMethod::Text); }

std::string Escape(std::string_view s) {
  std::string out;
  for (char c : s) {
    auto b = static_cast<uint8_t>(c);
    if (b < 0x21 || b > 0x7E || c == '%') {
      out += '%';
      out += kHexDigits[b >> 4];
      out += kHexDigits[b & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<std::string> Unescape(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    auto b = static_cast<uint8_t>(s[i]);
    if (b < 0x21 || b > 0x7E) return std::nullopt;
    if (s[i] != '%') {
      out += s[i];
      continue;
    }
    if (i + 2 >= s.size()) return std::nullopt;
    int hi = HexValue(s[i + 1]);
    int lo = HexValue(s[i + 2]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return out;
}

std::string HexOf(std::string_view data) {
  std::string out;
  out.reserve(data.size() * 2);
  for (char c : data) {
    auto b = static_cast<uint8_t>(c);
    out += kHexDigits[b >> 4];
    out += kHexDigits[b & 0xF];
  }
  return out;
}

std::optional<std::string> BytesOfHex(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::string out;
  out.reserve(hex.size() / 2);
  for (size_t i = 0; i < hex.size(); i += 2) {
    int hi = HexValue(hex[i]);
    int lo = HexValue(hex[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out += static_cast<char>(hi * 16 + lo);
  }
  return out;
}

std::optional<uint32_t> NumberOf(std::string_view s) {
  uint32_t n = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
  if (ec != std::errc() || end != s.data() + s.size() || s.empty()) return std::nullopt;
  return n;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> out;
  size_t start = 0;
  for (;;) {
    size_t p = line.find(' ', start);
    out.push_back(line.substr(start, p == std::string_view::npos ? std::string_view::npos : p - start));
    if (p == std::string_view::npos) break;
    start = p + 1;
  }
  return out;
}

// The reason a key name breaks the limits, or "" when it keeps them.
std::string NameProblem(std::string_view name) {
  if (name.empty()) return "an empty key name";
  if (rt::Len(name) > kMaxKeyNameLength) return "a key name longer than 255 characters";
  return "";
}

std::string DepthProblem(size_t depth) { return depth > kMaxKeyDepth ? "a key more than 512 levels deep" : ""; }

void WriteValues(const Key& key, std::string& out, size_t& records) {
  for (const auto& v : key.values) {
    out += "V ";
    out += Escape(v.name);
    out += ' ';
    out += std::to_string(v.type);
    out += ' ';
    out += HexOf(v.data);
    out += '\n';
    ++records;
  }
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) { return CompareNames(a, b) == 0; }

namespace {

// The first subkey whose name does not sort before `name`.
auto FirstNotBefore(const std::vector<std::unique_ptr<Key>>& subkeys, std::string_view name) {
  return std::lower_bound(subkeys.begin(), subkeys.end(), name,
                          [](const auto& sub, std::string_view n) { return CompareNames(sub->name, n) < 0; });
}

}  // namespace

Key* Key::FindSubkey(std::string_view subName) const {
  auto pos = FirstNotBefore(subkeys, subName);
  return pos != subkeys.end() && SameName((*pos)->name, subName) ? pos->get() : nullptr;
}

Key& Key::AddSubkey(std::string subName) {
  auto pos = FirstNotBefore(subkeys, subName);
  auto key = std::make_unique<Key>();
  key->name = std::move(subName);
  return **subkeys.insert(pos, std::move(key));
}

bool Key::RemoveSubkey(std::string_view subName) {
  auto pos = FirstNotBefore(subkeys, subName);
  if (pos == subkeys.end() || !SameName((*pos)->name, subName)) return false;
  subkeys.erase(pos);
  return true;
}

Value* Key::FindValue(std::string_view valueName) {
  for (auto& v : values) {
    if (SameName(v.name, valueName)) return &v;
  }
  return nullptr;
}

void Key::SetValue(std::string_view valueName, uint32_t type, std::string data) {
  if (Value* v = FindValue(valueName)) {
    v->type = type;
    v->data = std::move(data);
    return;
  }
  values.push_back(Value{std::string(valueName), type, std::move(data)});
}

bool Key::RemoveValue(std::string_view valueName) {
  auto pos = std::find_if(values.begin(), values.end(), [&](const auto& v) { return SameName(v.name, valueName); });
  if (pos == values.end()) return false;
  values.erase(pos);
  return true;
}

Path SplitPath(std::string_view path) {
  Path out;
  size_t start = 0;
  while (start <= path.size()) {
    size_t p = path.find('\\', start);
    if (p == std::string_view::npos) p = path.size();
    if (p > start) out.emplace_back(path.substr(start, p - start));
    start = p + 1;
  }
  return out;
}

Key* FindKey(Key& root, const Path& path) {
  Key* key = &root;
  for (const auto& name : path) {
    key = key->FindSubkey(name);
    if (!key) return nullptr;
  }
  return key;
}

Key& CreateKey(Key& root, const Path& path, bool* created) {
  Key* key = &root;
  for (const auto& name : path) {
    Key* sub = key->FindSubkey(name);
    if (!sub) {
      sub = &key->AddSubkey(name);
      if (created) *created = true;
    }
    key = sub;
  }
  return *key;
}

bool WithinLimits(const Path& path) {
  if (!DepthProblem(path.size()).empty()) return false;
  return std::all_of(path.begin(), path.end(), [](const std::string& name) { return NameProblem(name).empty(); });
}

std::string Serialize(const Key& root) {
  std::string out(kHeader);
  out += '\n';
  size_t records = 0;
  WriteValues(root, out, records);
  // Depth first, without recursion: the keys on the way down to the one
  // being written, each with the index of its next subkey.
  struct Level {
    const Key* key;
    size_t next;
  };
  std::vector<Level> way{{&root, 0}};
  while (!way.empty()) {
    Level& level = way.back();
    if (level.next == level.key->subkeys.size()) {
      way.pop_back();
      continue;
    }
    const Key& sub = *level.key->subkeys[level.next++];
    out += "K ";
    out += std::to_string(way.size());
    out += ' ';
    out += Escape(sub.name);
    out += '\n';
    ++records;
    WriteValues(sub, out, records);
    way.push_back(Level{&sub, 0});
  }
  out += "END " + std::to_string(records) + "\n";
  return out;
}

namespace {

// Reads a file's records into a tree, one line after the other.
class Reader {
 public:
  Reader() : m_tree(std::make_unique<Key>()) {}

  ParsedFile Read(std::string_view text) {
    size_t start = 0;
    while (start < text.size() && m_problem.empty()) {
      size_t nl = text.find('\n', start);
      ++m_lineNo;
      if (nl == std::string_view::npos) {
        Fail("the file ends inside a line (cut short?)");
        break;
      }
      Line(text.substr(start, nl - start));
      start = nl + 1;
    }
    if (m_problem.empty() && !m_ended) Fail("closing line missing (cut short?)");
    const int line = m_problem.empty() ? 0 : static_cast<int>(m_lineNo);
    return ParsedFile{std::move(m_tree), std::move(m_problem), line};
  }

 private:
  void Fail(const std::string& why) {
    m_problem = m_lineNo == 0 ? "the file is empty" : "line " + std::to_string(m_lineNo) + ": " + why;
  }

  void Line(std::string_view line) {
    if (m_ended) return Fail("text after the closing line");
    if (m_lineNo == 1) return Header(line);
    auto f = Fields(line);
    if (f[0] == "K" && f.size() == 2 && m_fullPaths) return KeyByPath(f[1]);
    if (f[0] == "K" && f.size() == 3 && !m_fullPaths) return KeyByDepth(f[1], f[2]);
    if (f[0] == "V" && f.size() == 4) return ValueRecord(f[1], f[2], f[3]);
    if (f[0] == "END" && f.size() == 2) return End(f[1]);
    Fail("unknown record");
  }

  void Header(std::string_view line) {
    if (line == kHeaderFullPaths) {
      m_fullPaths = true;
    } else if (line == kHeader) {
      m_way.push_back(m_tree.get());  // values before the first key are the root's
    } else {
      Fail("not a registry file (header missing)");
    }
  }

  // "K <full path>": the root is "K " with an empty path.
  void KeyByPath(std::string_view escapedPath) {
    Path parts = SplitPath(escapedPath);
    if (std::string why = DepthProblem(parts.size()); !why.empty()) return Fail(why);
    Path path;
    for (auto& part : parts) {
      auto name = Unescape(part);
      if (!name) return Fail("bad key name");
      if (std::string why = NameProblem(*name); !why.empty()) return Fail(why);
      path.push_back(std::move(*name));
    }
    m_way = {&CreateKey(*m_tree, path, nullptr)};
    ++m_records;
  }

  // "K <depth> <name>": a subkey of the last key one level up.
  void KeyByDepth(std::string_view depthText, std::string_view escapedName) {
    auto depth = NumberOf(depthText);
    if (!depth || *depth < 1 || *depth > m_way.size()) return Fail("bad key depth");
    if (std::string why = DepthProblem(*depth); !why.empty()) return Fail(why);
    auto name = Unescape(escapedName);
    if (!name) return Fail("bad key name");
    if (std::string why = NameProblem(*name); !why.empty()) return Fail(why);
    m_way.resize(*depth);
    Key* parent = m_way.back();
    Key* key = parent->FindSubkey(*name);
    m_way.push_back(key ? key : &parent->AddSubkey(std::move(*name)));
    ++m_records;
  }

  void ValueRecord(std::string_view escapedName, std::string_view typeText, std::string_view hex) {
    if (m_way.empty()) return Fail("value outside a key");
    auto name = Unescape(escapedName);
    auto type = NumberOf(typeText);
    auto data = BytesOfHex(hex);
    if (!name || !type || !data) return Fail("bad value record");
    Key& key = *m_way.back();
    if (!m_valueNames[&key].insert(rt::LCase(*name)).second) return Fail("value written twice");
    key.values.push_back(Value{std::move(*name), *type, std::move(*data)});
    ++m_records;
  }

  void End(std::string_view countText) {
    auto count = NumberOf(countText);
    if (!count || *count != m_records) return Fail("record count does not match (cut short?)");
    m_ended = true;
  }

  std::unique_ptr<Key> m_tree;
  std::string m_problem;
  bool m_fullPaths = false;
  // The current key last: with depths, the whole way from the root to it.
  std::vector<Key*> m_way;
  // The names of each key's values read so far, case folded: a name read
  // twice is found without a search through the key's values.
  std::unordered_map<const Key*, std::unordered_set<std::string>> m_valueNames;
  size_t m_records = 0;
  size_t m_lineNo = 0;
  bool m_ended = false;
};

}  // namespace

ParsedFile Parse(std::string_view text) { return Reader().Read(text); }

}  // namespace reg::detail
