// The image list: pictures numbered from 1 in the order they were added,
// each with an optional key (unique, compared without regard to case). It
// shows nothing itself; trees, tabs and lists draw its pictures. ListImages
// (Add([Index], [Key], Picture), Item(index or key), Count, Remove, Clear)
// as the late-bound callers use it; AddFile loads a picture file (PNG, ICO,
// BMP, GIF). Design data lists pictures as Image1, Image2, ... with keys
// Key1, Key2, ....
// Errors: 35600 for an index outside the list, 35601 for a key without
// picture, 35602 for a key that is taken.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "com/Control.h"
#include "com/StdPicture.h"

namespace forms {

inline constexpr int32_t errIndexOutOfBounds = 35600;
inline constexpr int32_t errKeyNotFound = 35601;
inline constexpr int32_t errKeyNotUnique = 35602;

class ListImage : public com::Dispatch {
 public:
  ListImage(std::string key, com::StdPicturePtr picture);
  std::string TypeName() const override { return "ListImage"; }
  const std::string& Key() const { return m_key; }
  const com::StdPicturePtr& Picture() const { return m_picture; }
  int32_t Index() const { return m_index; }

 private:
  friend class ImageList;
  std::string m_key;
  com::StdPicturePtr m_picture;
  int32_t m_index = 0;
};

class ImageList : public com::Control {
 public:
  ImageList();
  std::string ClassName() const override { return "ImageList"; }
  bool InvisibleAtRuntime() const override { return true; }

  // Adds at the end, or before 1-based `index`; returns the new image.
  std::shared_ptr<ListImage> Add(std::string key, com::StdPicturePtr picture, int32_t index = 0);
  std::shared_ptr<ListImage> AddFile(std::string key, const std::string& path);
  int32_t Count() const { return static_cast<int32_t>(m_images.size()); }
  // By 1-based index or by key; raise 35600 / 35601.
  std::shared_ptr<ListImage> Item(int32_t index) const;
  std::shared_ptr<ListImage> Item(const rt::Variant& indexOrKey) const;
  // The picture by index or key, nullptr when there is none (no error).
  com::StdPicturePtr Find(const rt::Variant& indexOrKey) const;
  void Remove(const rt::Variant& indexOrKey);
  void Clear() { m_images.clear(); }

  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;

 protected:
  std::string WindowClass() const override { return {}; }

 private:
  void Renumber();
  std::shared_ptr<ListImage> ItemByKey(std::string_view key) const;
  std::vector<std::shared_ptr<ListImage>> m_images;
  std::shared_ptr<com::Dispatch> m_listImages;
};

}  // namespace forms
