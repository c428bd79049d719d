#include "display/KVXInfoPanelLight.h"

#include <algorithm>

#include "com/ControlFactory.h"
#include "forms/Constants.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "gdi/Twips.h"
#include "win/Messages.h"

namespace kvctl2 {

namespace {

com::ControlRegistration<KVXInfoPanelLight> registration{"Kvctl2.KVXInfoPanelLight", "KVXInfoPanelLight"};

constexpr uint32_t kTooltipText = 0x80000017;
constexpr int32_t kEdge = 5;  // pixels between the label and the right and bottom edges

int32_t Twips(int64_t pixels) { return gdi::PixelsToTwipsX(static_cast<int>(pixels)); }

}  // namespace

KVXInfoPanelLight::KVXInfoPanelLight() : mSubClass(std::make_unique<clsSubClass>()) {
  Surface().SetScaleMode(gdi::vbPixels);
  SetBackColor(m_backColor);
  m_image = std::make_shared<forms::Image>();
  m_image->SetVisible(false);
  m_label = std::make_shared<forms::Label>();
  m_label->SetBackStyle(forms::vbTransparent);
  m_label->SetForeColor(kTooltipText);
  AddConstituent(m_image, "imgPicture");
  AddConstituent(m_label, "lblHead");
  m_font = com::StdFont::Create();
  mSubClass->NewMessage = [this](int32_t h, int32_t& m, win::WPARAM& w, win::LPARAM& l, bool& c) {
    NewMessage(h, m, w, l, c);
  };
  DeclareEvents({"Click", "MouseDown", "MouseMove", "MouseUp", "MouseOut"});
  DefineMembers();
}

KVXInfoPanelLight::~KVXInfoPanelLight() = default;

void KVXInfoPanelLight::DefinePosition(const char* name, int32_t KVXInfoPanelLight::*field, int id) {
  DefineProperty(
      name, [this, field] { return rt::Variant(this->*field); },
      [this, field, name](const rt::Variant& v) {
        this->*field = v.ToLong();
        PropertyChanged(name);
        ResizeLayout();
      },
      PropertyId(id));
}

void KVXInfoPanelLight::DefineMembers() {
  DefineColor(
      "BorderColor", [this] { return m_borderColor; },
      [this](uint32_t c) {
        m_borderColor = c;
        PropertyChanged("BorderColor");
        RefreshPanel();
      },
      PropertyId(0x0C));
  DefineObject<com::StdPicture>(
      "Picture", [this] { return m_picture; }, [this](com::StdPicturePtr p) { SetPictureProperty(std::move(p)); },
      PropertyId(0x0B));
  DefineObject<com::StdFont>(
      "Font", [this] { return m_font; }, [this](com::StdFontPtr f) { SetFontProperty(std::move(f)); },
      PropertyId(0x0A));
  DefineProperty(
      "Text", [this] { return rt::Variant(m_text); }, [this](const rt::Variant& v) { SetText(v.ToString()); },
      PropertyId(0x09));
  DefineAction(
      "Refresh", [this] { RefreshPanel(); }, MethodId(0x14));
  DefineColor(
      "BackColor", [this] { return m_backColor; }, [this](uint32_t c) { SetBackColorProperty(c); }, PropertyId(0x08));
  DefineColor(
      "TextColor", [this] { return m_label->ForeColor(); },
      [this](uint32_t c) {
        m_label->SetForeColor(c);
        PropertyChanged("TextColor");
      },
      PropertyId(0x07));
  DefineProperty(
      "RightMargin", [this] { return rt::Variant(m_rightMargin); },
      [this](const rt::Variant& v) {
        m_rightMargin = v.ToLong();
        PropertyChanged("RightMargin");
      },
      PropertyId(0x06));
  DefineProperty(
      "WordWrap", [this] { return rt::Variant(m_wordWrap); },
      [this](const rt::Variant& v) {
        m_wordWrap = v.ToBool();
        m_label->SetWordWrap(m_wordWrap);
        PropertyChanged("WordWrap");
      },
      PropertyId(0x05));
  DefineProperty(
      "HotLink", [this] { return rt::Variant(m_hotLink); }, [this](const rt::Variant& v) { SetHotLink(v.ToBool()); },
      PropertyId(0x04));
  DefinePosition("PicPosLeft", &KVXInfoPanelLight::m_picPosLeft, 0x03);
  DefinePosition("TextPosLeft", &KVXInfoPanelLight::m_textPosLeft, 0x02);
  DefinePosition("TextPosTop", &KVXInfoPanelLight::m_textPosTop, 0x01);
  DefinePosition("PicPosTop", &KVXInfoPanelLight::m_picPosTop, 0x00);
}

void KVXInfoPanelLight::SetText(std::string value) {
  m_text = std::move(value);
  m_label->SetCaption(m_text);
  PropertyChanged("Text");
}

void KVXInfoPanelLight::SetFontProperty(com::StdFontPtr font) {
  CheckFontGiven(font);
  m_font = std::move(font);
  // The label keeps a font of its own; later changes of this object do not
  // reach it.
  const com::StdFontPtr& label = m_label->Font();
  label->SetName(m_font->Name());
  label->SetSize(m_font->Size());
  label->SetItalic(m_font->Italic());
  label->SetBold(m_font->Bold());
  label->SetUnderline(m_font->Underline());
  PropertyChanged("Font");
}

void KVXInfoPanelLight::SetPictureProperty(com::StdPicturePtr picture) {
  m_picture = std::move(picture);
  m_image->SetPicture(m_picture);
  ResizeLayout();
  PropertyChanged("Picture");
}

void KVXInfoPanelLight::SetBackColorProperty(uint32_t color) {
  if (color == m_backColor) return;
  m_backColor = color;
  PropertyChanged("BackColor");
  RefreshPanel();
}

void KVXInfoPanelLight::SetHotLink(bool value) {
  m_hotLink = value;
  PropertyChanged("HotLink");
}

void KVXInfoPanelLight::ResizeLayout() {
  auto step = [](auto&& f) { rt::ResumeNext(f); };
  step([&] {
    if (!m_picture) {
      m_image->SetVisible(false);
      return;
    }
    m_image->Move(Twips(m_picPosLeft), Twips(m_picPosTop));
    m_image->SetVisible(true);
  });
  // A box smaller than the label's place gives it no size at all.
  step([&] {
    const int64_t width = static_cast<int64_t>(ScaleWidth()) - m_textPosLeft - m_rightMargin - kEdge;
    const int64_t height = static_cast<int64_t>(ScaleHeight()) - m_textPosTop - kEdge;
    m_label->Move(Twips(m_textPosLeft), Twips(m_textPosTop), Twips(std::max<int64_t>(0, width)),
                  Twips(std::max<int64_t>(0, height)));
  });
  step([&] { SetText(m_text); });
  RefreshPanel();
}

void KVXInfoPanelLight::RefreshPanel() {
  gdi::DrawingSurface& s = Surface();
  s.SetAutoRedraw(true);
  rt::ResumeNext([&] {
    SetBackColor(m_backColor);
    s.Cls();
  });
  rt::ResumeNext([&] { DrawRoundBorder(hDC(), s.PixelWidth(), s.PixelHeight(), m_borderColor); });
  s.SetAutoRedraw(false);
  Invalidate();
}

bool KVXInfoPanelLight::OverPicture(float x, float y) const {
  if (!m_image->Visible()) return false;
  const int left = gdi::TwipsToPixelsX(m_image->Left()), top = gdi::TwipsToPixelsY(m_image->Top());
  return x >= left && y >= top && x < left + m_image->PixelWidth() && y < top + m_image->PixelHeight();
}

void KVXInfoPanelLight::RaiseButtonEvent(std::string_view name, int16_t button, int16_t shift) {
  com::Args args{button, shift};
  RaiseEvent(name, args);
}

void KVXInfoPanelLight::UserControl_MouseDown(int16_t button, int16_t shift, float x, float y) {
  m_pressOnPicture = OverPicture(x, y);
  if (!m_pressOnPicture) RaiseButtonEvent("MouseDown", button, shift);
}

void KVXInfoPanelLight::UserControl_MouseMove(int16_t button, int16_t shift, float x, float y) {
  if (OverPicture(x, y)) return;
  RequestMouseLeave();
  if (m_hotLink && !m_label->Font()->Underline()) m_label->Font()->SetUnderline(true);
  RaiseButtonEvent("MouseMove", button, shift);
}

void KVXInfoPanelLight::UserControl_MouseUp(int16_t button, int16_t shift, float /*x*/, float /*y*/) {
  if (!m_pressOnPicture) RaiseButtonEvent("MouseUp", button, shift);
}

void KVXInfoPanelLight::UserControl_Click() {
  if (!m_pressOnPicture) RaiseEvent("Click");
}

void KVXInfoPanelLight::NewMessage(int32_t /*hWnd*/, int32_t& uMsg, win::WPARAM& /*wParam*/, win::LPARAM& /*lParam*/,
                                   bool& /*cancel*/) {
  if (static_cast<uint32_t>(uMsg) != win::WM_MOUSELEAVE) return;
  if (m_hotLink && m_label->Font()->Underline()) m_label->Font()->SetUnderline(false);
  RaiseEvent("MouseOut");
}

void KVXInfoPanelLight::OnSited() {
  DisplayControl::OnSited();
  // Also in a designer: the hot link and MouseOut work there too.
  if (mSubClass && hWnd() != win::kNoWindow) mSubClass->SubClassHwnd(win::ToInt(hWnd()), true);
}

void KVXInfoPanelLight::Terminate() {
  if (mSubClass) mSubClass->SubClassHwnd(win::ToInt(hWnd()), false);
  mSubClass.reset();
}

void KVXInfoPanelLight::InitProperties() {
  SetFontProperty(AmbientFont());
  m_borderColor = 0x808080;
  m_backColor = 0xE2FFFF;
  m_wordWrap = false;
  RefreshPanel();
  m_rightMargin = 0;
  m_picPosLeft = 6;
  m_picPosTop = 5;
  m_textPosLeft = 26;
  m_textPosTop = 6;
}

void KVXInfoPanelLight::ReadProperties(const com::PropertyBag& bag) {
  SetFontProperty(ReadFont(bag, "Font"));
  SetPictureProperty(com::AsObject<com::StdPicture>(bag.ReadProperty("Picture", com::Nothing())));
  SetText(bag.ReadProperty("Text", Ambient().DisplayName).ToString());
  m_rightMargin = bag.ReadProperty("RightMargin", 0).ToLong();
  m_borderColor = static_cast<uint32_t>(bag.ReadProperty("BorderColor", ColorValue(0x808080)).ToLong());
  m_backColor = static_cast<uint32_t>(bag.ReadProperty("BackColor", ColorValue(0xE2FFFF)).ToLong());
  m_wordWrap = bag.ReadProperty("WordWrap", false).ToBool();
  m_hotLink = bag.ReadProperty("HotLink", false).ToBool();
  m_label->SetForeColor(static_cast<uint32_t>(bag.ReadProperty("TextColor", ColorValue(kTooltipText)).ToLong()));
  m_picPosLeft = bag.ReadProperty("PicPosLeft", 6).ToLong();
  m_picPosTop = bag.ReadProperty("PicPosTop", 5).ToLong();
  m_textPosLeft = bag.ReadProperty("TextPosLeft", 26).ToLong();
  m_textPosTop = bag.ReadProperty("TextPosTop", 6).ToLong();
  m_label->SetWordWrap(m_wordWrap);
  ResizeLayout();
  RefreshPanel();
}

void KVXInfoPanelLight::WriteProperties(com::PropertyBag& bag) {
  WriteFont(bag, "Font", m_font);
  bag.WriteProperty("Picture", com::ToVariant(m_picture), com::Nothing());
  bag.WriteProperty("Text", m_text, Ambient().DisplayName);
  bag.WriteProperty("BorderColor", ColorValue(m_borderColor), ColorValue(0x808080));
  bag.WriteProperty("BackColor", ColorValue(m_backColor), ColorValue(0xE2FFFF));
  bag.WriteProperty("TextColor", ColorValue(m_label->ForeColor()), ColorValue(kTooltipText));
  bag.WriteProperty("RightMargin", m_rightMargin, 0);
  bag.WriteProperty("WordWrap", m_wordWrap, false);
  bag.WriteProperty("HotLink", m_hotLink, false);
  bag.WriteProperty("PicPosLeft", m_picPosLeft, 6);
  bag.WriteProperty("PicPosTop", m_picPosTop, 5);
  bag.WriteProperty("TextPosLeft", m_textPosLeft, 26);
  bag.WriteProperty("TextPosTop", m_textPosTop, 6);
}

}  // namespace kvctl2
