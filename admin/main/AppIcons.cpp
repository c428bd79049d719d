#include "main/AppIcons.h"

#include <cmath>
#include <functional>
#include <map>

#include "gdi/BitmapBits.h"
#include "gdi/Bitmaps.h"
#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "gdi/Owned.h"
#include "gdi/Shapes.h"
#include "runtime/Error.h"

namespace qvadmin {

namespace {

using gdi::COLORREF;

constexpr int kOversample = 4;
constexpr double kPi = 3.14159265358979323846;

constexpr COLORREF Rgb(int r, int g, int b) { return gdi::RGB(r, g, b); }

// The palette of the pictures.
constexpr COLORREF kOutline = Rgb(40, 52, 74);
constexpr COLORREF kBlue = Rgb(64, 118, 196);
constexpr COLORREF kPaleBlue = Rgb(156, 192, 236);
constexpr COLORREF kGreen = Rgb(46, 150, 70);
constexpr COLORREF kRed = Rgb(204, 40, 36);
constexpr COLORREF kGrey = Rgb(150, 150, 150);
constexpr COLORREF kDarkGrey = Rgb(96, 96, 96);
constexpr COLORREF kWhite = Rgb(255, 255, 255);
constexpr COLORREF kPaper = Rgb(250, 250, 244);
constexpr COLORREF kGold = Rgb(236, 180, 60);
constexpr COLORREF kPaleGold = Rgb(250, 222, 140);
constexpr COLORREF kBrown = Rgb(150, 100, 52);
constexpr COLORREF kSkin = Rgb(244, 204, 164);

// Draws in a grid of 16 x 16 units, whatever the picture's size: a unit
// is `m_scale` pixels of the large drawing.
class Painter {
 public:
  Painter(gdi::HDC hdc, double scale) : m_hdc(hdc), m_scale(scale) {}

  int P(double units) const { return static_cast<int>(std::lround(units * m_scale)); }

  void Ellipse(double l, double t, double r, double b, COLORREF fill, COLORREF outline, double width = 1) {
    Shape(fill, outline, width, [&] { gdi::Ellipse(m_hdc, P(l), P(t), P(r), P(b)); });
  }
  void Rect(double l, double t, double r, double b, COLORREF fill, COLORREF outline, double width = 1) {
    Shape(fill, outline, width, [&] { gdi::Rectangle(m_hdc, P(l), P(t), P(r), P(b)); });
  }
  void Round(double l, double t, double r, double b, double radius, COLORREF fill, COLORREF outline, double width = 1) {
    Shape(fill, outline, width, [&] { gdi::RoundRect(m_hdc, P(l), P(t), P(r), P(b), P(radius * 2), P(radius * 2)); });
  }
  void Polygon(std::initializer_list<std::pair<double, double>> points, COLORREF fill, COLORREF outline,
               double width = 1) {
    std::vector<win::POINT> pts;
    for (const auto& [x, y] : points) pts.push_back(win::POINT{P(x), P(y)});
    PolygonPoints(pts, fill, outline, width);
  }
  void PolygonPoints(const std::vector<win::POINT>& pts, COLORREF fill, COLORREF outline, double width = 1) {
    Shape(fill, outline, width, [&] { gdi::Polygon(m_hdc, pts.data(), static_cast<int>(pts.size())); });
  }
  void Line(std::initializer_list<std::pair<double, double>> points, COLORREF color, double width) {
    std::vector<win::POINT> pts;
    for (const auto& [x, y] : points) pts.push_back(win::POINT{P(x), P(y)});
    LinePoints(pts, color, width);
  }
  void LinePoints(const std::vector<win::POINT>& pts, COLORREF color, double width) {
    gdi::OwnedPen pen(gdi::CreatePen(gdi::PS_SOLID, P(width), color));
    gdi::ScopedSelect<gdi::HPEN> select(m_hdc, pen.Get());
    gdi::Polyline(m_hdc, pts.data(), static_cast<int>(pts.size()));
  }
  // An arc of the circle around (cx, cy) from angle a0 to a1 (degrees,
  // counter-clockwise from three o'clock), as points.
  std::vector<win::POINT> Arc(double cx, double cy, double radius, double a0, double a1) const {
    std::vector<win::POINT> pts;
    const int steps = 24;
    for (int i = 0; i <= steps; ++i) {
      const double a = (a0 + (a1 - a0) * i / steps) * kPi / 180;
      pts.push_back(win::POINT{P(cx + radius * std::cos(a)), P(cy - radius * std::sin(a))});
    }
    return pts;
  }

 private:
  template <class Draw>
  void Shape(COLORREF fill, COLORREF outline, double width, Draw draw) {
    gdi::OwnedPen pen(gdi::CreatePen(gdi::PS_SOLID, std::max(1, P(width)), outline));
    gdi::OwnedBrush brush(gdi::CreateSolidBrush(fill));
    gdi::ScopedSelect<gdi::HPEN> selectPen(m_hdc, pen.Get());
    gdi::ScopedSelect<gdi::HBRUSH> selectBrush(m_hdc, brush.Get());
    draw();
  }

  gdi::HDC m_hdc;
  double m_scale;
};

// --- the parts pictures share ---------------------------------------------------

void Person(Painter& p, double dx, double dy, COLORREF shirt, COLORREF outline = kOutline) {
  p.Round(2.5 + dx, 9 + dy, 13.5 + dx, 17.5 + dy, 4.5, shirt, outline);
  p.Ellipse(5 + dx, 1.5 + dy, 11 + dx, 8.5 + dy, kSkin, outline);
}

void SmallPerson(Painter& p, double dx, double dy, COLORREF shirt) {
  p.Round(1 + dx, 6.5 + dy, 9 + dx, 12.5 + dy, 3.5, shirt, kOutline);
  p.Ellipse(2.8 + dx, 1 + dy, 7.2 + dx, 6 + dy, kSkin, kOutline);
}

void Group(Painter& p) {
  SmallPerson(p, 6, 1.5, kGreen);
  SmallPerson(p, 0.5, 3.5, kBlue);
}

void Cylinder(Painter& p, double l, double t, double r, double b, COLORREF body, COLORREF top) {
  const double h = (b - t) * 0.28;
  p.Ellipse(l, b - h, r, b, body, kOutline);
  p.Rect(l, t + h / 2, r, b - h / 2, body, body);
  p.Line({{l + 0.25, t + h / 2}, {l + 0.25, b - h / 2}}, kOutline, 1);
  p.Line({{r - 0.25, t + h / 2}, {r - 0.25, b - h / 2}}, kOutline, 1);
  p.Ellipse(l, t, r, t + h, top, kOutline);
}

void Database(Painter& p) { Cylinder(p, 2, 1, 14, 15, kGold, kPaleGold); }

// A badge at the bottom right: a green disc with a white plus.
void PlusBadge(Painter& p) {
  p.Ellipse(8.5, 8.5, 16, 16, kGreen, Rgb(24, 96, 40));
  p.Line({{12.25, 10}, {12.25, 14.5}}, kWhite, 1.6);
  p.Line({{10, 12.25}, {14.5, 12.25}}, kWhite, 1.6);
}

void Globe(Painter& p, double l, double t, double r, double b) {
  const double cx = (l + r) / 2;
  const double w = r - l;
  p.Ellipse(l, t, r, b, kPaleBlue, kBlue);
  p.Ellipse(cx - w * 0.22, t, cx + w * 0.22, b, kPaleBlue, kBlue);
  p.Line({{l + 0.5, (t + b) / 2}, {r - 0.5, (t + b) / 2}}, kBlue, 1);
  p.Line({{cx, t + 0.5}, {cx, b - 0.5}}, kBlue, 1);
}

void Arrow(Painter& p, double x1, double y1, double x2, double y2, COLORREF color) {
  const double angle = std::atan2(y2 - y1, x2 - x1);
  const double head = 3.6;
  const double bx = x2 - head * std::cos(angle);
  const double by = y2 - head * std::sin(angle);
  p.Line({{x1, y1}, {bx, by}}, color, 2.2);
  const double nx = -std::sin(angle) * head * 0.75;
  const double ny = std::cos(angle) * head * 0.75;
  p.Polygon({{x2, y2}, {bx + nx, by + ny}, {bx - nx, by - ny}}, color, color);
}

void Sheet(Painter& p) {
  p.Polygon({{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}}, kPaper, kDarkGrey);
  for (double y : {5.0, 7.5, 10.0, 12.5}) p.Line({{5, y}, {11, y}}, kGrey, 1);
}

void Gear(Painter& p, double cx, double cy, double outer, COLORREF fill) {
  std::vector<win::POINT> pts;
  for (int i = 0; i < 32; ++i) {
    // Eight teeth, each of four points: two outside, two inside.
    const double a = (i * 360.0 / 32 + 5) * kPi / 180;
    const double r = (i % 4 < 2) ? outer : outer * 0.72;
    pts.push_back(win::POINT{p.P(cx + r * std::cos(a)), p.P(cy + r * std::sin(a))});
  }
  p.PolygonPoints(pts, fill, kOutline);
  p.Ellipse(cx - outer * 0.3, cy - outer * 0.3, cx + outer * 0.3, cy + outer * 0.3, kWhite, kOutline);
}

void Folder(Painter& p, bool open) {
  p.Polygon({{1, 3}, {6, 3}, {7.5, 4.5}, {14.5, 4.5}, {14.5, 14}, {1, 14}}, kGold, kBrown);
  if (open) {
    p.Polygon({{3, 7}, {16, 7}, {14, 14}, {1, 14}}, kPaleGold, kBrown);
  } else {
    p.Rect(1, 6, 14.5, 14, kPaleGold, kBrown);
  }
}

void Plug(Painter& p, double dx) {
  p.Line({{1 + dx, 6}, {4 + dx, 6}}, kDarkGrey, 1.4);
  p.Line({{1 + dx, 10}, {4 + dx, 10}}, kDarkGrey, 1.4);
  p.Round(4 + dx, 3.5, 10 + dx, 12.5, 1.5, kGrey, kOutline);
}

void Check(Painter& p, COLORREF color) { p.Line({{8.5, 12}, {11, 14.5}, {15.5, 9}}, color, 2); }

const std::map<std::string, std::function<void(Painter&)>, std::less<>>& Drawings() {
  static const std::map<std::string, std::function<void(Painter&)>, std::less<>> drawings{
      // The image list's users and groups.
      {"UserAktiv", [](Painter& p) { Person(p, 0, -1.5, kBlue); }},
      {"UserInaktiv", [](Painter& p) { Person(p, 0, -1.5, kGrey, kDarkGrey); }},
      {"UserDeakt",
       [](Painter& p) {
         Person(p, 0, -1.5, kGrey, kDarkGrey);
         p.Ellipse(8.5, 8.5, 16, 16, kRed, Rgb(120, 20, 20));
         p.Line({{10.3, 12.25}, {14.2, 12.25}}, kWhite, 1.6);
       }},
      {"Gruppe", Group},
      {"UserGrp", Group},
      {"UserCard",
       [](Painter& p) {
         p.Round(0.5, 2.5, 15.5, 13.5, 1.5, kPaper, kDarkGrey);
         p.Ellipse(2.5, 4.5, 6.5, 8.5, kSkin, kOutline);
         p.Round(1.8, 8.2, 7.2, 12, 1.8, kBlue, kOutline);
         for (double y : {5.5, 8.0, 10.5}) p.Line({{9, y}, {13.5, y}}, kGrey, 1);
       }},
      // Memo databases.
      {"Database", Database},
      {"DBEdit",
       [](Painter& p) {
         Cylinder(p, 1, 1, 11, 14, kGold, kPaleGold);
         p.Polygon({{9, 13.5}, {14, 8.5}, {15.5, 10}, {10.5, 15}, {8.5, 15.5}}, kPaleBlue, kOutline);
       }},
      {"QVOeff",
       [](Painter& p) {
         Cylinder(p, 1, 1, 12, 15, kGold, kPaleGold);
         Globe(p, 8, 8, 16, 16);
       }},
      {"QVPers",
       [](Painter& p) {
         Cylinder(p, 1, 1, 12, 15, kGold, kPaleGold);
         p.Round(8.5, 11.5, 16, 16, 2.5, kBlue, kOutline);
         p.Ellipse(10.2, 7.5, 14.3, 11.8, kSkin, kOutline);
       }},
      // The configuration.
      {"Konfig", [](Painter& p) { Gear(p, 8, 8, 7.2, kGrey); }},
      {"SQLSrv",
       [](Painter& p) {
         p.Round(3, 0.5, 13, 15.5, 1.2, Rgb(200, 204, 212), kOutline);
         for (double y : {3.5, 6.5, 9.5}) p.Line({{5, y}, {11, y}}, kDarkGrey, 1.2);
         p.Ellipse(9.2, 11.8, 11.2, 13.8, kGreen, Rgb(24, 96, 40));
       }},
      {"Archiv",
       [](Painter& p) {
         p.Rect(1.5, 5.5, 14.5, 15, Rgb(214, 170, 112), kBrown);
         p.Rect(0.5, 2, 15.5, 5.5, Rgb(230, 192, 140), kBrown);
         p.Rect(6, 8, 10, 10, kPaleGold, kBrown);
       }},
      {"LivUpd",
       [](Painter& p) {
         Globe(p, 0.5, 0.5, 12.5, 12.5);
         Arrow(p, 12.5, 7, 12.5, 15.8, kGreen);
       }},
      {"ClientFile",
       [](Painter& p) {
         Sheet(p);
         Check(p, kGreen);
       }},
      {"Folder", [](Painter& p) { Folder(p, false); }},
      {"FolderOpen", [](Painter& p) { Folder(p, true); }},
      // The tools.
      {"Connect",
       [](Painter& p) {
         Plug(p, 0);
         p.Line({{10, 8}, {15.5, 8}}, kGreen, 2.2);
       }},
      {"Disconnect",
       [](Painter& p) {
         Plug(p, -1);
         p.Line({{12, 3}, {15.5, 13}}, kRed, 1.8);
       }},
      {"Home",
       [](Painter& p) {
         p.Rect(3, 7.5, 13, 15, kPaper, kOutline);
         p.Polygon({{0.8, 8.5}, {8, 1.2}, {15.2, 8.5}}, kRed, Rgb(120, 20, 20));
         p.Rect(6.5, 10, 9.5, 15, kBrown, kOutline);
       }},
      {"UserAdd",
       [](Painter& p) {
         Person(p, -1.5, -1.5, kBlue);
         PlusBadge(p);
       }},
      {"GroupAdd",
       [](Painter& p) {
         Group(p);
         PlusBadge(p);
       }},
      {"DBAdd",
       [](Painter& p) {
         Cylinder(p, 1, 1, 12, 15, kGold, kPaleGold);
         PlusBadge(p);
       }},
      {"UserImport",
       [](Painter& p) {
         Person(p, 3, -1.5, kBlue);
         Arrow(p, 0.5, 12, 7.5, 12, kGreen);
       }},
      {"Delete",
       [](Painter& p) {
         p.Line({{3, 3}, {13, 13}}, kRed, 2.6);
         p.Line({{13, 3}, {3, 13}}, kRed, 2.6);
       }},
      {"Properties",
       [](Painter& p) {
         Sheet(p);
         Check(p, kBlue);
       }},
      {"Save",
       [](Painter& p) {
         p.Round(1, 1, 15, 15, 1, kBlue, kOutline);
         p.Rect(3.5, 1, 12.5, 7, kWhite, kOutline);
         p.Rect(4.5, 10, 11.5, 15, kPaleBlue, kOutline);
         p.Rect(9, 11, 10.5, 14, kOutline, kOutline);
       }},
      {"Refresh",
       [](Painter& p) {
         p.LinePoints(p.Arc(8, 8, 5.5, 100, 330), kGreen, 2);
         p.Polygon({{14.6, 6}, {12.6, 11.6}, {9.4, 8}}, kGreen, kGreen);
         p.LinePoints(p.Arc(8, 8, 5.5, 280, 510), kGreen, 2);
         p.Polygon({{1.4, 10}, {3.4, 4.4}, {6.6, 8}}, kGreen, kGreen);
       }},
      {"Help",
       [](Painter& p) {
         p.Ellipse(0.5, 0.5, 15.5, 15.5, kBlue, kOutline);
         std::vector<win::POINT> hook = p.Arc(8, 6, 2.8, 160, -60);
         hook.push_back(win::POINT{p.P(8), p.P(10)});
         p.LinePoints(hook, kWhite, 2);
         p.Ellipse(7, 11.3, 9, 13.3, kWhite, kWhite);
       }},
      {"Info",
       [](Painter& p) {
         p.Ellipse(0.5, 0.5, 15.5, 15.5, kBlue, kOutline);
         p.Ellipse(7, 3, 9, 5, kWhite, kWhite);
         p.Line({{8, 7}, {8, 12.5}}, kWhite, 2);
       }},
      {"Update",
       [](Painter& p) {
         Globe(p, 0.5, 0.5, 12.5, 12.5);
         Arrow(p, 12.5, 7, 12.5, 15.8, kGreen);
       }},
      {"Exit",
       [](Painter& p) {
         p.Rect(1.5, 1, 9.5, 15, Rgb(190, 130, 70), kBrown);
         p.Ellipse(7, 7.5, 8.5, 9, kPaleGold, kBrown);
         Arrow(p, 8, 8, 15.8, 8, kRed);
       }},
      {"Mail",
       [](Painter& p) {
         p.Rect(0.5, 3, 15.5, 13, kPaper, kDarkGrey);
         p.Line({{0.8, 3.3}, {8, 9}, {15.2, 3.3}}, kDarkGrey, 1);
       }},
      {"Web", [](Painter& p) { Globe(p, 0.5, 0.5, 15.5, 15.5); }},
  };
  return drawings;
}

// The drawing on one background colour, shrunk to `size`.
std::vector<uint32_t> Render(const std::function<void(Painter&)>& draw, int size, COLORREF background) {
  const int large = size * kOversample;
  gdi::OwnedBitmap big(gdi::CreateFilledBitmap(large, large, background));
  {
    gdi::OwnedDC dc(gdi::CreateCompatibleDC());
    gdi::ScopedSelect<gdi::HBITMAP> select(dc.Get(), big.Get());
    Painter painter(dc.Get(), static_cast<double>(large) / 16.0);
    draw(painter);
  }
  gdi::OwnedBitmap small(gdi::CreateFilledBitmap(size, size, background));
  {
    gdi::OwnedDC from(gdi::CreateCompatibleDC());
    gdi::OwnedDC to(gdi::CreateCompatibleDC());
    gdi::ScopedSelect<gdi::HBITMAP> selectFrom(from.Get(), big.Get());
    gdi::ScopedSelect<gdi::HBITMAP> selectTo(to.Get(), small.Get());
    gdi::SetStretchBltMode(to.Get(), gdi::HALFTONE);
    gdi::StretchBlt(to.Get(), 0, 0, size, size, from.Get(), 0, 0, large, large, gdi::SRCCOPY);
  }
  gdi::SIZE unused;
  return gdi::GetBitmapArgb(small.Get(), &unused);
}

// The picture's pixels as premultiplied ARGB.
std::vector<uint32_t> Draw(const std::function<void(Painter&)>& draw, int size) {
  // Drawn on black and on white: where the two differ the background shows
  // through, which gives each pixel's opacity; on black the colour is
  // already the premultiplied one.
  const std::vector<uint32_t> onBlack = Render(draw, size, Rgb(0, 0, 0));
  const std::vector<uint32_t> onWhite = Render(draw, size, Rgb(255, 255, 255));
  std::vector<uint32_t> argb(onBlack.size());
  for (size_t i = 0; i < argb.size(); ++i) {
    const int black = static_cast<int>((onBlack[i] >> 8) & 0xFF);
    const int white = static_cast<int>((onWhite[i] >> 8) & 0xFF);
    const uint32_t alpha = static_cast<uint32_t>(std::clamp(255 - (white - black), 0, 255));
    uint32_t r = (onBlack[i] >> 16) & 0xFF, g = (onBlack[i] >> 8) & 0xFF, b = onBlack[i] & 0xFF;
    r = std::min(r, alpha);
    g = std::min(g, alpha);
    b = std::min(b, alpha);
    argb[i] = alpha << 24 | r << 16 | g << 8 | b;
  }
  return argb;
}

}  // namespace

com::StdPicturePtr DrawAppIcon(std::string_view key, int size) {
  const auto it = Drawings().find(key);
  if (it == Drawings().end()) rt::Raise(35601, "AppIcons", "Element not found");
  // Drawn once a process: the drawings never change.
  static std::map<std::pair<std::string, int>, std::vector<uint32_t>> drawn;
  std::vector<uint32_t>& argb = drawn[{std::string(key), size}];
  if (argb.empty()) argb = Draw(it->second, size);
  return com::StdPicture::FromBitmap(gdi::OwnedBitmap(gdi::CreateBitmapFromArgb(size, size, argb)));
}

std::vector<std::string> AppIconKeys() {
  std::vector<std::string> keys;
  for (const auto& [key, draw] : Drawings()) keys.push_back(key);
  return keys;
}

}  // namespace qvadmin
