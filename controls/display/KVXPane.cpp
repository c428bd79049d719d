#include "display/KVXPane.h"

#include "com/ControlFactory.h"
#include "gdi/Twips.h"
#include "services/CGradient.h"

namespace kvctl2 {

namespace {

com::ControlRegistration<KVXPane> registration{"Kvctl2.KVXPane", "KVXPane"};

// The working rectangle's distance from the edges (twips): 4 at the top
// left, 8 at the bottom right.
constexpr float kInset = 4;
constexpr float kFarInset = 8;

}  // namespace

KVXPane::KVXPane() {
  Surface().SetAutoRedraw(true);
  DeclareEvents({"KeyDown", "KeyPress", "KeyUp", "MouseDown", "MouseMove", "MouseUp", "Resize"});
  DefineMembers();
}

void KVXPane::DefineMembers() {
  DefineColor(
      "CrossColor1", [this] { return m_crossColor1; }, [this](uint32_t c) { SetCrossColor1(c); }, PropertyId(0x0E));
  DefineColor(
      "CrossColor2", [this] { return m_crossColor2; }, [this](uint32_t c) { SetCrossColor2(c); }, PropertyId(0x0D));
  DefineColor(
      "BackColor", [this] { return BackColor(); }, [this](uint32_t c) { SetBackColorProperty(c); }, PropertyId(0x0C));
  DefineProperty(
      "BorderStyle", [this] { return rt::Variant(BorderStyle()); },
      [this](const rt::Variant& v) { SetBorderStyle(v.ToLong()); }, PropertyId(0x0B));
  DefineDeviceContext(PropertyId(0x0A));
  DefineWindowHandle(PropertyId(0x09));
  DefinePointerMembers(PropertyId(0x08), PropertyId(0x07));
  // The surface's scale; a change is only marked.
  struct ScaleMember {
    const char* name;
    int id;
    double (gdi::DrawingSurface::*get)() const;
    void (gdi::DrawingSurface::*set)(double);
  };
  for (const ScaleMember& m :
       {ScaleMember{"ScaleHeight", 0x06, &gdi::DrawingSurface::ScaleHeight, &gdi::DrawingSurface::SetScaleHeight},
        ScaleMember{"ScaleLeft", 0x05, &gdi::DrawingSurface::ScaleLeft, &gdi::DrawingSurface::SetScaleLeft},
        ScaleMember{"ScaleTop", 0x04, &gdi::DrawingSurface::ScaleTop, &gdi::DrawingSurface::SetScaleTop},
        ScaleMember{"ScaleWidth", 0x03, &gdi::DrawingSurface::ScaleWidth, &gdi::DrawingSurface::SetScaleWidth}}) {
    DefineProperty(
        m.name, [this, m] { return rt::Variant((Surface().*m.get)()); },
        [this, m](const rt::Variant& v) {
          (Surface().*m.set)(v.ToDouble());
          PropertyChanged(m.name);
        },
        PropertyId(m.id));
  }
  DefineProperty(
      "Gradient", [this] { return rt::Variant(m_gradient); }, [this](const rt::Variant& v) { SetGradient(v.ToBool()); },
      PropertyId(0x02));
  DefineProperty(
      "GradientAngle", [this] { return rt::Variant(static_cast<double>(m_gradientAngle)); },
      [this](const rt::Variant& v) { SetGradientAngle(static_cast<float>(v.ToDouble())); }, PropertyId(0x01));
  DefineColor(
      "BackColor2", [this] { return m_backColor2; }, [this](uint32_t c) { SetBackColor2(c); }, PropertyId(0x00));
  DefineMethod(
      "ChangeColors",
      [this](com::Args& args) {
        ChangeColors(static_cast<uint32_t>(com::RequiredArg(args, 0).ToLong()),
                     static_cast<uint32_t>(com::RequiredArg(args, 1).ToLong()));
        return rt::Variant();
      },
      MethodId(0x1A));
  DefineProperty(
      "HeadLineDiff", [this] { return rt::Variant(m_headLineDiff); },
      [this](const rt::Variant& v) { SetHeadLineDiff(v.ToLong()); }, PropertyId(0x1B));
}

void KVXPane::SetCrossColor1(uint32_t color) {
  m_crossColor1 = color;
  PropertyChanged("CrossColor1");
  RedrawPane();
}

void KVXPane::SetCrossColor2(uint32_t color) {
  m_crossColor2 = color;
  PropertyChanged("CrossColor2");
  RedrawPane();
}

void KVXPane::SetBackColorProperty(uint32_t color) {
  SetBackColor(color);
  PropertyChanged("BackColor");
  RedrawPane();
}

int32_t KVXPane::BorderStyle() {
  const int32_t style = m_borderStyle;
  RedrawPane();
  return style;
}

void KVXPane::SetBorderStyle(int32_t style) {
  m_borderStyle = style;
  PropertyChanged("BorderStyle");
  RedrawPane();
}

void KVXPane::SetGradient(bool value) {
  m_gradient = value;
  PropertyChanged("Gradient");
  RedrawPane();
}

void KVXPane::SetGradientAngle(float value) {
  m_gradientAngle = value;
  PropertyChanged("GradientAngle");
  RedrawPane();
}

void KVXPane::SetBackColor2(uint32_t color) {
  m_backColor2 = color;
  PropertyChanged("BackColor2");
  RedrawPane();
}

void KVXPane::SetHeadLineDiff(int32_t value) {
  m_headLineDiff = value;
  PropertyChanged("HeadLineDiff");
  RedrawPane();
}

void KVXPane::ChangeColors(uint32_t backColor1, uint32_t backColor2) {
  SetBackColor(backColor1);
  m_backColor2 = backColor2;
  PropertyChanged("BackColor");
  PropertyChanged("BackColor2");
  RedrawPane();
}

void KVXPane::DrawRectangle(float l, float t, float r, float b, const uint32_t (&colors)[4]) {
  gdi::DrawingSurface& s = Surface();
  s.Line(l, t, r, t, colors[0]);
  s.Line(r, t, r, b, colors[1]);
  s.Line(l + 1, b, r + 1, b, colors[2]);
  s.Line(l, t, l, b, colors[3]);
}

void KVXPane::RedrawPane() {
  gdi::DrawingSurface& s = Surface();
  rt::ResumeNext([&] { s.Cls(); });
  if (m_gradient) {
    rt::ResumeNext([&] {
      CGradient painter;
      painter.SetAngle(m_gradientAngle);
      painter.SetColor1(BackColor());
      painter.SetColor2(m_backColor2);
      painter.Draw(Extender());
    });
  }
  if (m_borderStyle == static_cast<int32_t>(BorderType::None)) {
    Invalidate();
    return;
  }
  const auto width = static_cast<float>(Width());
  const auto height = static_cast<float>(Height());
  rt::ResumeNext([&] { s.Scale(0, 0, width, height); });
  float l = kInset, t = kInset, r = width - kFarInset, b = height - kFarInset;
  const uint32_t c1 = m_crossColor1, c2 = m_crossColor2;
  uint32_t edges[4] = {0, 0, 0, 0};  // top, right, bottom, left
  switch (static_cast<BorderType>(m_borderStyle)) {
    case BorderType::Flat:
      edges[0] = edges[1] = edges[2] = edges[3] = c1;
      break;
    case BorderType::Frame:
    case BorderType::Inset:
      edges[0] = 0x808080, edges[1] = 0xFFFFFF, edges[2] = 0xFFFFFF, edges[3] = 0x808080;
      break;
    case BorderType::Raised:
      edges[0] = 0xFFFFFF, edges[1] = 0x808080, edges[2] = 0x808080, edges[3] = 0xFFFFFF;
      break;
    case BorderType::HeadLines: {
      const float tpp = static_cast<float>(gdi::TwipsPerPixelY());
      float y = b / 2 - tpp + static_cast<float>(std::lround(m_headLineDiff * static_cast<double>(tpp)));
      rt::ResumeNext([&] { s.Line(250, y, r, y, c1); });
      y += tpp;
      rt::ResumeNext([&] { s.Line(250, y, r, y, c2); });
      Invalidate();
      return;
    }
    case BorderType::HeadLinesVert: {
      const float tpp = static_cast<float>(gdi::TwipsPerPixelX());
      const float d = static_cast<float>(std::lround(m_headLineDiff * static_cast<double>(tpp)));
      rt::ResumeNext([&] { s.Line(d, t, d, b, c1); });
      rt::ResumeNext([&] { s.Line(d + tpp, t, d + tpp, b, c2); });
      Invalidate();
      return;
    }
    default:
      break;
  }
  if (m_borderStyle > static_cast<int32_t>(BorderType::Raised)) {
    // The cross styles: hatching in the top-left corner, and for CrossFull
    // in the bottom-right one too. Styles beyond the enum draw CrossSingle.
    const float cx = r / 2, cy = b / 2;
    rt::ResumeNext([&] { s.Line(l, t + 150, cx - cx / 2, t + 150, c1); });
    rt::ResumeNext([&] { s.Line(l + 50, t + 190, cx - cx / 2 + 60, t + 190, c2); });
    rt::ResumeNext([&] { s.Line(l + 150, t + 50, l + 150, cy, c2); });
    rt::ResumeNext([&] { s.Line(l + 190, t, l + 190, cy - 60, c1); });
    if (m_borderStyle == static_cast<int32_t>(BorderType::CrossFull)) {
      rt::ResumeNext([&] { s.Line(cx + cx / 2 - 50, b - 200, r - 50, b - 200, c2); });
      rt::ResumeNext([&] { s.Line(cx + cx / 2, b - 150, r + 10, b - 150, c1); });
      rt::ResumeNext([&] { s.Line(r - 150, cy + 10, r - 150, b - 50, c2); });
      rt::ResumeNext([&] { s.Line(r - 200, cy + 70, r - 200, b + 10, c1); });
    }
    Invalidate();
    return;
  }
  rt::ResumeNext([&] { DrawRectangle(l, t, r, b, edges); });
  if (m_borderStyle == static_cast<int32_t>(BorderType::Frame)) {
    l += 15, r -= 15, t += 15, b -= 15;
    rt::ResumeNext([&] { DrawRectangle(l, t, r, b, {0xFFFFFF, 0x808080, 0x808080, 0xFFFFFF}); });
  }
  // The inner frame becomes the coordinate system of what the pane holds.
  rt::ResumeNext([&] {
    s.SetScaleLeft(l + 4);
    s.SetScaleWidth(r - 4);
    s.SetScaleTop(t + 4);
    s.SetScaleHeight(b - 4);
  });
  Invalidate();
}

void KVXPane::Resize() {
  RedrawPane();
  RaiseEvent("Resize");
}

void KVXPane::UserControl_MouseDown(int16_t button, int16_t shift, float x, float y) {
  RaiseMouseEvent("MouseDown", button, shift, x, y);
}

void KVXPane::UserControl_MouseMove(int16_t button, int16_t shift, float x, float y) {
  RaiseMouseEvent("MouseMove", button, shift, x, y);
}

void KVXPane::UserControl_MouseUp(int16_t button, int16_t shift, float x, float y) {
  RaiseMouseEvent("MouseUp", button, shift, x, y);
}

void KVXPane::InitProperties() {
  rt::ResumeNext([&] { SetCrossColor1(0x808080); });
  rt::ResumeNext([&] { SetCrossColor2(0xFFFFFF); });
  m_gradient = false;
  m_gradientAngle = 130;
  m_backColor2 = 0xFF;
  rt::ResumeNext([&] { SetBackColor(static_cast<uint32_t>(ContainerProperty("BackColor").ToLong())); });
}

void KVXPane::ReadProperties(const com::PropertyBag& bag) {
  gdi::DrawingSurface& s = Surface();
  auto step = [](auto&& f) { rt::ResumeNext(f); };
  step([&] { SetBackColor(static_cast<uint32_t>(bag.ReadProperty("BackColor", ColorValue(0x8000000F)).ToLong())); });
  step([&] { m_borderStyle = bag.ReadProperty("BorderStyle", 0).ToLong(); });
  step([&] { SetMousePointer(bag.ReadProperty("MousePointer", int16_t{0}).ToInteger()); });
  step([&] { SetMouseIcon(com::AsObject<com::StdPicture>(bag.ReadProperty("MouseIcon", com::Nothing()))); });
  step([&] { s.SetScaleHeight(bag.ReadProperty("ScaleHeight", 6300.0).ToDouble()); });
  step([&] { s.SetScaleLeft(bag.ReadProperty("ScaleLeft", 0.0).ToDouble()); });
  step([&] { s.SetScaleTop(bag.ReadProperty("ScaleTop", 0.0).ToDouble()); });
  step([&] { s.SetScaleWidth(bag.ReadProperty("ScaleWidth", 8025.0).ToDouble()); });
  step([&] { SetCrossColor1(static_cast<uint32_t>(bag.ReadProperty("CrossColor1", ColorValue(0x808080)).ToLong())); });
  step([&] { SetCrossColor2(static_cast<uint32_t>(bag.ReadProperty("CrossColor2", ColorValue(0xFFFFFF)).ToLong())); });
  step([&] { m_gradient = bag.ReadProperty("Gradient", false).ToBool(); });
  step([&] { m_gradientAngle = static_cast<float>(bag.ReadProperty("GradientAngle", 130.0).ToDouble()); });
  step([&] { m_headLineDiff = bag.ReadProperty("HeadLineDiff", 0).ToLong(); });
  step([&] { m_backColor2 = static_cast<uint32_t>(bag.ReadProperty("BackColor2", ColorValue(0xFF)).ToLong()); });
  RedrawPane();
}

void KVXPane::WriteProperties(com::PropertyBag& bag) {
  const gdi::DrawingSurface& s = Surface();
  bag.WriteProperty("BackColor", ColorValue(BackColor()), ColorValue(0x8000000F));
  bag.WriteProperty("BorderStyle", m_borderStyle, 0);
  bag.WriteProperty("MousePointer", MousePointer(), int16_t{0});
  bag.WriteProperty("MouseIcon", com::ToVariant(MouseIcon()), com::Nothing());
  bag.WriteProperty("ScaleHeight", s.ScaleHeight(), 6300.0);
  bag.WriteProperty("ScaleLeft", s.ScaleLeft(), 0.0);
  bag.WriteProperty("ScaleTop", s.ScaleTop(), 0.0);
  bag.WriteProperty("ScaleWidth", s.ScaleWidth(), 8025.0);
  bag.WriteProperty("CrossColor1", ColorValue(m_crossColor1), ColorValue(0x808080));
  bag.WriteProperty("CrossColor2", ColorValue(m_crossColor2), ColorValue(0xFFFFFF));
  bag.WriteProperty("Gradient", m_gradient, false);
  bag.WriteProperty("GradientAngle", static_cast<double>(m_gradientAngle), 130.0);
  bag.WriteProperty("HeadLineDiff", m_headLineDiff, 0);
  bag.WriteProperty("BackColor2", ColorValue(m_backColor2), ColorValue(0xFF));
}

}  // namespace kvctl2
