// The key sets of the string scrambler, kept in this one place. Both were
// chosen so that the running key never leaves 1..255, whatever the length
// of the text, and runs through every value.
#pragma once

#include "core/Scrambler.h"

namespace qvadmin {

// First set: the stored server and SQL user name (registry values
// SQLAdm_CS and SQLAdm_CU).
inline constexpr ScrambleKeySet kServerUserKey{132, {44, 71, 54, 99, 36, 63, 4, 28, 9}};

// Second set: the stored password (SQLAdm_CP), the access triple
// Konfig.WinAuth (and with it the first line of QVClient.cfg), and the
// passwords of the Memo databases in DBList.PWD.
inline constexpr ScrambleKeySet kPasswordKey{177, {20, 38, 81, 49, 70, 96, 39, 44, 97}};

// The Memo database password key that the new-database wizard and the
// Memo database dialog share: the second set.
inline constexpr const ScrambleKeySet& kMemoPasswordKey = kPasswordKey;

}  // namespace qvadmin
