// The font object: name, size in points, the four style flags, weight and
// character set. Every change raises "FontChanged" with the property's
// name, so the control or form using the font can repaint. Assigning a
// font to a control keeps the same object; Clone makes an independent copy.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "com/Dispatch.h"
#include "gdi/DrawingSurface.h"

namespace com {

class StdFont;
using StdFontPtr = std::shared_ptr<StdFont>;

class StdFont : public Dispatch {
 public:
  StdFont();
  StdFont(std::string name, double size, bool bold = false);
  static StdFontPtr Create(std::string name = "MS Sans Serif", double size = 8.25, bool bold = false);

  std::string TypeName() const override { return "StdFont"; }

  const std::string& Name() const { return m_name; }
  double Size() const { return m_size; }
  bool Bold() const { return m_weight >= 600; }
  bool Italic() const { return m_italic; }
  bool Underline() const { return m_underline; }
  bool Strikethrough() const { return m_strikethrough; }
  int16_t Weight() const { return m_weight; }
  int16_t Charset() const { return m_charset; }

  void SetName(std::string name);
  // Sizes are kept to whole hundredths of a point (the font object's
  // fixed-point storage); sizes below 1 point become 1.
  void SetSize(double size);
  void SetBold(bool bold);
  void SetItalic(bool italic);
  void SetUnderline(bool underline);
  void SetStrikethrough(bool strikethrough);
  void SetWeight(int16_t weight);
  void SetCharset(int16_t charset);

  StdFontPtr Clone() const;
  // Same face, size and style (what a property bag compares).
  bool SameAs(const StdFont& other) const;

 private:
  void DefineMembers();
  void Changed(const char* propertyName);

  std::string m_name;
  double m_size = 8.25;
  int16_t m_weight = 400;
  bool m_italic = false;
  bool m_underline = false;
  bool m_strikethrough = false;
  int16_t m_charset = 0;
};

// The event every font raises after a change; its one argument is the
// property's name.
inline constexpr const char* kFontChangedEvent = "FontChanged";

// Holds the font object of a form or control: the owner is told after each
// change of the font's properties and after another font is set. A null
// font becomes a new default font.
class FontHolder {
 public:
  explicit FontHolder(std::function<void()> changed);
  ~FontHolder();
  FontHolder(const FontHolder&) = delete;
  FontHolder& operator=(const FontHolder&) = delete;
  void Set(StdFontPtr font);
  const StdFontPtr& Get() const { return m_font; }

 private:
  StdFontPtr m_font;
  int m_cookie = 0;
  std::function<void()> m_changed;
};

// The drawing layer's description of a font object (an empty pointer gives
// the default font).
gdi::SurfaceFont ToSurfaceFont(const StdFontPtr& font);
gdi::LOGFONT ToLogFont(const StdFontPtr& font);

}  // namespace com
