// Stand-in for the maker's image-list control that the main window holds:
// keyed pictures, looked up by key. It draws nothing on the form.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "com/Control.h"
#include "com/StdPicture.h"

namespace qvadmin {

class kvsImg : public com::Control {
 public:
  kvsImg();
  std::string ClassName() const override { return "kvsImg"; }

  // Adds or replaces the picture under `key` (keys ignore case).
  void Add(std::string_view key, com::StdPicturePtr picture);
  // The picture under `key`; raises 35601 ("Element not found") when absent.
  com::StdPicturePtr Picture(std::string_view key) const;
  bool Contains(std::string_view key) const;

 protected:
  std::string WindowClass() const override { return {}; }

 private:
  std::map<std::string, com::StdPicturePtr> m_pictures;  // lower-case key
};

// Error raised for a key without picture.
inline constexpr int32_t errElementNotFound = 35601;

}  // namespace qvadmin
