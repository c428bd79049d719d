#include "display/KVXInfoPanel.h"

#include <limits>

#include "com/ControlFactory.h"
#include "forms/Constants.h"
#include "forms/Label.h"
#include "forms/PictureBox.h"
#include "forms/TextBox.h"
#include "gdi/Twips.h"
#include "runtime/Strings.h"
#include "win/Messages.h"

namespace kvctl2 {

namespace {

com::ControlRegistration<KVXInfoPanel> registration{"Kvctl2.KVXInfoPanel", "KVXInfoPanel"};

constexpr uint32_t kTooltipText = 0x80000017;
constexpr int32_t kBodyTopWithCaption = 26;
constexpr int32_t kBodyTopWithoutCaption = 6;

int32_t Twips(int64_t pixels) { return static_cast<int32_t>(gdi::PixelsToTwipsX(static_cast<int>(pixels))); }
int Pixels(int32_t twips) { return gdi::TwipsToPixelsX(twips); }

// A sum of margins in 32 bits; raises the overflow error 6 beyond them.
int64_t Checked(int64_t value) {
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) rt::Raise(6);
  return value;
}

}  // namespace

// The picture box of the panel: its mouse goes to the panel as IconInf.
class KVXInfoPanel::PicturePart : public forms::PictureBox {
 public:
  explicit PicturePart(KVXInfoPanel& panel) : m_panel(panel) {
    SetBorderStyle(0);
    Surface().SetScaleMode(gdi::vbPixels);
    SetVisible(false);
  }

 protected:
  void UserControl_MouseDown(int16_t b, int16_t s, float x, float y) override {
    m_panel.PartMouse(IconInf, "MouseDown", b, s, x, y);
  }
  void UserControl_MouseMove(int16_t b, int16_t s, float x, float y) override {
    m_panel.PartMouse(IconInf, "MouseMove", b, s, x, y);
  }
  void UserControl_MouseUp(int16_t b, int16_t s, float x, float y) override {
    m_panel.PartMouse(IconInf, "MouseUp", b, s, x, y);
  }
  void UserControl_Click() override { m_panel.PartClick(); }

 private:
  KVXInfoPanel& m_panel;
};

// The text box of the panel: its mouse goes to the panel as TipInf.
class KVXInfoPanel::TextPart : public forms::TextBox {
 public:
  explicit TextPart(KVXInfoPanel& panel) : m_panel(panel) {
    SetMultiLine(true);
    SetScrollBars(2);
    SetLocked(true);
    SetVisible(false);
  }
  bool HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) override {
    const auto x = static_cast<float>(win::GET_X_LPARAM(lParam));
    const auto y = static_cast<float>(win::GET_Y_LPARAM(lParam));
    const int16_t shift =
        static_cast<int16_t>(((wParam & win::MK_SHIFT) ? 1 : 0) | ((wParam & win::MK_CONTROL) ? 2 : 0));
    switch (msg) {
      case win::WM_LBUTTONDOWN:
        m_panel.PartMouse(TipInf, "MouseDown", 1, shift, x, y);
        break;
      case win::WM_RBUTTONDOWN:
        m_panel.PartMouse(TipInf, "MouseDown", 2, shift, x, y);
        break;
      case win::WM_MOUSEMOVE:
        m_panel.PartMouse(TipInf, "MouseMove", static_cast<int16_t>(wParam & 3), shift, x, y);
        break;
      case win::WM_LBUTTONUP:
        m_panel.PartMouse(TipInf, "MouseUp", 1, shift, x, y);
        m_panel.PartClick();
        break;
      case win::WM_RBUTTONUP:
        m_panel.PartMouse(TipInf, "MouseUp", 2, shift, x, y);
        break;
      default:
        break;
    }
    return forms::TextBox::HandleMessage(msg, wParam, lParam, result);
  }

 private:
  KVXInfoPanel& m_panel;
};

KVXInfoPanel::KVXInfoPanel() {
  Surface().SetScaleMode(gdi::vbPixels);
  Surface().SetAutoRedraw(true);
  SetBackColor(m_backColor);
  m_picturePart = std::make_shared<PicturePart>(*this);
  m_head = std::make_shared<forms::Label>();
  m_head->SetBackStyle(forms::vbTransparent);
  m_head->SetFont(com::StdFont::Create("MS Sans Serif", 8.25, true));
  m_head->SetForeColor(kTooltipText);
  m_head->SetAutoSize(true);
  m_tip = std::make_shared<forms::Label>();
  m_tip->SetBackStyle(forms::vbTransparent);
  m_tip->SetForeColor(kTooltipText);
  m_tip->SetWordWrap(true);
  m_tip->SetAutoSize(true);
  m_textPart = std::make_shared<TextPart>(*this);
  m_textPart->SetForeColor(kTooltipText);
  AddConstituent(m_picturePart, "imgPicture");
  AddConstituent(m_head, "lblHead");
  AddConstituent(m_tip, "lblTip");
  AddConstituent(m_textPart, "txtTip");
  // The text box never keeps a caret: focused, it turns itself off.
  m_textPart->Events().Connect("GotFocus", [this](com::Args&) { m_textPart->SetEnabled(false); });
  m_textPart->Events().Connect("LostFocus", [this](com::Args&) { m_textPart->SetEnabled(true); });
  SetFontProperty(com::StdFont::Create());
  DeclareEvents({"Click", "MouseDown", "MouseMove", "MouseUp"});
  DefineMembers();
}

KVXInfoPanel::~KVXInfoPanel() {
  if (m_font) m_font->Events().Disconnect(m_fontCookie);
}

forms::TextBox& KVXInfoPanel::txtTip() const { return *m_textPart; }
forms::PictureBox& KVXInfoPanel::imgPicture() const { return *m_picturePart; }

void KVXInfoPanel::DefineMembers() {
  DefineColor(
      "BorderColor", [this] { return m_borderColor; },
      [this](uint32_t c) {
        m_borderColor = c;
        PropertyChanged("BorderColor");
        RefreshPanel();
      },
      PropertyId(0x0A));
  DefineAction(
      "MakeSize", [this] { MakeSize(); }, MethodId(0x0B));
  DefineObject<com::StdPicture>(
      "Picture", [this] { return m_picture; }, [this](com::StdPicturePtr p) { SetPictureProperty(std::move(p)); },
      PropertyId(0x09));
  DefineObject<com::StdFont>(
      "Font", [this] { return m_font; }, [this](com::StdFontPtr f) { SetFontProperty(std::move(f)); },
      PropertyId(0x08));
  DefineProperty(
      "Text", [this] { return rt::Variant(m_text); }, [this](const rt::Variant& v) { SetText(v.ToString()); }, -517);
  DefineProperty(
      "Caption", [this] { return rt::Variant(m_caption); }, [this](const rt::Variant& v) { SetCaption(v.ToString()); },
      PropertyId(0x07));
  DefineAction(
      "Refresh", [this] { RefreshPanel(); }, MethodId(0x17));
  DefineColor(
      "BackColor", [this] { return m_backColor; },
      [this](uint32_t c) {
        m_backColor = c;
        PropertyChanged("BackColor");
        RefreshPanel();
      },
      PropertyId(0x06));
  DefineColor(
      "CaptionColor", [this] { return m_head->ForeColor(); },
      [this](uint32_t c) {
        m_head->SetForeColor(c);
        PropertyChanged("CaptionColor");
      },
      PropertyId(0x05));
  DefineColor(
      "TextColor", [this] { return m_tip->ForeColor(); },
      [this](uint32_t c) {
        m_tip->SetForeColor(c);
        m_textPart->SetForeColor(c);
        PropertyChanged("TextColor");
      },
      PropertyId(0x04));
  DefineProperty(
      "RightMargin", [this] { return rt::Variant(m_rightMargin); },
      [this](const rt::Variant& v) { SetRightMargin(v.ToLong()); }, PropertyId(0x03));
  DefineProperty(
      "WordWrap", [this] { return rt::Variant(m_wordWrap); }, [this](const rt::Variant& v) { SetWordWrap(v.ToBool()); },
      PropertyId(0x02));
  DefineProperty(
      "PicPosLeft", [this] { return rt::Variant(m_picPosLeft); },
      [this](const rt::Variant& v) { SetPicPosLeft(v.ToLong()); }, PropertyId(0x01));
  DefineProperty(
      "PicPosTop", [this] { return rt::Variant(m_picPosTop); },
      [this](const rt::Variant& v) { SetPicPosTop(v.ToLong()); }, PropertyId(0x00));
}

int KVXInfoPanel::PictureWidth() const { return m_picture ? com::HimetricToPixels(m_picture->Width()) : 0; }

void KVXInfoPanel::SetText(std::string value) {
  m_text = std::move(value);
  m_tip->SetCaption(rt::Replace(m_text, "<BR>", "\r", rt::CompareMethod::Text));
  m_textPart->SetText(rt::Replace(m_text, "<BR>", "\r\n", rt::CompareMethod::Text));
  // The label measures the new text at its current width.
  m_tip->SetAutoSize(false);
  m_tip->SetAutoSize(true);
  MakeSize();
  PropertyChanged("Text");
}

void KVXInfoPanel::SetCaption(std::string value) {
  m_caption = std::move(value);
  m_head->SetCaption(m_caption);
  m_bodyTop = m_caption.empty() ? kBodyTopWithoutCaption : kBodyTopWithCaption;
  m_tip->SetTop(Twips(m_bodyTop));
  m_textPart->SetTop(Twips(m_bodyTop));
  MakeSize();
  PropertyChanged("Caption");
}

void KVXInfoPanel::MakeSize() {
  const int64_t x = m_picture ? PictureWidth() + 2 * int64_t{m_picPosLeft} : m_picPosLeft;
  const int64_t width = Checked(static_cast<int64_t>(ScaleWidth()) - Checked(x + m_picPosLeft) - m_rightMargin);
  const int64_t room = Checked(static_cast<int64_t>(ScaleHeight()) - Checked(int64_t{m_bodyTop} + m_picPosTop));
  const bool fits = room >= Pixels(m_tip->Height());
  m_textPart->SetVisible(!fits);
  m_tip->SetVisible(fits);
  if (width < 2) {
    m_head->SetWidth(0);
    m_tip->SetVisible(false);
    m_textPart->SetVisible(false);
    return;
  }
  m_head->SetWidth(Twips(width));
  m_tip->SetWidth(Twips(width));
  m_textPart->SetWidth(Twips(width));
}

void KVXInfoPanel::ResizeLayout() {
  auto step = [](auto&& f) { rt::ResumeNext(f); };
  int64_t x = m_picPosLeft;
  step([&] {
    if (!m_picture) {
      m_picturePart->SetVisible(false);
      return;
    }
    x = PictureWidth() + x + m_picPosLeft;
    m_picturePart->Move(Twips(m_picPosLeft), Twips(m_picPosTop));
    m_picturePart->SetVisible(true);
  });
  const int64_t width = static_cast<int64_t>(ScaleWidth()) - (x + m_picPosLeft) - m_rightMargin;
  step([&] { m_head->Move(Twips(x), Twips(m_picPosTop), Twips(std::max<int64_t>(0, width))); });
  step([&] {
    m_tip->Move(Twips(x), Twips(m_bodyTop), m_head->Width(),
                Twips(std::max<int64_t>(0, static_cast<int64_t>(ScaleHeight()) - (m_picPosTop + m_bodyTop))));
  });
  // The text box keeps to the body, so all of its scroll bar shows.
  step([&] {
    m_textPart->Move(Twips(x), Twips(m_bodyTop), m_head->Width(),
                     Twips(std::max<int64_t>(0, static_cast<int64_t>(ScaleHeight()) - (m_picPosTop + m_bodyTop))));
  });
  step([&] { SetCaption(m_caption); });
  step([&] { SetText(m_text); });
  RefreshPanel();
}

void KVXInfoPanel::RefreshPanel() {
  auto step = [](auto&& f) { rt::ResumeNext(f); };
  step([&] {
    SetBackColor(m_backColor);
    Surface().Cls();
  });
  step([&] { DrawRoundBorder(hDC(), Surface().PixelWidth(), Surface().PixelHeight(), m_borderColor); });
  step([&] {
    m_textPart->SetBackColor(m_backColor);
    m_textPart->SetForeColor(m_tip->ForeColor());
  });
  step([&] { m_picturePart->SetBackColor(m_backColor); });
  Invalidate();
}

void KVXInfoPanel::SetFontProperty(com::StdFontPtr font) {
  CheckFontGiven(font);
  if (m_font) m_font->Events().Disconnect(m_fontCookie);
  m_font = std::move(font);
  // A change of any of the font's attributes applies the font anew.
  m_fontCookie = m_font->Events().Connect(com::kFontChangedEvent, [this](com::Args&) { SetFontProperty(m_font); });
  m_tip->SetFont(m_font);
  m_textPart->SetFont(m_font);
  // The head line takes name, size and slant; it stays bold.
  const com::StdFontPtr& head = m_head->Font();
  head->SetName(m_font->Name());
  head->SetSize(m_font->Size());
  head->SetItalic(m_font->Italic());
  PropertyChanged("Font");
  RefreshPanel();
}

void KVXInfoPanel::SetPictureProperty(com::StdPicturePtr picture) {
  m_picture = std::move(picture);
  m_picturePart->SetPicture(m_picture);
  if (m_picture) {
    m_picturePart->SetWidth(Twips(PictureWidth()));
    m_picturePart->SetHeight(Twips(com::HimetricToPixels(m_picture->Height())));
  }
  ResizeLayout();
  PropertyChanged("Picture");
}

void KVXInfoPanel::SetPicPosLeft(int32_t value) {
  m_picPosLeft = value;
  PropertyChanged("PicPosLeft");
  ResizeLayout();
}

void KVXInfoPanel::SetPicPosTop(int32_t value) {
  m_picPosTop = value;
  PropertyChanged("PicPosTop");
  ResizeLayout();
}

void KVXInfoPanel::SetRightMargin(int32_t value) {
  m_rightMargin = value;
  MakeSize();
  PropertyChanged("RightMargin");
}

void KVXInfoPanel::SetWordWrap(bool value) {
  m_wordWrap = value;
  m_head->SetWordWrap(value);
  PropertyChanged("WordWrap");
}

void KVXInfoPanel::PartMouse(ClickSection section, std::string_view event, int16_t button, int16_t shift, float x,
                             float y) {
  // Every part reports for the control as a whole first, then for itself.
  com::Args whole{int16_t{CntrlInf}, button, shift, static_cast<double>(x), static_cast<double>(y)};
  RaiseEvent(event, whole);
  com::Args part{static_cast<int16_t>(section), button, shift, static_cast<double>(x), static_cast<double>(y)};
  RaiseEvent(event, part);
}

void KVXInfoPanel::SurfaceMouse(std::string_view event, int16_t button, int16_t shift, float x, float y) {
  // The labels have no window: the surface finds the one under the pointer.
  auto hit = [&](const com::Control& c) {
    const int left = Pixels(c.Left()), top = gdi::TwipsToPixelsY(c.Top());
    return c.Visible() && x >= left && y >= top && x < left + c.PixelWidth() && y < top + c.PixelHeight();
  };
  for (auto [control, section] : {std::pair<const com::Control*, ClickSection>{m_head.get(), CaptionInf},
                                  {m_tip.get(), TipInf},
                                  {m_textPart.get(), TipInf}}) {
    if (hit(*control)) {
      PartMouse(section, event, button, shift, x - static_cast<float>(Pixels(control->Left())),
                y - static_cast<float>(gdi::TwipsToPixelsY(control->Top())));
      return;
    }
  }
  com::Args whole{int16_t{CntrlInf}, button, shift, static_cast<double>(x), static_cast<double>(y)};
  RaiseEvent(event, whole);
}

void KVXInfoPanel::UserControl_MouseDown(int16_t button, int16_t shift, float x, float y) {
  SurfaceMouse("MouseDown", button, shift, x, y);
}

void KVXInfoPanel::UserControl_MouseMove(int16_t button, int16_t shift, float x, float y) {
  SurfaceMouse("MouseMove", button, shift, x, y);
}

void KVXInfoPanel::UserControl_MouseUp(int16_t button, int16_t shift, float x, float y) {
  SurfaceMouse("MouseUp", button, shift, x, y);
}

void KVXInfoPanel::InitProperties() {
  SetFontProperty(AmbientFont());
  SetText(Ambient().DisplayName);
  m_borderColor = 0x808080;
  m_backColor = 0xE2FFFF;
  SetWordWrap(false);
  RefreshPanel();
  m_rightMargin = 0;
  m_picPosLeft = 8;
  m_picPosTop = 6;
}

void KVXInfoPanel::ReadProperties(const com::PropertyBag& bag) {
  SetFontProperty(ReadFont(bag, "Font"));
  SetPictureProperty(com::AsObject<com::StdPicture>(bag.ReadProperty("Picture", com::Nothing())));
  SetCaption(bag.ReadProperty("Caption", Ambient().DisplayName).ToString());
  m_bodyTop = m_caption.empty() ? kBodyTopWithoutCaption : kBodyTopWithCaption;
  m_tip->SetTop(Twips(m_bodyTop));
  m_textPart->SetTop(Twips(m_bodyTop));
  SetText(bag.ReadProperty("Text", Ambient().DisplayName).ToString());
  m_rightMargin = bag.ReadProperty("RightMargin", 0).ToLong();
  m_borderColor = static_cast<uint32_t>(bag.ReadProperty("BorderColor", ColorValue(0x808080)).ToLong());
  m_backColor = static_cast<uint32_t>(bag.ReadProperty("BackColor", ColorValue(0xE2FFFF)).ToLong());
  m_wordWrap = bag.ReadProperty("WordWrap", false).ToBool();
  m_head->SetForeColor(static_cast<uint32_t>(bag.ReadProperty("CaptionColor", ColorValue(kTooltipText)).ToLong()));
  m_tip->SetForeColor(static_cast<uint32_t>(bag.ReadProperty("TextColor", ColorValue(kTooltipText)).ToLong()));
  m_picPosLeft = bag.ReadProperty("PicPosLeft", 8).ToLong();
  m_picPosTop = bag.ReadProperty("PicPosTop", 6).ToLong();
  m_head->SetWordWrap(m_wordWrap);
  ResizeLayout();
  RefreshPanel();
}

void KVXInfoPanel::WriteProperties(com::PropertyBag& bag) {
  WriteFont(bag, "Font", m_font);
  bag.WriteProperty("Picture", com::ToVariant(m_picture), com::Nothing());
  bag.WriteProperty("Caption", m_caption, Ambient().DisplayName);
  bag.WriteProperty("Text", m_text, Ambient().DisplayName);
  bag.WriteProperty("BorderColor", ColorValue(m_borderColor), ColorValue(0x808080));
  bag.WriteProperty("BackColor", ColorValue(m_backColor), ColorValue(0xE2FFFF));
  bag.WriteProperty("CaptionColor", ColorValue(m_head->ForeColor()), ColorValue(kTooltipText));
  bag.WriteProperty("TextColor", ColorValue(m_tip->ForeColor()), ColorValue(kTooltipText));
  bag.WriteProperty("RightMargin", m_rightMargin, 0);
  bag.WriteProperty("WordWrap", m_wordWrap, false);
  bag.WriteProperty("PicPosLeft", m_picPosLeft, 8);
  bag.WriteProperty("PicPosTop", m_picPosTop, 6);
}

}  // namespace kvctl2
