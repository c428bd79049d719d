#include "com/UserControl.h"

#include "gdi/Bitmaps.h"
#include "gdi/Twips.h"
#include "runtime/Strings.h"

namespace com {

UserControl::UserControl()
    : m_font([this] {
        m_surface.SetFont(ToSurfaceFont(m_font.Get()));
        Invalidate();
      }) {
  m_font.Set(nullptr);
  DefineProperty(
      "BackColor", [this] { return rt::Variant(static_cast<int32_t>(BackColor())); },
      [this](const rt::Variant& v) { SetBackColor(static_cast<uint32_t>(v.ToLong())); });
  DefineProperty(
      "ForeColor", [this] { return rt::Variant(static_cast<int32_t>(ForeColor())); },
      [this](const rt::Variant& v) { SetForeColor(static_cast<uint32_t>(v.ToLong())); });
  DefineReadOnly("hDC", [this] { return rt::Variant(gdi::ToInt(hDC())); });
  DefineMethod("Refresh", [this](Args&) {
    Refresh();
    return rt::Variant();
  });
}

UserControl::~UserControl() = default;

void UserControl::SetBackColor(uint32_t color) {
  m_surface.SetBackColor(color);
  Invalidate();
}

void UserControl::SetFont(StdFontPtr font) { m_font.Set(std::move(font)); }

void UserControl::SetPicture(StdPicturePtr picture) {
  m_picture = std::move(picture);
  SetSurfacePicture(m_surface, m_picture);
  Invalidate();
}

AmbientProperties UserControl::Ambient() const {
  AmbientProperties ambient;
  if (Container()) ambient = Container()->Ambient();
  ambient.DisplayName = Name();
  return ambient;
}

void UserControl::PropertyChanged(std::string_view propertyName) { NotifyPropertyChanged(propertyName); }

void UserControl::Refresh() {
  m_surface.Refresh();
  if (!m_surface.AutoRedraw()) Paint();
  Invalidate();
}

void UserControl::OnMoved() {
  const int w = std::max(1, PixelWidth());
  const int h = std::max(1, PixelHeight());
  if (w == m_lastWidth && h == m_lastHeight) return;
  m_lastWidth = w;
  m_lastHeight = h;
  m_surface.Resize(w, h);
  Resize();
}

void UserControl::OnVisibleChanged() {
  if (Visible())
    Show();
  else
    Hide();
}

void UserControl::Draw(gdi::HDC hdc, int x, int y) {
  if (!m_surface.AutoRedraw()) {
    m_surface.Refresh();
    Paint();
  }
  gdi::BitBlt(hdc, x, y, m_surface.PixelWidth(), m_surface.PixelHeight(), m_surface.ShownDC(), 0, 0, gdi::SRCCOPY);
  // Constituents are drawn in reverse z-order: the first one is on top.
  for (auto it = m_constituents.rbegin(); it != m_constituents.rend(); ++it) {
    const auto& c = *it;
    if (!c->Visible()) continue;
    c->Draw(hdc, x + gdi::TwipsToPixelsX(c->Left()), y + gdi::TwipsToPixelsY(c->Top()));
  }
}

void UserControl::AddConstituent(const ControlPtr& control, std::string name, int16_t index) {
  control->Site(*this, std::move(name), index);
  m_constituents.push_back(control);
}

ControlPtr UserControl::Constituent(std::string_view name, int16_t index) const {
  for (const auto& c : m_constituents) {
    if (c->Index() == index && rt::StrComp(c->Name(), name, rt::CompareMethod::Text) == 0) return c;
  }
  return nullptr;
}

}  // namespace com
