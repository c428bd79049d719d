// The element record of the HTML view's document: one record per tag or
// text run, in document order. The parser fills the source fields; layout
// results (the drawn box) are added by the render pass.
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

struct HTMLElement {
  std::string Raw;  // the tag as written, or the text run, untrimmed
  bool IsTag = false;
  int32_t ElementType = htmlElementType::TextRun;
  std::string ID;
  bool NoBlankBefore = false;
  std::vector<std::string> Words;  // text runs: the decoded text split at blanks
  std::string Href;
  std::string Title;
  // The drawn box on the page, pixels; -1 for a link not drawn yet.
  int32_t BoxTop = 0;
  int32_t BoxLeft = 0;
  int32_t BoxBottom = 0;
  int32_t BoxRight = 0;
  int16_t Index = 0;
};

}  // namespace kvctl2
