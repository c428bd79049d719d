#include "core/CreateGUID.h"

#include "core/TextHelpers.h"
#include "runtime/Error.h"
#include "runtime/Guid.h"
#include "runtime/Strings.h"

namespace qvadmin {

std::string CreateGUID() {
  rt::GUID guid;
  if (rt::CoCreateGuid(&guid) != rt::S_OK) rt::Raise(rt::E_FAIL, "CreateGUID", "A new GUID could not be made.");
  char buffer[78] = {};
  rt::StringFromGUID2(guid, buffer, static_cast<int>(sizeof buffer));
  return CutAtNull(std::string(buffer, sizeof buffer));
}

std::string CreateGUIDCompact() {
  std::string braced = CreateGUID();
  return rt::Replace(braced.substr(1, braced.size() - 2), "-", "");
}

}  // namespace qvadmin
