#include "display/KVXHoverPic.h"

#include <cmath>
#include <vector>

#include "com/ControlFactory.h"
#include "display/HandCursor.h"
#include "gdi/BitmapBits.h"
#include "gdi/Gdi.h"
#include "win/Messages.h"

namespace kvctl2 {

namespace {

com::ControlRegistration<KVXHoverPic> registration{"Kvctl2.KVXHoverPic", "KVXHoverPic"};

bool IsBitmap(const com::StdPicturePtr& p) { return p && p->Type() == com::vbPicTypeBitmap; }
bool IsIcon(const com::StdPicturePtr& p) { return p && p->Type() == com::vbPicTypeIcon; }

// The disabled look of a bitmap: a light grey copy by the brightness of
// each pixel, so the picture stays recognisable. Pixels of the mask colour
// stay as they are and no other pixel takes that colour, so the button
// keeps the shape the mask gives it.
com::StdPicturePtr GreyedCopy(const com::StdPicturePtr& bitmap, gdi::COLORREF maskColor) {
  gdi::SIZE size{};
  std::vector<uint32_t> pixels = gdi::GetBitmapArgb(bitmap->Bitmap(), &size);
  const uint32_t maskPixel = 0xFF000000u | (uint32_t{gdi::GetRValue(maskColor)} << 16) |
                             (uint32_t{gdi::GetGValue(maskColor)} << 8) | gdi::GetBValue(maskColor);
  for (uint32_t& pixel : pixels) {
    if (pixel == maskPixel) continue;
    const uint32_t alpha = pixel >> 24;
    const uint32_t brightness = (((pixel >> 16) & 0xFF) * 77 + ((pixel >> 8) & 0xFF) * 150 + (pixel & 0xFF) * 29) >> 8;
    // A third of the way from the brightness to white (colours are
    // premultiplied by alpha).
    uint32_t grey = (2 * brightness + alpha) / 3;
    uint32_t greyPixel = (alpha << 24) | (grey << 16) | (grey << 8) | grey;
    if (greyPixel == maskPixel) {
      grey = grey < alpha ? grey + 1 : grey - 1;
      greyPixel = (alpha << 24) | (grey << 16) | (grey << 8) | grey;
    }
    pixel = greyPixel;
  }
  return com::StdPicture::FromBitmap(gdi::OwnedBitmap(gdi::CreateBitmapFromArgb(size.cx, size.cy, pixels)));
}

}  // namespace

KVXHoverPic::KVXHoverPic() : mSubClass(std::make_unique<clsSubClass>()) {
  Surface().SetScaleMode(gdi::vbPixels);
  Surface().SetAutoRedraw(true);
  SetBackColor(0xFFFFFF);
  SetPointerIcon(nullptr);
  SetMousePointer(com::vbCustom);
  mSubClass->NewMessage = [this](int32_t h, int32_t& m, win::WPARAM& w, win::LPARAM& l, bool& c) {
    NewMessage(h, m, w, l, c);
  };
  DeclareEvents({"Click", "DblClick", "MouseOut", "KeyDown", "KeyPress", "KeyUp", "MouseDown", "MouseMove", "MouseUp"});
  DefineMembers();
}

KVXHoverPic::~KVXHoverPic() = default;

void KVXHoverPic::DefineMembers() {
  auto picture = [this](const char* name, com::StdPicturePtr KVXHoverPic::*field, int id) {
    DefineObject<com::StdPicture>(
        name, [this, field] { return this->*field; },
        [this, field, name](com::StdPicturePtr p) {
          this->*field = std::move(p);
          PropertyChanged(name);
        },
        PropertyId(id));
  };
  DefineProperty(
      "Enabled", [this] { return rt::Variant(m_enabled); },
      [this](const rt::Variant& v) { SetButtonEnabled(v.ToBool()); }, PropertyId(0x0E));
  picture("ImageDown", &KVXHoverPic::m_imageDown, 0x0D);
  picture("ImageHot", &KVXHoverPic::m_imageHot, 0x0C);
  DefineObject<com::StdPicture>(
      "ImageDisabled", [this] { return m_imageDisabled; },
      [this](com::StdPicturePtr p) { SetImageDisabled(std::move(p)); }, PropertyId(0x0B));
  DefineProperty(
      "Style", [this] { return rt::Variant(m_style); }, [this](const rt::Variant& v) { SetStyle(v.ToLong()); },
      PropertyId(0x0A));
  DefineProperty(
      "Value", [this] { return rt::Variant(m_value); }, [this](const rt::Variant& v) { SetValue(v.ToLong()); },
      PropertyId(0x09));
  DefineObject<com::StdPicture>(
      "ImageUp", [this] { return m_imageUp; }, [this](com::StdPicturePtr p) { SetImageUp(std::move(p)); },
      PropertyId(0x08));
  DefineProperty(
      "MaskColor", [this] { return rt::Variant(ColorValue(m_maskColor)); },
      [this](const rt::Variant& v) { SetMaskColorProperty(static_cast<uint32_t>(v.ToLong())); }, PropertyId(0x07));
  DefineProperty(
      "BackStyle", [this] { return rt::Variant(m_backStyle); },
      [this](const rt::Variant& v) { SetBackStyleProperty(v.ToLong()); }, PropertyId(0x06));
  DefineWindowHandle(PropertyId(0x05));
  DefineProperty(
      "BackColor", [this] { return rt::Variant(ColorValue(BackColor())); },
      [this](const rt::Variant& v) {
        SetBackColor(static_cast<uint32_t>(v.ToLong()));
        PropertyChanged("BackColor");
        PaintImage(m_value);
      },
      PropertyId(0x04));
  DefineProperty(
      "IconShadow", [this] { return rt::Variant(ColorValue(m_iconShadow)); },
      [this](const rt::Variant& v) {
        m_iconShadow = static_cast<uint32_t>(v.ToLong());
        PropertyChanged("IconShadow");
      },
      PropertyId(0x03));
  DefineObject<com::StdPicture>(
      "MouseIcon", [this] { return m_mouseIcon; },
      [this](com::StdPicturePtr p) {
        SetPointerIcon(std::move(p));
        PropertyChanged("MouseIcon");
      },
      PropertyId(0x02));
  DefineProperty(
      "Autosize", [this] { return rt::Variant(m_autosize); }, [this](const rt::Variant& v) { SetAutosize(v.ToBool()); },
      PropertyId(0x01));
  DefineProperty(
      "Sound", [this] { return rt::Variant(m_sound); },
      [this](const rt::Variant& v) {
        m_sound = v.ToBool();
        PropertyChanged("Sound");
      },
      PropertyId(0x00));
}

void KVXHoverPic::SetPointerIcon(com::StdPicturePtr icon) {
  // Without a MouseIcon of its own the button shows the pointing hand.
  m_mouseIcon = std::move(icon);
  if (m_mouseIcon)
    SetMouseIcon(m_mouseIcon);
  else
    SetMouseIcon(HandCursorPicture(), kHandHotSpot);
}

void KVXHoverPic::PaintImage(int32_t picState) {
  gdi::DrawingSurface& s = Surface();
  rt::ResumeNext([&] { s.Cls(); });
  const gdi::HDC hdc = hDC();
  auto size = [](const com::StdPicturePtr& p) {
    return p ? gdi::SIZE{com::HimetricToPixels(p->Width()), com::HimetricToPixels(p->Height())} : gdi::SIZE{};
  };
  int offset = 0;
  com::StdPicturePtr chosen;
  if (m_enabled) {
    if (picState == 0) {
      chosen = m_imageUp;
    } else if (picState == 1) {
      chosen = m_imageDown;
      if (!chosen) {
        chosen = m_imageUp;
        offset = 1;
      }
    } else if (picState == 2) {
      if (m_imageHot) {
        chosen = m_imageHot;
      } else {
        // The generated hot look: the icon lifted over its shadow.
        rt::ResumeNext([&] {
          const gdi::SIZE up = size(m_imageUp);
          gdi::OwnedBrush shadow(gdi::CreateSolidBrush(gdi::OleTranslateColor(m_iconShadow)));
          DrawPictureState(hdc, m_imageUp, 2, 2, up.cx, up.cy, gdi::DSS_MONO, shadow.Get());
          DrawPictureState(hdc, m_imageUp, 0, 0, up.cx, up.cy, gdi::DSS_NORMAL);
        });
        Invalidate();
        return;
      }
    }
  } else if (m_imageDisabled) {
    chosen = m_imageDisabled;
  } else if (IsBitmap(m_imageUp)) {
    // Embossing a bitmap would fill its whole square: a greyed copy instead.
    rt::ResumeNext([&] { chosen = GreyedCopy(m_imageUp, gdi::OleTranslateColor(m_maskColor)); });
  } else {
    // The generated disabled look: the icon embossed.
    rt::ResumeNext([&] {
      const gdi::SIZE up = size(m_imageUp);
      DrawPictureState(hdc, m_imageUp, 0, 0, up.cx, up.cy, gdi::DSS_DISABLED);
    });
    Invalidate();
    return;
  }
  rt::ResumeNext([&] {
    if (IsBitmap(chosen)) {
      SetPicture(chosen);
      SetMaskPicture(chosen);
    } else {
      const gdi::SIZE own = size(chosen);
      DrawPictureState(hdc, chosen, offset, offset, own.cx, own.cy, gdi::DSS_NORMAL);
    }
  });
  Invalidate();
}

void KVXHoverPic::SizeToImage() {
  rt::ResumeNext([&] {
    if (!m_autosize || !m_imageUp) return;
    const gdi::DrawingSurface& s = Surface();
    auto width = static_cast<int32_t>(std::lround(s.ScaleX(m_imageUp->Width(), gdi::vbHimetric, gdi::vbTwips)));
    auto height = static_cast<int32_t>(std::lround(s.ScaleY(m_imageUp->Height(), gdi::vbHimetric, gdi::vbTwips)));
    if (IsIcon(m_imageUp)) {
      // Room for the shadow's offset.
      width += 2 * gdi::TwipsPerPixelX();
      height += 2 * gdi::TwipsPerPixelY();
    }
    Move(Left(), Top(), width, height);
  });
}

void KVXHoverPic::SetValue(int32_t value) {
  m_value = value;
  PropertyChanged("Value");
  PaintImage(m_value);
}

void KVXHoverPic::SetStyle(int32_t style) {
  m_style = style;
  PropertyChanged("Style");
  m_value = abUnPressed;
  PaintImage(0);
}

void KVXHoverPic::SetButtonEnabled(bool value) {
  m_enabled = value;
  PropertyChanged("Enabled");
  SetMousePointer(com::vbCustom);
  SetEnabled(value);
  PaintImage(m_value);
}

void KVXHoverPic::SetImageUp(com::StdPicturePtr image) {
  m_imageUp = std::move(image);
  PropertyChanged("ImageUp");
  SetPicture(com::StdPicture::CreateEmpty());
  SizeToImage();
  PaintImage(0);
}

void KVXHoverPic::SetImageDisabled(com::StdPicturePtr image) {
  m_imageDisabled = std::move(image);
  PropertyChanged("ImageDisabled");
  PaintImage(0);
}

void KVXHoverPic::SetMaskColorProperty(uint32_t color) {
  m_maskColor = color;
  PropertyChanged("MaskColor");
  SetMaskColor(color);
  const bool iconLook = (IsIcon(m_imageUp) && !m_enabled) || (IsIcon(m_imageDisabled) && m_enabled);
  SetMaskPicture(iconLook ? com::StdPicture::CreateEmpty() : Picture());
}

void KVXHoverPic::SetBackStyleProperty(int32_t style) {
  m_backStyle = style;
  PropertyChanged("BackStyle");
  SetBackStyle(static_cast<int16_t>(style));
  SetMaskPicture(com::StdPicture::CreateEmpty());
  if (IsBitmap(m_imageUp) || (!m_imageUp && IsBitmap(m_imageDisabled))) SetMaskPicture(Picture());
}

void KVXHoverPic::SetAutosize(bool value) {
  m_autosize = value;
  PropertyChanged("AutoSize");
  SizeToImage();
}

void KVXHoverPic::UserControl_MouseDown(int16_t button, int16_t shift, float x, float y) {
  if (m_skipNextPress) {
    m_skipNextPress = false;
    return;
  }
  if (button == 1) PaintImage(1);
  RaiseMouseEvent("MouseDown", button, shift, x, y);
}

void KVXHoverPic::UserControl_MouseMove(int16_t button, int16_t shift, float x, float y) {
  RaiseMouseEvent("MouseMove", button, shift, x, y);
  RequestMouseLeave();
  if (button & 1)
    PaintImage(1);
  else if (m_style == abStandardButton || m_value == 0)
    PaintImage(2);
}

void KVXHoverPic::UserControl_MouseUp(int16_t button, int16_t shift, float x, float y) {
  m_value = m_style == abCheckButton && m_value != abPressed ? abPressed : abUnPressed;
  RaiseMouseEvent("MouseUp", button, shift, x, y);
}

void KVXHoverPic::NewMessage(int32_t /*hWnd*/, int32_t& uMsg, win::WPARAM& /*wParam*/, win::LPARAM& /*lParam*/,
                             bool& /*cancel*/) {
  const auto message = static_cast<uint32_t>(uMsg);
  if (message == win::WM_LBUTTONDBLCLK || message == win::WM_RBUTTONDBLCLK) {
    uMsg = static_cast<int32_t>(win::WM_LBUTTONDOWN);
    PaintImage(0);
    RaiseEvent("DblClick");
    m_skipNextPress = true;
  } else if (message == win::WM_MOUSELEAVE) {
    PaintImage(m_value);
    RaiseEvent("MouseOut");
  }
}

void KVXHoverPic::OnSited() {
  DisplayControl::OnSited();
  if (mSubClass && hWnd() != win::kNoWindow) mSubClass->SubClassHwnd(win::ToInt(hWnd()), true);
}

void KVXHoverPic::Show() {
  if (mSubClass && !UserMode()) mSubClass->SubClassHwnd(win::ToInt(hWnd()), false);
}

void KVXHoverPic::Terminate() {
  if (mSubClass) mSubClass->SubClassHwnd(win::ToInt(hWnd()), false);
  mSubClass.reset();
}

void KVXHoverPic::InitProperties() {
  // A new button starts without a down image, so that pressing shows the
  // up image moved by a pixel.
  m_enabled = true;
  m_imageDown = nullptr;
  m_imageHot = m_imageDisabled = m_imageUp = nullptr;
  m_style = abStandardButton;
  m_value = abUnPressed;
  m_maskColor = 0xFF;
  m_backStyle = abOpaque;
  SetMaskPicture(nullptr);
  SetBackStyle(1);
  SetMaskColor(0xFF);
  m_iconShadow = 0xC0C0C0;
  m_autosize = true;
  m_sound = true;
}

void KVXHoverPic::ReadProperties(const com::PropertyBag& bag) {
  auto picture = [&](const char* name, const rt::Variant& fallback) {
    return com::AsObject<com::StdPicture>(bag.ReadProperty(name, fallback));
  };
  m_enabled = bag.ReadProperty("Enabled", true).ToBool();
  SetMousePointer(com::vbCustom);
  SetEnabled(m_enabled);
  m_imageUp = picture("ImageUp", com::ToVariant(com::StdPicture::CreateEmpty()));
  m_imageDown = picture("ImageDown", com::Nothing());
  m_imageHot = picture("ImageHot", com::Nothing());
  m_imageDisabled = picture("ImageDisabled", com::Nothing());
  m_style = bag.ReadProperty("Style", 0).ToLong();
  m_value = bag.ReadProperty("Value", 0).ToLong();
  m_maskColor = static_cast<uint32_t>(bag.ReadProperty("MaskColor", ColorValue(0xFF)).ToLong());
  m_backStyle = bag.ReadProperty("BackStyle", 1).ToLong();
  SetBackColor(static_cast<uint32_t>(bag.ReadProperty("BackColor", ColorValue(0xFFFFFF)).ToLong()));
  SetBackStyle(static_cast<int16_t>(m_backStyle));
  SetMaskColor(m_maskColor);
  PaintImage(m_value);
  m_iconShadow = static_cast<uint32_t>(bag.ReadProperty("IconShadow", ColorValue(0xC0C0C0)).ToLong());
  SetPointerIcon(picture("MouseIcon", com::Nothing()));
  PropertyChanged("MouseIcon");
  m_autosize = bag.ReadProperty("AutoSize", true).ToBool();
  m_sound = bag.ReadProperty("Sound", true).ToBool();
}

void KVXHoverPic::WriteProperties(com::PropertyBag& bag) {
  bag.WriteProperty("Enabled", m_enabled, true);
  bag.WriteProperty("ImageDown", com::ToVariant(m_imageDown), com::Nothing());
  bag.WriteProperty("ImageHot", com::ToVariant(m_imageHot), com::Nothing());
  bag.WriteProperty("ImageDisabled", com::ToVariant(m_imageDisabled), com::Nothing());
  bag.WriteProperty("ImageUp", com::ToVariant(m_imageUp), com::Nothing());
  bag.WriteProperty("Style", m_style, 0);
  bag.WriteProperty("Value", m_value, 0);
  bag.WriteProperty("MaskColor", ColorValue(m_maskColor), ColorValue(0xFF));
  bag.WriteProperty("BackStyle", m_backStyle, 1);
  bag.WriteProperty("BackColor", ColorValue(BackColor()), ColorValue(0xFFFFFF));
  bag.WriteProperty("IconShadow", ColorValue(m_iconShadow), ColorValue(0xC0C0C0));
  bag.WriteProperty("MouseIcon", com::ToVariant(m_mouseIcon), com::Nothing());
  bag.WriteProperty("AutoSize", m_autosize, true);
  bag.WriteProperty("Sound", m_sound, true);
}

}  // namespace kvctl2
