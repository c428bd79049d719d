#include "runtime/Guid.h"

#include <sys/random.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace rt {

HRESULT CoCreateGuid(GUID* guid) {
  if (!guid) return E_FAIL;
  uint8_t bytes[16];
  size_t done = 0;
  while (done < sizeof bytes) {
    ssize_t n = ::getrandom(bytes + done, sizeof bytes - done, 0);
    if (n < 0) {
      if (errno == EINTR) continue;
      return E_FAIL;
    }
    done += static_cast<size_t>(n);
  }
  bytes[6] = static_cast<uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4
  bytes[8] = static_cast<uint8_t>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
  guid->Data1 = (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | bytes[3];
  guid->Data2 = static_cast<uint16_t>((bytes[4] << 8) | bytes[5]);
  guid->Data3 = static_cast<uint16_t>((bytes[6] << 8) | bytes[7]);
  std::memcpy(guid->Data4, bytes + 8, 8);
  return S_OK;
}

int StringFromGUID2(const GUID& guid, char* buffer, int cchMax) {
  constexpr int kLength = 38;
  if (!buffer || cchMax < kLength + 1) return 0;
  const uint8_t* d = guid.Data4;
  std::snprintf(buffer, static_cast<size_t>(cchMax), "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                guid.Data1, guid.Data2, guid.Data3, d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7]);
  return kLength + 1;
}

std::string GuidToString(const GUID& guid) {
  char buffer[39];
  StringFromGUID2(guid, buffer, sizeof buffer);
  return buffer;
}

}  // namespace rt
