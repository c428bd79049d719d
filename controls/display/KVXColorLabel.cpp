#include "display/KVXColorLabel.h"

#include <cmath>

#include "com/ControlFactory.h"
#include "gdi/SysColors.h"
#include "runtime/Strings.h"

namespace kvctl2 {

namespace {

com::ControlRegistration<KVXColorLabel> registration{"Kvctl2.KVXColorLabel", "KVXColorLabel"};

// Room (twips) added to the automatic width for every run on a line.
constexpr int32_t kRunSpacing = 90;

}  // namespace

KVXColorLabel::KVXColorLabel() {
  SetForeColor(0x80000008);
  DeclareEvents({"Click", "DblClick", "Resize", "MouseDown", "MouseMove", "MouseUp"});
  DefineMembers();
}

void KVXColorLabel::DefineMembers() {
  DefineColor(
      "BackColor", [this] { return BackColor(); }, [this](uint32_t c) { SetBackColorProperty(c); }, PropertyId(0x08));
  DefineColor(
      "ForeColor", [this] { return ForeColor(); }, [this](uint32_t c) { SetForeColorProperty(c); }, PropertyId(0x07));
  DefineProperty(
      "Caption", [this] { return rt::Variant(m_caption); }, [this](const rt::Variant& v) { SetCaption(v.ToString()); },
      PropertyId(0x06));
  DefineProperty(
      "Autosize", [this] { return rt::Variant(m_autosize); }, [this](const rt::Variant& v) { SetAutosize(v.ToBool()); },
      PropertyId(0x05));
  DefineProperty(
      "WordWrap", [this] { return rt::Variant(m_wordWrap); }, [this](const rt::Variant& v) { SetWordWrap(v.ToBool()); },
      PropertyId(0x04));
  DefineObject<com::StdFont>(
      "Font", [this] { return Font(); }, [this](com::StdFontPtr f) { SetFontProperty(std::move(f)); },
      PropertyId(0x03));
  DefineProperty(
      "Enabled", [this] { return rt::Variant(Enabled()); },
      [this](const rt::Variant& v) {
        SetEnabled(v.ToBool());
        PropertyChanged("Enabled");
      },
      PropertyId(0x02));
  DefinePointerMembers(PropertyId(0x00), PropertyId(0x01));
}

void KVXColorLabel::SetCaption(std::string value) {
  m_caption = rt::Trim(value);
  PropertyChanged("Caption");
  PaintTwiceIfWider();
}

void KVXColorLabel::SetAutosize(bool value) {
  m_autosize = value;
  PropertyChanged("Autosize");
  PaintTwiceIfWider();
}

void KVXColorLabel::SetWordWrap(bool value) {
  m_wordWrap = value;
  PropertyChanged("WordWrap");
  PaintCaption();
}

void KVXColorLabel::SetFontProperty(com::StdFontPtr font) {
  SetFont(std::move(font));
  PropertyChanged("Font");
  PaintTwiceIfWider();
}

void KVXColorLabel::SetForeColorProperty(uint32_t color) {
  SetForeColor(color);
  PropertyChanged("ForeColor");
  PaintCaption();
}

void KVXColorLabel::SetBackColorProperty(uint32_t color) {
  SetBackColor(color);
  PropertyChanged("BackColor");
  PaintCaption();
}

void KVXColorLabel::PaintTwiceIfWider() {
  m_oldWidth = Width();
  PaintCaption();
  if (Width() > m_oldWidth) PaintCaption();
}

void KVXColorLabel::PaintCaption() {
  gdi::DrawingSurface& s = Surface();
  s.SetAutoRedraw(true);
  rt::ResumeNext([&] { s.Cls(); });
  const gdi::SurfaceFont font = com::ToSurfaceFont(Font());
  const uint32_t foreColor = ForeColor();
  auto measure = [&s, &font](std::string_view text, bool bold, bool italic) {
    gdi::SurfaceFont styled = font;
    styled.Bold = bold;
    styled.Italic = italic;
    s.SetFont(styled);
    return s.TextWidth(text);
  };
  m_markup.Caption = m_caption;
  m_markup.Bold = font.Bold;
  m_markup.Italic = font.Italic;
  m_markup.Underline = font.Underline;
  m_markup.Strike = font.Strikethrough;
  m_markup.DefaultColor =
      static_cast<int32_t>((foreColor & 0x80000000u) ? gdi::GetSysColor(foreColor & 0xFFFFFF) : foreColor);
  m_markup.WordWrap = m_wordWrap;
  m_markup.ScaleWidth = s.ScaleWidth();
  // A colour beyond 32 bits ends the parse; the runs built so far print.
  rt::ResumeNext([&] { m_markup.ParseCaption(measure); });
  int32_t line = 0;
  const int count = m_markup.Count();
  for (int i = 1; i <= count; ++i) {
    const CaptionPart& part = m_markup.Part(i);
    rt::ResumeNext([&] {
      gdi::SurfaceFont styled = font;
      styled.Bold = part.Bold;
      styled.Italic = part.Italic;
      styled.Underline = part.Underline;
      styled.Strikethrough = part.Strike;
      s.SetFont(styled);
      s.SetForeColor(static_cast<uint32_t>(part.Color));
    });
    if (m_autosize) {
      line += static_cast<int32_t>(std::nearbyint(s.TextWidth(part.Text))) + kRunSpacing;
      m_busy = true;
      if (Width() < line) SetWidth(line);
    }
    rt::ResumeNext([&] {
      s.Print(part.Text, false);
      const bool endsLine = i < count && m_markup.Part(i + 1).NewLine;
      if (endsLine) {
        s.SetCurrentX(s.ScaleLeft());
        s.SetCurrentY(s.CurrentY() + s.TextHeight(part.Text));
        line = 0;
      }
    });
  }
  s.SetFont(font);
  s.SetForeColor(foreColor);
  m_busy = false;
  if (m_wordWrap || m_autosize) {
    rt::ResumeNext([&] { SetHeight(static_cast<int32_t>(std::nearbyint(s.TextHeight(m_markup.LineString())))); });
  }
  s.SetAutoRedraw(false);
  Invalidate();
}

void KVXColorLabel::Resize() {
  RaiseEvent("Resize");
  if (!m_busy) PaintCaption();
}

void KVXColorLabel::UserControl_MouseDown(int16_t button, int16_t shift, float x, float y) {
  RaiseMouseEvent("MouseDown", button, shift, x, y);
}

void KVXColorLabel::UserControl_MouseMove(int16_t button, int16_t shift, float x, float y) {
  RaiseMouseEvent("MouseMove", button, shift, x, y);
}

void KVXColorLabel::UserControl_MouseUp(int16_t button, int16_t shift, float x, float y) {
  RaiseMouseEvent("MouseUp", button, shift, x, y);
}

void KVXColorLabel::InitProperties() {
  m_caption.clear();
  rt::ResumeNext([&] { SetFont(AmbientFont()); });
  SetForeColor(0x80000008);
  rt::ResumeNext([&] { SetBackColor(static_cast<uint32_t>(ContainerProperty("BackColor").ToLong())); });
}

void KVXColorLabel::ReadProperties(const com::PropertyBag& bag) {
  m_busy = false;
  SetForeColor(static_cast<uint32_t>(bag.ReadProperty("ForeColor", ColorValue(0x80000008)).ToLong()));
  SetBackColor(static_cast<uint32_t>(bag.ReadProperty("BackColor", ColorValue(0x8000000F)).ToLong()));
  SetFont(ReadFont(bag, "Font"));
  m_caption = bag.ReadProperty("Caption", Ambient().DisplayName).ToString();
  m_autosize = bag.ReadProperty("Autosize", false).ToBool();
  m_wordWrap = bag.ReadProperty("WordWrap", false).ToBool();
  SetEnabled(bag.ReadProperty("Enabled", true).ToBool());
  SetMouseIcon(com::AsObject<com::StdPicture>(bag.ReadProperty("MouseIcon", com::Nothing())));
  PropertyChanged("MouseIcon");
  SetMousePointer(bag.ReadProperty("MousePointer", int16_t{0}).ToInteger());
}

void KVXColorLabel::WriteProperties(com::PropertyBag& bag) {
  bag.WriteProperty("ForeColor", ColorValue(ForeColor()), ColorValue(0x80000008));
  bag.WriteProperty("BackColor", ColorValue(BackColor()), ColorValue(0x8000000F));
  WriteFont(bag, "Font", Font());
  bag.WriteProperty("Caption", m_caption, Ambient().DisplayName);
  bag.WriteProperty("Autosize", m_autosize, false);
  bag.WriteProperty("WordWrap", m_wordWrap, false);
  bag.WriteProperty("Enabled", Enabled(), true);
  bag.WriteProperty("MouseIcon", com::ToVariant(MouseIcon()), com::Nothing());
  bag.WriteProperty("MousePointer", MousePointer(), int16_t{0});
}

}  // namespace kvctl2
