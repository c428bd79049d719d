#include "forms/controls/ComboBox.h"

#include <algorithm>
#include <utility>

#include "com/ControlFactory.h"
#include "forms/Constants.h"
#include "forms/ControlPainter.h"
#include "forms/Form.h"
#include "forms/Popup.h"
#include "gdi/Gdi.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "win/Input.h"
#include "win/InputRouting.h"
#include "win/Messages.h"
#include "win/Metrics.h"
#include "win/Window.h"

namespace forms {

namespace {
com::ControlRegistration<ComboBox> registration{"VB.ComboBox", "ComboBox", "XtremeSuiteControls.ComboBox"};
constexpr int kVisibleItems = 8;
constexpr uint32_t kF4 = win::VK_F1 + 3;
}  // namespace

// The open list: a pop-up below the combo box that follows the mouse and
// chooses on a click; it has the mouse, so a press outside closes it.
class ComboBox::DropDownList : public Popup {
 public:
  explicit DropDownList(ComboBox& owner)
      : m_owner(owner),
        m_scroll(ScrollHost::Client{[this] { return hWnd(); }, [this] { Invalidate(); }, [this] { Invalidate(); }}),
        m_list(m_scroll) {}
  ~DropDownList() override { m_scroll.Detach(); }

  ItemList& List() { return m_list; }

  void Show(int x, int y, int width) {
    m_list.Items() = m_owner.m_items;
    const int rows = std::clamp(static_cast<int>(m_owner.m_items.size()), 1, kVisibleItems);
    const int height = rows * ItemList::RowHeight(m_owner.Font()) + 2;
    Open(m_owner.hWnd(), x, y, width, height);
    m_list.Scroll().Attach();
    m_list.Arrange(gdi::RECT{1, 1, width - 1, height - 1}, m_owner.Font());
    m_list.SetSelected(m_owner.m_listIndex);
    win::SetCapture(hWnd());
  }

 protected:
  void Paint(gdi::HDC hdc, int width, int height) override {
    painter::DrawDropDownFrame(hdc, gdi::RECT{0, 0, width, height});
    m_list.Draw(hdc, 0, 0, m_owner.Font(), gdi::SysColor(gdi::COLOR_WINDOWTEXT), true, true);
  }

  bool OnMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam) override {
    const win::POINT p{win::GET_X_LPARAM(lParam), win::GET_Y_LPARAM(lParam)};
    const bool inside = p.x >= 0 && p.y >= 0 && p.x < Width() && p.y < Height();
    // The scroll bar works as if the list did not hold the mouse.
    if (msg >= win::WM_MOUSEMOVE && msg <= win::WM_MBUTTONDBLCLK) {
      if (win::HWND bar = m_list.Scroll().BarAt(p); bar != win::kNoWindow || m_barPressed != win::kNoWindow) {
        if (bar == win::kNoWindow) bar = m_barPressed;
        win::POINT local = p;
        win::ClientToScreen(hWnd(), &local);
        win::ScreenToClient(bar, &local);
        if (msg == win::WM_LBUTTONDOWN) m_barPressed = bar;
        if (msg == win::WM_LBUTTONUP) m_barPressed = win::kNoWindow;
        win::SendMessageA(bar, msg, wParam, win::MAKELPARAM(local.x, local.y));
        if (IsOpen() && win::GetCapture() != hWnd() && m_barPressed == win::kNoWindow) win::SetCapture(hWnd());
        return true;
      }
    }
    switch (msg) {
      case win::WM_MOUSEMOVE:
        if (const int item = m_list.ItemAt(p.x, p.y); item >= 0 && item != m_list.Selected()) {
          m_list.SetSelected(item);
          Invalidate();
        }
        return true;
      case win::WM_LBUTTONDOWN:
        if (!inside) m_owner.CloseUp();
        return true;
      case win::WM_LBUTTONUP:
        if (const int item = m_list.ItemAt(p.x, p.y); item >= 0) m_owner.Choose(item);
        return true;
      case win::WM_MOUSEWHEEL:
        m_list.Scroll().Wheel(static_cast<int16_t>(win::HIWORD(wParam)));
        return true;
      case win::WM_CAPTURECHANGED:
        return true;
      default:
        return false;
    }
  }

  void OnClosed() override { m_owner.Invalidate(); }

 private:
  ComboBox& m_owner;
  ScrollHost m_scroll;
  ItemList m_list;
  win::HWND m_barPressed = win::kNoWindow;
};

ComboBox::ComboBox() : StandardControl(0x80000008, 0x80000005) {
  DefineItemListMembers(*this);
  DefineProperty(
      "Text", [this] { return rt::Variant(Text()); }, [this](const rt::Variant& v) { SetText(v.ToString()); });
  DefineProperty(
      "Style", [this] { return rt::Variant(m_style); }, [this](const rt::Variant& v) { SetStyle(v.ToInteger()); });
  DefineProperty(
      "SelStart", [this] { return rt::Variant(SelStart()); },
      [this](const rt::Variant& v) { Select(v.ToLong(), 0); });
  DefineProperty(
      "SelLength", [this] { return rt::Variant(SelLength()); },
      [this](const rt::Variant& v) { Select(SelStart(), v.ToLong()); });
  DefineProperty(
      "Locked", [this] { return rt::Variant(Locked()); }, [this](const rt::Variant& v) { SetLocked(v.ToBool()); });
}

ComboBox::~ComboBox() = default;

std::string ComboBox::WindowClass() const { return ControlWindowClass("QvControlDbl", win::CS_DBLCLKS); }

void ComboBox::OnUnsited() { m_dropDown.reset(); }

void ComboBox::SetStyle(int16_t style) {
  if (style != cbDropDownCombo && style != cbDropDownList) rt::Raise(380, "ComboBox", "Invalid property value");
  m_style = style;
  Invalidate();
}

void ComboBox::CheckIndex(int32_t index) const {
  if (index < 0 || index >= ListCount()) rt::Raise(381, "ComboBox", "Invalid property array index");
}

void ComboBox::AddItem(std::string item, int32_t index) {
  if (index > ListCount() || index < -1) CheckIndex(index);
  const int32_t at = index < 0 ? ListCount() : index;
  m_items.insert(m_items.begin() + at, std::move(item));
  if (m_listIndex >= at) ++m_listIndex;
}

void ComboBox::RemoveItem(int32_t index) {
  CheckIndex(index);
  m_items.erase(m_items.begin() + index);
  if (m_listIndex == index)
    m_listIndex = -1;
  else if (m_listIndex > index)
    --m_listIndex;
}

void ComboBox::Clear() {
  CloseUp();
  m_items.clear();
  m_listIndex = -1;
  if (m_style == cbDropDownList) m_field.Buffer().SetText({});
  Edited(false);
}

const std::string& ComboBox::List(int32_t index) const {
  CheckIndex(index);
  return m_items[static_cast<size_t>(index)];
}

void ComboBox::SetList(int32_t index, std::string item) {
  CheckIndex(index);
  m_items[static_cast<size_t>(index)] = std::move(item);
  if (index == m_listIndex) m_field.Buffer().SetText(m_items[static_cast<size_t>(index)]);
  Edited(false);
}

void ComboBox::SetListIndex(int32_t index) {
  if (index != -1) CheckIndex(index);
  m_listIndex = index;
  const std::string text = index < 0 ? std::string() : m_items[static_cast<size_t>(index)];
  const bool changed = text != Text();
  m_field.Buffer().SetText(text);
  if (win::GetFocus() == hWnd()) m_field.Buffer().SelectAll();
  Edited(changed && m_style == cbDropDownCombo);
  RaiseEvent("Click");
}

int32_t ComboBox::ExactMatch(const std::string& text) const {
  for (size_t i = 0; i < m_items.size(); ++i) {
    if (rt::StrComp(m_items[i], text, rt::CompareMethod::Text) == 0) return static_cast<int32_t>(i);
  }
  return -1;
}

void ComboBox::SetText(std::string text) {
  const int32_t match = ExactMatch(text);
  if (m_style == cbDropDownList) {
    if (match < 0) rt::Raise(383, "ComboBox", "'Text' property is read-only");
    if (match != m_listIndex) SetListIndex(match);
    return;
  }
  m_listIndex = match;
  if (text == Text()) return;
  m_field.Buffer().SetText(std::move(text));
  Edited(true);
}

void ComboBox::Select(int32_t start, int32_t length) {
  m_field.Buffer().Select(static_cast<size_t>(std::max(0, start)), static_cast<size_t>(std::max(0, length)));
  Edited(false);
}

void ComboBox::Edited(bool changed) {
  m_field.View().Reset();
  const gdi::RECT text = TextRect();
  m_field.View().ScrollToCaret(m_field.Buffer(), Font(), text.right - text.left);
  Invalidate();
  if (changed) RaiseEvent("Change");
}

bool ComboBox::DroppedDown() const { return m_dropDown && m_dropDown->IsOpen(); }

int32_t ComboBox::HighlightedItem() const { return DroppedDown() ? m_dropDown->List().Selected() : -1; }

void ComboBox::DropDown() {
  if (DroppedDown() || !Enabled() || hWnd() == win::kNoWindow) return;
  RaiseEvent("DropDown");
  if (!m_dropDown) m_dropDown = std::make_unique<DropDownList>(*this);
  win::RECT rect;
  win::GetWindowRect(hWnd(), &rect);
  m_dropDown->Show(rect.left, rect.bottom, rect.right - rect.left);
  Invalidate();
}

void ComboBox::CloseUp() {
  if (m_dropDown) m_dropDown->Close();
  Invalidate();
}

void ComboBox::Choose(int32_t index) {
  CloseUp();
  if (index >= 0 && index != m_listIndex) SetListIndex(index);
}

gdi::RECT ComboBox::ButtonRect() const {
  const int button = win::GetSystemMetrics(win::SM_CXVSCROLL);
  return gdi::RECT{PixelWidth() - 2 - button, 2, PixelWidth() - 2, PixelHeight() - 2};
}

gdi::RECT ComboBox::TextRect() const { return gdi::RECT{4, 3, ButtonRect().left - 2, PixelHeight() - 3}; }

void ComboBox::KeyDown(int16_t& keyCode, int16_t shift) {
  StandardControl::KeyDown(keyCode, shift);
  if (keyCode == 0) return;
  const auto key = static_cast<uint32_t>(keyCode);
  const bool alt = (shift & com::vbAltMask) != 0;
  if (DroppedDown()) {
    ItemList& list = m_dropDown->List();
    if (key == win::VK_RETURN || (alt && key == win::VK_UP)) {
      Choose(list.Selected());
    } else if (key == win::VK_ESCAPE || key == kF4) {
      CloseUp();
    } else if (const int index = list.IndexForKey(key); index >= 0) {
      list.SetSelected(index);
      m_dropDown->Invalidate();
    } else {
      return;
    }
    keyCode = 0;
    return;
  }
  if (key == kF4 || (alt && key == win::VK_DOWN)) {
    DropDown();
    keyCode = 0;
    return;
  }
  if (key == win::VK_UP || key == win::VK_DOWN || key == win::VK_PRIOR || key == win::VK_NEXT ||
      (m_style == cbDropDownList && (key == win::VK_HOME || key == win::VK_END))) {
    if (ListCount() == 0) return;
    int32_t index = m_listIndex;
    if (key == win::VK_UP || key == win::VK_PRIOR) index = std::max(0, index - (key == win::VK_UP ? 1 : kVisibleItems));
    if (key == win::VK_DOWN || key == win::VK_NEXT)
      index = std::min(ListCount() - 1, index + (key == win::VK_DOWN ? 1 : kVisibleItems));
    if (key == win::VK_HOME) index = 0;
    if (key == win::VK_END) index = ListCount() - 1;
    if (index != m_listIndex) SetListIndex(index);
    keyCode = 0;
    return;
  }
  if (m_style == cbDropDownList) return;
  bool changed = false;
  if (!m_field.KeyDown(key, shift, changed)) return;
  if (changed) m_listIndex = ExactMatch(Text());
  Edited(changed);
}

void ComboBox::KeyPress(int16_t& keyAscii) {
  StandardControl::KeyPress(keyAscii);
  if (keyAscii == 0) return;
  const auto code = static_cast<char32_t>(static_cast<uint16_t>(keyAscii));
  if (m_style == cbDropDownList || DroppedDown()) {
    if (code < 32) return;
    if (DroppedDown()) {
      ItemList& list = m_dropDown->List();
      if (const int index = list.IndexForLetter(code); index >= 0) {
        list.SetSelected(index);
        m_dropDown->Invalidate();
      }
      return;
    }
    if (const int index = NextItemStartingWith(m_items, m_listIndex, code); index >= 0 && index != m_listIndex) {
      SetListIndex(index);
    }
    return;
  }
  bool changed = false;
  if (!m_field.KeyPress(keyAscii, changed)) return;
  if (changed) m_listIndex = ExactMatch(Text());
  Edited(changed);
}

void ComboBox::GotFocus() {
  m_field.FocusArrives();
  Edited(false);
  StandardControl::GotFocus();
}

void ComboBox::LostFocus() {
  CloseUp();
  StandardControl::LostFocus();
}

bool ComboBox::HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) {
  const int x = win::GET_X_LPARAM(lParam);
  const int y = win::GET_Y_LPARAM(lParam);
  result = 0;
  const gdi::RECT button = ButtonRect();
  const bool onButton = gdi::PtInRect(button, win::POINT{x, y});
  switch (msg) {
    case win::WM_CHAR:
      m_field.Typed(static_cast<char32_t>(wParam));
      return false;
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK: {
      m_field.TakingFocusByMouse(true);
      if (auto* form = dynamic_cast<Form*>(Container())) form->SetFocusTo(*this);
      m_field.TakingFocusByMouse(false);
      if (onButton || m_style == cbDropDownList) {
        if (DroppedDown())
          CloseUp();
        else
          DropDown();
      } else if (msg == win::WM_LBUTTONDBLCLK) {
        m_field.DoubleClick(x - TextRect().left, Font());
        Edited(false);
      } else {
        m_field.Press(x - TextRect().left, Font(), (wParam & win::MK_SHIFT) != 0);
        Edited(false);
      }
      return true;
    }
    case win::WM_LBUTTONUP:
      return true;
    case win::WM_MOUSEWHEEL:
      // The wheel steps through the items, as the keys do.
      if (!DroppedDown() && ListCount() > 0) {
        const int32_t step = static_cast<int16_t>(win::HIWORD(wParam)) > 0 ? -1 : 1;
        const int32_t index = std::clamp(m_listIndex + step, 0, ListCount() - 1);
        if (index != m_listIndex) SetListIndex(index);
      }
      return true;
    default:
      return false;
  }
}

void ComboBox::ReadProperties(const com::PropertyBag& bag) {
  StandardControl::ReadProperties(bag);
  m_style = bag.ReadProperty("Style", cbDropDownCombo).ToInteger();
  m_field.SetLocked(bag.ReadProperty("Locked", false).ToBool());
  m_field.Buffer().SetText(bag.ReadProperty("Text", "").ToString());
  m_field.View().Reset();
}

void ComboBox::WriteProperties(com::PropertyBag& bag) {
  StandardControl::WriteProperties(bag);
  bag.Remove("Caption");
  bag.WriteProperty("Style", m_style, cbDropDownCombo);
  bag.WriteProperty("Locked", Locked(), false);
  if (m_style == cbDropDownCombo) bag.WriteProperty("Text", Text(), "");
}

void ComboBox::Draw(gdi::HDC hdc, int x, int y) {
  const gdi::RECT rect{x, y, x + PixelWidth(), y + PixelHeight()};
  painter::DrawField(hdc, rect, BackColor(), Enabled());
  const bool focused = hWnd() != win::kNoWindow && win::GetFocus() == hWnd();
  gdi::RECT button = ButtonRect();
  gdi::OffsetRect(&button, x, y);
  painter::DrawDropButton(hdc, button, DroppedDown(), Enabled());
  gdi::RECT text = TextRect();
  gdi::OffsetRect(&text, x, y);
  if (m_style == cbDropDownCombo) {
    m_field.View().Draw(hdc, text, m_field.Buffer(), Font(), ForeColor(), Enabled(), focused && !DroppedDown());
    return;
  }
  // A drop-down list shows its item highlighted while it has the focus.
  gdi::RECT item{x + 2, y + 2, button.left, y + PixelHeight() - 2};
  uint32_t color = Enabled() ? ForeColor() : gdi::SysColor(gdi::COLOR_GRAYTEXT);
  if (focused && !DroppedDown()) {
    gdi::InflateRect(&item, -1, -1);
    painter::DrawSelection(hdc, item, true);
    painter::DrawFocusRect(hdc, item);
    color = gdi::SysColor(gdi::COLOR_HIGHLIGHTTEXT);
  }
  painter::DrawText(hdc, Text(), text, gdi::DT_LEFT | gdi::DT_VCENTER | gdi::DT_SINGLELINE | gdi::DT_NOPREFIX, Font(),
                    color, true);
}

}  // namespace forms
