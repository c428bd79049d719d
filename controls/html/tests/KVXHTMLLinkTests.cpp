// Link clicks of the HTML view: HyperlinkClick for ordinary links, a call
// of the hosting form's procedure for "VB:" links.
#include <gtest/gtest.h>

#include "forms/Form.h"
#include "forms/PictureBox.h"
#include "gdi/FontBackend.h"
#include "html/KVXHTML.h"
#include "html/ProcedureLink.h"
#include "runtime/Clock.h"
#include "win/MessageQueue.h"

namespace kvctl2 {
namespace {

// A button release on the viewport at (x, y), as the viewport reports it.
void ReleaseAt(KVXHTML& html, int x, int y) {
  com::Args args{int16_t{1}, int16_t{0}, static_cast<double>(x), static_cast<double>(y)};
  html.ViewPort()->Events().Raise("MouseUp", args);
}

// A form that offers the public procedure DoIt and records its calls.
class HostForm : public forms::Form {
 public:
  HostForm() : Form("frmHost") {
    DefineMethod("DoIt", [this](com::Args& args) {
      std::vector<std::string> got;
      for (const rt::Variant& a : args) got.push_back(a.ToString());
      calls.push_back(got);
      return rt::Variant();
    });
  }
  std::vector<std::vector<std::string>> calls;
};

class LinkClicks : public ::testing::Test {
 protected:
  void SetUp() override {
    host = std::make_shared<HostForm>();
    host->Load();
    html = std::dynamic_pointer_cast<KVXHTML>(host->AddControl("Kvctl2.KVXHTML", "txtDetail"));
    ASSERT_TRUE(html);
    html->Move(0, 0, 6000, 1500);
    html->SetVisible(true);
    html->SetEnabled(true);
    html->SetEnableAnchors(true);
    html->Events().Connect("HyperlinkClick", [this](com::Args& args) {
      clicks.emplace_back(args.at(0).ToString(), args.at(1).ToString());
    });
    html->Events().Connect("MouseUp", [this](com::Args& args) { mouseUpHref = args.at(1).ToString(); });
  }
  void TearDown() override {
    if (host->IsLoaded()) host->Unload();
  }

  // Releases the mouse over link `anchor` and lets the link timer run.
  void Click(int anchor) {
    int x = 0, y = 0;
    ASSERT_TRUE(html->LinkPoint(anchor, x, y)) << anchor;
    ReleaseAt(*html, x, y);
    clock.Advance(100);
    win::DoEvents();
  }

  gdi::ScopedFixedMetrics metrics;
  rt::ManualClock clock{0};
  rt::ScopedClock useClock{clock};
  std::shared_ptr<HostForm> host;
  std::shared_ptr<KVXHTML> html;
  std::vector<std::pair<std::string, std::string>> clicks;
  std::string mouseUpHref;
};

TEST_F(LinkClicks, OrdinaryLinkRaisesHyperlinkClickAfterTheTimer) {
  html->SetText("See <a id=\"l1\" href=\"http://example.org/a\">the page</a> now.");
  int x = 0, y = 0;
  ASSERT_TRUE(html->LinkPoint(0, x, y));
  ReleaseAt(*html, x, y);
  EXPECT_EQ(mouseUpHref, "http://example.org/a");
  EXPECT_TRUE(clicks.empty());  // deferred to the link timer
  clock.Advance(100);
  win::DoEvents();
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0], (std::pair<std::string, std::string>{"l1", "http://example.org/a"}));
  EXPECT_FALSE(html->LinkClickPending());
}

TEST_F(LinkClicks, ProcedureLinksCallTheHostInsteadOfTheEvent) {
  html->SetText(
      "<a href=\"VB:DoIt\">a</a> <a href=\"vb:DoIt(x)\">b</a> "
      "<a href=\"VB:DoIt(1,2,3,4,5,6,7,8,9)\">c</a> <a href=\"VB:Missing\">d</a>");
  for (int i = 0; i < 4; ++i) Click(i);
  EXPECT_TRUE(clicks.empty());
  ASSERT_EQ(host->calls.size(), 3u);
  EXPECT_TRUE(host->calls[0].empty());
  EXPECT_EQ(host->calls[1], std::vector<std::string>{"x"});
  EXPECT_TRUE(host->calls[2].empty());  // more than eight arguments: none passed
}

TEST_F(LinkClicks, NoClickWithoutAnchorsOrBesideTheLink) {
  html->SetText("<a href=\"http://x\">link</a> and a long tail of plain words");
  ReleaseAt(*html, 5000, 5000);
  EXPECT_EQ(mouseUpHref, "-1");
  html->SetEnableAnchors(false);
  html->SetText("<a href=\"http://x\">link</a>");
  EXPECT_TRUE(html->Anchors().empty());
  int x = 0, y = 0;
  EXPECT_FALSE(html->LinkPoint(0, x, y));
  ReleaseAt(*html, 10, 10);
  clock.Advance(100);
  win::DoEvents();
  EXPECT_TRUE(clicks.empty());
}

TEST_F(LinkClicks, AHostThatUnloadsItsFormInTheEventIsSafe) {
  html->SetText("<a href=\"http://x\">first</a> <a href=\"http://y\">second</a>");
  // The handler clicks the other link and unloads the form: the click it
  // makes is a new one, and the control outlives its own event.
  std::weak_ptr<KVXHTML> watched = html;
  html->Events().Connect("HyperlinkClick", [this](com::Args& args) {
    if (args.at(1).ToString() != "http://x") return;
    int x = 0, y = 0;
    ASSERT_TRUE(html->LinkPoint(1, x, y));
    ReleaseAt(*html, x, y);
    EXPECT_TRUE(html->LinkClickPending());
    auto form = host;
    html.reset();
    form->Unload();
  });
  Click(0);
  EXPECT_EQ(clicks.size(), 1u);
  EXPECT_FALSE(host->IsLoaded());
  if (auto alive = watched.lock()) {
    clock.Advance(100);
    win::DoEvents();  // the second click's timer belongs to an unloaded form: nothing runs
  }
  EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(LinkClicks, AHostThatUnloadsItsFormWhileAPictureLoadsIsSafe) {
  std::weak_ptr<KVXHTML> watched = html;
  html->Events().Connect("LoadImage", [this](com::Args&) {
    if (!host->IsLoaded()) return;
    auto form = host;
    html.reset();
    form->Unload();
  });
  // Only the form holds the control now: it goes with the form, but not
  // before the layout that raised the event has ended.
  KVXHTML* control = html.get();
  control->SetText("<img src=a.png> and text <img src=b.png>");
  EXPECT_FALSE(host->IsLoaded());
  EXPECT_TRUE(watched.expired());
}

TEST(ProcedureLink, ParsesNameAndStringArguments) {
  struct Case {
    const char* text;
    const char* name;
    std::vector<std::string> args;
  };
  const Case cases[] = {
      {"Refresh", "Refresh", {}},
      {"Show(1,'two, three')", "Show", {"1", "two, three"}},
      {"Show(1, 'two, three')", "Show", {"1", "'two", "three'"}},
      {"Show (1)", "Show", {"(1"}},
      {"  Go(\"a,b\", )", "Go", {"a,b"}},
  };
  for (const Case& c : cases) {
    const html::ProcedureLink link = html::ParseProcedureLink(c.text);
    EXPECT_EQ(link.Name, c.name) << c.text;
    EXPECT_EQ(link.Args, c.args) << c.text;
  }
}

}  // namespace
}  // namespace kvctl2
