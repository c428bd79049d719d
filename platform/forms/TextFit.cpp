#include "forms/TextFit.h"

#include <memory>

#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/ControlPainter.h"
#include "forms/Form.h"
#include "forms/Label.h"
#include "gdi/Rects.h"
#include "gdi/Twips.h"

namespace forms {

namespace {

int Width(const gdi::RECT& r) { return static_cast<int>(r.right - r.left); }
int Height(const gdi::RECT& r) { return static_cast<int>(r.bottom - r.top); }

std::string NameOf(const com::Control& control) {
  return control.Index() < 0 ? control.Name() : control.Name() + "(" + std::to_string(control.Index()) + ")";
}

// The text of one control, measured as the control lays it out, and the
// room it has; false for controls without text of their own.
bool Measure(const com::Control& control, TextMisfit& out) {
  const gdi::RECT rect{0, 0, control.PixelWidth(), control.PixelHeight()};
  if (const auto* label = dynamic_cast<const Label*>(&control)) {
    // A label wraps its caption unless it sizes itself to its lines.
    const bool wraps = !(label->AutoSize() && !label->WordWrap());
    out.text = label->Caption();
    out.needed = painter::MeasureText(out.text, label->Font(), wraps ? Width(rect) : 0, label->UseMnemonic());
    out.room = gdi::SIZE{Width(rect), Height(rect)};
    return true;
  }
  if (const auto* check = dynamic_cast<const CheckBox*>(&control)) {
    const gdi::RECT text = painter::CheckBoxTextRect(rect);
    out.text = check->Caption();
    out.needed = painter::MeasureText(out.text, check->Font(), Width(text), true);
    out.room = gdi::SIZE{Width(text), Height(text)};
    return true;
  }
  if (const auto* button = dynamic_cast<const CommandButton*>(&control)) {
    // One line inside the focus rectangle's dotted frame.
    gdi::RECT inside = painter::ButtonFocusRect(rect, button->Default());
    gdi::InflateRect(&inside, -1, -1);
    out.text = button->Caption();
    out.needed = painter::MeasureText(out.text, button->Font(), 0, true);
    out.room = gdi::SIZE{Width(inside), Height(inside)};
    return true;
  }
  return false;
}

}  // namespace

std::string TextMisfit::Describe() const {
  return control + " \"" + text + "\": needs " + std::to_string(needed.cx) + " x " + std::to_string(needed.cy) +
         " pixels, has " + std::to_string(room.cx) + " x " + std::to_string(room.cy);
}

std::vector<TextMisfit> FindTextMisfits(const Form& form) {
  std::vector<TextMisfit> misfits;
  for (const auto& control : form.Controls()) {
    if (!control->Visible()) continue;
    TextMisfit misfit;
    misfit.control = NameOf(*control);
    // A control of the form itself must lie inside the client area, or the
    // window's edge cuts it off.
    if (control->Container() == &form &&
        (control->Left() < 0 || control->Top() < 0 || control->Left() + control->Width() > form.ScaleWidth() ||
         control->Top() + control->Height() > form.ScaleHeight())) {
      misfit.text = "(outside the client area)";
      misfit.needed = gdi::SIZE{gdi::TwipsToPixelsX(control->Left() + control->Width()),
                                gdi::TwipsToPixelsY(control->Top() + control->Height())};
      misfit.room = gdi::SIZE{gdi::TwipsToPixelsX(form.ScaleWidth()), gdi::TwipsToPixelsY(form.ScaleHeight())};
      misfits.push_back(misfit);
      continue;
    }
    if (!Measure(*control, misfit) || misfit.text.empty()) continue;
    if (misfit.needed.cx > misfit.room.cx || misfit.needed.cy > misfit.room.cy) misfits.push_back(misfit);
  }
  return misfits;
}

}  // namespace forms
