// The property page "Caption": the design-time editor of markup text for
// the markup label (its Caption) and the HTML view control (its Text; the
// view answers every read of Caption with "*HTMLCntrl*"). Beside the
// editor it shows the tag help; on Apply it normalises hexadecimal colour
// tags and writes the text back to the first selected control.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "com/PropertyPage.h"

namespace forms {
class Label;
class TextBox;
}  // namespace forms

namespace kvctl2 {

// What the HTML view control answers when asked for its Caption.
inline constexpr std::string_view kHtmlControlMarker = "*HTMLCntrl*";

// Removes the leading zeros of hexadecimal colour values in "<c&h" tags.
std::string NormaliseColorTags(std::string_view text);

class CaptionPage : public com::PropertyPage {
 public:
  CaptionPage();
  std::string ClassName() const override { return "Caption"; }

  forms::TextBox& txtCaption() const { return *m_editor; }
  forms::Label& lblAnleitung() const { return *m_help; }

 protected:
  void SelectionChanged() override;
  void ApplyChanges() override;

 private:
  std::shared_ptr<forms::TextBox> m_editor;  // txtCaption
  std::shared_ptr<forms::Label> m_heading;   // Label1
  std::shared_ptr<forms::Label> m_help;      // lblAnleitung
};

}  // namespace kvctl2
