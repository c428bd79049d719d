// Text runs: a text element and everything after it that flows inline,
// broken into lines between a left edge and the right limit (measured
// first), then drawn word by word with the font and colour changes of the
// inline tags on the way, recording the boxes of links.
#include <algorithm>

#include "html/PagePass.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace kvctl2::html {

namespace {

namespace et = htmlElementType;

const std::string kNbsp = "&nbsp;";

bool IsBlankWord(const std::string& word) { return word.find_first_not_of(' ') == std::string::npos; }
std::string Shown(const std::string& word) {
  return word.find(kNbsp) == std::string::npos ? word : rt::Replace(word, kNbsp, " ");
}

// One line of a run: where it starts and ends (element and word), the
// pen x after its last word, and its step: the tallest font of the text on
// it (and, on a line the run continues, what stands before the run).
struct RunLine {
  int StartElement = 0;
  int StartWord = 0;
  int EndElement = 0;
  int EndWord = 0;
  Long StartX = 0;
  Long EndX = 0;
  Long Step = 0;
  // The run's first word does not fit after what stands on the line: the
  // line shows nothing of the run.
  bool Empty = false;
};

}  // namespace

bool PagePass::IsInlineTag(int32_t type) {
  return (type >= et::Strong && type <= et::U + 1) || (type >= et::Font && type <= et::A + 1) ||
         (type >= et::Big && type <= et::Small + 1) || (type >= et::Sub && type <= et::Sup + 1);
}

void PagePass::ResetDrawingFont() {
  gdi::SurfaceFont font;
  font.Name = m_settings.DefaultFontName;
  font.Size = m_settings.DefaultFontSize;
  m_page.SetFont(font);
  m_page.SetForeColor(m_settings.DefaultTextColor);
}

int PagePass::SkipScript(int index) const {
  // Up to and past the next closing SCRIPT; the end of the document without one.
  for (int i = index + 1; i < Count(); ++i) {
    if (m_doc.Elements[static_cast<size_t>(i)].ElementType == et::Script + 1) return i + 1;
  }
  return Count();
}

void PagePass::ApplyInlineTag(int index) {
  const HTMLElement& e = E(index);
  switch (e.ElementType) {
    case et::Strong:
    case et::Strong + 1:
      m_page.SetFontBold(e.ElementType == et::Strong);
      break;
    case et::Em:
    case et::Em + 1:
      m_page.SetFontItalic(e.ElementType == et::Em);
      break;
    case et::U:
    case et::U + 1:
      m_page.SetFontUnderline(e.ElementType == et::U);
      break;
    case et::Font:
      ApplyFont(e);
      rt::ResumeNext([&] { m_lineStep = LineStepOfFont(); });
      rt::ResumeNext([&] { m_indentStep = IndentStepOfFont(); });
      break;
    case et::Font + 1:
      ResetDrawingFont();
      m_fontSize = m_settings.DefaultFontSize;
      break;
    case et::A: {
      // The colour of a link that can be hovered remembers the link.
      const bool hoverable = m_settings.EnableAnchors && !e.Href.empty();
      const bool hovered = hoverable && m_settings.HoverAnchor != 0 && m_settings.HoverAnchor == e.Index;
      m_page.SetForeColor(hovered ? m_settings.LinkHoverColor : m_settings.LinkColor,
                          hoverable ? e.Index : PageDisplayList::kNoLink);
      m_linkPending = true;
      break;
    }
    case et::A + 1:
      m_page.SetFontUnderline(false);
      m_page.SetForeColor(m_settings.DefaultTextColor);
      m_linkPending = false;
      break;
    case et::Big:
    case et::Small:
      m_page.SetFontSize(e.FontSize);
      break;
    case et::Big + 1:
    case et::Small + 1:
      m_page.SetFontSize(m_fontSize);
      m_page.SetFontBold(false);
      m_lineStep = LineStepOfFont();
      m_indentStep = IndentStepOfFont();
      break;
    default:
      break;
  }
}

bool PagePass::DrawTextRun(Long leftEdge, Long spacing) {
  const int first = m_index;
  // Whatever happens, the run moves past the element it was given, so no
  // document can hold the walk on one element.
  int next = first + 1;
  Long x = m_penX;
  Long y = m_penY;
  const Long rightLimit = m_rightLimit;
  const bool rightAligned = m_rightAlign;
  const bool centred = m_centring;
  const bool afterMarker = m_afterMarker;
  m_afterMarker = false;
  const Long startRunEndX = m_runEndX;
  const double startCurrentY = m_page.CurrentY();
  m_runEndX = x;
  // The step of the line drawn last; the pen ends on that line's top.
  Long lastStep = m_lineStep;
  bool visible = false;  // any word that shows

  rt::ResumeNext([&] {
    const gdi::SurfaceFont startFont = m_page.Font();
    const uint32_t startColor = m_page.ForeColor();
    const int32_t startColorLink = m_page.ColorLink();
    const bool startLinkPending = m_linkPending;
    const Long lineIndent = E(first).OffsetX;
    // The run goes on after what already stands on the pen's line, or
    // starts a line of its own (also where the pen stands at a cell's
    // content edge, half a gap left of the text's edge).
    const bool continues = afterMarker || (x != leftEdge && x + spacing != leftEdge && x != lineIndent + leftEdge &&
                                           x + spacing != lineIndent + leftEdge);

    // Pass 1: breaking the run into lines.
    std::vector<RunLine> lines;
    auto blankWidth = [&] { return RoundLong(m_page.TextWidth(" ")); };
    int element = first;
    int word = 0;
    bool runEnded = false;
    Long fontStep = LineStepOfFont();
    while (!runEnded) {
      const Long start = lines.empty() ? x : lineIndent + leftEdge;
      RunLine line{element, word, element, word, start, start, 0};
      // What stands on the line before the run (a picture) keeps its height.
      if (lines.empty() && continues) line.Step = m_lineStep;
      // What the line's text holds so far: anything, and a blank at its end.
      bool lineEmpty = true;
      bool endsBlank = false;
      while (true) {
        const HTMLElement& e = E(element);
        if (word < static_cast<int>(e.Words.size())) {
          const std::string& w = e.Words[static_cast<size_t>(word)];
          // Only the run's first word may join the text before it; the
          // blank before any later word counts in whether it fits.
          const bool prefix = !lineEmpty && !endsBlank && !(word == 0 && e.NoBlankBefore);
          // The word as stored (an "&nbsp;" counts as its six characters),
          // after its blank.
          const Long stored = RoundLong(m_page.TextWidth(w));
          const Long width = (prefix ? blankWidth() : 0) + stored;
          // The first word of a line is always taken, however long, unless
          // the run continues a line that something else already fills.
          const bool fresh = lineEmpty && !(lines.empty() && continues);
          const bool fits = fresh || line.EndX + width + spacing < rightLimit;
          if (!fits && lines.empty() && lineEmpty && !IsBlankWord(w)) {
            line.Empty = true;
            break;
          }
          // Blanks that do not fit (the indentation of the source's next
          // line) are dropped at the line's end: they start no line of
          // their own.
          if (!fits && !IsBlankWord(w)) break;  // the line ends here
          line.EndElement = element;
          line.EndWord = word;
          if (fits) {
            if (word > 0 || prefix) {
              line.EndX += blankWidth();
              lineEmpty = false;
              endsBlank = true;
            }
            line.EndX += w.find(kNbsp) == std::string::npos ? stored : RoundLong(m_page.TextWidth(Shown(w)));
            if (!w.empty()) {
              lineEmpty = false;
              endsBlank = w.back() == ' ';
            }
            if (!IsBlankWord(w)) {
              line.Step = std::max(line.Step, fontStep);
              visible = true;
            }
          }
          if (++word < static_cast<int>(e.Words.size())) continue;
        }
        // The element is done (a run without words counts as none): inline
        // tags on the way are applied, any other tag ends the run.
        ++element;
        word = 0;
        while (element < Count() && E(element).IsTag) {
          const int32_t type = E(element).ElementType;
          if (IsInlineTag(type) || type == et::OtherTag) {
            ApplyInlineTag(element);
            if (type != et::OtherTag) fontStep = LineStepOfFont();
            line.EndElement = element;
            ++element;
          } else if (type == et::Script) {
            element = SkipScript(element);
          } else {
            break;
          }
        }
        if (element >= Count() || E(element).IsTag) {
          runEnded = true;
          break;
        }
      }
      if (endsBlank) line.EndX -= blankWidth();
      // A line without text is as tall as the font it ends in.
      if (line.Step == 0) line.Step = fontStep;
      lines.push_back(line);
    }
    next = std::max(element, first + 1);

    // Between the passes: the drawing meets the inline tags with the font
    // in force at the start of the run.
    m_linkPending = startLinkPending;
    m_page.SetFont(startFont);
    m_page.SetForeColor(startColor, startColorLink);

    // Pass 2: drawing.
    bool blankEmitted = false;
    const int32_t spacingBelow = m_settings.DefaultSpacing;
    for (size_t n = 0; n < lines.size(); ++n) {
      const RunLine& line = lines[n];
      // Aligned lines keep to the room right of where they start (the
      // indent of a list item or quote, never left of the left edge).
      const Long lineStart = std::max(leftEdge, line.StartX);
      const Long alignedStart = rightLimit - (line.EndX - lineStart) - spacing;
      const double centredStart = (rightLimit - line.EndX) / 2.0 + static_cast<double>(lineStart);
      if (n == 0 && continues) {
        // The run continues a line already partly filled: x stays; its
        // later lines start at the run's indent like those of any run.
      } else if (rightAligned) {
        x = alignedStart;
      } else if (centred) {
        x = RoundLong(centredStart);
      } else {
        x = lineIndent + leftEdge;
      }
      int cur = line.Empty ? Count() : line.StartElement;
      while (cur <= line.EndElement && cur < Count()) {
        HTMLElement& e = E(cur);
        if (e.IsTag) {
          e.BoxLeft = Store(x);
          e.BoxTop = Store(y);
          e.BoxBottom = Store(y + line.Step + spacingBelow);
          e.BoxRight = Store(x);
          e.OffsetX = Store(m_offset);
          const int32_t type = e.ElementType;
          if (type == et::Script) {
            cur = SkipScript(cur);
            continue;
          }
          if (type != et::OtherTag) ApplyInlineTag(cur);
          if (m_settings.EnableAnchors) {
            if (type == et::A) {
              m_currentLink = cur;
              m_linkRightEdge = x;
              e.BoxLeft = Store(x);
            } else if (type == et::A + 1 && m_currentLink != -1) {
              HTMLElement& link = E(m_currentLink);
              link.BoxBottom = Store(y + line.Step + spacingBelow);
              link.BoxRight = Store(m_linkRightEdge);
              m_currentLink = -1;
            }
          }
          ++cur;
          continue;
        }
        // A text element of the line: its words in the line's range.
        const int from = cur == line.StartElement ? line.StartWord : 0;
        const int to = cur == line.EndElement ? line.EndWord : static_cast<int>(e.Words.size()) - 1;
        for (int k = from; k <= to && k < static_cast<int>(e.Words.size()); ++k) {
          const std::string& w = e.Words[static_cast<size_t>(k)];
          m_page.SetCurrentX(static_cast<double>(x));
          m_page.SetCurrentY(static_cast<double>(y));
          if (x > lineIndent + leftEdge && !(k == 0 && e.NoBlankBefore) && !blankEmitted) {
            if (m_linkPending) {
              m_page.SetCurrentX(m_page.CurrentX() + m_page.TextWidth(" "));
              blankEmitted = true;
            } else if (!IsBlankWord(w)) {
              const bool atRightStart = x - 1 <= alignedStart;
              const bool atCentreStart = static_cast<double>(x - 1) <= centredStart;
              const bool atAlignedStart = (rightAligned && centred) ? atRightStart && atCentreStart
                                          : rightAligned            ? atRightStart
                                          : centred                 ? atCentreStart
                                                                    : false;
              if (!atAlignedStart) {
                m_page.Print(" ");
                blankEmitted = true;
              }
            }
          }
          if (m_linkPending && m_settings.EnableAnchors && m_currentLink != -1)
            E(m_currentLink).BoxLeft = Store(RoundLong(m_page.CurrentX()));
          if (!IsBlankWord(w)) {
            if (m_linkPending) {
              m_page.SetFontUnderline(m_settings.UnderlineLinks);
              m_linkPending = false;
            }
            m_page.Print(Shown(w));
            blankEmitted = false;
          }
          x = RoundLong(m_page.CurrentX());
          if (m_currentLink != -1) m_linkRightEdge = x;
        }
        if (cur < Count() && e.ElementType != et::CommentOpen) {
          e.BoxBottom = Store(y + 2 * line.Step + spacingBelow);
          e.BoxRight = Store(x);
        }
        ++cur;
      }
      // The element right after a line that ends with tags gets the line's end.
      if (cur > line.EndElement && cur < Count() && E(cur).ElementType != et::CommentOpen && E(cur - 1).IsTag) {
        E(cur).BoxBottom = Store(y + 2 * line.Step + spacingBelow);
        E(cur).BoxRight = Store(x);
      }
      y += line.Step;
      lastStep = line.Step;
      m_page.SetCurrentY(static_cast<double>(y));
      m_runEndX = x;
      x = lineIndent + leftEdge;
    }
  });
  // Exit: y is the top of the last line drawn, x the start of a new line;
  // the line step is that line's, so that what follows starts below it.
  m_index = next;
  // A run of blanks only (the source's line breaks between blocks) leaves
  // the pen and the line as it found them.
  if (!visible) {
    m_runEndX = startRunEndX;
    m_page.SetCurrentY(startCurrentY);
    m_afterMarker = afterMarker;
    return false;
  }
  m_lineStep = lastStep;
  m_penX = x;
  m_penY = y - m_lineStep;
  m_atLineStart = false;
  return true;
}

}  // namespace kvctl2::html
