#include <gtest/gtest.h>

#include "com/ControlFactory.h"
#include "com/PropertyPage.h"
#include "display/CaptionPage.h"
#include "display/KVXColorLabel.h"
#include "forms/Label.h"
#include "forms/TextBox.h"
#include "runtime/ErrorNumberOf.h"
#include "runtime/Strings.h"

namespace kvctl2 {
namespace {

TEST(CaptionPage, ApplyNormalisesHexadecimalColourTags) {
  struct Case {
    const char* typed;
    const char* applied;
  } cases[] = {
      {"<c&h00FF00&>x", "<c&HFF00&>x"}, {"<c&H0&>", "<c&H0&>"},
      {"<c&H00000000&>", "<c&H0&>"},    {"<c&H0>", "<c&H>"},
      {"<C&h0FF&>", "<C&h0FF&>"},       {"<c255>a</c> <c&h0000ff&>b", "<c255>a</c> <c&Hff&>b"},
  };
  for (const Case& c : cases) EXPECT_EQ(NormaliseColorTags(c.typed), c.applied) << c.typed;
}

class Pages : public ::testing::Test {
 protected:
  void SetUp() override {
    page = std::dynamic_pointer_cast<CaptionPage>(com::CreatePropertyPage("caption"));
    ASSERT_TRUE(page);
    label = std::make_shared<KVXColorLabel>();
    label->SetCaption("<b>Old</b>");
  }
  std::shared_ptr<CaptionPage> page;
  std::shared_ptr<KVXColorLabel> label;
};

TEST_F(Pages, TheLabelNamesThePageAndThePageShowsTheTagHelp) {
  EXPECT_EQ(label->PropertyPages(), (std::vector<std::string>{"Caption"}));
  EXPECT_EQ(page->PageCaption(), "Caption");
  const auto lines = rt::Split(page->lblAnleitung().Caption(), "\r");
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0], "<b> + </b>  = Bold");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[10], "<c[*Color]> + </c> = TextColor");
  EXPECT_EQ(lines[11].substr(0, 6), "     *");
}

TEST_F(Pages, EditsTheCaptionOfTheFirstSelectedLabel) {
  auto second = std::make_shared<KVXColorLabel>();
  second->SetCaption("untouched");
  page->SetSelectedControls({label, second});
  EXPECT_EQ(page->txtCaption().Text(), "<b>Old</b>");
  page->SetChanged(false);
  int16_t key = 'x';
  page->txtCaption().KeyPress(key);
  key = 13;  // Enter: a line feed
  page->txtCaption().KeyPress(key);
  EXPECT_TRUE(page->Changed());
  page->txtCaption().SetText(page->txtCaption().Text() + "<c&h00ff&>red");
  page->Apply();
  EXPECT_EQ(label->Caption(), "<b>Old</b>x\n<c&Hff&>red");
  EXPECT_EQ(page->txtCaption().Text(), "<b>Old</b>x\n<c&Hff&>red");
  EXPECT_EQ(second->Caption(), "untouched");
  EXPECT_FALSE(page->Changed());
}

TEST_F(Pages, EditsTheTextOfAnHtmlViewInAWideEditor) {
  auto view = com::CreateControl("Kvctl2.KVXHTML");
  view->Let("Text", "<p>Hello</p>");
  const std::string source = view->Get("Text").ToString();
  page->SetSelectedControls({view});
  EXPECT_EQ(page->txtCaption().Text(), source);
  EXPECT_EQ(page->txtCaption().Width(), 9900);
  page->txtCaption().SetText("<b>Bye</b>");
  page->Apply();
  EXPECT_NE(view->Get("Text").ToString().find("Bye"), std::string::npos);
  page->SetSelectedControls({label});  // the editor stays wide
  EXPECT_EQ(page->txtCaption().Width(), 9900);
}

TEST_F(Pages, SelectionErrorsAreIgnoredAndApplyErrorsGoToTheSheet) {
  page->SetSelectedControls({label});
  auto plain = std::make_shared<com::Dispatch>();  // has no Caption
  page->SetSelectedControls({plain});
  EXPECT_EQ(page->txtCaption().Text(), "<b>Old</b>");
  page->txtCaption().SetText("<c&h0ff&>");
  EXPECT_EQ(rt::ErrorNumberOf([&] { page->Apply(); }), rt::errNoSuchMember);
  EXPECT_EQ(page->txtCaption().Text(), "<c&Hff&>");
  EXPECT_TRUE(page->Changed());
  EXPECT_EQ(rt::ErrorNumberOf([] { com::CreatePropertyPage("Nope"); }), 429);
}

}  // namespace
}  // namespace kvctl2
