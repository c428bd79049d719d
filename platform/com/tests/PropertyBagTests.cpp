#include <gtest/gtest.h>

#include <filesystem>

#include "com/PropertyBag.h"
#include "com/StdFont.h"
#include "com/StdPicture.h"
#include "gdi/Bitmaps.h"
#include "runtime/Error.h"

namespace {

TEST(PropertyBag, AValueEqualToItsDefaultIsNotStored) {
  com::PropertyBag bag;
  bag.WriteProperty("strOk", "OK", "OK");
  bag.WriteProperty("spHleft", 165, int16_t{165});
  bag.WriteProperty("GrayScale", false, true);
  EXPECT_FALSE(bag.Contains("strOk"));
  EXPECT_FALSE(bag.Contains("spHleft"));
  EXPECT_TRUE(bag.Contains("grayscale"));
  EXPECT_EQ(bag.ReadProperty("strOk", "fallback").ToString(), "fallback");
  EXPECT_FALSE(bag.ReadProperty("GrayScale", true).ToBool());
  // Writing the default later removes a stored value.
  bag.WriteProperty("GrayScale", true, true);
  EXPECT_FALSE(bag.Contains("GrayScale"));
  // A string is not its number.
  bag.WriteProperty("Code", "0", 0);
  EXPECT_TRUE(bag.Contains("Code"));
}

TEST(PropertyBag, TextRoundTripKeepsEveryKindOfValue) {
  com::PropertyBag bag;
  bag.WriteProperty("Text", "Line \"one\"\r\nBack\\slash", "");
  bag.WriteProperty("Width", int32_t{-1200}, 0);
  bag.WriteProperty("Size", 8.25, 0.0);
  bag.WriteProperty("Whole", 3.0, 0.0);
  bag.WriteProperty("Flag", true, false);
  bag.WriteProperty("Colour", static_cast<int32_t>(0x8000000F), 0);
  auto font = com::StdFont::Create("Tahoma", 9, true);
  font->SetUnderline(true);
  bag.WriteProperty("Font", com::ToVariant(font), com::Nothing());
  bag.WriteProperty("Empty", com::ToVariant(com::StdPicture::CreateEmpty()), com::Nothing());

  const std::string text = bag.ToText();
  com::PropertyBag back = com::PropertyBag::FromText(text);
  EXPECT_EQ(back.Names(), bag.Names());
  EXPECT_EQ(back.ReadProperty("Text").ToString(), "Line \"one\"\r\nBack\\slash");
  EXPECT_EQ(back.ReadProperty("Width").ToLong(), -1200);
  EXPECT_DOUBLE_EQ(back.ReadProperty("Size").ToDouble(), 8.25);
  EXPECT_EQ(back.ReadProperty("Whole").Type(), rt::VarType::Double);
  EXPECT_TRUE(back.ReadProperty("Flag").ToBool());
  EXPECT_EQ(static_cast<uint32_t>(back.ReadProperty("Colour").ToLong()), 0x8000000Fu);
  auto font2 = com::AsObject<com::StdFont>(back.ReadProperty("Font"));
  ASSERT_TRUE(font2);
  EXPECT_TRUE(font2->SameAs(*font));
  auto empty = com::AsObject<com::StdPicture>(back.ReadProperty("Empty"));
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->IsEmpty());
  EXPECT_EQ(back.ToText(), text);
}

TEST(PropertyBag, HandWrittenTextAndErrors) {
  com::PropertyBag bag =
      com::PropertyBag::FromText("' a comment\n  BackColor = &H8000000F\r\n\nCaption=\"x\"\nPic = Nothing\n");
  EXPECT_EQ(static_cast<uint32_t>(bag.ReadProperty("BackColor").ToLong()), 0x8000000Fu);
  EXPECT_EQ(bag.ReadProperty("caption").ToString(), "x");
  EXPECT_TRUE(com::IsNothing(bag.ReadProperty("Pic")));
  for (const char* bad : {"NoEquals", "X = \"open", "X = 12abc", "X = Font(\"A\")", "X = Picture(zz)"}) {
    try {
      com::PropertyBag::FromText(bad);
      ADD_FAILURE() << bad;
    } catch (const rt::Error& e) {
      EXPECT_EQ(e.Number(), com::errInvalidPropertyValue) << bad;
    }
  }
}

TEST(StdPicture, EmptyPictureDiffersFromNothingAndPicturesRoundTrip) {
  auto empty = com::StdPicture::CreateEmpty();
  EXPECT_EQ(empty->Type(), com::vbPicTypeNone);
  EXPECT_EQ(empty->Handle(), 0);
  EXPECT_FALSE(com::SamePropertyValue(com::ToVariant(empty), com::Nothing()));
  EXPECT_TRUE(com::LoadPicture("")->IsEmpty());

  auto picture = com::StdPicture::FromBitmap(gdi::OwnedBitmap(gdi::CreateFilledBitmap(32, 16, gdi::RGB(255, 0, 0))));
  EXPECT_EQ(picture->Type(), com::vbPicTypeBitmap);
  EXPECT_NE(picture->Handle(), 0);
  EXPECT_EQ(picture->Width(), 847);  // 32 px in HIMETRIC
  EXPECT_EQ(picture->Height(), 423);

  // A picture from memory is kept inline, one from a file by its path.
  com::PropertyBag bag;
  bag.WriteProperty("Inline", com::ToVariant(picture), com::Nothing());
  auto inlined = com::AsObject<com::StdPicture>(com::PropertyBag::FromText(bag.ToText()).ReadProperty("Inline"));
  ASSERT_TRUE(inlined);
  EXPECT_EQ(inlined->PixelWidth(), 32);

  const auto folder = std::filesystem::temp_directory_path() / "qv_com_pictures";
  std::filesystem::create_directories(folder);
  ASSERT_TRUE(gdi::SaveBitmapToPng(picture->Bitmap(), (folder / "red.png").string()));
  auto loaded = com::LoadPicture((folder / "red.png").string());
  com::PropertyBag fileBag;
  fileBag.WriteProperty("Icon", com::ToVariant(loaded), com::Nothing());
  const std::string text = fileBag.ToText(folder.string());
  EXPECT_EQ(text, "Icon = Picture(\"red.png\")\n");
  auto again = com::AsObject<com::StdPicture>(com::PropertyBag::FromText(text, folder.string()).ReadProperty("Icon"));
  ASSERT_TRUE(again);
  EXPECT_EQ(again->PixelHeight(), 16);
  std::filesystem::remove_all(folder);

  try {
    com::LoadPicture("/nonexistent/x.png");
    ADD_FAILURE();
  } catch (const rt::Error& e) {
    EXPECT_EQ(e.Number(), 53);
  }
}

TEST(StdFont, CloneIsIndependentAndChangesAreAnnounced) {
  auto font = com::StdFont::Create("Tahoma", 8);
  std::vector<std::string> changes;
  font->Events().Connect(com::kFontChangedEvent, [&](com::Args& a) { changes.push_back(a[0].ToString()); });
  auto copy = font->Clone();
  font->SetBold(true);
  font->Let("Size", 10.0);
  EXPECT_EQ(changes, (std::vector<std::string>{"Bold", "Size"}));
  EXPECT_FALSE(copy->Bold());
  EXPECT_DOUBLE_EQ(copy->Size(), 8);
  EXPECT_EQ(font->Get("Weight").ToLong(), 700);
}

}  // namespace
