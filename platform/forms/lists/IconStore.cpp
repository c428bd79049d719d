#include "forms/lists/IconStore.h"

#include "gdi/Gdi.h"
#include "runtime/Error.h"

namespace forms {

com::StdPicturePtr PictureFromHandle(int32_t handle) {
  if (handle == 0) return nullptr;
  const gdi::HICON icon{handle};
  if (const gdi::SIZE size = gdi::GetIconSize(icon); size.cx > 0) {
    gdi::OwnedBitmap pixels(gdi::IconToBitmap(icon));
    return com::StdPicture::FromIcon(gdi::OwnedIcon(gdi::CreateIconFromBitmap(pixels.Get())));
  }
  const gdi::HBITMAP bitmap{handle};
  if (const gdi::SIZE size = gdi::GetBitmapSize(bitmap); size.cx > 0) {
    return com::StdPicture::FromBitmap(gdi::OwnedBitmap(gdi::CopyBitmap(bitmap)));
  }
  return nullptr;
}

IconStore::IconStore() {
  DefineReadOnly("Count", [this] { return rt::Variant(Count()); }, 1);
  DefineMethod(
      "AddIcon",
      [this](com::Args& args) {
        const rt::Variant& state = com::OptionalArg(args, 2);
        AddIcon(com::RequiredArg(args, 0).ToLong(), com::RequiredArg(args, 1).ToLong(),
                state.IsEmpty() ? 0 : state.ToLong());
        return rt::Variant();
      },
      2);
  DefineMethod(
      "RemoveAll",
      [this](com::Args&) {
        RemoveAll();
        return rt::Variant();
      },
      5);
}

void IconStore::AddIcon(int32_t pictureHandle, int32_t id, int32_t /*state*/) {
  com::StdPicturePtr picture = PictureFromHandle(pictureHandle);
  if (!picture) rt::Raise(com::errInvalidPicture, "Icons", "Invalid picture");
  m_icons[id] = std::move(picture);
}

void IconStore::Add(int32_t id, com::StdPicturePtr picture) { m_icons[id] = std::move(picture); }

com::StdPicturePtr IconStore::Icon(int32_t id) const {
  auto it = m_icons.find(id);
  return it == m_icons.end() ? nullptr : it->second;
}

}  // namespace forms
