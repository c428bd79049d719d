#include "forms/controls/EditView.h"

#include <algorithm>
#include <cstdlib>

#include "forms/ControlPainter.h"
#include "gdi/Gdi.h"

namespace forms {

void EditView::SetPasswordChar(std::string passwordChar) {
  // One character: the first of the text.
  size_t end = passwordChar.empty() ? 0 : 1;
  while (end < passwordChar.size() && (static_cast<unsigned char>(passwordChar[end]) & 0xC0) == 0x80) ++end;
  m_passwordChar = passwordChar.substr(0, end);
  Reset();
}

std::string EditView::Shown(const EditBuffer& buffer) const {
  if (m_passwordChar.empty()) return buffer.Text();
  std::string shown;
  for (size_t i = 0; i < buffer.Length(); ++i) shown += m_passwordChar;
  return shown;
}

const std::vector<int>& EditView::Offsets(const EditBuffer& buffer, const com::StdFontPtr& font) {
  if (m_offsets.size() != buffer.Length() + 1) m_offsets = painter::CharOffsets(Shown(buffer), font);
  return m_offsets;
}

void EditView::ScrollToCaret(const EditBuffer& buffer, const com::StdFontPtr& font, int width) {
  const auto& offsets = Offsets(buffer, font);
  width = std::max(1, width);
  const int caret = offsets[std::min(buffer.Caret(), offsets.size() - 1)];
  if (caret - m_scroll > width) m_scroll = caret - width;
  if (caret < m_scroll) m_scroll = std::max(0, caret - width / 3);
  if (offsets.back() - m_scroll < width) m_scroll = std::max(0, offsets.back() - width);
}

size_t EditView::PositionAt(const EditBuffer& buffer, const com::StdFontPtr& font, int x) {
  const auto& offsets = Offsets(buffer, font);
  const int tx = x + m_scroll;
  size_t best = 0;
  for (size_t i = 1; i < offsets.size(); ++i) {
    if (std::abs(offsets[i] - tx) < std::abs(offsets[best] - tx)) best = i;
  }
  return best;
}

void EditView::Draw(gdi::HDC hdc, const gdi::RECT& rect, const EditBuffer& buffer, const com::StdFontPtr& font,
                    uint32_t foreColor, bool enabled, bool focused) {
  const int saved = gdi::SaveDC(hdc);
  gdi::IntersectClipRect(hdc, rect.left, rect.top, rect.right, rect.bottom);
  const std::string shown = Shown(buffer);
  const auto& offsets = Offsets(buffer, font);
  const int lineHeight = painter::LineHeight(font);
  const int top = rect.top + std::max(0, static_cast<int>(rect.bottom - rect.top - lineHeight) / 2);
  const int left = rect.left - m_scroll;
  const uint32_t format = gdi::DT_LEFT | gdi::DT_SINGLELINE | gdi::DT_NOPREFIX | gdi::DT_NOCLIP;
  painter::DrawText(hdc, shown, gdi::RECT{left, top, left + offsets.back() + 1, top + lineHeight}, format, font,
                    enabled ? foreColor : gdi::SysColor(gdi::COLOR_GRAYTEXT));
  if (focused && buffer.SelLength() > 0) {
    // The selected characters again, in the highlight colours.
    const size_t from = buffer.SelStart();
    const size_t to = from + buffer.SelLength();
    const gdi::RECT sel{left + offsets[from], top, left + offsets[to], top + lineHeight};
    painter::DrawSelection(hdc, sel, true);
    const size_t a = m_passwordChar.empty() ? buffer.ByteOffset(from) : from * m_passwordChar.size();
    const size_t b = m_passwordChar.empty() ? buffer.ByteOffset(to) : to * m_passwordChar.size();
    painter::DrawText(hdc, std::string_view(shown).substr(a, b - a), gdi::RECT{sel.left, top, sel.right + 1, sel.bottom},
                      format, font, gdi::SysColor(gdi::COLOR_HIGHLIGHTTEXT));
  }
  if (focused) {
    const int cx = left + offsets[buffer.Caret()];
    gdi::OwnedBrush caret(gdi::CreateSolidBrush(gdi::OleTranslateColor(foreColor)));
    gdi::FillRect(hdc, gdi::RECT{cx, top, cx + 1, top + lineHeight}, caret.Get());
  }
  gdi::RestoreDC(hdc, saved);
}

}  // namespace forms
