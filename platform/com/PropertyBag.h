// The property bag through which a control and its host keep design-time
// properties: values under the property's own name (compared without
// regard to case). A value equal to the default the writer passes is not
// stored, so reading with the same default gives it back.
//
// The bag reads from and writes to text, one property a line:
//   Name = value
// where a value is one of
//   "text"            a string; \\ \" \r \n \t are escapes inside it
//   True, False       a truth value
//   123, -5, &H8000000F   a 32-bit integer (decimal or hexadecimal)
//   1.5, 8.25         a floating-point number
//   Date(45000.5)     a date as a day number
//   Empty, Null, Nothing
//   Font("Tahoma", 8.25, Bold, Italic, Underline, Strikethrough, Charset)
//                     a font; the five values after the size are optional
//                     (False, False, False, False, 0)
//   Picture()         an empty picture (a picture object without image)
//   Picture("ok.png") a picture loaded from a file, relative to the folder
//                     of the text (the design file's folder)
//   Picture(png:...)  a picture kept inline as base64 PNG data
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/Variant.h"

namespace com {

// Raised for text that is not a valid property line or value.
inline constexpr int32_t errInvalidPropertyValue = 380;

class PropertyBag {
 public:
  // The stored value, or `defaultValue` when the bag has none.
  rt::Variant ReadProperty(std::string_view name, const rt::Variant& defaultValue = {}) const;
  // Stores the value, or removes the entry when the value equals the
  // default (objects: the same object, or fonts alike in every property).
  void WriteProperty(std::string_view name, const rt::Variant& value, const rt::Variant& defaultValue = {});

  bool Contains(std::string_view name) const;
  void Remove(std::string_view name);
  size_t Count() const { return m_entries.size(); }
  // Names in the order they were first written.
  std::vector<std::string> Names() const;
  void Clear() { m_entries.clear(); }

  // Text form: one "Name = value" line per entry, each line prefixed by
  // `indent` blanks and ended by "\n". Picture files are written relative
  // to `folder` when they lie inside it.
  std::string ToText(std::string_view folder = {}, int indent = 0) const;
  static PropertyBag FromText(std::string_view text, std::string_view folder = {});
  // Reads one "Name = value" line into the bag; blank lines and lines
  // starting with "'" are ignored. Raises 380 for a malformed line.
  void ReadTextLine(std::string_view line, std::string_view folder = {});

  static std::string FormatValue(const rt::Variant& value, std::string_view folder = {});
  static rt::Variant ParseValue(std::string_view text, std::string_view folder = {});

 private:
  std::vector<std::pair<std::string, rt::Variant>>::iterator FindEntry(std::string_view name);
  std::vector<std::pair<std::string, rt::Variant>>::const_iterator FindEntry(std::string_view name) const;

  std::vector<std::pair<std::string, rt::Variant>> m_entries;
};

// Whether two property values count as equal for the default rule.
bool SamePropertyValue(const rt::Variant& a, const rt::Variant& b);

}  // namespace com
