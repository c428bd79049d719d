// The label: a caption drawn in its font, aligned left, right or centred,
// on its back colour or transparent. With AutoSize it fits its caption:
// with WordWrap it keeps its width and grows or shrinks in height to the
// wrapped text (also when its width changes), without WordWrap it takes the
// width of the widest line and the height of all lines. Windowless; raises
// Click.
#pragma once

#include "forms/StandardControl.h"

namespace forms {

class Label : public StandardControl {
 public:
  Label();
  std::string ClassName() const override { return "Label"; }

  bool AutoSize() const { return m_autoSize; }
  void SetAutoSize(bool value);
  bool WordWrap() const { return m_wordWrap; }
  void SetWordWrap(bool value);
  int16_t Alignment() const { return m_alignment; }
  void SetAlignment(int16_t value);
  int16_t BackStyle() const { return m_backStyle; }
  void SetBackStyle(int16_t value);
  bool UseMnemonic() const { return m_useMnemonic; }
  void SetUseMnemonic(bool value);

  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Draw(gdi::HDC hdc, int x, int y) override;

 protected:
  std::string WindowClass() const override { return {}; }
  void OnTextChanged() override { Fit(); }
  // A wrapping label that sizes itself follows a new width with its height.
  void OnMoved() override;

 private:
  void Fit();

  bool m_autoSize = false;
  bool m_wordWrap = false;
  int16_t m_alignment = 0;
  int16_t m_backStyle = 1;
  bool m_useMnemonic = true;
  bool m_fitting = false;
  int32_t m_fittedWidth = -1;
};

}  // namespace forms
