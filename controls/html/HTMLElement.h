// The element record of the HTML view's document: one record per tag or
// text run, in document order. The parser fills the source fields and the
// tree links; the render pass adds its layout results (the drawn box,
// measured heights, list numbers, picture slots).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kvctl2 {

// Element type codes; an opener has code n, its closing tag n + 1.
namespace htmlElementType {
inline constexpr int32_t TextRun = 0;
inline constexpr int32_t OtherTag = 1;
inline constexpr int32_t Head = 2;
inline constexpr int32_t Title = 4;
inline constexpr int32_t Body = 6;
inline constexpr int32_t CommentOpen = 8;
inline constexpr int32_t CommentClose = 9;
inline constexpr int32_t Strong = 10;
inline constexpr int32_t Em = 12;
inline constexpr int32_t U = 14;
inline constexpr int32_t P = 16;
inline constexpr int32_t Div = 18;
inline constexpr int32_t Br = 20;
inline constexpr int32_t Hr = 21;
inline constexpr int32_t Ul = 22;
inline constexpr int32_t Ol = 24;
inline constexpr int32_t Li = 26;
inline constexpr int32_t Table = 27;
inline constexpr int32_t THead = 29;
inline constexpr int32_t TBody = 31;
inline constexpr int32_t TFoot = 33;
inline constexpr int32_t Tr = 35;
inline constexpr int32_t Td = 37;
inline constexpr int32_t Font = 39;
inline constexpr int32_t A = 41;
inline constexpr int32_t Img = 43;
inline constexpr int32_t BlockQuote = 44;
inline constexpr int32_t Heading = 46;
inline constexpr int32_t Big = 48;
inline constexpr int32_t Small = 50;
inline constexpr int32_t Center = 52;
inline constexpr int32_t Sub = 54;
inline constexpr int32_t Sup = 56;
inline constexpr int32_t Form = 58;
inline constexpr int32_t Script = 60;
inline constexpr int32_t Style = 62;
}  // namespace htmlElementType

// Vertical alignment codes of a cell.
inline constexpr int32_t kVAlignTop = 3;
inline constexpr int32_t kVAlignCenter = 4;
inline constexpr int32_t kVAlignBottom = 5;

struct HTMLElement {
  std::string Raw;  // the tag as written, or the text run, untrimmed
  bool IsTag = false;
  int32_t ElementType = htmlElementType::TextRun;
  std::string ID;  // ID or NAME: target of "#" links
  bool NoBlankBefore = false;
  bool HasBgColor = false;
  std::vector<std::string> Words;  // text runs: the decoded text split at blanks
  std::string FontFace;
  float FontSize = 0;  // points
  int32_t Color = 0;
  std::string Href;
  std::string Title;
  // The drawn box on the page, pixels; -1 for a link not drawn yet.
  int32_t BoxTop = 0;
  int32_t BoxLeft = 0;
  int32_t BoxBottom = 0;
  int32_t BoxRight = 0;
  int32_t OffsetX = 0;  // from the current left margin
  bool AlignCenter = false;
  bool AlignRight = false;
  int32_t PictureSlot = 0;  // IMG: its picture in the picture list, 0 = not yet loaded
  int32_t ImageWidth = 0;
  int32_t ImageHeight = 0;
  std::string Src;
  std::string Alt;
  int16_t HSpace = 0;
  int16_t VSpace = 0;
  bool Numbered = false;
  int16_t ItemNumber = 0;
  float Width = 0;  // up to 1.0 a share of the available width, above it pixels
  int32_t PixelWidth = 0;
  float Height = 0;  // as Width; 0 = none
  int16_t Border = 0;
  int16_t CellPadding = 0;
  int16_t CellSpacing = 0;
  int16_t ColSpan = 0;
  int32_t RowHeight = 0;    // measured: TABLE its height, TD/TH its content's height
  int32_t PixelHeight = 0;  // measured: TR its height
  int32_t VAlign = 0;
  int32_t BgColor = 0;
  // The tree over the array.
  int16_t ChildCount = 0;
  std::vector<int16_t> Children;  // may hold the closer that ended the list beyond ChildCount
  int16_t Parent = 0;
  int16_t ChildSlot = 0;
  int16_t Index = 0;
};

}  // namespace kvctl2
