// What the standard controls with text have in common: a caption, a font
// object (by default a copy of the container's font), fore and back
// colours (OLE colours), the Click event, and their persistence.
#pragma once

#include <cstdint>
#include <string>

#include "com/Control.h"
#include "com/StdFont.h"
#include "forms/AccessKeys.h"

namespace forms {

class StandardControl : public com::Control, public AccessKeyTarget {
 public:
  const std::string& Caption() const { return m_caption; }
  void SetCaption(std::string caption);
  const com::StdFontPtr& Font() const { return m_font.Get(); }
  // Keeps the font object; its changes repaint (and re-measure) the control.
  void SetFont(com::StdFontPtr font);
  uint32_t ForeColor() const { return m_foreColor; }
  void SetForeColor(uint32_t color);
  uint32_t BackColor() const { return m_backColor; }
  void SetBackColor(uint32_t color);

  // The user clicks the control (or code calls Click): raises Click when
  // the control is enabled.
  virtual void Click();

  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;

  // Alt and the caption's access key: a control that takes the focus gets
  // it and is clicked; any other (a label, a frame) passes the focus to the
  // next control in tab order.
  bool OnAccessKey(char32_t letter) override;

 protected:
  StandardControl(uint32_t foreColor, uint32_t backColor);
  void OnSited() override;
  // After the caption or the font changed.
  virtual void OnTextChanged() {}
  // The late-bound members of a list of text items (list box, combo box):
  // AddItem(item, [index]), RemoveItem, Clear, ListCount, List(i) and
  // ListIndex, reaching the list's functions of those names.
  template <class List>
  void DefineItemListMembers(List& list);
  void OnMouseClick() override { Click(); }

 private:
  std::string m_caption;
  com::FontHolder m_font;
  uint32_t m_foreColor;
  uint32_t m_backColor;
  uint32_t m_defaultForeColor;
  uint32_t m_defaultBackColor;
};

template <class List>
void StandardControl::DefineItemListMembers(List& list) {
  DefineMethod("AddItem", [&list](com::Args& args) {
    const rt::Variant& index = com::OptionalArg(args, 1);
    list.AddItem(com::RequiredArg(args, 0).ToString(), index.IsEmpty() ? -1 : index.ToLong());
    return rt::Variant();
  });
  DefineMethod("RemoveItem", [&list](com::Args& args) {
    list.RemoveItem(com::RequiredArg(args, 0).ToLong());
    return rt::Variant();
  });
  DefineMethod("Clear", [&list](com::Args&) {
    list.Clear();
    return rt::Variant();
  });
  DefineReadOnly("ListCount", [&list] { return rt::Variant(list.ListCount()); });
  DefineProperty(
      "List", [&list](com::Args& args) { return rt::Variant(list.List(com::RequiredArg(args, 0).ToLong())); },
      [&list](com::Args& args) {
        list.SetList(com::RequiredArg(args, 0).ToLong(), com::RequiredArg(args, 1).ToString());
        return rt::Variant();
      });
  DefineProperty(
      "ListIndex", [&list] { return rt::Variant(list.ListIndex()); },
      [&list](const rt::Variant& v) { list.SetListIndex(v.ToLong()); });
}

}  // namespace forms
