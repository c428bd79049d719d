// The last-login stamp Benutzer.PLT that the product's client writes: 0 for
// a user who never logged in, otherwise an encoded day number.
#pragma once

#include <cstdint>
#include <optional>

#include "runtime/Variant.h"

namespace qvadmin {

// The date of the last login: of the value's decimal digits, the one at
// position 2 and the pairs at positions 4-5 and 7-8 (counted from 1), joined,
// reversed and read as a number, plus 27251, as a day number. No date for 0
// and for a value whose picked characters form no number (the list and the
// dialog then show an empty date instead of failing).
std::optional<rt::DateValue> DecodeLastLogin(int32_t plt);

// The stamp as a list item: the date, or Null when there is none.
rt::Variant LastLoginItem(const rt::Variant& plt);

}  // namespace qvadmin
