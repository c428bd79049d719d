// The key tree of one root in memory, and its text form on disk.
//
// The text form (one record a line, every name and byte escaped so that
// the file round-trips any content):
//   QVREG 1
//   K <path>                      a key; the root's path is empty
//   V <name> <type> <hex data>    a value of the key above it
//   END <number of K and V lines>
// Names escape every byte outside "!".."~" and "%" itself as %XX; the
// closing count lets a reader tell a complete file from a cut one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace reg::detail {

struct Value {
  std::string name;
  uint32_t type = 0;
  std::string data;  // the bytes as written
};

struct Key {
  std::string name;
  std::vector<Value> values;                 // in the order of first writing
  std::vector<std::unique_ptr<Key>> subkeys;  // sorted by name, case ignored

  Key* FindSubkey(std::string_view subName) const;
  Key& AddSubkey(std::string subName);
  bool RemoveSubkey(std::string_view subName);
  Value* FindValue(std::string_view valueName);
  void SetValue(std::string_view valueName, uint32_t type, std::string data);
  bool RemoveValue(std::string_view valueName);
};

using Path = std::vector<std::string>;

// Name comparison of the registry: case ignored.
bool SameName(std::string_view a, std::string_view b);

// Splits "a\b\c"; empty components are skipped.
Path SplitPath(std::string_view path);

Key* FindKey(Key& root, const Path& path);
// Creates what is missing; tells whether anything was created.
Key& CreateKey(Key& root, const Path& path, bool* created);

std::string Serialize(const Key& root);
// The tree of a file's text, or nothing with `problem` saying why not.
std::unique_ptr<Key> Parse(std::string_view text, std::string* problem);

}  // namespace reg::detail
