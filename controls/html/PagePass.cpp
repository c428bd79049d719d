#include "html/PagePass.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace kvctl2::html {

namespace {

namespace et = htmlElementType;

constexpr int32_t errOverflow = 6;
// The list bullet: character 149 of the Windows ANSI code page.
const std::string kBullet = rt::Chr(149) + "  ";

}  // namespace

int32_t Store(Long value) {
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
    rt::Raise(errOverflow);
  return static_cast<int32_t>(value);
}

Long RoundLong(double value) {
  const double r = std::nearbyint(value);  // the default rounding: to nearest, halves to even
  if (!(r >= std::numeric_limits<int32_t>::min() && r <= std::numeric_limits<int32_t>::max())) rt::Raise(errOverflow);
  return static_cast<Long>(r);
}

void RenderPage(Document& doc, std::vector<com::StdPicturePtr>& pictures, PageCanvas& page,
                const PageSettings& settings, PageHost& host, PageSize& size) {
  PagePass pass(doc, pictures, page, settings, host, size);
  // A failure ends the pass without a message; what was reached stays.
  rt::ResumeNext([&pass] { pass.Run(); });
}

PagePass::PagePass(Document& doc, std::vector<com::StdPicturePtr>& pictures, PageCanvas& page,
                   const PageSettings& settings, PageHost& host, PageSize& size)
    : m_draw(page.Drawing()),
      m_doc(doc),
      m_pictures(pictures),
      m_page(page),
      m_settings(settings),
      m_host(host),
      m_size(size) {}

Long PagePass::LineStepOfFont() { return RoundLong(m_page.TextHeight()) + m_settings.DefaultSpacing; }
Long PagePass::IndentStepOfFont() { return RoundLong(2 * m_page.TextWidth("W")); }

void PagePass::StartPass() {
  m_page.Cls();
  m_page.SetBackColor(m_doc.PageColor);
  if (PageDisplayList* record = m_page.Record()) {
    PageBackground& background = record->Background;
    background.Color = m_doc.PageColor;
    background.Picture = m_settings.PagePicture;
    background.Gradient = m_settings.Gradient;
    background.GradientAngle = m_settings.GradientAngle;
    background.GradientColor1 = m_settings.BackColor;
    background.GradientColor2 = m_settings.BackColor2;
  }
  if (!m_draw) m_size.Width = m_settings.ViewportWidth;
  m_size.Height = m_settings.ViewportHeight;
  ResetDrawingFont();
  m_fontSize = m_settings.DefaultFontSize;
  m_lineStep = LineStepOfFont();
  m_indentStep = IndentStepOfFont();
  m_leftMargin = m_settings.DefaultPadding;
  m_rightLimit = RoundLong(m_page.ScaleWidth() - m_settings.DefaultPadding - 5);
  m_penX = m_leftMargin;
  m_penY = m_settings.DefaultPadding;
  if (!m_doc.BackgroundSource.empty()) DrawBackgroundTiles();
}

void PagePass::Run() {
  StartPass();
  // Everything before BODY (HEAD, TITLE) is neither laid out nor drawn.
  m_index = 1;
  while (m_index < Count() && E(m_index).ElementType != et::Body) ++m_index;
  while (m_index < Count()) {
    HTMLElement& e = E(m_index);
    e.BoxTop = Store(m_penY);
    e.OffsetX = 0;
    e.BoxLeft = Store(m_penX);
    if (e.ElementType != et::Td) e.AlignCenter = e.AlignCenter || m_centring;
    if (!e.IsTag) {
      if (m_skipText) {
        ++m_index;
      } else {
        e.OffsetX = Store(m_offset);
        const bool shown = DrawTextRun(TextLeftEdge(), m_tables.empty() ? Long{m_settings.DefaultSpacing}
                                                                        : Half(m_tables.back().CellGap));
        if (shown) m_runEnded = true;
      }
    } else {
      const int32_t type = e.ElementType;
      // A tag that leaves the pen alone (a comment, THEAD, FORM, a stray
      // cell, ...) after a text run: the next run goes on after that text
      // instead of at the start of its line.
      const bool afterMarker = m_afterMarker;
      m_afterMarker = false;
      if (Element(type)) {
        m_runEnded = false;
      } else {
        m_afterMarker = afterMarker;
        if (m_runEnded) m_penX = m_runEndX;
      }
      if (type != et::CommentOpen) {
        HTMLElement& tag = E(m_index);
        tag.BoxBottom = Store(m_penY + m_lineStep + m_settings.DefaultSpacing);
        tag.BoxRight = Store(m_linkRightEdge);
      }
      ++m_index;
    }
    GrowPageHeight();
  }
}

Long PagePass::TextLeftEdge() const {
  return m_tables.empty() ? m_leftMargin : m_leftMargin + Half(m_tables.back().CellGap);
}

bool PagePass::LineTaken() const { return m_runEnded || m_penX > m_leftMargin + m_indent; }

void PagePass::GrowPageHeight() {
  if (m_penY > Long{m_size.Height} - 10) m_size.Height = Store(m_penY + m_lineStep);
}

void PagePass::ApplyFont(const HTMLElement& e) {
  // Each setting is tried on its own; a failing one is skipped.
  rt::ResumeNext([&] { m_page.SetFontName(e.FontFace); });
  rt::ResumeNext([&] { m_page.SetFontSize(e.FontSize); });
  rt::ResumeNext([&] { m_page.SetForeColor(static_cast<uint32_t>(e.Color)); });
  m_fontSize = e.FontSize;
}

void PagePass::NewLine() {
  m_penY += m_lineStep;
  m_lineStep = LineStepOfFont();
}

bool PagePass::Element(int32_t type) {
  HTMLElement& e = E(m_index);
  switch (type) {
    case et::Strong:
    case et::Strong + 1:
      m_page.SetFontBold(type == et::Strong);
      return false;
    case et::Em:
    case et::Em + 1:
      m_page.SetFontItalic(type == et::Em);
      return false;
    case et::U:
    case et::U + 1:
      m_page.SetFontUnderline(type == et::U);
      return false;
    case et::P:
    case et::Div:
      m_penX = m_leftMargin + m_indent;
      NewLine();
      m_offset = m_penX - m_leftMargin;
      e.OffsetX = Store(m_offset);
      m_rightAlign = e.AlignRight;
      m_centring = e.AlignCenter;
      // Restores the limit that the end of a top-level table left at the full width.
      if (m_page.ScaleWidth() == static_cast<double>(m_rightLimit))
        m_rightLimit = RoundLong(m_page.ScaleWidth() - m_settings.DefaultPadding - 3);
      break;
    case et::P + 1:
    case et::Div + 1:
      ParagraphEnd();
      break;
    case et::Br:
      m_penX = m_leftMargin + m_indent;
      NewLine();
      m_offset = m_indent;
      e.OffsetX = Store(m_offset);
      m_atLineStart = true;
      break;
    case et::Hr:
      // A rule after text on the line starts below that line.
      if (LineTaken()) NewLine();
      m_penX = m_leftMargin;
      e.BoxTop = Store(m_penY);
      m_page.Line(m_leftMargin, m_penY, m_rightLimit - m_settings.DefaultPadding, m_penY, 0);
      m_penY += m_settings.DefaultSpacing + 1;
      break;
    case et::Ul:
    case et::Ol:
      return ListOpen(type == et::Ol);
    case et::Ul + 1:
    case et::Ol + 1:
      return ListClose();
    case et::Li:
      ListItem();
      break;
    case et::Table:
      TableOpen();
      break;
    case et::Table + 1:
      return TableClose();
    case et::Tr:
      return RowOpen();
    case et::Tr + 1:
      return RowClose();
    case et::Td:
      return CellOpen();
    case et::Td + 1:
      return CellClose();
    case et::Font:
      ApplyFont(e);
      return false;
    case et::Font + 1:
      ResetDrawingFont();
      m_fontSize = m_settings.DefaultFontSize;
      m_lineStep = LineStepOfFont();
      m_indentStep = IndentStepOfFont();
      return false;
    case et::A:
      LinkOpen();
      return false;
    case et::A + 1:
      LinkClose();
      return false;
    case et::Img:
      Image();
      break;
    case et::BlockQuote:
      m_penY += m_lineStep;
      if (!m_atLineStart) NewLine();
      m_indent += m_indentStep;
      m_penX = m_leftMargin + m_indent;
      m_offset = m_indent;
      e.OffsetX = Store(m_offset);
      break;
    case et::BlockQuote + 1:
      // A closing quote without its opener never takes the text left of
      // the page's margin.
      NewLine();
      m_indent = std::max<Long>(0, m_indent - m_indentStep);
      m_penX = m_leftMargin + m_indent;
      m_offset = m_indent;
      e.OffsetX = Store(m_offset);
      break;
    case et::Heading:
    {
      // After text or a picture on the line the heading starts below all of it.
      const bool below = LineTaken();
      const Long lineStep = m_lineStep;
      m_penX = m_leftMargin + m_indent;
      m_page.SetFontSize(e.FontSize);
      m_page.SetFontBold(true);
      m_lineStep = LineStepOfFont();
      m_indentStep = IndentStepOfFont();
      if (below) {
        m_lineStep = std::max(m_lineStep, lineStep);
        NewLine();
      } else if (m_page.CurrentY() > m_settings.DefaultPadding && !m_inTable) {
        NewLine();
      }
      break;
    }
    case et::Heading + 1:
    case et::Big + 1:
    case et::Small + 1:
      m_penX = m_leftMargin + m_indent;
      NewLine();
      m_page.SetFontSize(m_fontSize);
      m_page.SetFontBold(false);
      m_lineStep = LineStepOfFont();
      m_indentStep = IndentStepOfFont();
      break;
    case et::Big:
    case et::Small:
      m_page.SetFontSize(e.FontSize);
      return false;
    case et::Center:
    case et::Center + 1:
      m_centring = type == et::Center;
      return false;
    case et::Script:
    case et::Style:
      m_skipText = true;
      return false;
    case et::Form + 1:
    case et::Script + 1:
    case et::Style + 1:
      m_skipText = false;
      return false;
    default:
      return false;  // other tags only get their box
  }
  return true;
}

void PagePass::ParagraphEnd() {
  m_rightAlign = false;
  m_centring = false;
  // The alignment of the nearest DIV, else cell, else CENTER around the
  // element that ends here (a closer is recorded inside its opener, which
  // itself does not count).
  const int parent = GetParentElement(m_doc.Elements, m_index);
  const int scope = parent >= 0 && IsMatchedCloser(m_doc.Elements, m_index) ? parent : m_index;
  int from = m_doc.FindAncestor(scope, et::Div);
  if (from < 0) from = m_doc.FindAncestor(scope, et::Td);
  if (from >= 0) {
    m_rightAlign = E(from).AlignRight;
    m_centring = E(from).AlignCenter;
  } else if (m_doc.FindAncestor(scope, et::Center) >= 0) {
    m_centring = true;
  }
  m_penX = m_leftMargin + m_indent;
  m_offset = m_indent;
  E(m_index).OffsetX = Store(m_offset);
  ToggleLineStart();
}

bool PagePass::ListOpen(bool numbered) {
  m_lists.push_back(ListLevel{numbered, 0});
  m_indent += m_indentStep;
  m_offset = m_indent + m_indentStep;
  E(m_index).OffsetX = Store(m_offset);
  return m_lists.size() == 1 && ToggleLineStart();
}

bool PagePass::ListClose() {
  if (m_lists.empty()) return false;  // a closing list tag outside any list is ignored
  m_lists.pop_back();
  m_indent = std::max<Long>(0, m_indent - m_indentStep);
  m_offset = m_indent;
  E(m_index).OffsetX = Store(m_offset);
  return m_lists.empty() && ToggleLineStart();
}

bool PagePass::ToggleLineStart() {
  if (m_atLineStart) {
    m_atLineStart = false;  // so that the next block end moves down again
    return false;
  }
  NewLine();
  m_atLineStart = true;
  return true;
}

void PagePass::ListItem() {
  HTMLElement& e = E(m_index);
  m_penX = m_leftMargin + m_indent;
  NewLine();
  e.BoxTop = Store(m_penY);
  e.OffsetX = Store(m_indent);
  const bool numbered = !m_lists.empty() && m_lists.back().Numbered;
  if (numbered) {
    ListLevel& level = m_lists.back();
    if (level.Counter == std::numeric_limits<int16_t>::max()) rt::Raise(errOverflow);
    ++level.Counter;
    e.Numbered = true;
    e.ItemNumber = level.Counter;
  }
  m_page.SetCurrentY(static_cast<double>(m_penY));
  m_page.SetCurrentX(static_cast<double>(m_leftMargin + e.OffsetX));
  if (numbered) {
    // A number wider than "W" moves the text on: they never touch.
    const std::string marker = std::to_string(e.ItemNumber) + ". ";
    m_page.Print(marker);
    m_penX += RoundLong(std::max(m_page.TextWidth("W. "), m_page.TextWidth(marker)));
  } else {
    m_page.Print(kBullet);
    m_penX += RoundLong(m_page.TextWidth(kBullet));
  }
  // Continuation lines of the item line up with its first line's text,
  // which goes on after the marker.
  m_offset = m_penX - TextLeftEdge();
  m_afterMarker = true;
}

void PagePass::LinkOpen() {
  if (!m_settings.EnableAnchors) return;
  const HTMLElement& e = E(m_index);
  if (!e.Href.empty()) {
    const bool hovered = m_settings.HoverAnchor != 0 && m_settings.HoverAnchor == e.Index;
    m_page.SetForeColor(hovered ? m_settings.LinkHoverColor : m_settings.LinkColor, e.Index);
    m_linkPending = true;
  }
  m_currentLink = m_index;
  m_linkRightEdge = m_penX;
}

void PagePass::LinkClose() {
  if (!m_settings.EnableAnchors) return;
  m_page.SetFontUnderline(false);
  m_linkPending = false;
  m_page.SetForeColor(m_settings.DefaultTextColor);
  if (m_currentLink >= 0) {
    HTMLElement& link = E(m_currentLink);
    link.BoxBottom = Store(m_penY - m_settings.DefaultSpacing + m_lineStep);
    link.BoxRight = Store(m_linkRightEdge);
    m_currentLink = -1;
  }
}

void PagePass::LoadPicture(int index) {
  HTMLElement& e = E(index);
  if (e.PictureSlot == 0) {
    // Slot 0 is never used: the first picture gets slot 1.
    const size_t slot = std::max<size_t>(m_pictures.size(), 1);
    m_pictures.resize(slot + 1);
    e.PictureSlot = static_cast<int32_t>(slot);
    const uint32_t generation = m_doc.Generation;
    std::string source = e.Src;
    // The host's handler gets its own picture and source: nothing of the
    // pass is held by reference while it runs.
    com::StdPicturePtr loaded;
    m_host.LoadImage(source, loaded);
    // The control defers whatever the handler asks that would change the
    // document under the pass; should it change all the same, the pass ends.
    if (m_doc.Generation != generation || slot >= m_pictures.size()) rt::Raise(rt::errInvalidProcedureCall);
    m_pictures[slot] = loaded;
    HTMLElement& img = E(index);
    img.Src = source;
    const com::StdPicturePtr& picture = loaded;
    if (!picture || picture->IsEmpty()) {
      img.Border = 1;
    } else {
      if (img.ImageWidth == 0)
        img.ImageWidth = Store(RoundLong(m_page.ScaleX(picture->Width(), gdi::vbHimetric, gdi::vbPixels)));
      if (img.ImageHeight == 0)
        img.ImageHeight = Store(RoundLong(m_page.ScaleY(picture->Height(), gdi::vbHimetric, gdi::vbPixels)));
    }
  }
}

void PagePass::Image() {
  LoadPicture(m_index);
  HTMLElement& img = E(m_index);
  // After text on its line, a picture starts a line of its own; in a cell
  // that is text of this cell, not of the one before.
  if (m_penY > m_settings.DefaultPadding && (m_inTable ? LineTaken() : !m_atLineStart)) {
    NewLine();
    img.BoxTop = Store(m_penY);
  }
  if (m_centring || img.AlignCenter) {
    img.AlignCenter = true;
    m_penX = std::max(m_leftMargin, Half(m_rightLimit - m_leftMargin - img.ImageWidth) + m_leftMargin);
  }
  m_penX += img.HSpace;
  if (img.Border > 0) {
    Draw3DBorder(true, m_penX, m_penY + img.VSpace, m_penX + img.ImageWidth + img.Border,
                 m_penY + img.VSpace + img.ImageHeight + img.Border);
    m_penX += img.Border;
  }
  const size_t slot = static_cast<size_t>(img.PictureSlot);
  if (slot < m_pictures.size())
    m_page.PaintPicture(m_pictures[slot], m_penX, m_penY + img.VSpace, img.ImageWidth, img.ImageHeight);
  m_penX += Long{img.ImageWidth} + img.Border + img.HSpace;
  const Long tall = Long{img.ImageHeight} + 2 * Long{img.Border} + 2 * Long{img.VSpace};
  // The page's current point follows the picture as it follows printed
  // text: a heading or table after it starts below it.
  m_page.SetCurrentX(static_cast<double>(m_penX));
  if (m_page.CurrentY() < static_cast<double>(m_penY + tall)) m_page.SetCurrentY(static_cast<double>(m_penY + tall));
  if (m_lineStep < tall) m_lineStep = tall;
  m_linkRightEdge = m_penX;
  if (!m_draw && m_settings.EnableScroll)
    m_size.Width = Store(std::max<Long>(m_size.Width, m_penX + m_settings.DefaultPadding));
}

}  // namespace kvctl2::html
