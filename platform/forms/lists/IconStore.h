// The icons a list, a tree or a tab control draws by number: pictures
// registered under an identifier. AddIcon takes a picture handle (a
// bitmap or an icon of the drawing layer, copied, so the caller keeps its
// own) as the controls' icon collections do; an unknown handle raises 481
// ("Invalid picture"). A number without picture draws nothing.
#pragma once

#include <cstdint>
#include <map>

#include "com/Dispatch.h"
#include "com/StdPicture.h"

namespace forms {

class IconStore : public com::Dispatch {
 public:
  IconStore();
  std::string TypeName() const override { return "ImageManagerIcons"; }

  void AddIcon(int32_t pictureHandle, int32_t id, int32_t state = 0);
  void Add(int32_t id, com::StdPicturePtr picture);
  // The picture under `id`, nullptr when there is none.
  com::StdPicturePtr Icon(int32_t id) const;
  int32_t Count() const { return static_cast<int32_t>(m_icons.size()); }
  void RemoveAll() { m_icons.clear(); }

 private:
  std::map<int32_t, com::StdPicturePtr> m_icons;
};

// A copy of the picture behind a drawing-layer handle (an icon or a bitmap);
// nullptr for a handle that is neither.
com::StdPicturePtr PictureFromHandle(int32_t handle);

}  // namespace forms
