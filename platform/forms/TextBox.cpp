#include "forms/TextBox.h"

#include <algorithm>

#include "com/ControlFactory.h"
#include "forms/Constants.h"
#include "forms/ControlPainter.h"
#include "forms/controls/ScrollBar.h"
#include "gdi/Gdi.h"
#include "runtime/Strings.h"
#include "win/Metrics.h"

namespace forms {

namespace {

com::ControlRegistration<TextBox> registration{"VB.TextBox", "TextBox"};

// The sunken border and the gap to the text, in pixels.
constexpr int kBorder = 2;
constexpr int kInset = 3;

}  // namespace

TextBox::TextBox() : StandardControl(0x80000008, 0x80000005) {
  DefineProperty(
      "Text", [this] { return rt::Variant(Text()); }, [this](const rt::Variant& v) { SetText(v.ToString()); });
  DefineProperty(
      "Locked", [this] { return rt::Variant(m_locked); }, [this](const rt::Variant& v) { SetLocked(v.ToBool()); });
  DefineReadOnly("MultiLine", [this] { return rt::Variant(m_multiLine); });
  DefineReadOnly("ScrollBars", [this] { return rt::Variant(m_scrollBars); });
}

TextBox::~TextBox() = default;

void TextBox::SetText(std::string text) {
  if (text == Text()) return;
  SetCaption(std::move(text));
  RaiseEvent("Change");
}

void TextBox::SetMultiLine(bool value) {
  m_multiLine = value;
  UpdateBar();
  Invalidate();
}

void TextBox::SetScrollBars(int16_t value) {
  m_scrollBars = value;
  UpdateBar();
  Invalidate();
}

ScrollBar* TextBox::VerticalBar() const { return HasBar() ? m_bar.get() : nullptr; }

com::AmbientProperties TextBox::Ambient() const {
  return Container() ? Container()->Ambient() : com::AmbientProperties{};
}

void TextBox::OnSited() {
  StandardControl::OnSited();
  UpdateBar();
}

void TextBox::OnEnabledChanged() { UpdateBar(); }

gdi::RECT TextBox::TextArea() const {
  const int barWidth = HasBar() ? win::GetSystemMetrics(win::SM_CXVSCROLL) : 0;
  return gdi::RECT{kInset, kInset, std::max(kInset, PixelWidth() - kInset - barWidth),
                   std::max(kInset, PixelHeight() - kInset)};
}

int TextBox::LineCount() const {
  const gdi::RECT area = TextArea();
  const int lineHeight = std::max(1, painter::MeasureText("", Font(), 0, false).cy);
  if (!m_multiLine) return 1;
  return std::max(1, painter::MeasureText(Text(), Font(), std::max(1, area.right - area.left), false).cy / lineHeight);
}

int TextBox::VisibleLines() const {
  const gdi::RECT area = TextArea();
  const int lineHeight = std::max(1, painter::MeasureText("", Font(), 0, false).cy);
  return std::max(1, (area.bottom - area.top) / lineHeight);
}

void TextBox::UpdateBar() {
  if (!HasBar()) {
    if (m_bar) m_bar->SetVisible(false);
    return;
  }
  if (!m_bar) {
    m_bar = std::make_shared<VScrollBar>();
    m_bar->SetTabStop(false);
    m_bar->SetMax(0);
    m_bar->Events().Connect("Change", [this](com::Args&) { Invalidate(); });
    m_bar->Events().Connect("Scroll", [this](com::Args&) { Invalidate(); });
  }
  if (IsSited() && (!m_bar->IsSited() || m_bar->hWnd() == win::kNoWindow)) m_bar->Site(*this, "VScroll", -1);
  const int barWidth = win::GetSystemMetrics(win::SM_CXVSCROLL);
  m_bar->SetVisible(true);
  m_bar->Move(gdi::PixelsToTwipsX(PixelWidth() - kBorder - barWidth), gdi::PixelsToTwipsY(kBorder),
              gdi::PixelsToTwipsX(barWidth), gdi::PixelsToTwipsY(std::max(0, PixelHeight() - 2 * kBorder)));
  const int visible = VisibleLines();
  const int hidden = std::max(0, LineCount() - visible);
  m_bar->SetMax(static_cast<int16_t>(std::min(hidden, 32767)));
  m_bar->SetLargeChange(static_cast<int16_t>(std::clamp(visible, 1, 32767)));
  m_bar->SetEnabled(Enabled() && hidden > 0);
}

void TextBox::KeyPress(int16_t& keyAscii) {
  StandardControl::KeyPress(keyAscii);
  if (m_locked || keyAscii == 0) return;
  if (keyAscii == vbKeyBack) {
    if (!Text().empty()) SetText(rt::Left(Text(), rt::Len(Text()) - 1));
  } else if (m_multiLine && keyAscii == vbKeyReturn) {
    SetText(Text() + "\r\n");
  } else if (m_multiLine && keyAscii == 10) {
    SetText(Text() + "\n");
  } else if (keyAscii >= 32 && keyAscii < 256) {
    SetText(Text() + rt::Chr(static_cast<uint8_t>(keyAscii)));
  }
}

void TextBox::ReadProperties(const com::PropertyBag& bag) {
  m_locked = bag.ReadProperty("Locked", false).ToBool();
  m_multiLine = bag.ReadProperty("MultiLine", false).ToBool();
  m_scrollBars = bag.ReadProperty("ScrollBars", int16_t{0}).ToInteger();
  StandardControl::ReadProperties(bag);
  SetCaption(bag.ReadProperty("Text", Text()).ToString());
  UpdateBar();
}

void TextBox::WriteProperties(com::PropertyBag& bag) {
  StandardControl::WriteProperties(bag);
  bag.Remove("Caption");
  bag.WriteProperty("Text", Text(), "");
  bag.WriteProperty("Locked", m_locked, false);
  bag.WriteProperty("MultiLine", m_multiLine, false);
  bag.WriteProperty("ScrollBars", m_scrollBars, int16_t{0});
}

void TextBox::Draw(gdi::HDC hdc, int x, int y) {
  const gdi::RECT rect{x, y, x + PixelWidth(), y + PixelHeight()};
  gdi::OwnedBrush brush(gdi::CreateSolidBrush(gdi::OleTranslateColor(BackColor())));
  gdi::FillRect(hdc, rect, brush.Get());
  painter::DrawSunkenBorder(hdc, rect);
  gdi::RECT text = TextArea();
  gdi::OffsetRect(&text, x, y);
  const uint32_t format = gdi::DT_NOPREFIX | (m_multiLine ? gdi::DT_WORDBREAK : gdi::DT_SINGLELINE | gdi::DT_VCENTER);
  if (HasBar() && m_bar) {
    // The text from the bar's first line on, cut to the area.
    const int saved = gdi::SaveDC(hdc);
    gdi::IntersectClipRect(hdc, text.left, text.top, text.right, text.bottom);
    gdi::RECT scrolled = text;
    const int lineHeight = painter::MeasureText("", Font(), 0, false).cy;
    scrolled.top -= m_bar->Value() * lineHeight;
    scrolled.bottom = std::max(scrolled.bottom, scrolled.top + LineCount() * lineHeight);
    painter::DrawText(hdc, Text(), scrolled, format, Font(), ForeColor(), Enabled());
    gdi::RestoreDC(hdc, saved);
    if (m_bar->Visible()) {
      m_bar->Draw(hdc, x + gdi::TwipsToPixelsX(m_bar->Left()), y + gdi::TwipsToPixelsY(m_bar->Top()));
    }
    return;
  }
  painter::DrawText(hdc, Text(), text, format, Font(), ForeColor(), Enabled());
}

}  // namespace forms
