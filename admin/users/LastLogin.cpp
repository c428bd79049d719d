#include "users/LastLogin.h"

#include <algorithm>
#include <string>

#include "runtime/Strings.h"

namespace qvadmin {

std::optional<rt::DateValue> DecodeLastLogin(int32_t plt) {
  if (plt == 0) return std::nullopt;
  const std::string text = std::to_string(plt);
  std::string picked = rt::Mid(text, 2, 1) + rt::Mid(text, 4, 2) + rt::Mid(text, 7, 2);
  std::reverse(picked.begin(), picked.end());
  if (picked.empty() || !std::all_of(picked.begin(), picked.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  return rt::DateValue{static_cast<double>(std::stol(picked) + 27251)};
}

rt::Variant LastLoginItem(const rt::Variant& plt) {
  if (plt.IsNull() || plt.IsEmpty()) return rt::Variant::Null();
  const auto date = DecodeLastLogin(plt.ToLong());
  return date ? rt::Variant(*date) : rt::Variant::Null();
}

}  // namespace qvadmin
