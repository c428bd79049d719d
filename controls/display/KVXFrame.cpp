// KVXFrame: interface, persisted properties and life cycle.
#include "display/KVXFrame.h"

#include "com/ControlFactory.h"
#include "display/HandCursor.h"

namespace kvctl2 {

namespace {

com::ControlRegistration<KVXFrame> registration{"Kvctl2.KVXFrame", "KVXFrame"};

uint32_t ToColor(const rt::Variant& v) { return static_cast<uint32_t>(v.ToLong()); }

}  // namespace

KVXFrame::KVXFrame() {
  Surface().SetScaleMode(gdi::vbPixels);
  SetBackColor(0xFFFFFF);
  // The hover pointer (99) is the pointing hand.
  SetMouseIcon(HandCursorPicture(), kHandHotSpot);
  m_captionFont = com::StdFont::Create();
  m_collapseIcon = com::StdPicture::CreateEmpty();
  m_backgroundImage = com::StdPicture::CreateEmpty();
  DeclareEvents({"Click", "DblClick", "Resize", "Expand", "Collapse", "CaptionOver", "CaptionOut", "IconClick",
                 "MouseDown", "MouseMove", "MouseUp"});
  DefineMembers();
}

void KVXFrame::Changed(const char* name, bool repaint) {
  PropertyChanged(name);
  if (repaint) drawControl();
}

void KVXFrame::DefineColorField(const char* name, uint32_t KVXFrame::*field, int id, bool repaint) {
  DefineProperty(
      name, [this, field] { return rt::Variant(ColorValue(this->*field)); },
      [this, field, name, repaint](const rt::Variant& v) {
        this->*field = ToColor(v);
        Changed(name, repaint);
      },
      PropertyId(id));
}

void KVXFrame::DefinePicture(const char* name, com::StdPicturePtr KVXFrame::*field, int id) {
  DefineObject<com::StdPicture>(
      name, [this, field] { return this->*field; },
      [this, field, name](com::StdPicturePtr picture) {
        this->*field = std::move(picture);
        Changed(name, true);
      },
      PropertyId(id));
}

void KVXFrame::DefineMembers() {
  // A plain stored value of the frame: Let stores, marks and maybe repaints.
  auto plain = [this](const char* name, auto KVXFrame::*field, int id, bool repaint) {
    DefineProperty(
        name, [this, field] { return rt::Variant(this->*field); },
        [this, field, name, repaint](const rt::Variant& v) {
          using T = std::remove_reference_t<decltype(this->*field)>;
          if constexpr (std::is_same_v<T, bool>)
            this->*field = v.ToBool();
          else
            this->*field = v.ToLong();
          Changed(name, repaint);
        },
        PropertyId(id));
  };
  DefineProperty(
      "Expandierbar", [this] { return rt::Variant(m_expandierbar); },
      [this](const rt::Variant& v) { SetExpandierbar(v.ToBool()); }, PropertyId(0x24));
  DefineProperty(
      "Expandiert", [this] { return rt::Variant(m_expandiert); },
      [this](const rt::Variant& v) { SetExpandiert(v.ToBool()); }, PropertyId(0x23));
  DefineProperty(
      "Enabled", [this] { return rt::Variant(m_enabled); },
      [this](const rt::Variant& v) { SetFrameEnabled(v.ToBool()); }, PropertyId(0x22));
  DefineAction(
      "drawControl", [this] { drawControl(); }, MethodId(0x28));
  DefineProperty(
      "BorderRoundColor", [this] { return rt::Variant(ColorValue(m_borderRoundColor)); },
      [this](const rt::Variant& v) { SetBorderRoundColor(ToColor(v)); }, PropertyId(0x21));
  DefineColorField("TopRightBColor", &KVXFrame::m_topRightBColor, 0x20, true);
  DefineColorField("TopRightAColor", &KVXFrame::m_topRightAColor, 0x1F, true);
  DefineColorField("TopLeftBColor", &KVXFrame::m_topLeftBColor, 0x1E, true);
  DefineColorField("TopLeftAColor", &KVXFrame::m_topLeftAColor, 0x1D, true);
  DefinePicture("CollapseIcon", &KVXFrame::m_collapseIcon, 0x1C);
  DefineProperty(
      "BackColor", [this] { return rt::Variant(ColorValue(BackColor())); },
      [this](const rt::Variant& v) {
        SetBackColor(ToColor(v));
        Changed("BackColor", true);
      },
      PropertyId(0x1B));
  DefineColorField("BorderColor", &KVXFrame::m_borderColor, 0x1A, true);
  plain("BorderStyle", &KVXFrame::m_borderStyle, 0x19, true);
  plain("CaptionBorder", &KVXFrame::m_captionBorder, 0x18, true);
  DefineReadOnly(
      "Controls", [this] { return com::ToVariant(ContainedControlsObject()); }, PropertyId(0x17));
  DefineProperty(
      "CurrentX", [this] { return rt::Variant(Surface().CurrentX()); },
      [this](const rt::Variant& v) {
        Surface().SetCurrentX(v.ToDouble());
        Changed("CurrentX", false);
      },
      PropertyId(0x16));
  DefineProperty(
      "CurrentY", [this] { return rt::Variant(Surface().CurrentY()); },
      [this](const rt::Variant& v) {
        Surface().SetCurrentY(v.ToDouble());
        Changed("CurrentY", false);
      },
      PropertyId(0x15));
  DefineDeviceContext(PropertyId(0x14));
  DefineWindowHandle(PropertyId(0x13));
  DefineAction(
      "Refresh", [this] { Refresh(); }, MethodId(0x31));
  DefineMethod(
      "Scale_",
      [this](com::Args& args) {
        const bool none = com::OptionalArg(args, 0).IsEmpty() && com::OptionalArg(args, 2).IsEmpty();
        if (none) {
          Surface().ScaleDefault();
        } else {
          Surface().Scale(com::OptionalArg(args, 0).ToDouble(), com::OptionalArg(args, 1).ToDouble(),
                          com::OptionalArg(args, 2).ToDouble(), com::OptionalArg(args, 3).ToDouble());
        }
        return rt::Variant();
      },
      MethodId(0x32));
  DefineProperty(
      "CaptionHeight", [this] { return rt::Variant(m_captionHeight); },
      [this](const rt::Variant& v) { SetCaptionHeight(v.ToInteger()); }, PropertyId(0x12));
  DefineObject<com::StdFont>(
      "CaptionFont", [this] { return m_captionFont; }, [this](com::StdFontPtr f) { SetCaptionFont(std::move(f)); },
      PropertyId(0x11));
  DefineColorField("CaptionFontColor", &KVXFrame::m_captionFontColor, 0x10, true);
  DefineProperty(
      "Caption", [this] { return rt::Variant(m_caption); }, [this](const rt::Variant& v) { SetCaption(v.ToString()); },
      PropertyId(0x0F));
  DefineObject<com::StdPicture>(
      "CaptionIcon", [this] { return m_captionIcon; },
      [this](com::StdPicturePtr icon) { SetCaptionIcon(std::move(icon)); }, PropertyId(0x0E));
  DefinePicture("BackgroundImage", &KVXFrame::m_backgroundImage, 0x0D);
  plain("CaptionStyle", &KVXFrame::m_captionStyle, 0x0C, true);
  plain("CaptionAlign", &KVXFrame::m_captionAlign, 0x0B, true);
  plain("PlaySound", &KVXFrame::m_playSound, 0x0A, false);
  DefineProperty(
      "HeightExpanded", [this] { return rt::Variant(m_heightExpanded); },
      [this](const rt::Variant& v) { SetHeightExpanded(v.ToLong()); }, PropertyId(0x09));
  DefineColorField("CaptionFontHoverColor", &KVXFrame::m_captionFontHoverColor, 0x08, false);
  plain("CaptionHoverMode", &KVXFrame::m_captionHoverMode, 0x07, false);
  DefineColorField("CaptionIconShadow", &KVXFrame::m_captionIconShadow, 0x06, false);
  DefineProperty(
      "ShowBullet", [this] { return rt::Variant(m_showBullet); },
      [this](const rt::Variant& v) {
        m_showBullet = v.ToBool();
        Changed("ShowBullet", true);
        if (m_showBullet) DrawCaptionIcon(false, false);
      },
      PropertyId(0x05));
  DefineProperty(
      "AutoColorRoundBorder", [this] { return rt::Variant(m_autoColorRoundBorder); },
      [this](const rt::Variant& v) { SetAutoColorRoundBorder(v.ToBool()); }, PropertyId(0x04));
  plain("IconTop", &KVXFrame::m_iconTop, 0x03, true);
  plain("IconLeft", &KVXFrame::m_iconLeft, 0x02, true);
  plain("ShadowWide", &KVXFrame::m_shadowWide, 0x01, false);
  plain("CaptionTop", &KVXFrame::m_captionTop, 0x00, true);
  plain("CaptionY", &KVXFrame::m_captionY, 0x33, true);
}

void KVXFrame::SetExpandierbar(bool value) {
  m_expandierbar = value;
  PropertyChanged("Expandierbar");
  DrawCaptionIcon(false, false);
}

void KVXFrame::SetExpandiert(bool value) {
  m_expandiert = value;
  PropertyChanged("Expandiert");
  SetExpanded(value);
}

void KVXFrame::SetFrameEnabled(bool value) {
  m_enabled = value;
  PropertyChanged("Enabled");
  // At run time the surface's window stops (or starts) taking input.
  if (UserMode()) SetEnabled(value);
  drawControl();
}

void KVXFrame::SetHeightExpanded(int32_t twips) {
  m_heightExpanded = twips;
  PropertyChanged("HeightExpanded");
  if (m_expandiert) SetHeight(twips);
}

void KVXFrame::SetCaption(std::string value) {
  m_caption = std::move(value);
  Changed("Caption", true);
}

void KVXFrame::SetCaptionFont(com::StdFontPtr font) {
  m_captionFont = font ? std::move(font) : com::StdFont::Create();
  Changed("CaptionFont", true);
}

void KVXFrame::SetCaptionIcon(com::StdPicturePtr icon) {
  m_captionIcon = std::move(icon);
  Changed("CaptionIcon", true);
}

void KVXFrame::SetBorderRoundColor(uint32_t color) {
  m_borderRoundColor = color;
  m_autoColorRoundBorder = false;
  Changed("BorderRoundColor", true);
}

void KVXFrame::TakeContainerBackColor() {
  rt::ResumeNext([&] { m_borderRoundColor = ToColor(ContainerProperty("BackColor")); });
}

void KVXFrame::SetAutoColorRoundBorder(bool value) {
  m_autoColorRoundBorder = value;
  PropertyChanged("AutoColorRoundBorder");
  if (!value) return;
  TakeContainerBackColor();
  drawControl();
}

void KVXFrame::Resize() {
  RaiseEvent("Resize");
  if (m_expandiert) SetHeightExpanded(Height());
  drawControl();
  DrawCaptionIcon(false, false);
}

void KVXFrame::InitProperties() {
  m_topRightBColor = 0xFFFFFF;
  m_topRightAColor = 0x808080;
  m_topLeftBColor = 0x8000000F;
  m_topLeftAColor = 0xD9DFE3;
  m_borderColor = 0x808080;
  m_borderStyle = pbNone;
  m_captionFont = AmbientFont();
  m_captionFontColor = 0;
  m_caption.clear();
  m_collapseIcon = com::StdPicture::CreateEmpty();
  m_backgroundImage = com::StdPicture::CreateEmpty();
  m_captionBorder = pbNone;
  m_captionStyle = pbHozLines;
  m_expandiert = true;
  m_expandierbar = false;
  m_enabled = true;
  m_captionAlign = DT_LEFT;
  m_playSound = true;
  m_captionFontHoverColor = 0x404040;
  m_captionHoverMode = OnlyColor;
  m_captionIconShadow = 0xC0C0C0;
  m_captionHeight = 4;
  m_captionPixels = 20;
  m_showBullet = false;
  m_autoColorRoundBorder = true;
  m_iconTop = 2;
  m_shadowWide = 2;
  m_iconLeft = 0;
  m_captionTop = 0;
  TakeContainerBackColor();
}

void KVXFrame::ReadProperties(const com::PropertyBag& bag) {
  auto color = [&](const char* name, uint32_t fallback) {
    return ToColor(bag.ReadProperty(name, ColorValue(fallback)));
  };
  auto picture = [&](const char* name) {
    return com::AsObject<com::StdPicture>(bag.ReadProperty(name, com::Nothing()));
  };
  auto number = [&](const char* name, int32_t fallback) { return bag.ReadProperty(name, fallback).ToLong(); };
  auto truth = [&](const char* name, bool fallback) { return bag.ReadProperty(name, fallback).ToBool(); };
  m_collapseIcon = picture("CollapseIcon");
  m_topRightBColor = color("TopRightBColor", 0xFFFFFF);
  m_topRightAColor = color("TopRightAColor", 0x808080);
  m_topLeftBColor = color("TopLeftBColor", 0x8000000F);
  m_topLeftAColor = color("TopLeftAColor", 0xD9DFE3);
  SetBackColor(color("BackColor", 0xFFFFFF));
  m_borderColor = color("BorderColor", 0x808080);
  m_borderRoundColor = color("BorderRoundColor", 0);
  m_autoColorRoundBorder = truth("AutoColorRoundBorder", true);
  m_borderStyle = number("BorderStyle", pbNone);
  Surface().SetCurrentX(bag.ReadProperty("CurrentX", 0.0).ToDouble());
  Surface().SetCurrentY(bag.ReadProperty("CurrentY", 0.0).ToDouble());
  m_captionFont = ReadFont(bag, "CaptionFont");
  m_captionFontColor = color("CaptionFontColor", 0);
  m_caption = bag.ReadProperty("Caption", "").ToString();
  SetCaptionIcon(picture("CaptionIcon"));
  m_backgroundImage = picture("BackgroundImage");
  m_captionStyle = number("CaptionStyle", pbHozLines);
  m_captionBorder = number("CaptionBorder", pbNone);
  m_enabled = truth("Enabled", true);
  m_expandiert = truth("Expandiert", true);
  m_expandierbar = truth("Expandierbar", false);
  m_captionAlign = number("CaptionAlign", DT_LEFT);
  m_playSound = truth("PlaySound", true);
  m_heightExpanded = number("HeightExpanded", 0);
  m_showBullet = truth("ShowBullet", false);
  m_captionFontHoverColor = color("CaptionFontHoverColor", 0x404040);
  m_captionHoverMode = number("CaptionHoverMode", OnlyColor);
  m_captionIconShadow = color("CaptionIconShadow", 0xC0C0C0);
  // A stored height whose band does not fit is refused as the Let refuses
  // it: the band keeps its height.
  const int32_t height = bag.ReadProperty("CaptionHeight", int16_t{4}).ToLong();
  if (CaptionHeightFits(height)) m_captionHeight = static_cast<int16_t>(height);
  m_iconTop = number("IconTop", 2);
  m_captionTop = number("CaptionTop", 0);
  m_captionY = number("CaptionY", 0);
  m_captionPixels = static_cast<int16_t>(m_captionHeight * 4 + 4);
  SetEnabled(m_enabled);
  m_iconLeft = number("IconLeft", 0);
  m_shadowWide = number("ShadowWide", 2);
  // The corners follow the container's colour as the flag says, also when
  // that colour changed since the frame was saved.
  if (m_autoColorRoundBorder) TakeContainerBackColor();
}

void KVXFrame::WriteProperties(com::PropertyBag& bag) {
  auto color = [&](const char* name, uint32_t value, uint32_t fallback) {
    bag.WriteProperty(name, ColorValue(value), ColorValue(fallback));
  };
  bag.WriteProperty("CollapseIcon", com::ToVariant(m_collapseIcon), com::Nothing());
  color("TopRightBColor", m_topRightBColor, 0xFFFFFF);
  color("TopRightAColor", m_topRightAColor, 0x808080);
  color("TopLeftBColor", m_topLeftBColor, 0x8000000F);
  color("TopLeftAColor", m_topLeftAColor, 0xD9DFE3);
  color("BackColor", BackColor(), 0xFFFFFF);
  color("BorderColor", m_borderColor, 0x808080);
  color("BorderRoundColor", m_borderRoundColor, 0);
  bag.WriteProperty("AutoColorRoundBorder", m_autoColorRoundBorder, true);
  bag.WriteProperty("BorderStyle", m_borderStyle, int32_t{pbNone});
  bag.WriteProperty("CurrentX", Surface().CurrentX(), 0.0);
  bag.WriteProperty("CurrentY", Surface().CurrentY(), 0.0);
  WriteFont(bag, "CaptionFont", m_captionFont);
  color("CaptionFontColor", m_captionFontColor, 0);
  bag.WriteProperty("Caption", m_caption, "");
  bag.WriteProperty("CaptionIcon", com::ToVariant(m_captionIcon), com::Nothing());
  bag.WriteProperty("BackgroundImage", com::ToVariant(m_backgroundImage), com::Nothing());
  bag.WriteProperty("CaptionStyle", m_captionStyle, int32_t{pbHozLines});
  bag.WriteProperty("CaptionBorder", m_captionBorder, int32_t{pbNone});
  bag.WriteProperty("Enabled", m_enabled, true);
  bag.WriteProperty("Expandiert", m_expandiert, true);
  bag.WriteProperty("Expandierbar", m_expandierbar, false);
  bag.WriteProperty("CaptionAlign", m_captionAlign, int32_t{DT_LEFT});
  bag.WriteProperty("PlaySound", m_playSound, true);
  bag.WriteProperty("HeightExpanded", m_heightExpanded, 0);
  bag.WriteProperty("ShowBullet", m_showBullet, false);
  color("CaptionFontHoverColor", m_captionFontHoverColor, 0x404040);
  bag.WriteProperty("CaptionHoverMode", m_captionHoverMode, int32_t{OnlyColor});
  color("CaptionIconShadow", m_captionIconShadow, 0xC0C0C0);
  bag.WriteProperty("CaptionHeight", m_captionHeight, int16_t{4});
  bag.WriteProperty("IconTop", m_iconTop, 2);
  bag.WriteProperty("CaptionTop", m_captionTop, 0);
  bag.WriteProperty("CaptionY", m_captionY, 0);
  bag.WriteProperty("IconLeft", m_iconLeft, 0);
  bag.WriteProperty("ShadowWide", m_shadowWide, 2);
}

}  // namespace kvctl2
