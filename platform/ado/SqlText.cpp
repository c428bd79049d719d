#include "ado/SqlText.h"

#include <cctype>

namespace ado {

namespace {

bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; }

// When a quoted part or comment starts at `i`, the position after it (the
// text's end when it is not closed); otherwise `i`.
size_t SkipQuoted(std::string_view s, size_t i) {
  const size_t n = s.size();
  char c = s[i];
  if (c == '-' && i + 1 < n && s[i + 1] == '-') {
    size_t e = s.find('\n', i);
    return e == std::string_view::npos ? n : e + 1;
  }
  if (c == '/' && i + 1 < n && s[i + 1] == '*') {
    // Block comments nest on this server.
    int depth = 0;
    size_t j = i;
    while (j + 1 < n) {
      if (s[j] == '/' && s[j + 1] == '*') { ++depth; j += 2; }
      else if (s[j] == '*' && s[j + 1] == '/') { j += 2; if (--depth == 0) return j; }
      else ++j;
    }
    return n;
  }
  if (c == '\'' || c == '"') {
    // Backslash escapes only in E'...' strings.
    bool escapes = c == '\'' && i > 0 && (s[i - 1] == 'E' || s[i - 1] == 'e') && (i < 2 || !IsIdentChar(s[i - 2]));
    size_t j = i + 1;
    while (j < n) {
      if (escapes && s[j] == '\\') { j += 2; continue; }
      if (s[j] == c) {
        if (j + 1 < n && s[j + 1] == c) { j += 2; continue; }  // doubled quote
        return j + 1;
      }
      ++j;
    }
    return n;
  }
  if (c == '$' && (i == 0 || !IsIdentChar(s[i - 1]))) {
    size_t j = i + 1;
    if (j < n && std::isdigit(static_cast<unsigned char>(s[j]))) return i;  // $1: a parameter
    while (j < n && IsIdentChar(s[j]) && s[j] != '$') ++j;
    if (j >= n || s[j] != '$') return i;
    std::string_view tag = s.substr(i, j - i + 1);
    size_t close = s.find(tag, j + 1);
    return close == std::string_view::npos ? n : close + tag.size();
  }
  return i;
}

// Calls `onCode(i)` for each character outside quoted parts and comments.
template <class F>
void ForEachCodeChar(std::string_view s, F&& onCode) {
  size_t i = 0;
  while (i < s.size()) {
    size_t after = SkipQuoted(s, i);
    if (after != i) { i = after; continue; }
    onCode(i);
    ++i;
  }
}

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

}  // namespace

std::vector<StatementSpan> SplitStatements(std::string_view sql) {
  std::vector<StatementSpan> spans;
  size_t begin = 0;
  ForEachCodeChar(sql, [&](size_t i) {
    if (sql[i] == ';') {
      spans.push_back({begin, i + 1});
      begin = i + 1;
    }
  });
  if (begin < sql.size()) spans.push_back({begin, sql.size()});
  return spans;
}

std::optional<std::string> UseTarget(std::string_view st) {
  // Skip blanks and comments in front.
  size_t i = 0;
  for (;;) {
    while (i < st.size() && IsBlank(st[i])) ++i;
    if (i < st.size() && (st[i] == '-' || st[i] == '/')) {
      size_t after = SkipQuoted(st, i);
      if (after != i) { i = after; continue; }
    }
    break;
  }
  if (st.size() - i < 4) return std::nullopt;
  auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
  if (lower(st[i]) != 'u' || lower(st[i + 1]) != 's' || lower(st[i + 2]) != 'e' || !IsBlank(st[i + 3])) {
    return std::nullopt;
  }
  i += 3;
  while (i < st.size() && IsBlank(st[i])) ++i;
  std::string name;
  if (i < st.size() && (st[i] == '[' || st[i] == '"')) {
    char close = st[i] == '[' ? ']' : '"';
    size_t e = st.find(close, i + 1);
    if (e == std::string_view::npos) return std::nullopt;
    name = std::string(st.substr(i + 1, e - i - 1));
    i = e + 1;
  } else {
    size_t b = i;
    while (i < st.size() && IsIdentChar(st[i])) ++i;
    name = std::string(st.substr(b, i - b));
  }
  while (i < st.size() && (IsBlank(st[i]) || st[i] == ';')) ++i;
  if (name.empty() || i != st.size()) return std::nullopt;
  return name;
}

std::string NumberPlaceholders(std::string_view sql, size_t& count) {
  count = 0;
  std::string out;
  size_t copied = 0;
  ForEachCodeChar(sql, [&](size_t i) {
    if (sql[i] != '?') return;
    out.append(sql.substr(copied, i - copied));
    out += '$' + std::to_string(++count);
    copied = i + 1;
  });
  out.append(sql.substr(copied));
  return out;
}

}  // namespace ado
