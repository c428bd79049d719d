#include "forms/TitleRoom.h"

#include "forms/ControlPainter.h"
#include "gdi/Twips.h"

namespace forms {

namespace {
// The frame's icon, its buttons and the gaps between them at 96 dpi: the
// widest frame of the common window managers, with three buttons.
constexpr int kFrameRoom = 120;
}  // namespace

int WidthForTitle(std::string_view title, const com::StdFontPtr& font) {
  const auto captionFont = com::StdFont::Create(font->Name(), font->Size(), true);
  return painter::MeasureText(title, captionFont, 0, false).cx +
         gdi::TwipsToPixelsX(kFrameRoom * gdi::kTwipsPerPixelX);
}

}  // namespace forms
