// The image control: shows a picture at its own size (the control takes
// the picture's size) or, with Stretch, scaled to the control. Windowless;
// raises Click.
#pragma once

#include "com/Control.h"
#include "com/StdPicture.h"

namespace forms {

class Image : public com::Control {
 public:
  Image();
  std::string ClassName() const override { return "Image"; }

  const com::StdPicturePtr& Picture() const { return m_picture; }
  void SetPicture(com::StdPicturePtr picture);
  bool Stretch() const { return m_stretch; }
  void SetStretch(bool value);
  void Click();

  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Draw(gdi::HDC hdc, int x, int y) override;

 protected:
  std::string WindowClass() const override { return {}; }

 private:
  void FitPicture();

  com::StdPicturePtr m_picture;
  bool m_stretch = false;
};

}  // namespace forms
