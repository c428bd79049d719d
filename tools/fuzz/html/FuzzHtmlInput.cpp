#include "FuzzHtmlInput.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "com/StdPicture.h"
#include "forms/PictureBox.h"
#include "gdi/Bitmaps.h"
#include "gdi/FontBackend.h"
#include "gdi/Owned.h"
#include "html/KVXHTML.h"

namespace qvfuzz {

namespace {

// Pictures for IMG and BACKGROUND: a source naming "big" gets a larger one.
com::StdPicturePtr PictureFor(std::string_view source) {
  const bool big = source.find("big") != std::string_view::npos;
  const int width = big ? 40 : 3, height = big ? 30 : 2;
  return com::StdPicture::FromBitmap(gdi::OwnedBitmap(gdi::CreateFilledBitmap(width, height, 0x336699)));
}

void Pointer(kvctl2::KVXHTML& html, const char* event, int16_t button, int x, int y) {
  com::Args args{button, int16_t{0}, static_cast<double>(x), static_cast<double>(y)};
  html.ViewPort()->Events().Raise(event, args);
}

}  // namespace

void RunHtmlInput(const uint8_t* data, size_t size) {
  gdi::ScopedFixedMetrics metrics;
  // The first byte picks the options, the rest is the document; with the
  // three top bits it is repeated past the data model's 32,767 characters.
  const uint8_t options = size > 0 ? data[0] : 0;
  std::string text(reinterpret_cast<const char*>(data) + (size > 0 ? 1 : 0), size > 0 ? size - 1 : 0);
  if ((options & 0xE0) == 0xE0 && !text.empty()) {
    const std::string once = text;
    while (text.size() < 34000) text += once;
  }

  kvctl2::KVXHTML html;
  html.InitProperties();
  html.SetEnabled(true);
  html.SetEnableAnchors((options & 1) != 0);
  html.SetEnableTooltips(true);
  html.SetPageMover(true);
  html.SetEnableScroll(static_cast<kvctl2::htmScrollBars>((options >> 1) & 3));
  html.SetGradient((options & 8) != 0);
  html.SetBorderStyle((options & 16) != 0 ? kvctl2::htmlBorder::Fest : kvctl2::htmlBorder::kein);
  html.Events().Connect("LoadImage", [](com::Args& args) {
    if ((args[0].ToString().size() & 1) == 0) args[1] = com::ToVariant(PictureFor(args[0].ToString()));
  });

  // A few widths (twips): very narrow, narrow, ordinary.
  const int32_t widths[] = {15, 900, 4500};
  const int width = std::min((options >> 5) & 3, 2);
  html.Move(0, 0, widths[width], 3000);
  html.SetText(text);
  html.Move(0, 0, widths[(width + 1) % 3], 1500);

  // Over every link: hover, click; then drag and the keys.
  for (size_t i = 0; i < html.Anchors().size() && i < 8; ++i) {
    int x = 0, y = 0;
    if (!html.LinkPoint(static_cast<int>(i), x, y)) continue;
    Pointer(html, "MouseMove", 0, x, y);
    Pointer(html, "MouseUp", 1, x, y);
  }
  Pointer(html, "MouseMove", 0, 1, 1);
  Pointer(html, "MouseDown", 1, 5, 5);
  Pointer(html, "MouseMove", 1, 2, 40);
  for (int16_t key : {34, 40, 39, 33, 38, 37}) {
    com::Args args{key, int16_t{2}};
    html.ViewPort()->Events().Raise("KeyDown", args);
  }
  (void)html.RawText();
  (void)html.DocumentTitle();
}

}  // namespace qvfuzz
