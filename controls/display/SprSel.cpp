#include "display/SprSel.h"

#include <limits>

#include "com/ControlFactory.h"
#include "forms/Timer.h"
#include "forms/controls/Shape.h"

namespace kvctl2 {

namespace {

com::ControlRegistration<SprSel> registration{"Kvctl2.SprSel", "SprSel"};

constexpr int32_t kGap = 15;  // twips between the two outlines

// A sum or difference in 32-bit arithmetic; raises the overflow error 6
// when it does not fit.
int32_t Checked(int64_t value) {
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) rt::Raise(6);
  return static_cast<int32_t>(value);
}

std::shared_ptr<forms::Shape> Outline(int32_t left, int32_t top) {
  auto shape = std::make_shared<forms::Shape>();
  shape->SetBorderColor(0xFF);
  shape->Move(left, top, 855, 255);
  return shape;
}

}  // namespace

SprSel::SprSel() {
  SetBackStyle(0);
  m_inner = Outline(0, 0);
  m_outer = Outline(kGap, kGap);
  m_timer = std::make_shared<forms::Timer>();
  m_timer->SetEnabled(false);
  m_timer->SetInterval(200);
  AddConstituent(m_inner, "Shp", 0);
  AddConstituent(m_outer, "Shp", 1);
  AddConstituent(m_timer, "Tmr");
  m_timer->Events().Connect("Timer", [this](com::Args&) { Blink(); });
  DefineMembers();
}

void SprSel::DefineMembers() {
  DefineProperty(
      "NixShow", [this] { return rt::Variant(NixShow); }, [this](const rt::Variant& v) { NixShow = v.ToBool(); },
      0x40030000);
  DefineProperty(
      "Col", [this] { return rt::Variant(Col); }, [this](const rt::Variant& v) { Col = v.ToLong(); }, 0x40030001);
  DefineProperty(
      "Col2", [this] { return rt::Variant(Col2); }, [this](const rt::Variant& v) { Col2 = v.ToLong(); }, 0x40030002);
  DefineProperty(
      "Row", [this] { return rt::Variant(Row); }, [this](const rt::Variant& v) { Row = v.ToLong(); }, 0x40030003);
  DefineProperty(
      "Row2", [this] { return rt::Variant(Row2); }, [this](const rt::Variant& v) { Row2 = v.ToLong(); }, 0x40030004);
  DefineProperty(
      "iSheet", [this] { return rt::Variant(iSheet); }, [this](const rt::Variant& v) { iSheet = v.ToInteger(); },
      0x40030005);
  DefineProperty(
      "BackColor", [this] { return rt::Variant(BackColorValue()); },
      [this](const rt::Variant& v) { SetBackColorValue(v.ToLong()); }, PropertyId(0x01));
  DefineProperty(
      "Color", [this] { return rt::Variant(Color()); }, [this](const rt::Variant& v) { SetColor(v.ToLong()); },
      PropertyId(0x00));
  DefineMethod(
      "Timer",
      [this](com::Args& args) {
        Timer(com::RequiredArg(args, 0).ToBool());
        return rt::Variant();
      },
      MethodId(0x02));
  DefineMethod(
      "SetPosition",
      [this](com::Args& args) {
        SetPosition(com::RequiredArg(args, 0).ToLong(), com::RequiredArg(args, 1).ToLong(),
                    com::RequiredArg(args, 2).ToLong(), com::RequiredArg(args, 3).ToLong(),
                    com::RequiredArg(args, 4).ToBool());
        return rt::Variant();
      },
      MethodId(0x03));
}

int32_t SprSel::BackColorValue() const { return ColorValue(m_inner->FillColor()); }

void SprSel::SetBackColorValue(int32_t color) {
  if (color == -1) {
    m_inner->SetFillStyle(1);
    return;
  }
  m_inner->SetFillColor(static_cast<uint32_t>(color));
  m_inner->SetFillStyle(0);
}

int32_t SprSel::Color() const { return ColorValue(m_inner->BorderColor()); }

void SprSel::SetColor(int32_t color) {
  m_inner->SetFillStyle(1);
  m_inner->SetBorderColor(static_cast<uint32_t>(color));
  m_outer->SetBorderColor(static_cast<uint32_t>(color));
}

void SprSel::Timer(bool yn) {
  m_timer->SetEnabled(yn);
  m_inner->SetVisible(yn);
  m_outer->SetVisible(yn);
}

void SprSel::SetPosition(int32_t l, int32_t t, int32_t lW, int32_t lH, bool bIsFullSel) {
  const int32_t outerLeft = Checked(int64_t{l} - kGap);
  const int32_t outerTop = Checked(int64_t{t} - kGap);
  const int32_t innerHeight = Checked(int64_t{lH} + 2 * kGap);
  const int32_t innerWidth = Checked(int64_t{lW} + 2 * kGap);
  const int32_t outerWidth = Checked(int64_t{lW} + 4 * kGap);
  Checked(int64_t{innerHeight} + 2 * kGap);  // the outer height
  m_innerLeft = l;
  m_outerLeft = outerLeft;
  m_innerTop = t;
  m_outerTop = outerTop;
  m_innerHeight = innerHeight;
  m_innerWidth = innerWidth;
  m_outerWidth = outerWidth;
  m_fullSelection = bIsFullSel;
  PlaceShapes();
  NixShow = false;
}

void SprSel::PlaceShapes() {
  m_inner->Move(m_innerLeft, m_innerTop, m_innerWidth, m_innerHeight);
  m_outer->Move(m_outerLeft, m_outerTop, m_outerWidth, m_innerHeight + 2 * kGap);
}

void SprSel::Blink() {
  m_phase = m_phase == 0 ? 1 : 0;
  forms::Shape& now = Shp(m_phase);
  forms::Shape& other = Shp(m_phase == 0 ? 1 : 0);
  now.Move(m_innerLeft, now.Top(), m_innerWidth, now.Height());
  other.Move(m_outerLeft, other.Top(), m_outerWidth, other.Height());
}

void SprSel::Resize() {
  if (!m_fullSelection) return;
  if (Row == -1) m_innerHeight = Height() + 2 * kGap;
  if (Col == -1) {
    m_innerWidth = Width() + 2 * kGap;
    m_outerWidth = Width() + 4 * kGap;
  }
  PlaceShapes();
}

void SprSel::ReadProperties(const com::PropertyBag& /*bag*/) {
  // The design places of the outlines.
  m_innerLeft = m_innerTop = 15;
  m_innerWidth = 855;
  m_outerWidth = 885;
  m_innerHeight = 255;
}

}  // namespace kvctl2
