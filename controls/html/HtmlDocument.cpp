#include "html/HtmlDocument.h"

#include <array>
#include <cmath>
#include <limits>
#include <utility>

#include "html/HtmlSource.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "runtime/Variant.h"

namespace kvctl2::html {

namespace {

namespace et = htmlElementType;

constexpr int32_t errOverflow = 6;

// The locale-aware conversions of attribute values; each raises for a
// value that is no number or does not fit.
int16_t AsInteger(std::string_view value) { return rt::Variant(std::string(value)).ToInteger(); }
int32_t AsLong(std::string_view value) { return rt::Variant(std::string(value)).ToLong(); }
float AsSingle(std::string_view value) {
  const double d = rt::Variant(std::string(value)).ToDouble();
  if (std::fabs(d) > std::numeric_limits<float>::max()) rt::Raise(errOverflow);
  return static_cast<float>(d);
}

uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) { return red | (green << 8) | (blue << 16); }

// A hexadecimal number of the runtime ("&H" and up to eight digits).
bool IsHexNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return false;
  for (char c : digits) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

uint32_t HexByte(std::string_view digits) {
  if (!IsHexNumber(digits)) rt::Raise(rt::errTypeMismatch);
  return static_cast<uint32_t>(std::stoul(std::string(digits), nullptr, 16)) & 0xFF;
}

// A WIDTH or HEIGHT of a tag other than IMG: "50%" is the share 0.5.
float ShareOrPixels(const std::string& value, bool dropPx) {
  if (value.find('%') != std::string::npos) return static_cast<float>(AsSingle(rt::Replace(value, "%", "")) / 100.0);
  return AsSingle(dropPx ? rt::Replace(value, "px", "") : value);
}

void SetTypeDefaults(HTMLElement& e, const std::string& name, const ParseSettings& settings, Document& doc) {
  switch (e.ElementType) {
    case et::Table:
      e.CellPadding = 2;
      e.CellSpacing = 2;
      e.Width = 1.0f;
      break;
    case et::Td:
      e.ColSpan = 1;
      e.Width = 1.0f;
      e.VAlign = kVAlignTop;
      e.BgColor = static_cast<int32_t>(settings.BackColor);
      break;
    case et::Font:
      e.FontFace = settings.DefaultFontName;
      e.FontSize = settings.DefaultFontSize;
      e.Color = static_cast<int32_t>(settings.DefaultTextColor);
      break;
    case et::Heading:
      e.FontSize = static_cast<float>((7 - (name[1] - '0')) * 1.2 + settings.DefaultFontSize);
      break;
    case et::Big:
      e.FontSize = settings.DefaultFontSize + 1;
      break;
    case et::Small:
      e.FontSize = settings.DefaultFontSize - 1;
      break;
    case et::A:
      e.BoxTop = e.BoxLeft = e.BoxBottom = e.BoxRight = -1;
      break;
    case et::Img:
      e.HSpace = 2;
      e.VSpace = 2;
      break;
    case et::Body:
      doc.BodyIndex = e.Index;
      break;
    default:
      break;
  }
}

void InterpretAttribute(HTMLElement& e, const std::string& name, const std::string& value, ParseSettings& settings,
                        Document& doc) {
  const bool img = e.ElementType == et::Img;
  if (name == "ALIGN") {
    const std::string v = rt::UCase(value);
    if (v == "CENTER") e.AlignCenter = true;
    if (v == "RIGHT") e.AlignRight = true;
  } else if (name == "ALT") {
    e.Alt = DecodeText(value);
  } else if (name == "BACKGROUND") {
    doc.BackgroundSource = value;
  } else if (name == "BGCOLOR") {
    const uint32_t color = ColorValue(value);
    if (e.ElementType == et::Body) {
      doc.PageColor = color;
      doc.PageColorFromBody = true;
    } else {
      e.BgColor = static_cast<int32_t>(color);
      e.HasBgColor = true;
    }
  } else if (name == "BORDER") {
    e.Border = AsInteger(value);
  } else if (name == "CELLPADDING") {
    e.CellPadding = AsInteger(value);
  } else if (name == "CELLSPACING") {
    e.CellSpacing = AsInteger(value);
  } else if (name == "COLOR") {
    e.Color = static_cast<int32_t>(ColorValue(value));
  } else if (name == "COLSPAN") {
    e.ColSpan = AsInteger(value);
  } else if (name == "FACE") {
    const size_t comma = value.find(',');
    e.FontFace = comma != std::string::npos && comma >= 1 ? value.substr(0, comma) : value;
  } else if (name == "HEIGHT") {
    if (img)
      e.ImageHeight = AsLong(value);
    else
      e.Height = ShareOrPixels(value, false);
  } else if (name == "HREF") {
    e.Href = DecodeText(value);
  } else if (name == "HSPACE") {
    e.HSpace = AsInteger(value);
  } else if (name == "ID" || name == "NAME") {
    e.ID = value;
  } else if (name == "SIZE") {
    if (rt::Variant(value).IsNumeric()) {
      const double size = AsSingle(value);
      const bool relative = !value.empty() && (value[0] == '+' || value[0] == '-');
      e.FontSize = static_cast<float>((relative ? size : size - 3) * 1.2 + settings.DefaultFontSize);
    }
  } else if (name == "SRC") {
    e.Src = DecodeText(value);
  } else if (name == "TEXT") {
    settings.DefaultTextColor = ColorValue(value);
  } else if (name == "TITLE") {
    e.Title = value;
  } else if (name == "VALIGN") {
    const std::string v = rt::UCase(value);
    if (v == "CENTER") e.VAlign = kVAlignCenter;
    if (v == "BOTTOM") e.VAlign = kVAlignBottom;
  } else if (name == "VSPACE") {
    e.VSpace = AsInteger(value);
  } else if (name == "WIDTH") {
    if (img)
      e.ImageWidth = AsLong(value);
    else
      e.Width = ShareOrPixels(value, true);
  }
}

void BuildAnchorList(Document& doc, bool enableAnchors) {
  doc.Anchors.clear();
  if (!enableAnchors) return;
  for (const HTMLElement& e : doc.Elements) {
    if (e.ElementType == et::A) doc.Anchors.push_back(e.Index);
  }
}

}  // namespace

uint32_t ColorFromName(std::string_view name) {
  static const std::array<std::pair<std::string_view, uint32_t>, 16> kNames{{
      {"black", 0x000000},
      {"maroon", 0x800000},
      {"green", 0x008000},
      {"navy", 0x000080},
      {"silver", 0xC0C0C0},
      {"red", 0xFF0000},
      {"lime", 0x00FF00},
      {"blue", 0x0000FF},
      {"gray", 0x808080},
      {"purple", 0x800080},
      {"olive", 0x808000},
      {"teal", 0x008080},
      {"white", 0xFFFFFF},
      {"fuchsia", 0xFF00FF},
      {"yellow", 0xFFFF00},
      {"aqua", 0x00FFFF},
  }};
  const std::string lower = rt::LCase(name);
  for (const auto& [n, rgb] : kNames) {
    if (n == lower) return Rgb(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
  }
  return 0;
}

uint32_t ColorValue(std::string_view value) {
  const std::string v = rt::Replace(value, "#", "");
  if (!IsHexNumber(v)) return ColorFromName(value);
  const std::string blue = v.size() >= 2 ? v.substr(v.size() - 2) : v;
  return Rgb(HexByte(rt::Mid(v, 1, 2)), HexByte(rt::Mid(v, 3, 2)), HexByte(blue));
}

void ClassifyElement(HTMLElement& e, ParseSettings& settings, Document& doc) {
  if (e.IsTag) {
    const std::string name = TagName(e.Raw);
    e.ElementType = ElementTypeOfName(name);
    SetTypeDefaults(e, name, settings, doc);
    std::vector<std::string> names, values;
    ExtractTagAttributes(e.Raw, names, values);
    for (size_t i = 0; i < names.size(); ++i) InterpretAttribute(e, names[i], values[i], settings, doc);
    return;
  }
  e.ElementType = et::TextRun;
  e.Words = rt::Split(DecodeText(e.Raw), " ");
}

void ParseDocument(std::string_view text, ParseSettings& settings, Document& doc) {
  ++doc.Generation;
  doc.PageColorFromBody = false;
  doc.Elements = TokenizeText(text);
  doc.BodyIndex = 0;
  doc.BackgroundSource.clear();
  for (HTMLElement& e : doc.Elements) {
    // A failure ends this element's classification only.
    rt::ResumeNext([&] { ClassifyElement(e, settings, doc); });
  }
  CloseOpenElements(doc.Elements);
  BuildAnchorList(doc, settings.EnableAnchors);
  doc.BuildTree();
  IgnoreUnmatchedClosers(doc.Elements);
}

void Document::BuildTree() {
  BuildHierarchy(Elements);
  m_ancestors.clear();
}

int Document::FindAncestor(int index, int32_t type) const {
  if (index < 0 || index >= Count()) return -1;
  auto [it, made] = m_ancestors.try_emplace(type);
  std::vector<int16_t>& nearest = it->second;
  if (made) {
    // A parent comes before its children: one walk in index order.
    nearest.assign(Elements.size(), -1);
    for (size_t i = 0; i < Elements.size(); ++i) {
      const int parent = GetParentElement(Elements, static_cast<int>(i));
      if (parent < 0) continue;
      nearest[i] = Elements[static_cast<size_t>(parent)].ElementType == type ? static_cast<int16_t>(parent)
                                                                             : nearest[static_cast<size_t>(parent)];
    }
  }
  return nearest[static_cast<size_t>(index)];
}

}  // namespace kvctl2::html
