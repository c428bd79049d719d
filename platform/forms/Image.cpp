#include "forms/Image.h"

#include "com/ControlFactory.h"
#include "gdi/Twips.h"

namespace forms {

namespace {
com::ControlRegistration<Image> registration{"VB.Image", "Image"};
}

Image::Image() {
  SetTabStop(false);
  DefineObject<com::StdPicture>(
      "Picture", [this] { return m_picture; }, [this](com::StdPicturePtr v) { SetPicture(std::move(v)); });
  DefineProperty(
      "Stretch", [this] { return rt::Variant(m_stretch); }, [this](const rt::Variant& v) { SetStretch(v.ToBool()); });
  DefineMethod("Click", [this](com::Args&) {
    Click();
    return rt::Variant();
  });
}

void Image::SetPicture(com::StdPicturePtr picture) {
  m_picture = std::move(picture);
  FitPicture();
  Invalidate();
}

void Image::SetStretch(bool value) {
  m_stretch = value;
  FitPicture();
  Invalidate();
}

void Image::FitPicture() {
  if (m_stretch || !m_picture || m_picture->IsEmpty()) return;
  Move(Left(), Top(), gdi::PixelsToTwipsX(m_picture->PixelWidth()), gdi::PixelsToTwipsY(m_picture->PixelHeight()));
}

void Image::Click() {
  if (Enabled()) RaiseEvent("Click");
}

void Image::ReadProperties(const com::PropertyBag& bag) {
  m_stretch = bag.ReadProperty("Stretch", false).ToBool();
  SetPicture(com::AsObject<com::StdPicture>(bag.ReadProperty("Picture", com::Nothing())));
}

void Image::WriteProperties(com::PropertyBag& bag) {
  bag.WriteProperty("Stretch", m_stretch, false);
  bag.WriteProperty("Picture", com::ToVariant(m_picture), com::Nothing());
}

void Image::Draw(gdi::HDC hdc, int x, int y) {
  if (!m_picture || m_picture->IsEmpty()) return;
  if (m_stretch)
    m_picture->Render(hdc, x, y, PixelWidth(), PixelHeight());
  else
    m_picture->Render(hdc, x, y);
}

}  // namespace forms
