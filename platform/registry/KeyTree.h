// The key tree of one root in memory, and its text form on disk.
//
// The text form (one record a line, every name and byte escaped so that
// the file round-trips any content):
//   QVREG 2
//   V <name> <type> <hex data>    a value of the root (before the first K)
//   K <depth> <name>              a key `depth` levels below the root, a
//                                 subkey of the last key one level up
//   V <name> <type> <hex data>    a value of the key above it
//   END <number of K and V lines>
// Every key's name is written once, so the file grows with the tree, not
// with the square of its depth. Files of the first form ("QVREG 1", each
// key written as "K <path>" with its full path from the root, the root as
// "K " with an empty path) read the same.
// Names escape every byte outside "!".."~" and "%" itself as %XX; the
// closing count lets a reader tell a complete file from a cut one.
//
// The limits of the registry this stands in for hold for every key: a
// name of at most 255 characters and at most 512 levels below the root. A
// file that breaks them is damaged at that record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace reg::detail {

inline constexpr size_t kMaxKeyNameLength = 255;  // characters
inline constexpr size_t kMaxKeyDepth = 512;       // levels below the root

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

// Whether a path from the root keeps within the limits above.
bool WithinLimits(const Path& path);

Key* FindKey(Key& root, const Path& path);
// Creates what is missing; tells whether anything was created.
Key& CreateKey(Key& root, const Path& path, bool* created);

std::string Serialize(const Key& root);

// What a file's text gave: the whole tree, or, for a damaged file, the
// keys and values read before the damage, with `problem` saying where and
// what (empty for a sound file).
struct ParsedFile {
  std::unique_ptr<Key> tree;
  std::string problem;
  int line = 0;  // the line of the problem; 0 when the file is empty
};
ParsedFile Parse(std::string_view text);

}  // namespace reg::detail
