// The tree view and the image list: nodes by key and index, their
// relations, selection and expansion with the mouse and the keys.
#include <gtest/gtest.h>

#include <filesystem>

#include "forms/Form.h"
#include "forms/lists/ImageList.h"
#include "forms/lists/TreeView.h"
#include "gdi/Bitmaps.h"
#include "gdi/FontBackend.h"
#include "runtime/ErrorNumberOf.h"
#include "tests/GalleryPictures.h"
#include "tests/PlayUser.h"

namespace forms {
namespace {

using rt::ErrorNumberOf;

const char* kTree = R"FRM(Begin Form frmTree
   ClientWidth = 4500
   ClientHeight = 1500
   Begin SSActiveTreeView.SSTree treDB
      Left = 0
      Top = 0
      Width = 4500
      Height = 1500
      TabIndex = 0
   End
   Begin MSComctlLib.ImageListCtrl ImageList
   End
End
)FRM";

class Tree : public ::testing::Test {
 protected:
  void SetUp() override {
    gdi::UseFixedMetrics();
    form = std::make_shared<Form>("frmTree");
    form->SetDesignText(kTree);
    form->OnControlEvent("treDB", "NodeClick", [this](int16_t, com::Args& a) {
      clicks.push_back(com::AsObject<TreeNode>(a[0])->Key());
    });
    form->Show();
    tree = form->Get<TreeView>("treDB");
    // The nodes of the user view, added late-bound as its code does.
    auto nodes = com::AsDispatch(tree->Get("Nodes"));
    nodes->Call("Add", {rt::Variant(), rt::Variant(), "base", "User Administration", 1, rt::Variant(), "base"});
    for (const char* n : {"N1", "N2", "N3"}) {
      nodes->Call("Add", {"base", tvwChild, n, std::string("Node ") + n, 2, 3, "base"});
    }
  }
  void TearDown() override { form->Unload(); }
  rt::ManualClock clock;
  rt::ScopedClock scopedClock{clock};
  std::shared_ptr<Form> form;
  std::shared_ptr<TreeView> tree;
  std::vector<std::string> clicks;
};

TEST_F(Tree, NodesByKeyAndIndexWithTheirRelations) {
  auto base = tree->Node("base");
  auto n2 = tree->Node(3);
  EXPECT_EQ(n2->Key(), "N2");
  EXPECT_EQ(n2->Parent(), base.get());
  EXPECT_EQ(base->Children().size(), 3u);
  EXPECT_EQ(n2->NextSibling()->Key(), "N3");
  EXPECT_EQ(n2->PreviousSibling()->Key(), "N1");
  EXPECT_EQ(n2->FullPath(), "User Administration\\Node N2");
  // Siblings placed before and after another.
  tree->Add("N2", tvwPrevious, "N15", "between");
  tree->Add("N3", tvwNext, "N4", "last");
  std::vector<std::string> order;
  for (auto* child : base->Children()) order.push_back(child->Key());
  EXPECT_EQ(order, (std::vector<std::string>{"N1", "N15", "N2", "N3", "N4"}));
  EXPECT_EQ(ErrorNumberOf([&] { tree->Add(rt::Variant(), tvwLast, "N1", "again"); }), errKeyNotUnique);
  EXPECT_EQ(ErrorNumberOf([&] { tree->Add("nope", tvwChild, "x", "x"); }), errKeyNotFound);
  EXPECT_EQ(ErrorNumberOf([&] { tree->Node(99); }), errIndexOutOfBounds);
  // Removing a node takes its children along.
  tree->Remove("base");
  EXPECT_EQ(tree->Count(), 0);
}

TEST_F(Tree, TheUserSelectsExpandsAndCollapses) {
  auto base = tree->Node("base");
  EXPECT_EQ(tree->Rows().size(), 1u);  // collapsed
  tree->SetSelectedItem(base.get());
  EXPECT_TRUE(clicks.empty());  // code selects without NodeClick
  form->SetFocusTo(*tree);
  test::Key(win::VK_RIGHT);  // expands
  EXPECT_TRUE(base->Expanded());
  EXPECT_EQ(tree->Rows().size(), 4u);
  test::Key(win::VK_RIGHT);  // to the first child
  test::Key(win::VK_DOWN);
  EXPECT_EQ(clicks, (std::vector<std::string>{"N1", "N2"}));
  EXPECT_TRUE(tree->Node("N2")->Selected());
  test::Key(win::VK_END);
  test::Key(win::VK_LEFT);  // to the parent
  EXPECT_EQ(clicks.back(), "base");
  // A click on a node's text selects it, on the minus box collapses.
  const gdi::RECT text = tree->TextRect(tree->Node("N3").get());
  test::Click(*tree, text.left + 3, text.top + 3);
  EXPECT_EQ(clicks.back(), "N3");
  const gdi::RECT baseText = tree->TextRect(base.get());
  test::Click(*tree, baseText.left - 16 - 12, baseText.top + tree->RowHeight() / 2);
  EXPECT_FALSE(base->Expanded());
  EXPECT_TRUE(base->Selected());  // the selection moved up from the hidden node
  // A double click expands again.
  test::DoubleClick(*tree, baseText.left + 3, baseText.top + 3);
  EXPECT_TRUE(base->Expanded());
}

TEST_F(Tree, ImagesByIndexAndKeyFromPictureFiles) {
  auto images = form->Get<ImageList>("ImageList");
  // A PNG and an ICO file, read through the system's image loader.
  const std::string folder = std::filesystem::temp_directory_path() / "qv-imagelist";
  std::filesystem::create_directories(folder);
  auto picture = test::GalleryPicture(test::GalleryIcon::Folder);
  ASSERT_TRUE(gdi::SaveBitmapToPng(gdi::OwnedBitmap(gdi::IconToBitmap(picture->Icon())).Get(), folder + "/folder.png"));
  // An ICO file with one 16 x 16 image of 32-bit pixels (bottom-up BGRA
  // and an empty AND mask), the classic layout.
  auto le = [](std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  std::string image;
  le(image, 40, 4);
  le(image, 16, 4);
  le(image, 32, 4);  // the height counts the mask too
  le(image, 1, 2);
  le(image, 32, 2);
  for (int i = 0; i < 6; ++i) le(image, 0, 4);
  for (int y = 15; y >= 0; --y) {
    for (int x = 0; x < 16; ++x) le(image, (x + y) % 2 ? 0xFF2080C0u : 0u, 4);
  }
  image += std::string(16 * 4, '\0');
  std::string ico;
  le(ico, 0, 2);
  le(ico, 1, 2);
  le(ico, 1, 2);
  ico += std::string("\x10\x10\0\0", 4);
  le(ico, 1, 2);
  le(ico, 32, 2);
  le(ico, static_cast<uint32_t>(image.size()), 4);
  le(ico, 22, 4);
  ico += image;
  FILE* f = std::fopen((folder + "/user.ico").c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(ico.data(), 1, ico.size(), f);
  std::fclose(f);

  images->AddFile("Folder", folder + "/folder.png");
  images->AddFile("UserCard", folder + "/user.ico");
  EXPECT_EQ(images->Count(), 2);
  EXPECT_EQ(images->Item("usercard")->Index(), 2);
  EXPECT_EQ(images->Item(2)->Picture()->Type(), com::vbPicTypeIcon);
  EXPECT_EQ(images->Item(2)->Picture()->PixelWidth(), 16);
  EXPECT_EQ(ErrorNumberOf([&] { images->Add("folder", picture); }), errKeyNotUnique);
  EXPECT_EQ(ErrorNumberOf([&] { images->Item("nope"); }), errKeyNotFound);
  EXPECT_EQ(ErrorNumberOf([&] { images->Item(3); }), errIndexOutOfBounds);
  EXPECT_EQ(ErrorNumberOf([&] { images->AddFile("bad", folder + "/missing.png"); }), 53);
  // Late bound, as the callers reach it.
  auto listImages = com::AsDispatch(images->Get("ListImages"));
  EXPECT_EQ(listImages->Get("Count").ToLong(), 2);
  tree->SetImageList(images);
  EXPECT_EQ(images->Find(1), images->Item("Folder")->Picture());
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace forms
