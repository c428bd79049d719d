#include "display/KVXProgress.h"

#include <algorithm>
#include <cmath>

#include "com/ControlFactory.h"
#include "forms/Constants.h"
#include "forms/Label.h"
#include "forms/PictureBox.h"
#include "forms/controls/Shape.h"
#include "gdi/SysColors.h"

namespace kvctl2 {

namespace {

com::ControlRegistration<KVXProgress> registration{"Kvctl2.KVXProgress", "KVXProgress"};

constexpr int32_t kHeight = 360;  // twips, the control's only height
constexpr int32_t kBarLeft = 50;
constexpr int32_t kBarMargin = 110;  // the bar is this much narrower than the control
constexpr int32_t kCapWidth = 120;
constexpr int32_t kFillTop = 10;
constexpr int32_t kFillHeight = 234;
constexpr double kStep = 3.141592 / 256;  // k: the shading's step per row

// A channel of a shade, rounded to the nearest whole number (halves to
// even) and kept within 0..255.
uint8_t Channel(double value) { return static_cast<uint8_t>(std::clamp(std::nearbyint(value), 0.0, 255.0)); }

// The colour of row i of a shading: each channel moves by its factor x
// i x k (negative factors lighten).
gdi::COLORREF Shade(uint32_t color, double red, double green, double blue, int i) {
  const uint32_t rgb = KVXProgress::WinColor(color);
  return gdi::RGB(Channel(gdi::GetRValue(rgb) - red * i * kStep), Channel(gdi::GetGValue(rgb) - green * i * kStep),
                  Channel(gdi::GetBValue(rgb) - blue * i * kStep));
}
gdi::COLORREF BackShade(uint32_t color, int i) { return Shade(color, 16, 16, 32, i); }
gdi::COLORREF ProgressShade(uint32_t color, int i) { return Shade(color, 24, 16, 16, i); }
gdi::COLORREF LightShade(uint32_t color) { return Shade(color, -2, -2, -2, 256); }

std::shared_ptr<forms::PictureBox> PicturePart(int32_t left, int32_t top, int32_t width, int32_t height) {
  auto picture = std::make_shared<forms::PictureBox>();
  picture->SetBorderStyle(0);
  picture->Surface().SetAutoRedraw(true);
  picture->Move(left, top, width, height);
  return picture;
}

std::shared_ptr<forms::Shape> Cap(int32_t left, bool filled) {
  auto shape = std::make_shared<forms::Shape>();
  shape->SetShapeKind(forms::vbShapeOval);
  if (filled) shape->SetFillStyle(0);
  shape->Move(left, 0, kCapWidth, kHeight);
  return shape;
}

}  // namespace

KVXProgress::KVXProgress() {
  // The parts as designed: the bar with the fill, its caption, its leading
  // edge and its right end; the round caps left and right of the bar.
  m_bar = PicturePart(kBarLeft, 0, 1000, kHeight);
  m_fill = PicturePart(0, kFillTop, 0, kFillHeight);
  m_edge = PicturePart(20, 0, 120, 506);
  m_barEnd = Cap(0, false);
  m_barEnd->SetBackStyle(1);
  m_leftCap = Cap(0, true);
  m_rightCap = Cap(0, true);
  m_rightCap->SetBorderStyle(0);
  m_percent = std::make_shared<forms::Label>();
  m_percent->SetBackStyle(forms::vbTransparent);
  m_percent->SetAlignment(forms::vbCenter);
  m_percent->SetFont(com::StdFont::Create("MS Sans Serif", 8.25, true));
  m_percent->Move(0, 64, 0, 210);

  AddConstituent(m_bar, "PICBar");
  AddConstituent(m_leftCap, "ShpBack1");
  AddConstituent(m_rightCap, "ShpBack2");
  m_bar->AddConstituent(m_edge, "picPnt");
  m_bar->AddConstituent(m_fill, "PICProg");
  m_bar->AddConstituent(m_barEnd, "ShpR");
  m_fill->AddConstituent(m_percent, "LBLPer");
  m_fill->Surface().SetFillStyle(gdi::vbFSSolid);
  m_edge->Surface().SetFillStyle(gdi::vbFSSolid);
  DefineMembers();
}

void KVXProgress::DefineMembers() {
  DefineAction(
      "Reset", [this] { Reset(); }, MethodId(0x04));
  DefineMethod(
      "WinColor",
      [](com::Args& args) {
        return rt::Variant(ColorValue(WinColor(static_cast<uint32_t>(com::RequiredArg(args, 0).ToLong()))));
      },
      MethodId(0x05));
  DefineProperty(
      "MaxValue", [this] { return rt::Variant(m_maxValue); }, [this](const rt::Variant& v) { SetMaxValue(v.ToLong()); },
      PropertyId(0x03));
  DefineMethod(
      "UpdateTo",
      [this](com::Args& args) {
        UpdateTo(com::RequiredArg(args, 0).ToLong());
        return rt::Variant();
      },
      MethodId(0x0B));
  DefineMethod(
      "Dither",
      [this](com::Args& args) {
        auto color = [&](size_t i) { return static_cast<uint32_t>(com::RequiredArg(args, i).ToLong()); };
        Dither(color(0), color(1), color(2));
        return rt::Variant();
      },
      MethodId(0x0C));
  DefineProperty(
      "BackColor", [this] { return rt::Variant(ColorValue(m_backColor)); },
      [this](const rt::Variant& v) { SetBackColorProperty(static_cast<uint32_t>(v.ToLong())); }, PropertyId(0x02));
  DefineProperty(
      "ForeColor", [this] { return rt::Variant(ColorValue(m_foreColor)); },
      [this](const rt::Variant& v) { SetForeColorProperty(static_cast<uint32_t>(v.ToLong())); }, PropertyId(0x01));
  DefineProperty(
      "CaptionColor", [this] { return rt::Variant(ColorValue(m_captionColor)); },
      [this](const rt::Variant& v) { SetCaptionColor(static_cast<uint32_t>(v.ToLong())); }, PropertyId(0x00));
}

uint32_t KVXProgress::WinColor(uint32_t vbColor) {
  if ((vbColor & 0xFF000000u) == 0x80000000u) return gdi::GetSysColor(static_cast<int>(vbColor & 0xFF));
  return vbColor;
}

void KVXProgress::SetMaxValue(int32_t value) {
  m_maxValue = value;
  UpdateTo(0);
  Relayout();
}

void KVXProgress::SetBackColorProperty(uint32_t color) {
  m_backColor = color;
  PropertyChanged("BackColor");
  Relayout();
}

void KVXProgress::SetForeColorProperty(uint32_t color) {
  m_foreColor = color;
  PropertyChanged("ForeColor");
  Relayout();
}

void KVXProgress::SetCaptionColor(uint32_t color) {
  m_captionColor = color;
  PropertyChanged("CaptionColor");
  Relayout();
}

void KVXProgress::SetFillWidth(int32_t width) {
  m_fill->SetWidth(width);
  PaintFill();
}

void KVXProgress::UpdateTo(int32_t currentValue) {
  // Without a maximum there is no share to show: the bar stays as it is
  // (rather than showing a fill width left from an earlier call).
  if (m_maxValue == 0) return;
  const double share = static_cast<double>(currentValue) / m_maxValue;
  m_fillWidth = static_cast<int32_t>(std::nearbyint(share * m_fullWidth));
  if (m_fill->Width() == m_fillWidth) return;
  // A percentage beyond 0..255 is skipped: the caption keeps its value.
  rt::ResumeNext([&] {
    const double percent = std::nearbyint(share * 100);
    if (percent < 0 || percent > 255) rt::Raise(6);
    m_percentValue = static_cast<uint8_t>(percent);
  });
  if (m_shownPercent != m_percentValue) {
    m_percent->SetCaption(std::to_string(m_percentValue) + "%");
    if (m_percentValue > 99) {
      // The final layout: the whole bar, the right cap in the edge's colour.
      if (m_shownPercent == 101) return;
      m_shownPercent = 101;
      SetFillWidth(m_fullWidth);
      m_percent->SetWidth(m_fill->Width());
      m_rightCap->SetFillColor(m_edge->Surface().FillColor());
      m_edge->SetLeft(m_fill->Width() - 60);
      return;
    }
    m_shownPercent = m_percentValue;
  }
  // The caption is centred on the fill as it was before this step.
  m_percent->SetWidth(m_fill->Width() + 25);
  if (m_fillWidth >= 0) SetFillWidth(m_fillWidth);
  m_edge->SetLeft(m_fillWidth - 45);
}

void KVXProgress::Reset() {
  UpdateTo(0);
  Relayout();
}

void KVXProgress::Relayout() {
  // A new height resizes the control, which lays it out anew.
  if (Height() != kHeight && PixelHeight() != gdi::TwipsToPixelsY(kHeight)) {
    SetHeight(kHeight);
    return;
  }
  if (Height() != kHeight) SetHeight(kHeight);
  const int32_t barWidth = std::max(0, Width() - kBarMargin);
  m_bar->SetWidth(barWidth);
  m_barEnd->SetLeft(barWidth - 60);
  m_rightCap->SetLeft(Width() - 100);
  m_edge->SetLeft(20);
  m_fill->SetHeight(kFillHeight);
  m_fill->SetWidth(barWidth);
  Dither(m_backColor, m_foreColor, m_captionColor);
  m_fill->SetWidth(0);
  m_fullWidth = barWidth;
}

void KVXProgress::Dither(uint32_t backColor, uint32_t progressColor, uint32_t captionColor) {
  m_progressColor = progressColor;
  m_percent->SetForeColor(captionColor);
  const gdi::COLORREF back = BackShade(backColor, 0);
  m_rightCap->SetFillColor(back);
  m_barEnd->SetBackColor(back);
  m_barEnd->SetBorderColor(back);
  m_leftCap->SetBorderColor(back);
  // Below the 256 shaded rows the pictures show the darkest shade.
  m_bar->SetBackColor(BackShade(backColor, 255));
  m_edge->SetBackColor(BackShade(backColor, 255));
  gdi::DrawingSurface& bar = m_bar->Surface();
  gdi::DrawingSurface& edge = m_edge->Surface();
  const double barWidth = m_bar->Width();
  const double edgeWidth = m_edge->Width();
  for (int i = 0; i <= 255; ++i) {
    bar.Line(0, i, barWidth, i - 1, BackShade(backColor, i));
    edge.Line(0, i, edgeWidth, i - 1, BackShade(backColor, i));
    if (i >= 11 && i <= 254) edge.Line(0, i, edgeWidth / 2, i - 1, ProgressShade(progressColor, i));
  }
  m_leftCap->SetFillColor(ProgressShade(progressColor, 256));
  // The leading edge: a light, round highlight.
  const gdi::COLORREF light = LightShade(progressColor);
  edge.SetFillColor(light);
  edge.Circle(50, 130, 155, light, 3);
  PaintFill();
}

void KVXProgress::PaintFill() {
  gdi::DrawingSurface& fill = m_fill->Surface();
  const gdi::COLORREF dark = ProgressShade(m_progressColor, 256);
  fill.SetBackColor(dark);
  const double barWidth = m_bar->Width();
  for (int i = 0; i <= 255; ++i) fill.Line(0, i, barWidth, i - 1, ProgressShade(m_progressColor, i));
  // The round left end of the fill.
  fill.SetFillColor(dark);
  fill.Circle(20, 120, 155, dark, 4);
  m_fill->Invalidate();
}

void KVXProgress::Resize() { Relayout(); }

void KVXProgress::InitProperties() {
  m_backColor = 0xFF8080;
  m_foreColor = 0x8848C0;
  m_captionColor = 0xC0FFFF;
  rt::ResumeNext([&] { SetBackColor(Ambient().BackColor); });
}

void KVXProgress::ReadProperties(const com::PropertyBag& bag) {
  m_backColor = static_cast<uint32_t>(bag.ReadProperty("BackColor", ColorValue(0xFF8080)).ToLong());
  m_foreColor = static_cast<uint32_t>(bag.ReadProperty("ForeColor", ColorValue(0x8848C0)).ToLong());
  m_captionColor = static_cast<uint32_t>(bag.ReadProperty("CaptionColor", ColorValue(0xC0FFFF)).ToLong());
  m_shownPercent = 101;
  rt::ResumeNext([&] { SetBackColor(Ambient().BackColor); });
}

void KVXProgress::WriteProperties(com::PropertyBag& bag) {
  bag.WriteProperty("BackColor", ColorValue(m_backColor), ColorValue(0xFF8080));
  bag.WriteProperty("ForeColor", ColorValue(m_foreColor), ColorValue(0x8848C0));
  bag.WriteProperty("CaptionColor", ColorValue(m_captionColor), ColorValue(0xC0FFFF));
}

}  // namespace kvctl2
