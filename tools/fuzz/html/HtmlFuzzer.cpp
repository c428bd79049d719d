// libFuzzer target: arbitrary bytes through the HTML view (see
// FuzzHtmlInput.h). Built by tools/fuzz/run with clang.
#include "FuzzHtmlInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qvfuzz::RunHtmlInput(data, size);
  return 0;
}
