// The drawing surface that forms, user controls and picture boxes have:
// the graphics methods (Cls, Print, Line, PSet, PaintPicture), the text
// measures (TextWidth, TextHeight), the drawing properties (ForeColor,
// BackColor, FillColor, FillStyle, DrawWidth, DrawStyle, Font,
// FontTransparent), the coordinate system (ScaleMode and the Scale*
// values, CurrentX / CurrentY) and the device context hDC for the drawing
// calls of this layer.
//
// Persistent drawing: the surface keeps a persistent picture (Image). With
// AutoRedraw True every drawing, including drawing through hDC, goes to
// that picture, which is also what is shown. With AutoRedraw False drawing
// goes to the shown picture only, over a copy of the persistent one; Cls
// then returns the shown picture to the persistent one, and the next full
// repaint (Refresh) does the same. Coordinates of the methods are in the
// current scale; the surface's size is given in pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "gdi/SysColors.h"
#include "gdi/Types.h"

namespace gdi {

// ScaleMode values.
inline constexpr int vbUser = 0;
inline constexpr int vbTwips = 1;
inline constexpr int vbPoints = 2;
inline constexpr int vbPixels = 3;
inline constexpr int vbCharacters = 4;
inline constexpr int vbInches = 5;
inline constexpr int vbMillimeters = 6;
inline constexpr int vbCentimeters = 7;
inline constexpr int vbHimetric = 8;
inline constexpr int vbContainerPosition = 9;
inline constexpr int vbContainerSize = 10;

// FillStyle values: solid or transparent (other patterns draw transparent).
inline constexpr int vbFSSolid = 0;
inline constexpr int vbFSTransparent = 1;

// DrawStyle values (pen styles).
inline constexpr int vbSolid = 0;
inline constexpr int vbDash = 1;
inline constexpr int vbDot = 2;
inline constexpr int vbDashDot = 3;
inline constexpr int vbDashDotDot = 4;
inline constexpr int vbInvisible = 5;
inline constexpr int vbInsideSolid = 6;

// The surface's font.
struct SurfaceFont {
  std::string Name = "MS Sans Serif";
  double Size = 8.25;  // points
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool Strikethrough = false;
  friend bool operator==(const SurfaceFont&, const SurfaceFont&) = default;
};
// The LOGFONT a surface font stands for (height in pixels at 96 dpi).
LOGFONT ToLogFont(const SurfaceFont& font);

// The B and BF options of Line.
enum class LineBox { None, Box, BoxFilled };

class DrawingSurface {
 public:
  // A surface of the given pixel size, cleared to its BackColor.
  explicit DrawingSurface(int widthPixels = 1, int heightPixels = 1);
  ~DrawingSurface();
  DrawingSurface(DrawingSurface&&) noexcept;
  DrawingSurface& operator=(DrawingSurface&&) noexcept;
  DrawingSurface(const DrawingSurface&) = delete;
  DrawingSurface& operator=(const DrawingSurface&) = delete;

  // Size in pixels. Resize keeps the content at the top left; new area is
  // filled with BackColor. A user scale keeps its ScaleWidth/ScaleHeight.
  int PixelWidth() const;
  int PixelHeight() const;
  void Resize(int widthPixels, int heightPixels);

  // Persistent drawing.
  bool AutoRedraw() const;
  void SetAutoRedraw(bool value);
  HDC hDC() const;              // where drawing goes now (see above)
  HBITMAP Image() const;        // the persistent picture
  HBITMAP ShownBitmap() const;  // the picture as shown
  HDC ShownDC() const;
  void Refresh();  // a full repaint: shown := persistent (AutoRedraw False)
  void Cls();      // clears, CurrentX = ScaleLeft, CurrentY = ScaleTop
  // The background picture, painted at the top left by Cls and Refresh
  // (copied; null removes it).
  void SetPicture(HBITMAP picture);
  HBITMAP Picture() const;

  // Drawing properties. Colours are OLE colours (system colours allowed).
  // Setting BackColor clears the surface, persistent picture included.
  OLE_COLOR ForeColor() const;
  void SetForeColor(OLE_COLOR color);
  OLE_COLOR BackColor() const;
  void SetBackColor(OLE_COLOR color);
  OLE_COLOR FillColor() const;
  void SetFillColor(OLE_COLOR color);
  int FillStyle() const;
  void SetFillStyle(int style);
  int DrawWidth() const;  // pixels
  void SetDrawWidth(int width);
  int DrawStyle() const;
  void SetDrawStyle(int style);
  bool FontTransparent() const;
  void SetFontTransparent(bool value);
  const SurfaceFont& Font() const;
  // A size outside 0 < points <= 2160 raises 380 (invalid property value).
  void SetFont(const SurfaceFont& font);
  void SetFontName(std::string_view name);
  void SetFontSize(double points);
  void SetFontBold(bool value);
  void SetFontItalic(bool value);
  void SetFontUnderline(bool value);
  HFONT FontHandle() const;  // the font selected into hDC

  // Coordinates.
  int ScaleMode() const;
  void SetScaleMode(int mode);  // vbTwips, vbPixels, vbPoints, ...; vbUser keeps the current values
  double ScaleLeft() const;
  double ScaleTop() const;
  double ScaleWidth() const;
  double ScaleHeight() const;
  void SetScaleLeft(double value);  // each of these switches to vbUser
  void SetScaleTop(double value);
  void SetScaleWidth(double value);
  void SetScaleHeight(double value);
  void Scale(double x1, double y1, double x2, double y2);  // user scale: (x1,y1) top left, (x2,y2) bottom right
  void ScaleDefault();                                     // Scale without arguments: back to twips
  // Converts a width / height between scale modes (vbUser = this surface's scale).
  double ScaleX(double value, int fromMode, int toMode) const;
  double ScaleY(double value, int fromMode, int toMode) const;
  // Scale units to pixels of the surface and back.
  int ToPixelX(double x) const;
  int ToPixelY(double y) const;
  double FromPixelX(int px) const;
  double FromPixelY(int py) const;

  double CurrentX() const;
  double CurrentY() const;
  void SetCurrentX(double x);
  void SetCurrentY(double y);

  // Graphics methods.
  // Print: draws the text at CurrentX/CurrentY in ForeColor (on BackColor
  // unless FontTransparent). Each line of the text (CR LF, CR or LF end
  // lines) starts at CurrentX of the call for the first line and ScaleLeft
  // for the others. With newLine, CurrentX becomes ScaleLeft and CurrentY
  // moves down by one line after the last line ("Print x"); without it
  // CurrentX moves to the end of the text ("Print x;").
  void Print(std::string_view text, bool newLine = true);
  // Width of the widest line and height of all lines, in scale units
  // (an empty text is one line high).
  double TextWidth(std::string_view text) const;
  double TextHeight(std::string_view text) const;
  // Line (x1,y1)-(x2,y2), colour, B / BF. Without a colour: ForeColor. A
  // box without F is filled by FillColor/FillStyle as on the original.
  // CurrentX/CurrentY move to (x2, y2).
  void Line(double x1, double y1, double x2, double y2, std::optional<OLE_COLOR> color = std::nullopt,
            LineBox box = LineBox::None);
  // Line -(x2,y2): from CurrentX/CurrentY.
  void LineTo(double x2, double y2, std::optional<OLE_COLOR> color = std::nullopt, LineBox box = LineBox::None);
  void PSet(double x, double y, std::optional<OLE_COLOR> color = std::nullopt);
  // Circle (x, y), radius, colour, , , aspect: a circle or an ellipse
  // around (x, y), outlined in the colour (ForeColor without one) with
  // DrawWidth and DrawStyle and filled by FillColor/FillStyle. Aspect is
  // height / width: below 1 the radius is the horizontal half-axis, above
  // 1 the vertical one. CurrentX/CurrentY move to the centre.
  void Circle(double x, double y, double radius, std::optional<OLE_COLOR> color = std::nullopt, double aspect = 1.0);
  // The RGB colour of a point; -1 outside the surface.
  int64_t Point(double x, double y) const;
  // Draws (part of) a picture through its alpha: target (x1, y1) with
  // optional target size, optional source rectangle (all in scale units
  // of this surface; the source in the picture's own pixels converted
  // through the current scale as the original does).
  void PaintPicture(HBITMAP picture, double x1, double y1, std::optional<double> width1 = std::nullopt,
                    std::optional<double> height1 = std::nullopt, std::optional<double> x2 = std::nullopt,
                    std::optional<double> y2 = std::nullopt, std::optional<double> width2 = std::nullopt,
                    std::optional<double> height2 = std::nullopt);
  void PaintPicture(HICON picture, double x1, double y1, std::optional<double> width1 = std::nullopt,
                    std::optional<double> height1 = std::nullopt);

  // Writes the shown picture to a PNG file.
  bool SavePng(const std::string& path) const;

 private:
  struct State;
  std::unique_ptr<State> m_state;
};

}  // namespace gdi
