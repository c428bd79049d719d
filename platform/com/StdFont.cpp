#include "com/StdFont.h"

#include <cmath>

namespace com {

StdFont::StdFont() : StdFont("MS Sans Serif", 8.25) {}

StdFont::StdFont(std::string name, double size, bool bold) : m_name(std::move(name)) {
  m_size = std::max(1.0, std::round(size * 100.0) / 100.0);
  m_weight = bold ? 700 : 400;
  DefineMembers();
}

StdFontPtr StdFont::Create(std::string name, double size, bool bold) {
  return std::make_shared<StdFont>(std::move(name), size, bold);
}

void StdFont::DefineMembers() {
  DefineProperty(
      "Name", [this] { return rt::Variant(m_name); }, [this](const rt::Variant& v) { SetName(v.ToString()); });
  DefineProperty(
      "Size", [this] { return rt::Variant(m_size); }, [this](const rt::Variant& v) { SetSize(v.ToDouble()); });
  DefineProperty(
      "Bold", [this] { return rt::Variant(Bold()); }, [this](const rt::Variant& v) { SetBold(v.ToBool()); });
  DefineProperty(
      "Italic", [this] { return rt::Variant(m_italic); }, [this](const rt::Variant& v) { SetItalic(v.ToBool()); });
  DefineProperty(
      "Underline", [this] { return rt::Variant(m_underline); },
      [this](const rt::Variant& v) { SetUnderline(v.ToBool()); });
  DefineProperty(
      "Strikethrough", [this] { return rt::Variant(m_strikethrough); },
      [this](const rt::Variant& v) { SetStrikethrough(v.ToBool()); });
  DefineProperty(
      "Weight", [this] { return rt::Variant(m_weight); }, [this](const rt::Variant& v) { SetWeight(v.ToInteger()); });
  DefineProperty(
      "Charset", [this] { return rt::Variant(m_charset); },
      [this](const rt::Variant& v) { SetCharset(v.ToInteger()); });
}

void StdFont::Changed(const char* propertyName) {
  Args args{rt::Variant(propertyName)};
  RaiseEvent(kFontChangedEvent, args);
}

void StdFont::SetName(std::string name) {
  m_name = std::move(name);
  Changed("Name");
}

void StdFont::SetSize(double size) {
  m_size = std::max(1.0, std::round(size * 100.0) / 100.0);
  Changed("Size");
}

void StdFont::SetBold(bool bold) {
  m_weight = bold ? 700 : 400;
  Changed("Bold");
}

void StdFont::SetItalic(bool italic) {
  m_italic = italic;
  Changed("Italic");
}

void StdFont::SetUnderline(bool underline) {
  m_underline = underline;
  Changed("Underline");
}

void StdFont::SetStrikethrough(bool strikethrough) {
  m_strikethrough = strikethrough;
  Changed("Strikethrough");
}

void StdFont::SetWeight(int16_t weight) {
  m_weight = weight;
  Changed("Weight");
}

void StdFont::SetCharset(int16_t charset) {
  m_charset = charset;
  Changed("Charset");
}

StdFontPtr StdFont::Clone() const {
  auto copy = std::make_shared<StdFont>(m_name, m_size);
  copy->m_weight = m_weight;
  copy->m_italic = m_italic;
  copy->m_underline = m_underline;
  copy->m_strikethrough = m_strikethrough;
  copy->m_charset = m_charset;
  return copy;
}

bool StdFont::SameAs(const StdFont& other) const {
  return m_name == other.m_name && m_size == other.m_size && m_weight == other.m_weight && m_italic == other.m_italic &&
         m_underline == other.m_underline && m_strikethrough == other.m_strikethrough && m_charset == other.m_charset;
}

FontHolder::FontHolder(std::function<void()> changed) : m_changed(std::move(changed)) {}

FontHolder::~FontHolder() {
  if (m_font && m_cookie) m_font->Events().Disconnect(m_cookie);
}

void FontHolder::Set(StdFontPtr font) {
  if (m_font && m_cookie) m_font->Events().Disconnect(m_cookie);
  m_font = font ? std::move(font) : StdFont::Create();
  m_cookie = m_font->Events().Connect(kFontChangedEvent, [this](Args&) { m_changed(); });
  m_changed();
}

gdi::SurfaceFont ToSurfaceFont(const StdFontPtr& font) {
  gdi::SurfaceFont f;
  if (!font) return f;
  f.Name = font->Name();
  f.Size = font->Size();
  f.Bold = font->Bold();
  f.Italic = font->Italic();
  f.Underline = font->Underline();
  f.Strikethrough = font->Strikethrough();
  return f;
}

gdi::LOGFONT ToLogFont(const StdFontPtr& font) {
  gdi::LOGFONT lf = gdi::ToLogFont(ToSurfaceFont(font));
  if (font) lf.lfWeight = font->Weight();
  return lf;
}

}  // namespace com
