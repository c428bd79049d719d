#include "gdi/TextLayout.h"

#include <algorithm>

namespace gdi::detail {

namespace {

constexpr std::string_view kEllipsis = "...";

// Length in bytes of the UTF-8 character starting with byte c.
size_t CharLength(unsigned char c) { return c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4; }

// Byte offset where the last character of text[0..end) starts.
size_t PreviousChar(std::string_view text, size_t end) {
  size_t i = end;
  while (i > 0) {
    --i;
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) break;
  }
  return i;
}

// Removes access-key prefixes: "&&" becomes "&", "&x" becomes x and marks
// x (byte offset in the result, npos for none) to be underlined.
std::string StripPrefixes(std::string_view text, size_t* marked) {
  std::string out;
  *marked = std::string::npos;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != '&' && *marked == std::string::npos) *marked = out.size();
    } else if (text[i] == '&') {
      continue;  // a lone "&" at the end shows nothing
    }
    out += text[i];
  }
  return out;
}

struct Span {
  size_t begin;
  size_t end;
};

// Splits at CR LF, CR and LF.
std::vector<Span> Paragraphs(std::string_view text) {
  std::vector<Span> out;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      out.push_back({start, i});
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  out.push_back({start, text.size()});
  return out;
}

// Breaks one paragraph into lines no wider than `width` between words;
// the blanks at a break are dropped. A word wider than the line stays
// whole unless `breakWords`.
void BreakParagraph(const LineMeasure& m, std::string_view text, Span para, int width, bool breakWords,
                    std::vector<Span>& lines) {
  size_t pos = para.begin;
  do {
    size_t lineEnd = pos;
    size_t i = pos;
    while (true) {
      size_t wordStart = i;
      while (wordStart < para.end && text[wordStart] == ' ') ++wordStart;
      size_t wordEnd = wordStart;
      while (wordEnd < para.end && text[wordEnd] != ' ') ++wordEnd;
      if (wordEnd == wordStart) {  // only blanks left: they end the line
        lineEnd = para.end;
        break;
      }
      bool fits = m.Width(text.substr(pos, wordEnd - pos)) <= width;
      if (fits) {
        lineEnd = wordEnd;
        i = wordEnd;
        continue;
      }
      if (lineEnd == pos) {  // the first word of the line does not fit
        if (!breakWords) {
          lineEnd = wordEnd;
        } else {
          size_t cut = pos + CharLength(static_cast<unsigned char>(text[pos]));
          while (cut < wordEnd) {
            size_t next = cut + CharLength(static_cast<unsigned char>(text[cut]));
            if (m.Width(text.substr(pos, next - pos)) > width) break;
            cut = next;
          }
          lineEnd = cut;
        }
      }
      break;
    }
    lines.push_back({pos, lineEnd});
    pos = lineEnd;
    while (pos < para.end && text[pos] == ' ') ++pos;
  } while (pos < para.end);
}

}  // namespace

int LineMeasure::Width(std::string_view text) const {
  int x = 0;
  for (auto& [offset, piece] : Pieces(text)) x = offset + m_backend.TextWidth(m_font, piece);
  return x;
}

std::vector<std::pair<int, std::string_view>> LineMeasure::Pieces(std::string_view text) const {
  std::vector<std::pair<int, std::string_view>> out;
  if (m_tabWidth <= 0) {
    out.emplace_back(0, text);
    return out;
  }
  int x = 0;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\t') {
      std::string_view piece = text.substr(start, i - start);
      out.emplace_back(x, piece);
      x += m_backend.TextWidth(m_font, piece);
      if (i < text.size()) x = (x / m_tabWidth + 1) * m_tabWidth;
      start = i + 1;
    }
  }
  return out;
}

std::string EndEllipsis(const LineMeasure& measure, std::string_view text, int width) {
  if (measure.Width(text) <= width) return std::string(text);
  size_t end = text.size();
  while (end > 0) {
    end = PreviousChar(text, end);
    std::string candidate = std::string(text.substr(0, end)) + std::string(kEllipsis);
    if (measure.Width(candidate) <= width) return candidate;
  }
  return std::string(kEllipsis);
}

std::string PathEllipsis(const LineMeasure& measure, std::string_view path, int width, bool* fits) {
  auto done = [&](std::string s) {
    if (fits != nullptr) *fits = measure.Width(s) <= width;
    return s;
  };
  if (measure.Width(path) <= width) return done(std::string(path));
  size_t sep = path.find_last_of("\\/");
  if (sep == std::string_view::npos || sep == 0) return done(EndEllipsis(measure, path, width));
  std::string_view tail = path.substr(sep);  // separator and file name
  size_t end = sep;
  while (end > 0) {
    end = PreviousChar(path, end);
    std::string candidate = std::string(path.substr(0, end)) + std::string(kEllipsis) + std::string(tail);
    if (measure.Width(candidate) <= width) return done(candidate);
  }
  // Even "...\file" is too wide: shorten the file name itself.
  return done(EndEllipsis(measure, std::string(kEllipsis) + std::string(tail), width));
}

std::vector<TextLine> LayoutText(const LineMeasure& measure, std::string_view source, int width, uint32_t format) {
  size_t marked = std::string::npos;
  std::string text = (format & DT_NOPREFIX) ? std::string(source) : StripPrefixes(source, &marked);
  if (format & DT_HIDEPREFIX) marked = std::string::npos;

  std::vector<Span> spans;
  if (format & DT_SINGLELINE) {
    // Line ends do not break a single line; they show as nothing.
    std::string joined;
    size_t newMarked = std::string::npos;
    for (size_t i = 0; i < text.size(); ++i) {
      if (i == marked) newMarked = joined.size();
      if (text[i] != '\r' && text[i] != '\n') joined += text[i];
    }
    text = std::move(joined);
    marked = newMarked;
    spans.push_back({0, text.size()});
  } else {
    for (Span para : Paragraphs(text)) {
      if (format & DT_WORDBREAK)
        BreakParagraph(measure, text, para, width, (format & DT_EDITCONTROL) != 0, spans);
      else
        spans.push_back(para);
    }
  }

  std::vector<TextLine> lines;
  for (Span s : spans) {
    TextLine line;
    std::string_view view = std::string_view(text).substr(s.begin, s.end - s.begin);
    line.text = std::string(view);
    if (marked != std::string::npos && marked >= s.begin && marked < s.end) {
      size_t at = marked - s.begin;
      size_t len = CharLength(static_cast<unsigned char>(view[at]));
      line.underlineX = measure.Width(view.substr(0, at));
      line.underlineWidth = measure.Width(view.substr(0, at + len)) - line.underlineX;
    }
    if (format & DT_PATH_ELLIPSIS)
      line.text = PathEllipsis(measure, line.text, width);
    else if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))
      line.text = EndEllipsis(measure, line.text, width);
    if (line.text != view) line.underlineWidth = 0;
    line.width = measure.Width(line.text);
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace gdi::detail
