#include "registry/KeyTree.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "runtime/Strings.h"

namespace reg::detail {

namespace {

constexpr std::string_view kHeader = "QVREG 1";
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

void Write(const Key& key, const std::string& path, std::string& out, size_t& records) {
  out += "K " + path + "\n";
  ++records;
  for (const auto& v : key.values) {
    out += "V " + Escape(v.name) + " " + std::to_string(v.type) + " " + HexOf(v.data) + "\n";
    ++records;
  }
  for (const auto& sub : key.subkeys) {
    Write(*sub, path.empty() ? Escape(sub->name) : path + "\\" + Escape(sub->name), out, records);
  }
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) { return CompareNames(a, b) == 0; }

Key* Key::FindSubkey(std::string_view subName) const {
  for (const auto& sub : subkeys) {
    if (SameName(sub->name, subName)) return sub.get();
  }
  return nullptr;
}

Key& Key::AddSubkey(std::string subName) {
  auto pos = std::find_if(subkeys.begin(), subkeys.end(),
                          [&](const auto& sub) { return CompareNames(sub->name, subName) > 0; });
  auto key = std::make_unique<Key>();
  key->name = std::move(subName);
  return **subkeys.insert(pos, std::move(key));
}

bool Key::RemoveSubkey(std::string_view subName) {
  auto pos = std::find_if(subkeys.begin(), subkeys.end(), [&](const auto& sub) { return SameName(sub->name, subName); });
  if (pos == subkeys.end()) return false;
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

std::string Serialize(const Key& root) {
  std::string out(kHeader);
  out += "\n";
  size_t records = 0;
  Write(root, "", out, records);
  out += "END " + std::to_string(records) + "\n";
  return out;
}

std::unique_ptr<Key> Parse(std::string_view text, std::string* problem) {
  auto fail = [&](size_t lineNo, const std::string& why) {
    if (problem) *problem = "line " + std::to_string(lineNo) + ": " + why;
    return nullptr;
  };
  auto root = std::make_unique<Key>();
  Key* current = nullptr;
  size_t records = 0;
  size_t lineNo = 0;
  bool ended = false;
  size_t start = 0;
  while (start < text.size()) {
    size_t nl = text.find('\n', start);
    if (nl == std::string_view::npos) return fail(lineNo + 1, "the file ends inside a line (cut short?)");
    std::string_view line = text.substr(start, nl - start);
    start = nl + 1;
    ++lineNo;
    if (ended) return fail(lineNo, "text after the closing line");
    if (lineNo == 1) {
      if (line != kHeader) return fail(lineNo, "not a registry file (header missing)");
      continue;
    }
    auto f = Fields(line);
    if (f[0] == "K" && f.size() == 2) {
      Path path;
      for (auto part : SplitPath(f[1])) {
        auto name = Unescape(part);
        if (!name) return fail(lineNo, "bad key name");
        path.push_back(*name);
      }
      current = &CreateKey(*root, path, nullptr);
      ++records;
    } else if (f[0] == "V" && f.size() == 4) {
      auto name = Unescape(f[1]);
      auto type = NumberOf(f[2]);
      auto data = BytesOfHex(f[3]);
      if (!current) return fail(lineNo, "value outside a key");
      if (!name || !type || !data) return fail(lineNo, "bad value record");
      if (current->FindValue(*name)) return fail(lineNo, "value written twice");
      current->values.push_back(Value{std::move(*name), *type, std::move(*data)});
      ++records;
    } else if (f[0] == "END" && f.size() == 2) {
      auto count = NumberOf(f[1]);
      if (!count || *count != records) return fail(lineNo, "record count does not match (cut short?)");
      ended = true;
    } else {
      return fail(lineNo, "unknown record");
    }
  }
  if (!ended) return fail(lineNo, "closing line missing (cut short?)");
  return root;
}

}  // namespace reg::detail
