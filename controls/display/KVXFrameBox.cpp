#include "display/KVXFrameBox.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "com/ControlFactory.h"
#include "forms/CommandButton.h"
#include "forms/controls/ScrollBar.h"

namespace kvctl2 {

namespace {

com::ControlRegistration<KVXFrameBox> registration{"Kvctl2.KVXFrameBox", "KVXFrameBox"};

// The column's bottom margin (twips) in every test and placement.
constexpr int32_t kMargin = 80;
constexpr int32_t kBarWidth = 240;
constexpr int32_t kSmallChange = 2000;
constexpr int32_t kLargeChange = 4000;
constexpr int32_t kBarUnits = std::numeric_limits<int16_t>::max();

// A member of a contained control, read and written late-bound; raises
// when the control has no such member.
int32_t ReadMember(const com::ControlPtr& c, const char* name) { return c->Get(name).ToLong(); }
void WriteMember(const com::ControlPtr& c, const char* name, int64_t value) {
  c->Let(name, static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                        std::numeric_limits<int32_t>::max())));
}
int64_t Bottom(const com::ControlPtr& c) { return int64_t{ReadMember(c, "Top")} + ReadMember(c, "Height"); }

int32_t Clamp32(int64_t value) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace

KVXFrameBox::KVXFrameBox() {
  m_backgroundImage = com::StdPicture::CreateEmpty();
  m_scroll = std::make_shared<forms::VScrollBar>();
  m_scroll->SetVisible(false);
  m_scroll->SetSmallChange(kSmallChange);
  m_scroll->SetLargeChange(kLargeChange);
  m_scroll->Move(3360, 0, kBarWidth, 5535);
  m_focusWeg = std::make_shared<forms::CommandButton>();
  m_focusWeg->Move(-250, 0, 75, 255);
  m_focusWeg->SetTabIndex(1);
  m_focusWeg->SetTabStop(false);
  AddConstituent(m_scroll, "XPScroll");
  AddConstituent(m_focusWeg, "FocusWeg");
  auto move = [this](com::Args&) { MoveControls(ScrollOffset()); };
  m_scroll->Events().Connect("Change", move);
  m_scroll->Events().Connect("Scroll", move);
  // The bar never keeps the focus, so it never shows a focus mark.
  m_scroll->Events().Connect("GotFocus", [this](com::Args&) { rt::ResumeNext([&] { m_focusWeg->Call("SetFocus"); }); });
  DeclareEvents({"ScrollVisible", "Resize"});
  DefineMembers();
}

void KVXFrameBox::DefineMembers() {
  DefineMethod(
      "CtrlRefresh",
      [this](com::Args& args) {
        CtrlRefresh(com::RequiredArg(args, 0).ToLong());
        return rt::Variant();
      },
      MethodId(0x0C));
  DefineAction(
      "XPBarScrollCheck", [this] { XPBarScrollCheck(); }, MethodId(0x0F));
  DefineProperty(
      "BackColor", [this] { return rt::Variant(ColorValue(BackColor())); },
      [this](const rt::Variant& v) {
        SetBackColor(static_cast<uint32_t>(v.ToLong()));
        PropertyChanged("BackColor");
      },
      PropertyId(0x0A));
  DefineProperty(
      "AutoFrameAlign", [this] { return rt::Variant(m_autoFrameAlign); },
      [this](const rt::Variant& v) { SetAutoFrameAlign(v.ToBool()); }, PropertyId(0x09));
  DefineProperty(
      "ScrollValue", [this] { return rt::Variant(ScrollValue()); },
      [this](const rt::Variant& v) { SetScrollValue(v.ToInteger()); }, PropertyId(0x08));
  DefineProperty(
      "Enabled", [this] { return rt::Variant(Enabled()); },
      [this](const rt::Variant& v) {
        SetEnabled(v.ToBool());
        PropertyChanged("Enabled");
      },
      PropertyId(0x07));
  DefineProperty(
      "ScrollVisible", [this] { return rt::Variant(m_scrollVisible); },
      [this](const rt::Variant& v) { SetScrollVisible(v.ToBool()); }, PropertyId(0x06));
  DefineObject<com::StdPicture>(
      "BackgroundImage", [this] { return m_backgroundImage; },
      [this](com::StdPicturePtr p) { SetBackgroundImage(std::move(p)); }, PropertyId(0x05));
  DefineProperty(
      "BackgroundImageStyle", [this] { return rt::Variant(m_backgroundImageStyle); },
      [this](const rt::Variant& v) { SetBackgroundImageStyle(static_cast<uint8_t>(v.ToInteger())); }, PropertyId(0x04));
  DefineProperty(
      "FrameDistance", [this] { return rt::Variant(m_frameDistance); },
      [this](const rt::Variant& v) { SetFrameDistance(v.ToInteger()); }, PropertyId(0x03));
  DefineProperty(
      "AutoIndent", [this] { return rt::Variant(m_autoIndent); },
      [this](const rt::Variant& v) { SetAutoIndent(v.ToBool()); }, PropertyId(0x02));
  DefineProperty(
      "ScrollBarAlways", [this] { return rt::Variant(m_scrollBarAlways); },
      [this](const rt::Variant& v) { SetScrollBarAlways(v.ToBool()); }, PropertyId(0x01));
  DefineProperty(
      "ScrollBarTop", [this] { return rt::Variant(m_scrollBarTop); },
      [this](const rt::Variant& v) { SetScrollBarTop(v.ToLong()); }, PropertyId(0x00));
}

com::ControlPtr KVXFrameBox::RowControl(size_t row) const {
  const auto& items = ContainedControls();
  if (row >= m_order.size() || m_order[row].index >= static_cast<int>(items.size())) return nullptr;
  return items[static_cast<size_t>(m_order[row].index)];
}

std::vector<int> KVXFrameBox::Order() const {
  std::vector<int> order;
  for (const Row& r : m_order) order.push_back(r.index);
  return order;
}

int32_t KVXFrameBox::ScrollOffset() const { return m_scroll->Value() * m_unit; }

void KVXFrameBox::SetScrollRange(int32_t twips) {
  // The offset the column shows now, kept through a change of the unit.
  const int32_t offset = ScrollOffset();
  m_unit = std::max<int32_t>(1, (twips + kBarUnits - 1) / kBarUnits);
  m_scroll->SetSmallChange(static_cast<int16_t>(std::max<int32_t>(1, kSmallChange / m_unit)));
  m_scroll->SetLargeChange(static_cast<int16_t>(std::max<int32_t>(1, kLargeChange / m_unit)));
  const auto max = static_cast<int16_t>(UnitsUp(std::max(0, twips)));
  const auto value = static_cast<int16_t>(std::clamp<int64_t>(UnitsNearest(offset), m_scroll->Min(), max));
  // Value and range change in the order that keeps the value inside the
  // range throughout; the bar's Change moves the column by what the new
  // unit's rounding or a shorter range takes away.
  if (max >= m_scroll->Max()) m_scroll->SetMax(max);
  m_scroll->SetValue(value);
  m_scroll->SetMax(max);
}

void KVXFrameBox::SetScrollOffset(int32_t twips) {
  const int64_t units = UnitsUp(twips);
  if (units < std::numeric_limits<int16_t>::min() || units > kBarUnits) {
    rt::Raise(com::errInvalidPropertyValue, ClassName(), "Invalid property value");
  }
  m_scroll->SetValue(static_cast<int16_t>(units));
}

void KVXFrameBox::PaintHandler() {
  const auto& items = ContainedControls();
  const auto n = static_cast<int32_t>(items.size());
  if (n == m_count || n < 1) return;
  m_count = n;
  if (m_autoFrameAlign && n > 1) {
    rt::ResumeNext([&] {
      const com::ControlPtr& first = items[0];
      if (ReadMember(first, "Left") == 0 && ReadMember(first, "Top") == 0) {
        WriteMember(first, "Top", int64_t{Height()} - ReadMember(first, "Height") - kMargin);
      }
    });
  }
  // The order by Top; a control without Top stays out of the column.
  m_order.clear();
  for (int i = 0; i < n; ++i) {
    rt::ResumeNext([&] { m_order.push_back(Row{i, ReadMember(items[static_cast<size_t>(i)], "Top")}); });
  }
  if (!m_order.empty()) SortByTop(0, static_cast<int>(m_order.size()) - 1);
  bool tall = false;
  rt::ResumeNext([&] {
    const com::ControlPtr last = RowControl(m_order.size() - 1);
    if (!last) rt::Raise(9, ClassName());
    tall = Bottom(last) + kMargin > ScaleHeight();
  });
  SetScrollVisible(tall);
  if (tall) XPBarScrollCheck();
  if (m_autoFrameAlign || UserMode()) {
    CtrlRefresh(-1);
    Surface().SetAutoRedraw(true);
    PaintBackground();
  }
}

void KVXFrameBox::SortByTop(int first, int last) {
  const int32_t pivot = m_order[static_cast<size_t>(std::nearbyint((first + last) / 2.0))].top;
  int i = first, j = last;
  do {
    while (m_order[static_cast<size_t>(i)].top < pivot) ++i;
    while (m_order[static_cast<size_t>(j)].top > pivot) --j;
    if (i <= j) {
      std::swap(m_order[static_cast<size_t>(i)], m_order[static_cast<size_t>(j)]);
      ++i;
      --j;
    }
  } while (i <= j);
  if (first < j) SortByTop(first, j);
  if (i < last) SortByTop(i, last);
}

void KVXFrameBox::CtrlRefresh(int32_t lhWnd) {
  int target = -1;
  const size_t n = ContainedControls().size();
  for (size_t k = 0; k + 1 < n; ++k) {
    const com::ControlPtr current = RowControl(k);
    const com::ControlPtr next = RowControl(k + 1);
    const com::ControlPtr first = RowControl(0);
    if (!current || !next || !first) continue;
    rt::ResumeNext([&] { WriteMember(next, "Top", Bottom(current) + m_frameDistance); });
    rt::ResumeNext([&] { WriteMember(next, "Left", ReadMember(first, "Left")); });
    rt::ResumeNext([&] {
      if (ReadMember(next, "hWnd") == lhWnd) target = m_order[k + 1].index;
    });
  }
  XPBarScrollCheck();
  if (!m_scrollVisible || target == -1) return;
  rt::ResumeNext([&] {
    const com::ControlPtr shown = ContainedControls().at(static_cast<size_t>(target));
    const int32_t needed = Clamp32(Bottom(shown) - static_cast<int64_t>(ScaleHeight()) + ScrollOffset() + kMargin);
    // Only downwards: the bottom of the target and the margin come into view.
    if (-int64_t{needed} < ReadMember(RowControl(0), "Top")) SetScrollOffset(needed);
  });
}

void KVXFrameBox::XPBarScrollCheck() {
  int32_t bottom = 0;
  rt::ResumeNext([&] {
    const com::ControlPtr last = m_order.empty() ? nullptr : RowControl(m_order.size() - 1);
    if (!last) rt::Raise(9, ClassName());
    bottom = Clamp32(Bottom(last) + ScrollOffset() + kMargin);
  });
  const auto& items = ContainedControls();
  auto widen = [&](int32_t by) {
    for (const auto& c : items) rt::ResumeNext([&] { WriteMember(c, "Width", int64_t{ReadMember(c, "Width")} + by); });
  };
  // AutoIndent narrows the column once while the bar is needed and widens
  // it back only after it narrowed it, whichever way the bar was shown.
  if (ScaleHeight() <= bottom) {
    if (!m_scrollVisible) rt::ResumeNext([&] { SetScrollOffset(0); });
    if (m_autoIndent && !m_indented) {
      widen(-100);
      m_indented = true;
    }
    if (!m_scrollVisible) SetScrollVisible(true);
    rt::ResumeNext([&] { SetScrollRange(Clamp32(bottom - static_cast<int64_t>(ScaleHeight()))); });
  } else {
    if (m_indented) {
      widen(100);
      m_indented = false;
    }
    if (m_scrollVisible) {
      SetScrollVisible(false);
      rt::ResumeNext([&] { SetScrollOffset(0); });
    }
  }
}

void KVXFrameBox::MoveControls(int32_t newValue) {
  const int64_t delta = int64_t{newValue} - m_lastScroll;
  for (const auto& c : ContainedControls()) {
    rt::ResumeNext([&] { WriteMember(c, "Top", ReadMember(c, "Top") - delta); });
  }
  m_lastScroll = newValue;
}

void KVXFrameBox::PaintBackground() {
  rt::ResumeNext([&] {
    if (!m_backgroundImage) {
      SetPicture(nullptr);
      return;
    }
    if (m_backgroundImageStyle == kvstandard) {
      SetPicture(m_backgroundImage);
      return;
    }
    gdi::DrawingSurface& s = Surface();
    const auto w =
        static_cast<int32_t>(std::lround(s.ScaleX(m_backgroundImage->Width(), gdi::vbHimetric, gdi::vbTwips)));
    const auto h =
        static_cast<int32_t>(std::lround(s.ScaleY(m_backgroundImage->Height(), gdi::vbHimetric, gdi::vbTwips)));
    // An empty picture has no size to step by.
    if (w <= 0 || h <= 0) return;
    for (int32_t x = 1; x <= Width(); x += w) {
      for (int32_t y = 1; y <= Height(); y += h) {
        if (m_backgroundImage->Type() == com::vbPicTypeIcon)
          s.PaintPicture(m_backgroundImage->Icon(), x, y);
        else
          s.PaintPicture(m_backgroundImage->Bitmap(), x, y);
      }
    }
    Invalidate();
  });
}

void KVXFrameBox::SetAutoFrameAlign(bool value) {
  m_autoFrameAlign = value;
  if (value) {
    m_count = 0;
    PaintHandler();
  }
  PropertyChanged("AutoFrameAlign");
}

int16_t KVXFrameBox::ScrollValue() const {
  return static_cast<int16_t>(std::clamp<int32_t>(ScrollOffset(), INT16_MIN, INT16_MAX));
}

void KVXFrameBox::SetScrollValue(int16_t value) {
  rt::ResumeNext([&] {
    int64_t twips = std::max<int64_t>(value, int64_t{m_scroll->Min()} * m_unit);
    rt::ResumeNext([&] {
      const com::ControlPtr last = m_order.empty() ? nullptr : RowControl(m_order.size() - 1);
      if (!last) rt::Raise(9, ClassName());
      twips = std::min<int64_t>(twips, Bottom(last));
    });
    SetScrollOffset(Clamp32(twips));
  });
  PropertyChanged("ScrollValue");
}

void KVXFrameBox::SetScrollVisible(bool value) {
  PropertyChanged("ScrollVisible");
  m_scroll->SetEnabled(value);
  m_scrollVisible = m_scrollBarAlways ? true : value;
  m_scroll->SetVisible(m_scrollVisible);
  // The handler sees the stored flag and may change it.
  com::Args args{m_scrollVisible};
  RaiseEvent("ScrollVisible", args);
  m_scrollVisible = args[0].ToBool();
}

void KVXFrameBox::SetBackgroundImage(com::StdPicturePtr picture) {
  m_backgroundImage = std::move(picture);
  PropertyChanged("BackgroundImage");
  PaintBackground();
}

void KVXFrameBox::SetBackgroundImageStyle(uint8_t style) {
  m_backgroundImageStyle = style;
  PropertyChanged("BackgroundImageStyle");
  PaintBackground();
}

void KVXFrameBox::SetFrameDistance(int16_t value) {
  m_frameDistance = value;
  PropertyChanged("FrameDistance");
  CtrlRefresh(-1);
}

void KVXFrameBox::SetAutoIndent(bool value) {
  m_autoIndent = value;
  PropertyChanged("AutoIndent");
}

void KVXFrameBox::SetScrollBarAlways(bool value) {
  m_scrollBarAlways = value;
  PropertyChanged("ScrollBarAlways");
  m_count = -1;
  PaintHandler();
}

void KVXFrameBox::SetScrollBarTop(int32_t value) {
  m_scrollBarTop = value;
  PropertyChanged("ScrollBarTop");
  m_scroll->SetTop(value);
  Resize();
}

void KVXFrameBox::Resize() {
  rt::ResumeNext([&] { m_scroll->SetHeight(Height() - m_scrollBarTop); });
  rt::ResumeNext([&] { m_scroll->SetLeft(Width() - kBarWidth); });
  if (m_backgroundImage) PaintBackground();
  XPBarScrollCheck();
  RaiseEvent("Resize");
}

void KVXFrameBox::Show() {
  if (m_scroll->Value() >= 1) SetScrollValue(0);
  // The first paint after loading builds the column.
  PaintHandler();
}

void KVXFrameBox::InitProperties() {
  m_autoFrameAlign = true;
  m_scrollVisible = false;
  m_backgroundImage = com::StdPicture::CreateEmpty();
  m_backgroundImageStyle = kvstandard;
  m_frameDistance = 255;
  m_autoIndent = true;
  m_scrollBarTop = 0;
  m_scrollBarAlways = false;
}

void KVXFrameBox::ReadProperties(const com::PropertyBag& bag) {
  SetBackColor(static_cast<uint32_t>(bag.ReadProperty("BackColor", ColorValue(0x8000000F)).ToLong()));
  SetEnabled(bag.ReadProperty("Enabled", true).ToBool());
  m_autoFrameAlign = bag.ReadProperty("AutoFrameAlign", true).ToBool();
  SetScrollOffset(std::max<int16_t>(0, bag.ReadProperty("ScrollValue", int16_t{0}).ToInteger()));
  m_scrollVisible = bag.ReadProperty("ScrollVisible", false).ToBool();
  m_backgroundImage = com::AsObject<com::StdPicture>(bag.ReadProperty("BackgroundImage", com::Nothing()));
  m_backgroundImageStyle =
      static_cast<uint8_t>(bag.ReadProperty("BackgroundImageStyle", uint8_t{kvstandard}).ToInteger());
  m_frameDistance = bag.ReadProperty("FrameDistance", int16_t{255}).ToInteger();
  m_autoIndent = bag.ReadProperty("AutoIndent", true).ToBool();
  m_scrollBarAlways = bag.ReadProperty("ScrollBarAlways", false).ToBool();
  m_scrollBarTop = bag.ReadProperty("ScrollBarTop", 0).ToLong();
  m_scroll->SetTop(m_scrollBarTop);
}

void KVXFrameBox::WriteProperties(com::PropertyBag& bag) {
  bag.WriteProperty("BackColor", ColorValue(BackColor()), ColorValue(0x8000000F));
  bag.WriteProperty("Enabled", Enabled(), true);
  bag.WriteProperty("AutoFrameAlign", m_autoFrameAlign, true);
  bag.WriteProperty("ScrollValue", ScrollValue(), int16_t{0});
  bag.WriteProperty("ScrollVisible", m_scrollVisible, false);
  bag.WriteProperty("BackgroundImage", com::ToVariant(m_backgroundImage), com::Nothing());
  bag.WriteProperty("BackgroundImageStyle", m_backgroundImageStyle, uint8_t{kvstandard});
  bag.WriteProperty("FrameDistance", m_frameDistance, int16_t{255});
  bag.WriteProperty("AutoIndent", m_autoIndent, true);
  bag.WriteProperty("ScrollBarAlways", m_scrollBarAlways, false);
  bag.WriteProperty("ScrollBarTop", m_scrollBarTop, 0);
}

}  // namespace kvctl2
