#include "display/KVXLineHover.h"

#include <cmath>

#include "com/ControlFactory.h"
#include "display/HandCursor.h"
#include "gdi/Gdi.h"
#include "runtime/Strings.h"
#include "win/Messages.h"

namespace kvctl2 {

namespace {

com::ControlRegistration<KVXLineHover> registration{"Kvctl2.KVXLineHover", "KVXLineHover"};

constexpr int kIconSize = 16;
constexpr int kTextLeftWithIcon = 20;
constexpr int32_t kIconRoom = 300;  // twips the icon takes from the caption

}  // namespace

KVXLineHover::KVXLineHover() : mSubClass(std::make_unique<clsSubClass>()) {
  Surface().SetScaleMode(gdi::vbPixels);
  Surface().SetAutoRedraw(true);
  SetMouseIcon(HandCursorPicture(), kHandHotSpot);
  SetMousePointer(com::vbCustom);
  mSubClass->NewMessage = [this](int32_t h, int32_t& m, win::WPARAM& w, win::LPARAM& l, bool& c) {
    NewMessage(h, m, w, l, c);
  };
  DeclareEvents({"MouseDown", "MouseMove", "MouseUp", "Click", "DblClick", "KeyDown", "KeyPress", "KeyUp", "MouseOut"});
  DefineMembers();
}

KVXLineHover::~KVXLineHover() = default;

void KVXLineHover::DefineMembers() {
  auto color = [](uint32_t c) { return rt::Variant(ColorValue(c)); };
  auto storeColor = [this](uint32_t KVXLineHover::*field, const char* name) {
    return [this, field, name](const rt::Variant& v) {
      this->*field = static_cast<uint32_t>(v.ToLong());
      PropertyChanged(name);
    };
  };
  DefineMethod(
      "CompactString",
      [this](com::Args& args) { return rt::Variant(CompactString(com::RequiredArg(args, 0).ToString())); },
      MethodId(0x11));
  DefineWindowHandle(PropertyId(0x0A));
  DefineProperty(
      "Enabled", [this] { return rt::Variant(Enabled()); },
      [this](const rt::Variant& v) { SetLinkEnabled(v.ToBool()); }, PropertyId(0x09));
  DefineAction(
      "Refresh", [this] { Refresh(); }, MethodId(0x1A));
  DefineObject<com::StdPicture>(
      "Icon", [this] { return m_icon; }, [this](com::StdPicturePtr p) { SetIcon(std::move(p)); }, PropertyId(0x08));
  DefineProperty(
      "Caption", [this] { return rt::Variant(m_caption); }, [this](const rt::Variant& v) { SetCaption(v.ToString()); },
      PropertyId(0x07));
  DefineProperty(
      "HoverStyle", [this] { return rt::Variant(m_hoverStyle); },
      [this](const rt::Variant& v) { SetHoverStyle(v.ToLong()); }, PropertyId(0x06));
  DefineColor(
      "BackColor", [this] { return BackColor(); }, [this](uint32_t c) { SetBackColorProperty(c); }, PropertyId(0x05));
  DefineColor(
      "ForeColor", [this] { return m_foreColor; },
      [this](uint32_t c) {
        m_foreColor = c;
        PropertyChanged("ForeColor");
        PaintLink(false);
      },
      PropertyId(0x04));
  DefineObject<com::StdFont>(
      "Font", [this] { return Font(); },
      [this](com::StdFontPtr font) {
        PropertyChanged("Font");
        SetFont(std::move(font));
        if (m_autoWidth) AdjustWidth();
        PaintLink(false);
      },
      -512);
  DefineProperty(
      "ForeColorHover", [this, color] { return color(m_foreColorHover); },
      storeColor(&KVXLineHover::m_foreColorHover, "ForeColorHover"), PropertyId(0x03));
  DefineProperty(
      "AutoBackColor", [this] { return rt::Variant(m_autoBackColor); },
      [this](const rt::Variant& v) { SetAutoBackColor(v.ToBool()); }, PropertyId(0x02));
  DefineProperty(
      "AutoWidth", [this] { return rt::Variant(m_autoWidth); },
      [this](const rt::Variant& v) { SetAutoWidth(v.ToBool()); }, PropertyId(0x01));
  DefineProperty(
      "MaxAutoWidth", [this] { return rt::Variant(m_maxAutoWidth); },
      [this](const rt::Variant& v) { SetMaxAutoWidth(v.ToLong()); }, PropertyId(0x00));
  DefineObject<com::StdPicture>(
      "BackgroundImage", [this] { return Picture(); },
      [this](com::StdPicturePtr p) {
        PropertyChanged("BackgroundImage");
        SetPicture(std::move(p));
        PaintLink(false);
      },
      PropertyId(0x1C));
  DefineProperty(
      "ForeColorClick", [this, color] { return color(m_foreColorClick); },
      storeColor(&KVXLineHover::m_foreColorClick, "ForeColorClick"), PropertyId(0x1B));
}

void KVXLineHover::SetCaption(std::string value) {
  PropertyChanged("Caption");
  m_caption = std::move(value);
  if (m_autoWidth) AdjustWidth();
  PaintLink(false);
}

void KVXLineHover::SetIcon(com::StdPicturePtr icon) {
  PropertyChanged("Icon");
  m_icon = std::move(icon);
  if (m_autoWidth) AdjustWidth();
  PaintLink(false);
}

void KVXLineHover::SetHoverStyle(int32_t style) {
  PropertyChanged("HoverStyle");
  m_hoverStyle = style;
  SetMousePointer(style == CapDeactivate ? com::vbDefault : com::vbCustom);
}

void KVXLineHover::SetLinkEnabled(bool value) {
  PropertyChanged("Enabled");
  SetEnabled(value);
}

void KVXLineHover::SetBackColorProperty(uint32_t color) {
  PropertyChanged("BackColor");
  SetBackColor(color);
  m_autoBackColor = false;
  PaintLink(false);
}

void KVXLineHover::SetAutoBackColor(bool value) {
  PropertyChanged("AutoBackColor");
  m_autoBackColor = value;
  if (!value) return;
  rt::ResumeNext([&] { SetBackColor(static_cast<uint32_t>(ContainerProperty("BackColor").ToLong())); });
  PaintLink(false);
}

void KVXLineHover::SetAutoWidth(bool value) {
  PropertyChanged("AutoWidth");
  m_autoWidth = value;
  if (value) AdjustWidth();
}

void KVXLineHover::SetMaxAutoWidth(int32_t twips) {
  PropertyChanged("MaxAutoWidth");
  m_maxAutoWidth = twips;
  if (m_autoWidth) AdjustWidth();
}

std::string KVXLineHover::CompactString(const std::string& text) {
  std::string compact = text;
  rt::ResumeNext([&] {
    // The caption's width; the icon column takes 300 twips.
    const int32_t twips = m_icon ? Width() - kIconRoom : Width();
    const int pixels = static_cast<int>(std::nearbyint(static_cast<double>(twips) / gdi::TwipsPerPixelX()));
    gdi::PathCompactPathA(hDC(), compact, pixels);
  });
  return compact;
}

void KVXLineHover::AdjustWidth() {
  rt::ResumeNext([&] {
    const int column = !m_icon ? 3 : (gdi::TwipsPerPixelX() == 12 ? 25 : 23);
    const double textWidth = Surface().TextWidth(m_caption);  // pixels: the surface's scale
    const auto width = static_cast<int32_t>(std::nearbyint((column + textWidth) * gdi::TwipsPerPixelX()));
    SetWidth(m_maxAutoWidth <= 0 || m_maxAutoWidth >= width ? width : m_maxAutoWidth);
  });
}

void KVXLineHover::DrawCaption(const std::string& text, int left, uint32_t color, int shift) {
  gdi::DrawingSurface& s = Surface();
  s.SetForeColor(color);
  gdi::RECT r{left + shift, 1 + shift, s.PixelWidth() + shift, s.PixelHeight() + shift};
  gdi::DrawTextA(hDC(), text, -1, &r, gdi::DT_SINGLELINE);
}

void KVXLineHover::PaintLink(bool hot) {
  const std::string text = rt::Replace(CompactString(m_caption), "&", "&&");
  rt::ResumeNext([&] { Surface().Cls(); });
  const int left = m_icon ? kTextLeftWithIcon : 0;
  if (m_icon) {
    rt::ResumeNext([&] { DrawPictureState(hDC(), m_icon, 0, 0, kIconSize, kIconSize, gdi::DSS_NORMAL); });
  }
  uint32_t color = m_foreColor;
  rt::ResumeNext([&] {
    if (!hot) {
      if (m_hoverStyle == CapColorUnderline || m_hoverStyle == CapOnlyUnderline) Font()->SetUnderline(false);
    } else if (m_hoverStyle == CapColorUnderline) {
      Font()->SetUnderline(true);
      color = m_foreColorHover;
    } else if (m_hoverStyle == CapOnlyUnderline) {
      Font()->SetUnderline(true);
    } else if (m_hoverStyle == CapOnlyColor) {
      color = m_foreColorHover;
    }
  });
  rt::ResumeNext([&] {
    if (Enabled()) {
      DrawCaption(text, left, color, 0);
    } else {
      // Embossed: white one pixel right and down, button shadow on top.
      DrawCaption(text, left, 0xFFFFFF, 1);
      DrawCaption(text, left, 0x80000010, 0);
    }
  });
  Invalidate();
}

void KVXLineHover::UserControl_MouseDown(int16_t button, int16_t shift, float x, float y) {
  if (m_hoverStyle != CapDeactivate) {
    // The pressed look: the caption in ForeColorClick.
    const std::string text = rt::Replace(CompactString(m_caption), "&", "&&");
    rt::ResumeNext([&] {
      Surface().Cls();
      DrawPictureState(hDC(), m_icon, 0, 0, kIconSize, kIconSize, gdi::DSS_NORMAL);
      DrawCaption(text, m_icon ? kTextLeftWithIcon : 0, m_foreColorClick, 0);
      Invalidate();
    });
  }
  RaiseMouseEvent("MouseDown", button, shift, x, y);
}

void KVXLineHover::UserControl_MouseMove(int16_t button, int16_t shift, float x, float y) {
  RaiseMouseEvent("MouseMove", button, shift, x, y);
  RequestMouseLeave();
  PaintLink(true);
}

void KVXLineHover::UserControl_MouseUp(int16_t button, int16_t shift, float x, float y) {
  RaiseMouseEvent("MouseUp", button, shift, x, y);
}

void KVXLineHover::UserControl_Click() {
  if (m_hoverStyle == CapDeactivate) return;
  RaiseEvent("Click");
  PaintLink(false);
}

void KVXLineHover::NewMessage(int32_t /*hWnd*/, int32_t& uMsg, win::WPARAM& /*wParam*/, win::LPARAM& /*lParam*/,
                              bool& /*cancel*/) {
  const auto message = static_cast<uint32_t>(uMsg);
  if (message == win::WM_MOUSELEAVE) {
    PaintLink(false);
    RaiseEvent("MouseOut");
  } else if (message == win::WM_LBUTTONDBLCLK || message == win::WM_RBUTTONDBLCLK) {
    // The second press of a double click works as a press of its own.
    uMsg = static_cast<int32_t>(win::WM_LBUTTONDOWN);
    if (m_hoverStyle != CapDeactivate) RaiseEvent("DblClick");
    PaintLink(false);
  }
}

void KVXLineHover::OnSited() {
  DisplayControl::OnSited();
  if (mSubClass && hWnd() != win::kNoWindow) mSubClass->SubClassHwnd(win::ToInt(hWnd()), true);
}

void KVXLineHover::Show() {
  // Hovering works only in a running program.
  if (mSubClass && !UserMode()) mSubClass->SubClassHwnd(win::ToInt(hWnd()), false);
  PaintLink(false);
}

void KVXLineHover::Terminate() {
  if (mSubClass) mSubClass->SubClassHwnd(win::ToInt(hWnd()), false);
  mSubClass.reset();
}

void KVXLineHover::InitProperties() {
  rt::ResumeNext([&] {
    m_caption = "Xx";
    m_hoverStyle = CapColorUnderline;
    PaintLink(false);
    m_foreColor = 0xFF0000;
    m_foreColorHover = 0x800080;
    m_foreColorClick = 0xFF;
    m_autoBackColor = true;
    SetFont(AmbientFont());
    SetBackColor(static_cast<uint32_t>(ContainerProperty("BackColor").ToLong()));
    m_maxAutoWidth = 0;
    m_autoWidth = false;
  });
}

void KVXLineHover::ReadProperties(const com::PropertyBag& bag) {
  auto step = [](auto&& f) { rt::ResumeNext(f); };
  auto color = [&](const char* name, uint32_t fallback) {
    return static_cast<uint32_t>(bag.ReadProperty(name, ColorValue(fallback)).ToLong());
  };
  step([&] { SetEnabled(bag.ReadProperty("Enabled", true).ToBool()); });
  step([&] { m_icon = com::AsObject<com::StdPicture>(bag.ReadProperty("Icon", com::Nothing())); });
  step([&] { SetPicture(com::AsObject<com::StdPicture>(bag.ReadProperty("BackgroundImage", com::Nothing()))); });
  step([&] { m_caption = bag.ReadProperty("Caption", "").ToString(); });
  step([&] { m_hoverStyle = bag.ReadProperty("HoverStyle", int32_t{CapColorUnderline}).ToLong(); });
  step([&] { m_foreColor = color("ForeColor", 0xFF0000); });
  step([&] { m_foreColorHover = color("ForeColorHover", 0x800080); });
  step([&] { m_foreColorClick = color("ForeColorClick", 0xFF); });
  step([&] { SetFont(ReadFont(bag, "Font")); });
  step([&] { m_autoBackColor = bag.ReadProperty("AutoBackColor", true).ToBool(); });
  step([&] { m_autoWidth = bag.ReadProperty("AutoWidth", false).ToBool(); });
  if (m_hoverStyle == CapDeactivate) SetMousePointer(com::vbDefault);
  // The back colour: the container's in a designer with AutoBackColor,
  // else the stored one; AutoBackColor keeps the value it was saved with.
  step([&] {
    if (!UserMode() && m_autoBackColor)
      SetBackColor(static_cast<uint32_t>(ContainerProperty("BackColor").ToLong()));
    else
      SetBackColor(color("BackColor", 0));
  });
  step([&] { m_maxAutoWidth = bag.ReadProperty("MaxAutoWidth", 0).ToLong(); });
}

void KVXLineHover::WriteProperties(com::PropertyBag& bag) {
  bag.WriteProperty("Enabled", Enabled(), true);
  bag.WriteProperty("Icon", com::ToVariant(m_icon), com::Nothing());
  bag.WriteProperty("BackgroundImage", com::ToVariant(Picture()), com::Nothing());
  bag.WriteProperty("Caption", m_caption, "");
  bag.WriteProperty("HoverStyle", m_hoverStyle, int32_t{CapColorUnderline});
  bag.WriteProperty("BackColor", ColorValue(BackColor()), 0);
  bag.WriteProperty("ForeColor", ColorValue(m_foreColor), ColorValue(0xFF0000));
  bag.WriteProperty("ForeColorHover", ColorValue(m_foreColorHover), ColorValue(0x800080));
  bag.WriteProperty("ForeColorClick", ColorValue(m_foreColorClick), ColorValue(0xFF));
  WriteFont(bag, "Font", Font());
  bag.WriteProperty("AutoBackColor", m_autoBackColor, true);
  bag.WriteProperty("AutoWidth", m_autoWidth, false);
  bag.WriteProperty("MaxAutoWidth", m_maxAutoWidth, 0);
}

}  // namespace kvctl2
