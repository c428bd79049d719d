// The HTML view's properties in the host's property bag.
#include <gtest/gtest.h>

#include "com/PropertyBag.h"
#include "forms/Form.h"
#include "gdi/FontBackend.h"
#include "html/KVXHTML.h"

namespace kvctl2 {
namespace {

TEST(KVXHTMLPersistence, StoresOnlyValuesThatDifferFromTheReadDefaults) {
  gdi::ScopedFixedMetrics metrics;
  KVXHTML html;
  html.InitProperties();
  // Initialize leaves Enabled and EnableTooltips False, InitProperties sets
  // HoverEnabled; the bag's defaults for these are True.
  html.SetText("x");
  com::PropertyBag bag;
  html.WriteProperties(bag);
  EXPECT_EQ(bag.Names(), (std::vector<std::string>{"EnableTooltips", "DefaultFontName", "Text", "Enabled"}));
  EXPECT_EQ(bag.ReadProperty("Text").ToString(), "<HTML><BODY>x</BODY></HTML>");
  EXPECT_EQ(bag.ReadProperty("DefaultFontName").ToString(), "Arial");
  EXPECT_FALSE(bag.ReadProperty("Enabled", true).ToBool());
}

TEST(KVXHTMLPersistence, EveryPropertySurvivesSaveAndLoad) {
  gdi::ScopedFixedMetrics metrics;
  KVXHTML saved;
  saved.SetAppearance(htmlAppearance::Frame);
  saved.SetBorderStyle(htmlBorder::Fest);
  saved.SetBackColor(0x123456);
  saved.SetEnableAnchors(true);
  saved.SetEnableScroll(htmScrollBars::Beide);
  saved.SetEnableTooltips(false);
  saved.SetDefaultFontName("Tahoma");
  saved.SetDefaultFontSize(8.5f);
  saved.SetUnderlineLinks(false);
  saved.SetDefaultPadding(6);
  saved.SetDefaultSpacing(1);
  saved.SetGradient(true);
  saved.SetGradientAngle(90);
  saved.SetBackColor2(0x00FF00);
  saved.SetDefaultTextColor(0x333333);
  saved.SetLinkColor(0x0000FF);
  saved.SetLinkHoverColor(0x00FFFF);
  saved.SetHoverEnabled(false);
  saved.SetEnabled(false);
  saved.SetPageMover(true);
  saved.SetText("body");
  com::PropertyBag bag;
  saved.WriteProperties(bag);
  EXPECT_EQ(bag.Count(), 21u);  // all but FreezeUpdates and BackgroundImage, at their defaults

  KVXHTML loaded;
  loaded.ReadProperties(com::PropertyBag::FromText(bag.ToText()));
  EXPECT_EQ(loaded.Appearance(), htmlAppearance::Frame);
  EXPECT_EQ(loaded.BorderStyle(), htmlBorder::Fest);
  EXPECT_EQ(loaded.BackColor(), 0x123456u);
  EXPECT_TRUE(loaded.EnableAnchors());
  EXPECT_EQ(loaded.EnableScroll(), htmScrollBars::Beide);
  EXPECT_FALSE(loaded.EnableTooltips());
  EXPECT_EQ(loaded.DefaultFontName(), "Tahoma");
  EXPECT_FLOAT_EQ(loaded.DefaultFontSize(), 8.5f);
  EXPECT_FALSE(loaded.UnderlineLinks());
  EXPECT_EQ(loaded.DefaultPadding(), 6);
  EXPECT_EQ(loaded.DefaultSpacing(), 1);
  EXPECT_TRUE(loaded.Gradient());
  EXPECT_FLOAT_EQ(loaded.GradientAngle(), 90);
  EXPECT_EQ(loaded.BackColor2(), 0x00FF00u);
  EXPECT_EQ(loaded.DefaultTextColor(), 0x333333u);
  EXPECT_EQ(loaded.LinkColor(), 0x0000FFu);
  EXPECT_EQ(loaded.LinkHoverColor(), 0x00FFFFu);
  EXPECT_FALSE(loaded.HoverEnabled());
  EXPECT_FALSE(loaded.Enabled());
  EXPECT_TRUE(loaded.PageMover());
  EXPECT_EQ(loaded.Text(), saved.Text());
}

TEST(KVXHTMLPersistence, ReadsDefaultsOfAnEmptyBag) {
  gdi::ScopedFixedMetrics metrics;
  KVXHTML html;
  html.ReadProperties(com::PropertyBag{});
  EXPECT_TRUE(html.EnableTooltips());
  EXPECT_FALSE(html.EnableAnchors());
  EXPECT_EQ(html.DefaultFontName(), "MS Sans Serif");
  EXPECT_FLOAT_EQ(html.DefaultFontSize(), 10);
  EXPECT_FLOAT_EQ(html.GradientAngle(), 270);
  EXPECT_EQ(html.BackColor2(), 255u);
  EXPECT_EQ(html.BackColor(), 0x8000000Fu);
  EXPECT_TRUE(html.HoverEnabled());
  EXPECT_TRUE(html.Enabled());
}

TEST(KVXHTMLPersistence, SavedTextLoadsAndShowsTheSameDocument) {
  gdi::ScopedFixedMetrics metrics;
  KVXHTML saved;
  saved.SetEnableAnchors(true);
  saved.SetText("Open <a href=\"http://x\">it</a>");
  saved.SetDefaultPadding(6);
  com::PropertyBag bag;
  saved.WriteProperties(bag);
  const com::PropertyBag reread = com::PropertyBag::FromText(bag.ToText());

  KVXHTML loaded;
  loaded.ReadProperties(reread);
  EXPECT_EQ(loaded.Text(), saved.Text());
  EXPECT_EQ(loaded.ElementCount(), 0);  // parsed only when shown
  EXPECT_EQ(loaded.RawText(), "Open <a href=\"http://x\">it</a>");
  loaded.Show();
  EXPECT_EQ(loaded.Text(), saved.Text());
  EXPECT_EQ(loaded.ElementCount(), saved.ElementCount());
  EXPECT_EQ(loaded.Anchors(), saved.Anchors());
  EXPECT_EQ(loaded.DefaultPadding(), 6);
}

}  // namespace
}  // namespace kvctl2

namespace kvctl2 {
namespace {

TEST(KVXHTMLPersistence, HolderWithoutTextShowsItsOwnName) {
  gdi::ScopedFixedMetrics metrics;
  auto form = std::make_shared<forms::Form>("frmHolder");
  form->SetDesignText("Begin Form frmHolder\n   Begin Kvctl2.KVXHTML scriptHolder\n   End\nEnd\n");
  form->Load();
  auto holder = form->Get<KVXHTML>("scriptHolder");
  EXPECT_EQ(holder->RawText(), "scriptHolder");
  form->Unload();
}

}  // namespace
}  // namespace kvctl2
