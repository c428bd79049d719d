// The render pass of the HTML view: one walk over the document that
// positions every block, breaks and draws the text, lays out tables and
// images, records every element's box and works out the page size. The
// measuring pass draws nothing; the drawing pass records what it draws
// into the page's display list. Refresh measures, measures again when the
// page grew wider, and draws last.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "com/StdPicture.h"
#include "html/HtmlDocument.h"
#include "html/PageCanvas.h"

namespace kvctl2::html {

// The control's values that the pass reads.
struct PageSettings {
  std::string DefaultFontName = "Arial";
  float DefaultFontSize = 10;
  int16_t DefaultPadding = 4;
  int16_t DefaultSpacing = 4;
  uint32_t DefaultTextColor = 0;
  uint32_t LinkColor = 0xFF0000;
  uint32_t LinkHoverColor = 0x800080;
  bool EnableAnchors = false;
  bool UnderlineLinks = true;
  bool EnableScroll = false;  // any scroll bar allowed
  // The page under its content: the control's colours and picture.
  bool Gradient = false;
  float GradientAngle = 0;
  uint32_t BackColor = 0;
  uint32_t BackColor2 = 0;
  com::StdPicturePtr PagePicture;
  int16_t HoverAnchor = 0;  // index of the highlighted link, 0 = none
  // The viewport's size in pixels.
  int ViewportWidth = 1;
  int ViewportHeight = 1;
};

// What the pass asks of the control.
class PageHost {
 public:
  virtual ~PageHost() = default;
  // The LoadImage event: the host puts the picture of `source` into `image`
  // or leaves it empty.
  virtual void LoadImage(std::string& source, com::StdPicturePtr& image) = 0;
};

// The laid-out page size in pixels.
struct PageSize {
  int32_t Width = 0;
  int32_t Height = 0;
};

// One pass over `page`, a drawing pass when the page records (it uses the
// heights that the measuring pass stored, fills table and cell
// backgrounds and aligns cell contents); the measuring pass sets the page
// width and stores the heights. A failure ends the pass quietly: what was
// reached stays.
void RenderPage(Document& doc, std::vector<com::StdPicturePtr>& pictures, PageCanvas& page,
                const PageSettings& settings, PageHost& host, PageSize& size);

}  // namespace kvctl2::html
