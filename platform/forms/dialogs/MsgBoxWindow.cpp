#include "forms/dialogs/MsgBoxWindow.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "forms/AccessKeys.h"
#include "forms/ControlPainter.h"
#include "forms/Image.h"
#include "forms/MsgBox.h"
#include "forms/TitleRoom.h"
#include "forms/dialogs/MsgBoxIcon.h"
#include "gdi/Twips.h"
#include "win/Menu.h"
#include "win/Metrics.h"
#include "win/Window.h"

namespace forms {

namespace {

// The layout in pixels at 96 dots per inch, scaled to the display.
constexpr int kMargin = 12;  // from the client edges
constexpr int kIconSize = 32;
constexpr int kIconGap = 12;        // between icon and text
constexpr int kMaxTextWidth = 440;  // longer lines wrap
constexpr int kTextToButtons = 18;
constexpr int kButtonHeight = 23;
constexpr int kButtonMinWidth = 75;
constexpr int kButtonPadding = 12;  // each side of the widest caption
constexpr int kButtonGap = 6;

int Px(int pixelsAt96) { return gdi::TwipsToPixelsX(pixelsAt96 * gdi::kTwipsPerPixelX); }
int Tw(int pixels) { return gdi::PixelsToTwipsX(pixels); }

// Whether the user's locale (LC_ALL, LC_MESSAGES, LANG: the first set)
// is a German one.
bool GermanDesktop() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return std::string_view(value).starts_with("de");
  }
  return false;
}

// The work area of the monitor that most of `rect` (pixels) lies on.
win::RECT WorkAreaAround(const win::RECT& rect) {
  win::MONITORINFO info;
  win::GetMonitorInfoA(win::MonitorFromRect(&rect, win::MONITOR_DEFAULTTOPRIMARY), &info);
  return info.rcWork;
}

// Where the box is centred: the window of the active form, its frame
// included, while it shows; nullopt when there is none.
std::optional<win::RECT> ActiveFormRect() {
  const Form* active = Form::ActiveForm();
  if (!active || !active->Visible() || active->WindowState() == vbMinimized) return std::nullopt;
  win::RECT rect;
  win::GetWindowRect(active->hWnd(), &rect);
  // A form docked in another one has no frame of its own.
  if ((static_cast<uint32_t>(win::GetWindowLongA(active->hWnd(), win::GWL_STYLE)) & win::WS_CHILD) == 0) {
    const NonClientSize frame = FrameOf(active->BorderStyle());
    rect = win::RECT{rect.left - frame.border, rect.top - frame.border - frame.caption, rect.right + frame.border,
                     rect.bottom + frame.border};
  }
  return rect;
}

}  // namespace

com::StdFontPtr MessageFont() { return com::StdFont::Create("Segoe UI", 9); }

std::string MsgBoxButtonCaption(int32_t result) {
  struct Caption {
    int32_t result;
    const char* english;
    const char* german;
  };
  static constexpr Caption kCaptions[] = {
      {vbOK, "OK", "OK"},
      {vbCancel, "Cancel", "Abbrechen"},
      {vbAbort, "&Abort", "&Abbrechen"},
      {vbRetry, "&Retry", "&Wiederholen"},
      {vbIgnore, "&Ignore", "&Ignorieren"},
      {vbYes, "&Yes", "&Ja"},
      {vbNo, "&No", "&Nein"},
  };
  const bool german = GermanDesktop();
  for (const Caption& c : kCaptions) {
    if (c.result == result) return german ? c.german : c.english;
  }
  return {};
}

MsgBoxWindow::MsgBoxWindow(std::string prompt, int32_t buttons, std::string title)
    : Form("frmMsgBox"),
      m_prompt(std::move(prompt)),
      m_buttons(buttons),
      m_results(MsgBoxButtons(buttons)),
      m_result(MsgBoxEscapeResult(buttons)) {
  SetCaption(std::move(title));
  SetBorderStyle(vbFixedDialog);
  SetMinButton(false);
  SetMaxButton(false);
  // Access keys answer the box without Alt too.
  SetKeyPreview(true);
  SetFont(MessageFont());
  OnControlEvent("cmdButton", "Click",
                 [this](int16_t index, com::Args&) { Answer(m_results.at(static_cast<size_t>(index))); });
}

std::shared_ptr<CommandButton> MsgBoxWindow::Button(int32_t result) const {
  const auto at = std::ranges::find(m_results, result);
  if (at == m_results.end()) return nullptr;
  return Get<CommandButton>("cmdButton", static_cast<int16_t>(at - m_results.begin()));
}

void MsgBoxWindow::Form_Load() {
  if (auto icon = MsgBoxIcon(m_buttons, Px(kIconSize))) {
    auto image = std::static_pointer_cast<Image>(AddControl("VB.Image", "imgIcon"));
    image->SetPicture(std::move(icon));
    image->SetVisible(true);
  }
  auto prompt = std::static_pointer_cast<Label>(AddControl("VB.Label", "lblPrompt"));
  prompt->SetUseMnemonic(false);
  prompt->SetWordWrap(true);
  prompt->SetBackStyle(vbTransparent);
  prompt->SetAlignment((m_buttons & vbMsgBoxRight) != 0 ? vbRightJustify : vbLeftJustify);
  prompt->SetCaption(m_prompt);
  // After the buttons, so that their access keys come first.
  prompt->SetTabIndex(static_cast<int16_t>(m_results.size()));
  prompt->SetVisible(true);
  AddButtons();
  Arrange();
  PlaceOnScreen();
  if (MsgBoxEscapeResult(m_buttons) == 0) {
    // Only a button ends this box: no Close in its menu, no close box.
    const win::HMENU menu = win::GetSystemMenu(hWnd(), win::FALSE);
    win::RemoveMenu(menu, win::SC_CLOSE, win::MF_BYCOMMAND);
    const int count = win::GetMenuItemCount(menu);
    if (count > 0 && win::GetMenuItemID(menu, count - 1) == 0) {
      win::RemoveMenu(menu, static_cast<uint32_t>(count - 1), win::MF_BYPOSITION);
    }
    win::DrawMenuBar(hWnd());
  }
  if ((m_buttons & vbSystemModal) != 0) {
    win::SetWindowPos(hWnd(), win::HWND_TOPMOST, 0, 0, 0, 0, win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_NOACTIVATE);
  }
}

void MsgBoxWindow::AddButtons() {
  const int count = static_cast<int>(m_results.size());
  // vbDefaultButton1..4; one the style does not have means the first.
  int defaultIndex = (m_buttons >> 8) & 0x3;
  if (defaultIndex >= count) defaultIndex = 0;
  const int32_t escape = MsgBoxEscapeResult(m_buttons);
  for (int i = 0; i < count; ++i) {
    const int32_t result = m_results[static_cast<size_t>(i)];
    auto button =
        std::static_pointer_cast<CommandButton>(AddControl("VB.CommandButton", "cmdButton", static_cast<int16_t>(i)));
    button->SetCaption(MsgBoxButtonCaption(result));
    button->SetDefault(i == defaultIndex);
    button->SetCancel(result == escape);
    // Tab order from the default button on, so that it has the focus.
    button->SetTabIndex(static_cast<int16_t>((i - defaultIndex + count) % count));
    button->SetVisible(true);
  }
}

// Sizes the box to its text, its buttons and its title, and places them.
void MsgBoxWindow::Arrange() {
  const com::StdFontPtr font = Font();
  const win::RECT work = WorkAreaAround(ActiveFormRect().value_or(win::RECT{}));
  const NonClientSize frame = FrameOf(BorderStyle());
  // The most the client area can take of the work area.
  const int widest = std::max(Px(kMaxTextWidth), static_cast<int>(work.right - work.left) - 2 * frame.border);
  const int tallest = static_cast<int>(work.bottom - work.top) - 2 * frame.border - frame.caption;

  int captionWidth = 0;
  for (int32_t result : m_results) {
    captionWidth = std::max(captionWidth, painter::MeasureText(MsgBoxButtonCaption(result), font, 0, true).cx);
  }
  const int buttonWidth = std::max(Px(kButtonMinWidth), captionWidth + 2 * Px(kButtonPadding));
  // Tall enough for a line of the font inside the focus rectangle.
  const int focusInset = painter::ButtonFocusRect(gdi::RECT{0, 0, 100, 100}, true).top + 1;
  const int buttonHeight = std::max(Px(kButtonHeight), painter::LineHeight(font) + 2 * focusInset);
  const int count = static_cast<int>(m_results.size());
  const int rowWidth = count * buttonWidth + (count - 1) * Px(kButtonGap);

  const bool hasIcon = HasControl("imgIcon");
  const int textLeft = Px(kMargin) + (hasIcon ? Px(kIconSize) + Px(kIconGap) : 0);
  const int textRoomWidth = widest - textLeft - Px(kMargin);
  const int textRoomHeight = tallest - 2 * Px(kMargin) - Px(kTextToButtons) - buttonHeight;
  // As wide as its longest line up to the maximum width. A word longer
  // than that widens it, and so does a text too tall for the screen, as
  // far as the screen allows.
  const int longestLine = painter::MeasureText(m_prompt, font, 0, false).cx;
  int textWidth = std::min({longestLine, Px(kMaxTextWidth), textRoomWidth});
  const gdi::SIZE wrapped = painter::MeasureText(m_prompt, font, textWidth, false);
  textWidth = wrapped.cy > textRoomHeight ? std::min(longestLine, textRoomWidth)
                                          : std::min(std::max(textWidth, wrapped.cx), textRoomWidth);

  const int titleWidth = WidthForTitle(Caption(), font);

  const int clientWidth =
      std::min(std::max({textLeft + textWidth + Px(kMargin), rowWidth + 2 * Px(kMargin), titleWidth}), widest);
  // The text takes the width the box has; measured there, its height. The
  // lines the screen has no room for are cut off, so that the buttons stay
  // on it.
  const int labelWidth = clientWidth - textLeft - Px(kMargin);
  int textHeight = painter::MeasureText(m_prompt, font, labelWidth, false).cy;
  if (textHeight > textRoomHeight) textHeight = textRoomHeight - textRoomHeight % painter::LineHeight(font);
  const int contentHeight = std::max(hasIcon ? Px(kIconSize) : 0, textHeight);
  // A text lower than the icon stands at its middle.
  const int textTop = Px(kMargin) + (hasIcon && textHeight < Px(kIconSize) ? (Px(kIconSize) - textHeight) / 2 : 0);
  const int buttonsTop = Px(kMargin) + contentHeight + Px(kTextToButtons);

  if (hasIcon) Control("imgIcon")->Move(Tw(Px(kMargin)), Tw(Px(kMargin)));
  Control("lblPrompt")->Move(Tw(textLeft), Tw(textTop), Tw(labelWidth), Tw(textHeight));
  int left = (clientWidth - rowWidth) / 2;
  for (int i = 0; i < count; ++i) {
    Control("cmdButton", static_cast<int16_t>(i))->Move(Tw(left), Tw(buttonsTop), Tw(buttonWidth), Tw(buttonHeight));
    left += buttonWidth + Px(kButtonGap);
  }
  SetClientSize(Tw(clientWidth), Tw(buttonsTop + buttonHeight + Px(kMargin)));
}

// Centred on the active form, else on the screen, and kept inside the work
// area of that monitor.
void MsgBoxWindow::PlaceOnScreen() {
  const win::RECT around = ActiveFormRect().value_or(WorkAreaAround(win::RECT{}));
  const win::RECT work = WorkAreaAround(around);
  const int width = gdi::TwipsToPixelsX(Width());
  const int height = gdi::TwipsToPixelsY(Height());
  int left = (around.left + around.right - width) / 2;
  int top = (around.top + around.bottom - height) / 2;
  left = std::max(work.left, std::min(left, work.right - width));
  top = std::max(work.top, std::min(top, work.bottom - height));
  Move(Tw(left), gdi::PixelsToTwipsY(top));
}

void MsgBoxWindow::Form_KeyPress(int16_t& keyAscii) {
  if (keyAscii <= 32 || keyAscii >= 127) return;
  const char32_t letter = static_cast<char32_t>(keyAscii >= 'A' && keyAscii <= 'Z' ? keyAscii + 32 : keyAscii);
  for (int32_t result : m_results) {
    if (auto button = Button(result); AccessKeyOf(button->Caption()) == letter) {
      keyAscii = 0;
      button->Click();
      return;
    }
  }
}

void MsgBoxWindow::Form_QueryUnload(int16_t& cancel, int16_t unloadMode) {
  // The close box answers as Escape does; a box without an escape result
  // stays until a button ends it.
  if (unloadMode == vbFormControlMenu && MsgBoxEscapeResult(m_buttons) == 0) cancel = 1;
}

void MsgBoxWindow::Answer(int32_t result) {
  m_result = result;
  Unload();
}

int32_t ShowMsgBoxWindow(const std::string& prompt, int32_t buttons, const std::string& title) {
  auto box = std::make_shared<MsgBoxWindow>(prompt, buttons, title);
  box->Show(vbModal);
  // A quitting program ends the modal loop with the box still shown.
  if (box->IsLoaded()) box->Unload();
  return box->Result();
}

}  // namespace forms
