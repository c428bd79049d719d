#include "shell/Profile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "runtime/Strings.h"

namespace shell {
namespace {

// The file's lines as UTF-8, without their line ends; empty when the file
// cannot be read.
std::vector<std::string> ReadLines(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  std::vector<std::string> lines;
  if (!in) return lines;
  std::stringstream buffer;
  buffer << in.rdbuf();
  const std::string text = rt::FromAnsi(buffer.str());
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return lines;
}

bool SameName(std::string_view a, std::string_view b) {
  return rt::StrComp(rt::Trim(a), rt::Trim(b), rt::CompareMethod::Text) == 0;
}

// The section name of a "[name]" line.
std::optional<std::string> SectionOf(const std::string& line) {
  const std::string trimmed = rt::Trim(line);
  if (trimmed.size() < 2 || trimmed.front() != '[') return std::nullopt;
  const size_t close = trimmed.find(']');
  if (close == std::string::npos) return std::nullopt;
  return trimmed.substr(1, close - 1);
}

// The key of a "key=value" line (not a comment).
std::optional<std::string> KeyOf(const std::string& line) {
  const std::string trimmed = rt::Trim(line);
  if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
  const size_t eq = trimmed.find('=');
  if (eq == std::string::npos) return std::nullopt;
  return rt::Trim(trimmed.substr(0, eq));
}

// Lines [begin, end) of the body of a section; begin is the header line.
struct SectionRange {
  size_t header = 0;
  size_t end = 0;
};

std::optional<SectionRange> FindSection(const std::vector<std::string>& lines, std::string_view section) {
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionOf(lines[i]);
    if (!name || !SameName(*name, section)) continue;
    size_t end = i + 1;
    while (end < lines.size() && !SectionOf(lines[end])) ++end;
    return SectionRange{i, end};
  }
  return std::nullopt;
}

std::optional<size_t> FindKey(const std::vector<std::string>& lines, const SectionRange& range, std::string_view key) {
  for (size_t i = range.header + 1; i < range.end; ++i) {
    const auto name = KeyOf(lines[i]);
    if (name && SameName(*name, key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> ReadValue(std::string_view section, std::string_view key, const std::string& fileName) {
  const auto lines = ReadLines(fileName);
  const auto range = FindSection(lines, section);
  if (!range) return std::nullopt;
  const auto at = FindKey(lines, *range, key);
  if (!at) return std::nullopt;
  const std::string& line = lines[*at];
  std::string value = rt::Trim(line.substr(line.find('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

bool WriteLinesAtomically(const std::vector<std::string>& lines, const std::string& fileName) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  const std::string ansi = rt::ToAnsi(text);
  const size_t slash = fileName.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : fileName.substr(0, slash == 0 ? 1 : slash);
  std::string temp = folder + "/.profile-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  size_t written = 0;
  while (written < ansi.size()) {
    const ssize_t n = ::write(fd, ansi.data() + written, ansi.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    written += static_cast<size_t>(n);
  }
  const bool ok = written == ansi.size() && ::fchmod(fd, 0644) == 0 && ::fsync(fd) == 0;
  ::close(fd);
  if (!ok || std::rename(temp.c_str(), fileName.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace

uint32_t GetPrivateProfileStringA(std::string_view section, std::string_view key, std::string_view defaultValue,
                                  std::string& returned, uint32_t size, const std::string& fileName) {
  const auto value = ReadValue(section, key, fileName);
  returned = value ? *value : rt::RTrim(defaultValue);
  const size_t limit = size == 0 ? 0 : size - 1;
  if (rt::Len(returned) > limit) returned = rt::Left(returned, limit);
  return static_cast<uint32_t>(rt::Len(returned));
}

int32_t GetPrivateProfileIntA(std::string_view section, std::string_view key, int32_t defaultValue,
                              const std::string& fileName) {
  const auto value = ReadValue(section, key, fileName);
  if (!value) return defaultValue;
  return static_cast<int32_t>(std::strtol(value->c_str(), nullptr, 10));
}

bool WritePrivateProfileStringA(std::string_view section, std::optional<std::string_view> key,
                                std::optional<std::string_view> value, const std::string& fileName) {
  auto lines = ReadLines(fileName);
  const auto range = FindSection(lines, section);
  if (!key) {
    if (range) lines.erase(lines.begin() + static_cast<long>(range->header), lines.begin() + static_cast<long>(range->end));
    return WriteLinesAtomically(lines, fileName);
  }
  const std::string entry = std::string(*key) + "=" + std::string(value.value_or(""));
  if (!range) {
    if (!value) return WriteLinesAtomically(lines, fileName);
    if (!lines.empty() && !rt::Trim(lines.back()).empty()) lines.emplace_back();
    lines.push_back("[" + std::string(section) + "]");
    lines.push_back(entry);
    return WriteLinesAtomically(lines, fileName);
  }
  if (const auto at = FindKey(lines, *range, *key)) {
    if (value) {
      lines[*at] = entry;
    } else {
      lines.erase(lines.begin() + static_cast<long>(*at));
    }
  } else if (value) {
    // After the section's last non-blank line, so a blank line that
    // separates it from the next section stays where it is.
    size_t insertAt = range->end;
    while (insertAt > range->header + 1 && rt::Trim(lines[insertAt - 1]).empty()) --insertAt;
    lines.insert(lines.begin() + static_cast<long>(insertAt), entry);
  }
  return WriteLinesAtomically(lines, fileName);
}

}  // namespace shell
