#include "html/PlainView.h"

#include <algorithm>

#include "runtime/Strings.h"

namespace kvctl2::html {

namespace {

namespace et = htmlElementType;

// Tags that start a new line, opening or closing.
bool BreaksLine(int32_t type) {
  switch (type) {
    case et::Br:
    case et::Hr:
    case et::Li:
    case et::P: case et::P + 1:
    case et::Div: case et::Div + 1:
    case et::Ul + 1:
    case et::Ol + 1:
    case et::Table + 1:
    case et::Tr + 1:
    case et::BlockQuote: case et::BlockQuote + 1:
    case et::Heading: case et::Heading + 1:
      return true;
    default:
      return false;
  }
}

// Openers whose content is not shown.
bool HidesContent(int32_t type) { return type == et::Head || type == et::Script || type == et::Style; }

class Writer {
 public:
  Writer(gdi::DrawingSurface& surface, const PlainViewStyle& style)
      : m_surface(surface), m_style(style), m_left(style.Padding), m_x(style.Padding), m_y(style.Padding),
        m_right(std::max(style.Padding + 1, surface.PixelWidth() - style.Padding)),
        m_lineHeight(static_cast<int>(surface.TextHeight("Ag"))) {}

  void NewLine() {
    if (m_x == m_left && !m_pendingBlank) {
      if (m_emptyLines++ > 0) return;  // at most one blank line between blocks
    }
    m_x = m_left;
    m_y += m_lineHeight;
    m_pendingBlank = false;
  }

  void Word(const std::string& word, bool blankBefore, HTMLElement* link) {
    const std::string shown = rt::Replace(word, "&nbsp;", " ");
    const int space = blankBefore && m_x > m_left ? static_cast<int>(m_surface.TextWidth(" ")) : 0;
    const int width = static_cast<int>(m_surface.TextWidth(shown));
    int x = m_x + space;
    if (x + width > m_right && m_x > m_left) {
      m_x = m_left;
      m_y += m_lineHeight;
      x = m_left;
    }
    m_surface.SetForeColor(link ? m_style.LinkColor : m_style.TextColor);
    m_surface.SetFontUnderline(link && m_style.UnderlineLinks);
    m_surface.SetCurrentX(x);
    m_surface.SetCurrentY(m_y);
    m_surface.Print(shown, false);
    if (link) {
      if (link->BoxLeft < 0) {
        link->BoxLeft = x;
        link->BoxTop = m_y;
        link->BoxRight = x + width;
        link->BoxBottom = m_y + m_lineHeight;
      } else {
        link->BoxLeft = std::min(link->BoxLeft, x);
        link->BoxRight = std::max(link->BoxRight, x + width);
        link->BoxBottom = m_y + m_lineHeight;
      }
    }
    m_x = x + width;
    m_emptyLines = 0;
    m_pendingBlank = false;
  }

 private:
  gdi::DrawingSurface& m_surface;
  const PlainViewStyle& m_style;
  int m_left, m_x, m_y, m_right, m_lineHeight;
  int m_emptyLines = 1;  // no blank line at the top
  bool m_pendingBlank = false;
};

}  // namespace

void DrawPlainView(gdi::DrawingSurface& surface, std::vector<HTMLElement>& elements, const PlainViewStyle& style) {
  surface.SetBackColor(style.PageColor);
  surface.Cls();
  surface.SetFontName(style.FontName);
  surface.SetFontSize(style.FontSize);
  surface.SetFontTransparent(true);
  Writer writer(surface, style);
  HTMLElement* link = nullptr;
  int hidden = 0;
  for (HTMLElement& e : elements) {
    if (e.IsTag) {
      if (HidesContent(e.ElementType)) ++hidden;
      if (HidesContent(e.ElementType - 1) && hidden > 0) --hidden;
      if (e.ElementType == et::A) {
        e.BoxTop = e.BoxLeft = e.BoxBottom = e.BoxRight = -1;
        link = &e;
      }
      if (e.ElementType == et::A + 1) link = nullptr;
      if (BreaksLine(e.ElementType)) writer.NewLine();
      continue;
    }
    if (hidden > 0) continue;
    bool first = true;
    for (const std::string& word : e.Words) {
      if (!word.empty()) writer.Word(word, !(first && e.NoBlankBefore), link);
      first = false;
    }
  }
  surface.SetFontUnderline(false);
}

}  // namespace kvctl2::html
