#include "display/CaptionPage.h"

#include "forms/Label.h"
#include "forms/TextBox.h"
#include "runtime/Strings.h"

namespace kvctl2 {

namespace {

com::PropertyPageRegistration<CaptionPage> registration{"Caption"};

// The editor covers the help column when it edits an HTML view's text.
constexpr int32_t kWideEditor = 9900;

}  // namespace

std::string NormaliseColorTags(std::string_view text) {
  std::string result = rt::Replace(text, "<c&h", "<c&H");
  for (int zeros = 7; zeros >= 1; --zeros) result = rt::Replace(result, "<c&H" + std::string(zeros, '0'), "<c&H");
  return rt::Replace(result, "<c&H&", "<c&H0&");
}

CaptionPage::CaptionPage() : PropertyPage("Caption") {
  m_editor = std::make_shared<forms::TextBox>();
  m_editor->SetMultiLine(true);
  m_editor->SetScrollBars(2);
  m_editor->Move(120, 120, 7140, 3600);
  m_heading = std::make_shared<forms::Label>();
  m_heading->SetCaption("usable Tags:");
  m_heading->Move(7440, 120, 2460, 240);
  m_help = std::make_shared<forms::Label>();
  m_help->SetUseMnemonic(false);
  m_help->Move(7440, 480, 2460, 3240);
  const std::string cr = "\r";
  m_help->SetCaption("<b> + </b>  = Bold" + cr + cr + "<i> + </i>    = Italic" + cr + cr + "<u> + </u>  = Underline" +
                     cr + cr + "<s> + </s>   = Strike" + cr + cr + "<br>           = BreakLine" + cr + cr +
                     "<c[*Color]> + </c> = TextColor" + cr + "     *Farbe als Dezimalzahl");
  AddConstituent(m_editor, "txtCaption");
  AddConstituent(m_heading, "Label1");
  AddConstituent(m_help, "lblAnleitung");
  Move(0, 0, 10140, 3840);
  m_editor->Events().Connect("Change", [this](com::Args&) { SetChanged(true); });
  // A carriage return typed in the editor becomes a line feed.
  m_editor->Events().Connect("KeyPress", [](com::Args& args) {
    if (!args.empty() && args[0].ToInteger() == 13) args[0] = int16_t{10};
  });
}

void CaptionPage::SelectionChanged() {
  rt::ResumeNext([&] {
    if (SelectedControls().empty()) return;
    com::Dispatch& control = *SelectedControls().front();
    if (control.Get("Caption").ToString() == kHtmlControlMarker) {
      m_editor->SetText(control.Get("Text").ToString());
      m_editor->SetWidth(kWideEditor);
    } else {
      m_editor->SetText(control.Get("Caption").ToString());
    }
  });
}

void CaptionPage::ApplyChanges() {
  m_editor->SetText(NormaliseColorTags(m_editor->Text()));
  if (SelectedControls().empty()) return;
  com::Dispatch& control = *SelectedControls().front();
  const bool html = control.Get("Caption").ToString() == kHtmlControlMarker;
  control.Let(html ? "Text" : "Caption", m_editor->Text());
}

}  // namespace kvctl2
