// GUIDs: new random ones (version 4, from the system's random source) and
// their registry text form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
#pragma once

#include <cstdint>
#include <string>

namespace rt {

struct GUID {
  uint32_t Data1 = 0;
  uint16_t Data2 = 0;
  uint16_t Data3 = 0;
  uint8_t Data4[8] = {};
};

using HRESULT = int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);

// Fills `guid` with a new version 4 GUID; E_FAIL when the random source
// cannot be read or `guid` is null.
HRESULT CoCreateGuid(GUID* guid);

// Writes the 38-character text form with upper-case digits and a closing
// NUL into `buffer` of `cchMax` characters; returns the characters written
// including the NUL, 0 when the buffer is too small.
int StringFromGUID2(const GUID& guid, char* buffer, int cchMax);

// The 38-character text form.
std::string GuidToString(const GUID& guid);

}  // namespace rt
