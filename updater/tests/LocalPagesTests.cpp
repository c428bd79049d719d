// The local pages in res/: every page the update window shows exists in
// both languages and uses only what the HTML view shows.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "TestFolder.h"
#include "html/HtmlSource.h"
#include "html/KVXHTML.h"

namespace verscout {
namespace {

TEST(LocalPagesTest, EveryPageExistsInBothLanguagesInTheViewsSubsetOfHtml) {
  for (const char* page : {"updwelcome", "updGetErr", "updErr", "updOK", "updOKPro", "updbeachten", "updkontakt"}) {
    for (const std::string prefix : {"", "z"}) {
      const std::string name = prefix + page;
      SCOPED_TRACE(name);
      const std::string source = ReadFile(std::string(QV_SOURCE_DIR) + "/updater/res/" + name);
      ASSERT_FALSE(source.empty());
      auto view = std::make_shared<kvctl2::KVXHTML>();
      view->SetText(source);
      EXPECT_NE(view->DocumentTitle(), "Unknown");
      for (int i = 0; i < view->ElementCount(); ++i) {
        const kvctl2::HTMLElement& e = view->Element(i);
        if (e.IsTag) {
          // Code 1 is a tag the view does not know; HTML itself has it too.
          const std::string tag = kvctl2::html::TagName(e.Raw);
          EXPECT_TRUE(e.ElementType != 1 || tag == "HTML" || tag == "/HTML") << e.Raw;
        } else {
          // Every named entity was one the view knows: none is left.
          EXPECT_FALSE(std::regex_search(e.Raw, std::regex("&[A-Za-z]+;"))) << e.Raw;
        }
      }
    }
  }
}

// The window's footer and the support pages name one support address.
TEST(LocalPagesTest, OneSupportAddressEverywhere) {
  std::set<std::string> addresses;
  for (const char* file : {"res/updkontakt", "res/zupdkontakt", "frmUpdates.frm"}) {
    const std::string text = ReadFile(std::string(QV_SOURCE_DIR) + "/updater/" + file);
    const std::regex address("[A-Za-z0-9._-]+@[A-Za-z0-9.-]+[A-Za-z]");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), address); it != std::sregex_iterator(); ++it) {
      addresses.insert(it->str());
    }
  }
  EXPECT_EQ(addresses, std::set<std::string>{"support@kelvaro.de"});
}

}  // namespace
}  // namespace verscout
