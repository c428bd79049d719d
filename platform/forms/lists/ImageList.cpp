#include "forms/lists/ImageList.h"

#include "com/ControlFactory.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace forms {

namespace {

com::ControlRegistration<ImageList> registration{"MSComctlLib.ImageListCtrl", "ImageList"};

// The ListImages collection of an image list.
class ListImages : public com::Dispatch {
 public:
  explicit ListImages(ImageList& owner) {
    DefineMethod("Add", [&owner](com::Args& args) {
      const rt::Variant& index = com::OptionalArg(args, 0);
      const rt::Variant& key = com::OptionalArg(args, 1);
      auto picture = com::AsObject<com::StdPicture>(com::RequiredArg(args, 2));
      return com::ToVariant(owner.Add(key.IsEmpty() ? std::string() : key.ToString(), picture,
                                      index.IsEmpty() ? 0 : index.ToLong()));
    });
    DefineMethod("Item", [&owner](com::Args& args) { return com::ToVariant(owner.Item(com::RequiredArg(args, 0))); });
    DefineReadOnly("Count", [&owner] { return rt::Variant(owner.Count()); });
    DefineMethod("Remove", [&owner](com::Args& args) {
      owner.Remove(com::RequiredArg(args, 0));
      return rt::Variant();
    });
    DefineMethod("Clear", [&owner](com::Args&) {
      owner.Clear();
      return rt::Variant();
    });
  }
  std::string TypeName() const override { return "ListImages"; }
};

}  // namespace

ListImage::ListImage(std::string key, com::StdPicturePtr picture)
    : m_key(std::move(key)), m_picture(std::move(picture)) {
  DefineReadOnly("Key", [this] { return rt::Variant(m_key); });
  DefineReadOnly("Index", [this] { return rt::Variant(m_index); });
  DefineReadOnly("Picture", [this] { return com::ToVariant(m_picture); });
}

ImageList::ImageList() : m_listImages(std::make_shared<ListImages>(*this)) {
  DefineReadOnly("ListImages", [this] { return com::ToVariant(m_listImages); });
}

void ImageList::Renumber() {
  for (size_t i = 0; i < m_images.size(); ++i) m_images[i]->m_index = static_cast<int32_t>(i + 1);
}

std::shared_ptr<ListImage> ImageList::Add(std::string key, com::StdPicturePtr picture, int32_t index) {
  if (!key.empty()) {
    for (const auto& image : m_images) {
      if (rt::StrComp(image->Key(), key, rt::CompareMethod::Text) == 0) {
        rt::Raise(errKeyNotUnique, "ImageList", "Key is not unique in collection");
      }
    }
  }
  if (index < 0 || index > Count() + 1) rt::Raise(errIndexOutOfBounds, "ImageList", "Index out of bounds");
  auto image = std::make_shared<ListImage>(std::move(key), std::move(picture));
  const auto at = index == 0 ? m_images.end() : m_images.begin() + (index - 1);
  m_images.insert(at, image);
  Renumber();
  return image;
}

std::shared_ptr<ListImage> ImageList::AddFile(std::string key, const std::string& path) {
  return Add(std::move(key), com::LoadPicture(path));
}

std::shared_ptr<ListImage> ImageList::Item(int32_t index) const {
  if (index < 1 || index > Count()) rt::Raise(errIndexOutOfBounds, "ImageList", "Index out of bounds");
  return m_images[static_cast<size_t>(index - 1)];
}

std::shared_ptr<ListImage> ImageList::ItemByKey(std::string_view key) const {
  for (const auto& image : m_images) {
    if (!image->Key().empty() && rt::StrComp(image->Key(), key, rt::CompareMethod::Text) == 0) return image;
  }
  rt::Raise(errKeyNotFound, "ImageList", "Element not found");
}

std::shared_ptr<ListImage> ImageList::Item(const rt::Variant& indexOrKey) const {
  return !indexOrKey.IsString() && indexOrKey.IsNumeric() ? Item(indexOrKey.ToLong()) : ItemByKey(indexOrKey.ToString());
}

com::StdPicturePtr ImageList::Find(const rt::Variant& indexOrKey) const {
  if (indexOrKey.IsEmpty()) return nullptr;
  if (!indexOrKey.IsString() && indexOrKey.IsNumeric()) {
    const int32_t index = indexOrKey.ToLong();
    return index >= 1 && index <= Count() ? m_images[static_cast<size_t>(index - 1)]->Picture() : nullptr;
  }
  for (const auto& image : m_images) {
    if (!image->Key().empty() && rt::StrComp(image->Key(), indexOrKey.ToString(), rt::CompareMethod::Text) == 0) {
      return image->Picture();
    }
  }
  return nullptr;
}

void ImageList::Remove(const rt::Variant& indexOrKey) {
  auto image = Item(indexOrKey);
  std::erase(m_images, image);
  Renumber();
}

void ImageList::ReadProperties(const com::PropertyBag& bag) {
  m_images.clear();
  for (int i = 1; bag.Contains("Image" + std::to_string(i)); ++i) {
    const std::string n = std::to_string(i);
    Add(bag.ReadProperty("Key" + n, "").ToString(), com::AsObject<com::StdPicture>(bag.ReadProperty("Image" + n)));
  }
}

void ImageList::WriteProperties(com::PropertyBag& bag) {
  for (const auto& image : m_images) {
    const std::string n = std::to_string(image->Index());
    bag.WriteProperty("Image" + n, com::ToVariant(image->Picture()), com::Nothing());
    bag.WriteProperty("Key" + n, image->Key(), "");
  }
}

}  // namespace forms
