// Which property changes lay the page out and draw it again: the page's
// background picture is asked for on every pass, so the LoadImage events
// count the passes.
#include <gtest/gtest.h>

#include <functional>

#include "TestView.h"
#include "html/KVXHTML.h"

namespace kvctl2 {
namespace {

using testing::TestView;

TEST(KVXHTMLProperties, ChangesRedrawAsTheirRulesSay) {
  struct Case {
    const char* property;
    std::function<void(KVXHTML&)> change;
    bool redraws;
  };
  const Case cases[] = {
      {"DefaultFontName", [](KVXHTML& h) { h.SetDefaultFontName("Tahoma"); }, true},
      {"DefaultFontSize", [](KVXHTML& h) { h.SetDefaultFontSize(12); }, true},
      {"BackColor", [](KVXHTML& h) { h.SetBackColor(0x00FF00); }, true},
      {"Appearance", [](KVXHTML& h) { h.SetAppearance(htmlAppearance::Frame); }, true},
      {"BorderStyle", [](KVXHTML& h) { h.SetBorderStyle(htmlBorder::Fest); }, true},
      {"EnableScroll", [](KVXHTML& h) { h.SetEnableScroll(htmScrollBars::Vertikal); }, true},
      {"DefaultPadding", [](KVXHTML& h) { h.SetDefaultPadding(8); }, true},
      {"DefaultSpacing", [](KVXHTML& h) { h.SetDefaultSpacing(2); }, true},
      {"Gradient", [](KVXHTML& h) { h.SetGradient(true); }, true},
      {"GradientAngle", [](KVXHTML& h) { h.SetGradientAngle(90); }, true},
      {"DefaultTextColor", [](KVXHTML& h) { h.SetDefaultTextColor(0x808080); }, true},
      {"LinkColor", [](KVXHTML& h) { h.SetLinkColor(0x008000); }, true},
      {"FreezeUpdates off", [](KVXHTML& h) { h.SetFreezeUpdates(false); }, true},
      {"BackColor2 with a gradient", [](KVXHTML& h) { h.SetGradient(true), h.SetBackColor2(1); }, true},
      {"BackColor2", [](KVXHTML& h) { h.SetBackColor2(0x00FFFF); }, false},
      {"EnableTooltips", [](KVXHTML& h) { h.SetEnableTooltips(true); }, false},
      {"EnableAnchors", [](KVXHTML& h) { h.SetEnableAnchors(false); }, false},
      {"UnderlineLinks", [](KVXHTML& h) { h.SetUnderlineLinks(false); }, false},
      {"LinkHoverColor", [](KVXHTML& h) { h.SetLinkHoverColor(0x0000FF); }, false},
      {"HoverEnabled", [](KVXHTML& h) { h.SetHoverEnabled(false); }, false},
      {"PageMover", [](KVXHTML& h) { h.SetPageMover(true); }, false},
      {"while frozen", [](KVXHTML& h) { h.SetFreezeUpdates(true), h.SetDefaultPadding(9), h.Refresh(false); }, false},
  };
  for (const Case& c : cases) {
    TestView view;
    int passes = 0;
    view.html.Events().Connect("LoadImage", [&](com::Args&) { ++passes; });
    view.html.SetText("<body background=x.png>text</body>");
    passes = 0;
    c.change(view.html);
    EXPECT_EQ(passes > 0, c.redraws) << c.property;
  }
}

TEST(KVXHTMLProperties, BodyColourStaysWhenTheBackColourChanges) {
  TestView view;
  view.html.SetText("<body bgcolor=red>x</body>");
  view.html.SetBackColor(0x00FF00);
  EXPECT_EQ(view.html.PageColor(), 0x0000FFu);
  view.html.SetText("x");
  view.html.SetBackColor(0xFF0000);
  EXPECT_EQ(view.html.PageColor(), 0xFF0000u);
}

}  // namespace
}  // namespace kvctl2
