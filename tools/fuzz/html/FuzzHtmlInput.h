// One fuzz input for the HTML view: the bytes become the Text of a view
// that is laid out and drawn at a few sizes, with pictures for its images
// and background, then hovered, clicked and scrolled over its links. Shared
// by the libFuzzer target and the test that replays the kept corpus.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qvfuzz {

void RunHtmlInput(const uint8_t* data, size_t size);

}  // namespace qvfuzz
