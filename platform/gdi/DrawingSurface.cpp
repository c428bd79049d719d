#include "gdi/DrawingSurface.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "gdi/Bitmaps.h"
#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "gdi/Owned.h"
#include "gdi/Shapes.h"
#include "gdi/Text.h"
#include "gdi/Twips.h"
#include "runtime/Error.h"

namespace gdi {

namespace {

constexpr size_t kCachedFonts = 8;

// Font sizes the platform takes, in points; others are an invalid
// property value.
void CheckFontSize(double points) {
  if (!(points > 0 && points <= 2160)) rt::Raise(380, "Font", "Invalid property value");
}

// Twips in one unit of each fixed scale mode (x, y).
double TwipsPerUnit(int mode, bool vertical) {
  switch (mode) {
    case vbTwips:
      return 1;
    case vbPoints:
      return 20;
    case vbPixels:
      return vertical ? kTwipsPerPixelY : kTwipsPerPixelX;
    case vbCharacters:
      return vertical ? 240 : 120;
    case vbInches:
      return 1440;
    case vbMillimeters:
      return 1440 / 25.4;
    case vbCentimeters:
      return 1440 / 2.54;
    case vbHimetric:
      return 1440 / 2540.0;
    default:
      return 1;
  }
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> out;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      out.push_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  out.push_back(text.substr(start));
  return out;
}

}  // namespace

LOGFONT ToLogFont(const SurfaceFont& font) {
  LOGFONT lf;
  lf.lfHeight = -PointsToPixels(font.Size);
  lf.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.Italic ? 1 : 0;
  lf.lfUnderline = font.Underline ? 1 : 0;
  lf.lfStrikeOut = font.Strikethrough ? 1 : 0;
  lf.lfFaceName = font.Name;
  return lf;
}

struct DrawingSurface::State {
  int width = 1;
  int height = 1;
  OwnedDC imageDc;
  OwnedDC shownDc;
  OwnedBitmap image;
  OwnedBitmap shown;
  OwnedBitmap picture;
  std::vector<std::pair<SurfaceFont, OwnedFont>> fonts;
  OwnedPen linePen;  // the pen Line drew with last, by colour, style and width
  std::tuple<COLORREF, int, int> linePenKey;
  HFONT font{};  // the selected one, owned by `fonts`
  OwnedPen pen;
  OwnedBrush brush;
  SurfaceFont fontDesc;
  bool autoRedraw = false;
  OLE_COLOR foreColor = SysColor(COLOR_BTNTEXT);
  OLE_COLOR backColor = SysColor(COLOR_BTNFACE);
  OLE_COLOR fillColor = 0;
  int fillStyle = vbFSTransparent;
  int drawWidth = 1;
  int drawStyle = vbSolid;
  bool fontTransparent = true;
  int scaleMode = vbTwips;
  double scaleLeft = 0, scaleTop = 0, scaleWidth = 15, scaleHeight = 15;
  double currentX = 0, currentY = 0;

  HDC Target() const { return autoRedraw ? imageDc.Get() : shownDc.Get(); }
  COLORREF Back() const { return OleTranslateColor(backColor); }

  void UpdateFixedScale() {
    if (scaleMode == vbUser) return;
    scaleLeft = scaleTop = 0;
    scaleWidth = width * kTwipsPerPixelX / TwipsPerUnit(scaleMode, false);
    scaleHeight = height * kTwipsPerPixelY / TwipsPerUnit(scaleMode, true);
  }

  // Background colour and picture over the whole of a DC.
  void Clear(HDC dc) const {
    OwnedBrush brush(CreateSolidBrush(Back()));
    FillRect(dc, RECT{0, 0, width, height}, brush.Get());
    if (picture) {
      SIZE s = GetBitmapSize(picture.Get());
      AlphaBlendPicture(dc, 0, 0, s.cx, s.cy, picture.Get(), 0, 0, s.cx, s.cy);
    }
  }

  // The shown picture takes the persistent one (only needed while
  // AutoRedraw is off; with it on, the persistent picture is shown).
  void CopyImageToShown() {
    if (autoRedraw) return;
    if (GetBitmapSize(shown.Get()).cx != width || GetBitmapSize(shown.Get()).cy != height) {
      OwnedBitmap sized(CreateFilledBitmap(width, height, Back()));
      SelectObject(shownDc.Get(), sized.Get());
      shown = std::move(sized);
    }
    BitBlt(shownDc.Get(), 0, 0, width, height, imageDc.Get(), 0, 0, SRCCOPY);
  }

  // A new bitmap of the current size for `dc`, keeping the old content.
  void Regrow(OwnedDC& dc, OwnedBitmap& bitmap) {
    OwnedBitmap grown(CreateFilledBitmap(width, height, Back()));
    OwnedDC copier(CreateCompatibleDC());
    HBITMAP old = SelectObject(copier.Get(), grown.Get());
    SIZE before = GetBitmapSize(bitmap.Get());
    BitBlt(copier.Get(), 0, 0, before.cx, before.cy, dc.Get(), 0, 0, SRCCOPY);
    SelectObject(copier.Get(), old);
    SelectObject(dc.Get(), grown.Get());
    bitmap = std::move(grown);
  }

  // The DCs carry the surface's drawing properties, so drawing through
  // hDC uses them: text colour = ForeColor, background = BackColor, pen =
  // ForeColor / DrawWidth / DrawStyle, brush = FillColor / FillStyle.
  void SyncDcs() {
    SyncForeColor();
    OwnedBrush b(fillStyle == vbFSSolid ? CreateSolidBrush(OleTranslateColor(fillColor)) : HBRUSH{});
    for (HDC dc : {imageDc.Get(), shownDc.Get()}) {
      SetBkColor(dc, Back());
      SetBkMode(dc, fontTransparent ? TRANSPARENT : OPAQUE);
      SelectObject(dc, b ? b.Get() : HBRUSH(GetStockObject(NULL_BRUSH)));
    }
    brush = std::move(b);
  }
  // What ForeColor, DrawWidth and DrawStyle set: the text colour and the pen.
  void SyncForeColor() {
    OwnedPen p(CreatePen(drawStyle, drawWidth, OleTranslateColor(foreColor)));
    for (HDC dc : {imageDc.Get(), shownDc.Get()}) {
      SetTextColor(dc, OleTranslateColor(foreColor));
      SelectObject(dc, p.Get());
    }
    pen = std::move(p);
  }

  // The fonts a surface switches between (bold on and off, a link's
  // underline) are made once and kept.
  void SelectFont() {
    auto cached = std::find_if(fonts.begin(), fonts.end(), [this](const auto& f) { return f.first == fontDesc; });
    if (cached != fonts.end()) {
      font = cached->second.Get();
    } else {
      fonts.emplace_back(fontDesc, OwnedFont(CreateFontIndirect(ToLogFont(fontDesc))));
      font = fonts.back().second.Get();
    }
    SelectObject(imageDc.Get(), font);
    SelectObject(shownDc.Get(), font);
    // The oldest goes once it is no longer selected.
    if (fonts.size() > kCachedFonts && fonts.front().second.Get() != font) fonts.erase(fonts.begin());
  }
};

DrawingSurface::DrawingSurface(int widthPixels, int heightPixels) : m_state(std::make_unique<State>()) {
  State& s = *m_state;
  s.width = std::max(1, widthPixels);
  s.height = std::max(1, heightPixels);
  s.image.Reset(CreateFilledBitmap(s.width, s.height, s.Back()));
  s.shown.Reset(CreateFilledBitmap(s.width, s.height, s.Back()));
  s.imageDc.Reset(CreateCompatibleDC());
  s.shownDc.Reset(CreateCompatibleDC());
  SelectObject(s.imageDc.Get(), s.image.Get());
  SelectObject(s.shownDc.Get(), s.shown.Get());
  s.SyncDcs();
  s.SelectFont();
  s.UpdateFixedScale();
}

DrawingSurface::~DrawingSurface() = default;
DrawingSurface::DrawingSurface(DrawingSurface&&) noexcept = default;
DrawingSurface& DrawingSurface::operator=(DrawingSurface&&) noexcept = default;

int DrawingSurface::PixelWidth() const { return m_state->width; }
int DrawingSurface::PixelHeight() const { return m_state->height; }

void DrawingSurface::Resize(int widthPixels, int heightPixels) {
  State& s = *m_state;
  widthPixels = std::max(1, widthPixels);
  heightPixels = std::max(1, heightPixels);
  if (widthPixels == s.width && heightPixels == s.height) return;
  s.width = widthPixels;
  s.height = heightPixels;
  s.Regrow(s.imageDc, s.image);
  // With AutoRedraw the shown picture is the persistent one: the other
  // picture is brought to size when AutoRedraw goes off.
  if (!s.autoRedraw) s.Regrow(s.shownDc, s.shown);
  s.UpdateFixedScale();
}

bool DrawingSurface::AutoRedraw() const { return m_state->autoRedraw; }

void DrawingSurface::SetAutoRedraw(bool value) {
  State& s = *m_state;
  if (s.autoRedraw == value) return;
  s.autoRedraw = value;
  // Drawing without AutoRedraw starts from what was shown: the persistent picture.
  if (!value) s.CopyImageToShown();
}

HDC DrawingSurface::hDC() const { return m_state->Target(); }
HBITMAP DrawingSurface::Image() const { return m_state->image.Get(); }
HBITMAP DrawingSurface::ShownBitmap() const {
  return m_state->autoRedraw ? m_state->image.Get() : m_state->shown.Get();
}
HDC DrawingSurface::ShownDC() const { return m_state->autoRedraw ? m_state->imageDc.Get() : m_state->shownDc.Get(); }

void DrawingSurface::Refresh() {
  if (!m_state->autoRedraw) m_state->CopyImageToShown();
}

void DrawingSurface::Cls() {
  State& s = *m_state;
  if (s.autoRedraw)
    s.Clear(s.imageDc.Get());
  else
    s.CopyImageToShown();
  s.currentX = s.scaleLeft;
  s.currentY = s.scaleTop;
}

void DrawingSurface::SetPicture(HBITMAP picture) {
  State& s = *m_state;
  s.picture.Reset(IsNull(picture) ? HBITMAP{} : CopyBitmap(picture));
  s.Clear(s.imageDc.Get());
  s.CopyImageToShown();
}

HBITMAP DrawingSurface::Picture() const { return m_state->picture.Get(); }

OLE_COLOR DrawingSurface::ForeColor() const { return m_state->foreColor; }
void DrawingSurface::SetForeColor(OLE_COLOR color) {
  m_state->foreColor = color;
  m_state->SyncForeColor();
}
OLE_COLOR DrawingSurface::BackColor() const { return m_state->backColor; }
void DrawingSurface::SetBackColor(OLE_COLOR color) {
  State& s = *m_state;
  s.backColor = color;
  s.SyncDcs();
  s.Clear(s.imageDc.Get());
  s.CopyImageToShown();
}
OLE_COLOR DrawingSurface::FillColor() const { return m_state->fillColor; }
void DrawingSurface::SetFillColor(OLE_COLOR color) {
  m_state->fillColor = color;
  m_state->SyncDcs();
}
int DrawingSurface::FillStyle() const { return m_state->fillStyle; }
void DrawingSurface::SetFillStyle(int style) {
  m_state->fillStyle = style;
  m_state->SyncDcs();
}
int DrawingSurface::DrawWidth() const { return m_state->drawWidth; }
void DrawingSurface::SetDrawWidth(int width) {
  if (width < 1) rt::Raise(rt::errInvalidProcedureCall);
  m_state->drawWidth = width;
  m_state->SyncDcs();
}
int DrawingSurface::DrawStyle() const { return m_state->drawStyle; }
void DrawingSurface::SetDrawStyle(int style) {
  if (style < vbSolid || style > vbInsideSolid) rt::Raise(rt::errInvalidProcedureCall);
  m_state->drawStyle = style;
  m_state->SyncDcs();
}
bool DrawingSurface::FontTransparent() const { return m_state->fontTransparent; }
void DrawingSurface::SetFontTransparent(bool value) {
  m_state->fontTransparent = value;
  m_state->SyncDcs();
}

const SurfaceFont& DrawingSurface::Font() const { return m_state->fontDesc; }
void DrawingSurface::SetFont(const SurfaceFont& font) {
  CheckFontSize(font.Size);
  m_state->fontDesc = font;
  m_state->SelectFont();
}
void DrawingSurface::SetFontName(std::string_view name) {
  m_state->fontDesc.Name = std::string(name);
  m_state->SelectFont();
}
void DrawingSurface::SetFontSize(double points) {
  CheckFontSize(points);
  m_state->fontDesc.Size = points;
  m_state->SelectFont();
}
void DrawingSurface::SetFontBold(bool value) {
  m_state->fontDesc.Bold = value;
  m_state->SelectFont();
}
void DrawingSurface::SetFontItalic(bool value) {
  m_state->fontDesc.Italic = value;
  m_state->SelectFont();
}
void DrawingSurface::SetFontUnderline(bool value) {
  m_state->fontDesc.Underline = value;
  m_state->SelectFont();
}
HFONT DrawingSurface::FontHandle() const { return m_state->font; }

int DrawingSurface::ScaleMode() const { return m_state->scaleMode; }
void DrawingSurface::SetScaleMode(int mode) {
  if (mode < vbUser || mode > vbHimetric) rt::Raise(rt::errInvalidProcedureCall);
  m_state->scaleMode = mode;
  m_state->UpdateFixedScale();
}
double DrawingSurface::ScaleLeft() const { return m_state->scaleLeft; }
double DrawingSurface::ScaleTop() const { return m_state->scaleTop; }
double DrawingSurface::ScaleWidth() const { return m_state->scaleWidth; }
double DrawingSurface::ScaleHeight() const { return m_state->scaleHeight; }
void DrawingSurface::SetScaleLeft(double value) {
  m_state->scaleMode = vbUser;
  m_state->scaleLeft = value;
}
void DrawingSurface::SetScaleTop(double value) {
  m_state->scaleMode = vbUser;
  m_state->scaleTop = value;
}
void DrawingSurface::SetScaleWidth(double value) {
  if (value == 0) rt::Raise(rt::errInvalidProcedureCall);
  m_state->scaleMode = vbUser;
  m_state->scaleWidth = value;
}
void DrawingSurface::SetScaleHeight(double value) {
  if (value == 0) rt::Raise(rt::errInvalidProcedureCall);
  m_state->scaleMode = vbUser;
  m_state->scaleHeight = value;
}
void DrawingSurface::Scale(double x1, double y1, double x2, double y2) {
  if (x1 == x2 || y1 == y2) rt::Raise(rt::errInvalidProcedureCall);
  State& s = *m_state;
  s.scaleMode = vbUser;
  s.scaleLeft = x1;
  s.scaleTop = y1;
  s.scaleWidth = x2 - x1;
  s.scaleHeight = y2 - y1;
}
void DrawingSurface::ScaleDefault() { SetScaleMode(vbTwips); }

double DrawingSurface::ScaleX(double value, int fromMode, int toMode) const {
  const State& s = *m_state;
  double twips =
      fromMode == vbUser ? value * s.width * kTwipsPerPixelX / s.scaleWidth : value * TwipsPerUnit(fromMode, false);
  return toMode == vbUser ? twips * s.scaleWidth / (s.width * kTwipsPerPixelX) : twips / TwipsPerUnit(toMode, false);
}

double DrawingSurface::ScaleY(double value, int fromMode, int toMode) const {
  const State& s = *m_state;
  double twips =
      fromMode == vbUser ? value * s.height * kTwipsPerPixelY / s.scaleHeight : value * TwipsPerUnit(fromMode, true);
  return toMode == vbUser ? twips * s.scaleHeight / (s.height * kTwipsPerPixelY) : twips / TwipsPerUnit(toMode, true);
}

int DrawingSurface::ToPixelX(double x) const {
  const State& s = *m_state;
  return static_cast<int>(std::lround((x - s.scaleLeft) * s.width / s.scaleWidth));
}
int DrawingSurface::ToPixelY(double y) const {
  const State& s = *m_state;
  return static_cast<int>(std::lround((y - s.scaleTop) * s.height / s.scaleHeight));
}
double DrawingSurface::FromPixelX(int px) const {
  const State& s = *m_state;
  return s.scaleLeft + px * s.scaleWidth / s.width;
}
double DrawingSurface::FromPixelY(int py) const {
  const State& s = *m_state;
  return s.scaleTop + py * s.scaleHeight / s.height;
}

double DrawingSurface::CurrentX() const { return m_state->currentX; }
double DrawingSurface::CurrentY() const { return m_state->currentY; }
void DrawingSurface::SetCurrentX(double x) { m_state->currentX = x; }
void DrawingSurface::SetCurrentY(double y) { m_state->currentY = y; }

void DrawingSurface::Print(std::string_view text, bool newLine) {
  State& s = *m_state;
  HDC dc = s.Target();
  if (!newLine && text.find_first_of("\r\n") == std::string_view::npos) {
    // One line, the point moving on by its width ("Print x;").
    TextOutA(dc, ToPixelX(s.currentX), ToPixelY(s.currentY), text);
    s.currentX += TextWidth(text);
    return;
  }
  double lineHeight = TextHeight("");
  std::vector<std::string_view> lines = Lines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) {
      s.currentX = s.scaleLeft;
      s.currentY += lineHeight;
    }
    TextOutA(dc, ToPixelX(s.currentX), ToPixelY(s.currentY), lines[i]);
    if (i + 1 == lines.size() && !newLine) s.currentX += TextWidth(lines[i]);
  }
  if (newLine) {
    s.currentX = s.scaleLeft;
    s.currentY += lineHeight;
  }
}

double DrawingSurface::TextWidth(std::string_view text) const {
  if (text.find_first_of("\r\n") == std::string_view::npos) {
    SIZE size{};
    GetTextExtentPoint32A(m_state->imageDc.Get(), text, -1, &size);
    return ScaleX(size.cx, vbPixels, vbUser);
  }
  int widest = 0;
  for (std::string_view line : Lines(text)) {
    SIZE size{};
    GetTextExtentPoint32A(m_state->imageDc.Get(), line, -1, &size);
    widest = std::max(widest, static_cast<int>(size.cx));
  }
  return ScaleX(widest, vbPixels, vbUser);
}

double DrawingSurface::TextHeight(std::string_view text) const {
  TEXTMETRIC tm;
  GetTextMetrics(m_state->imageDc.Get(), &tm);
  int pixels = static_cast<int>(Lines(text).size()) * (tm.tmHeight + tm.tmExternalLeading);
  return ScaleY(pixels, vbPixels, vbUser);
}

void DrawingSurface::Line(double x1, double y1, double x2, double y2, std::optional<OLE_COLOR> color, LineBox box) {
  State& s = *m_state;
  HDC dc = s.Target();
  COLORREF c = OleTranslateColor(color.value_or(s.foreColor));
  int px1 = ToPixelX(x1), py1 = ToPixelY(y1), px2 = ToPixelX(x2), py2 = ToPixelY(y2);
  // The pen of the last colour drawn with is kept for the next line.
  if (!s.linePen || s.linePenKey != std::tuple{c, s.drawStyle, s.drawWidth}) {
    s.linePen.Reset(CreatePen(s.drawStyle, s.drawWidth, c));
    s.linePenKey = {c, s.drawStyle, s.drawWidth};
  }
  ScopedSelect<HPEN> usePen(dc, s.linePen.Get());
  if (box == LineBox::None) {
    MoveToEx(dc, px1, py1);
    gdi::LineTo(dc, px2, py2);
  } else {
    // A box covers both corner points.
    RECT r{std::min(px1, px2), std::min(py1, py2), std::max(px1, px2) + 1, std::max(py1, py2) + 1};
    if (box == LineBox::BoxFilled) {
      OwnedBrush brush(CreateSolidBrush(c));
      FillRect(dc, r, brush.Get());
    } else {
      Rectangle(dc, r.left, r.top, r.right, r.bottom);  // filled by the DC's brush: FillColor / FillStyle
    }
  }
  s.currentX = x2;
  s.currentY = y2;
}

void DrawingSurface::LineTo(double x2, double y2, std::optional<OLE_COLOR> color, LineBox box) {
  Line(m_state->currentX, m_state->currentY, x2, y2, color, box);
}

void DrawingSurface::PSet(double x, double y, std::optional<OLE_COLOR> color) {
  State& s = *m_state;
  HDC dc = s.Target();
  COLORREF c = OleTranslateColor(color.value_or(s.foreColor));
  int px = ToPixelX(x), py = ToPixelY(y);
  if (s.drawWidth <= 1) {
    gdi::SetPixel(dc, px, py, c);
  } else {
    OwnedBrush brush(CreateSolidBrush(c));
    ScopedSelect<HBRUSH> useBrush(dc, brush.Get());
    ScopedSelect<HPEN> usePen(dc, HPEN(GetStockObject(NULL_PEN)));
    int r = s.drawWidth / 2;
    Ellipse(dc, px - r, py - r, px - r + s.drawWidth, py - r + s.drawWidth);
  }
  s.currentX = x;
  s.currentY = y;
}

int64_t DrawingSurface::Point(double x, double y) const {
  COLORREF c = GetPixel(ShownDC(), ToPixelX(x), ToPixelY(y));
  return c == CLR_INVALID ? -1 : static_cast<int64_t>(c);
}

void DrawingSurface::PaintPicture(HBITMAP picture, double x1, double y1, std::optional<double> width1,
                                  std::optional<double> height1, std::optional<double> x2, std::optional<double> y2,
                                  std::optional<double> width2, std::optional<double> height2) {
  SIZE size = GetBitmapSize(picture);
  if (size.cx == 0) rt::Raise(rt::errInvalidProcedureCall);
  auto pixelsX = [&](std::optional<double> v, int whole) {
    return v ? static_cast<int>(std::lround(ScaleX(*v, vbUser, vbPixels))) : whole;
  };
  auto pixelsY = [&](std::optional<double> v, int whole) {
    return v ? static_cast<int>(std::lround(ScaleY(*v, vbUser, vbPixels))) : whole;
  };
  int sx = x2 ? pixelsX(x2, 0) : 0, sy = y2 ? pixelsY(y2, 0) : 0;
  int sw = pixelsX(width2, size.cx - sx), sh = pixelsY(height2, size.cy - sy);
  int dw = pixelsX(width1, sw), dh = pixelsY(height1, sh);
  AlphaBlendPicture(m_state->Target(), ToPixelX(x1), ToPixelY(y1), dw, dh, picture, sx, sy, sw, sh);
}

void DrawingSurface::PaintPicture(HICON picture, double x1, double y1, std::optional<double> width1,
                                  std::optional<double> height1) {
  SIZE size = GetIconSize(picture);
  if (size.cx == 0) rt::Raise(rt::errInvalidProcedureCall);
  int dw = width1 ? static_cast<int>(std::lround(ScaleX(*width1, vbUser, vbPixels))) : size.cx;
  int dh = height1 ? static_cast<int>(std::lround(ScaleY(*height1, vbUser, vbPixels))) : size.cy;
  DrawIconEx(m_state->Target(), ToPixelX(x1), ToPixelY(y1), picture, dw, dh, 0, HBRUSH{}, DI_NORMAL);
}

bool DrawingSurface::SavePng(const std::string& path) const { return SaveBitmapToPng(ShownBitmap(), path); }

}  // namespace gdi
