// Profile (INI) files: sections in brackets, "key=value" lines below them.
// The files are Windows-1252 text with CR LF line ends; section and key
// names are compared without regard to case. A write replaces the file
// atomically (temporary file and rename) and keeps every other line of it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace shell {

// Reads a key of a section into `returned`, at most size - 1 characters
// (the size of the caller's buffer); returns the number of characters
// returned. A missing file, section or key gives `defaultValue` (trailing
// blanks removed). Blanks around a value and one pair of enclosing quotes
// are removed.
uint32_t GetPrivateProfileStringA(std::string_view section, std::string_view key, std::string_view defaultValue,
                                  std::string& returned, uint32_t size, const std::string& fileName);

// Reads a key as a whole number: its leading digits (an optional sign
// first); 0 when it does not start with one; `defaultValue` when missing.
int32_t GetPrivateProfileIntA(std::string_view section, std::string_view key, int32_t defaultValue,
                              const std::string& fileName);

// Writes a key: a missing section is added at the end, a missing key at
// the end of its section. Without a value the key is removed; without a
// key the whole section is removed. Returns false when the file cannot be
// written (its folder missing, no permission).
bool WritePrivateProfileStringA(std::string_view section, std::optional<std::string_view> key,
                                std::optional<std::string_view> value, const std::string& fileName);

}  // namespace shell
