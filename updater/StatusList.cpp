#include "StatusList.h"

#include <algorithm>

#include "com/ControlFactory.h"
#include "forms/ControlPainter.h"
#include "gdi/Gdi.h"

namespace verscout {

StatusList::StatusList() {
  Surface().SetScaleMode(gdi::vbPixels);
  Surface().SetAutoRedraw(true);
  SetBackColor(0xFFFFFF);
  DefineMethod("AddItem", [this](com::Args& args) {
    m_lines.push_back(com::OptionalArg(args, 0).ToString());
    Repaint();
    return rt::Variant();
  });
  DefineMethod("Clear", [this](com::Args&) {
    m_lines.clear();
    m_selected = -1;
    Repaint();
    return rt::Variant();
  });
  DefineReadOnly("ListCount", [this] { return rt::Variant(static_cast<int32_t>(m_lines.size())); });
  DefineProperty(
      "ListIndex", [this] { return rt::Variant(m_selected); },
      [this](const rt::Variant& v) {
        m_selected = std::clamp<int32_t>(v.ToLong(), -1, static_cast<int32_t>(m_lines.size()) - 1);
        Repaint();
      });
  DefineProperty(
      "ForeColor", [this] { return rt::Variant(static_cast<int32_t>(ForeColor())); },
      [this](const rt::Variant& v) {
        SetForeColor(static_cast<uint32_t>(v.ToLong()));
        Repaint();
      });
}

void StatusList::RegisterWhereMissing() {
  if (!com::IsControlClassRegistered("VB.ListBox")) {
    com::RegisterControlClass("VB.ListBox", [] { return std::make_shared<StatusList>(); });
  }
}

void StatusList::ReadProperties(const com::PropertyBag& bag) {
  SetForeColor(static_cast<uint32_t>(bag.ReadProperty("ForeColor", int32_t(0x80000008)).ToLong()));
  Repaint();
}

void StatusList::Repaint() {
  gdi::DrawingSurface& s = Surface();
  s.Cls();
  const int lineHeight = std::max(1, static_cast<int>(s.TextHeight("Ag")));
  const int rows = std::max(1, (PixelHeight() - 4) / lineHeight);
  // The selected line (else the last) stays in view.
  const int last = m_selected >= 0 ? m_selected : static_cast<int>(m_lines.size()) - 1;
  const int first = std::max(0, last - rows + 1);
  for (int i = first; i < static_cast<int>(m_lines.size()) && i < first + rows; ++i) {
    s.SetCurrentX(4);
    s.SetCurrentY(2 + (i - first) * lineHeight);
    s.Print(m_lines[static_cast<size_t>(i)]);
  }
  Invalidate();
}

void StatusList::Draw(gdi::HDC hdc, int x, int y) {
  com::UserControl::Draw(hdc, x, y);
  forms::painter::DrawSunkenBorder(hdc, gdi::RECT{x, y, x + PixelWidth(), y + PixelHeight()});
}

}  // namespace verscout
