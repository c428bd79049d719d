#include "main/kvsImg.h"

#include "com/ControlFactory.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace qvadmin {

namespace {
const com::ControlRegistration<kvsImg> registration{"KvImgCtl.kvsImg"};
}

kvsImg::kvsImg() {
  DefineMethod("Picture", [this](com::Args& args) {
    return com::ToVariant(Picture(com::RequiredArg(args, 0).ToString()));
  });
}

void kvsImg::Add(std::string_view key, com::StdPicturePtr picture) { m_pictures[rt::LCase(key)] = std::move(picture); }

com::StdPicturePtr kvsImg::Picture(std::string_view key) const {
  const auto it = m_pictures.find(rt::LCase(key));
  if (it == m_pictures.end()) rt::Raise(errElementNotFound, "kvsImg", "Element not found");
  return it->second;
}

bool kvsImg::Contains(std::string_view key) const { return m_pictures.count(rt::LCase(key)) > 0; }

}  // namespace qvadmin
