// A silent video clip read from a RIFF AVI file, as the animation control
// plays it: the first video stream's frames, uncompressed (8 bits with a
// colour table, 24 or 32 bits) or run-length coded with 8 bits (RLE8,
// whose frames may change only part of the previous one), and the frame
// rate. Other streams are ignored. Frames are kept decoded, as the stored
// rows of an uncompressed bitmap.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "gdi/Dib.h"

namespace forms {

struct AnimationClip {
  // The frames' format: uncompressed, with the clip's colour table.
  gdi::BITMAPINFO format;
  // Display time of one frame.
  uint32_t microSecPerFrame = 0;
  // The stored rows of each frame.
  std::vector<std::vector<uint8_t>> frames;

  int Width() const { return format.bmiHeader.biWidth; }
  int Height() const { return format.bmiHeader.biHeight < 0 ? -format.bmiHeader.biHeight : format.bmiHeader.biHeight; }
};

// Reads a clip; nothing when the bytes are not a RIFF AVI file with a
// video stream of a supported format and at least one frame, or when a
// frame is shorter than its format needs.
std::optional<AnimationClip> ReadAviClip(std::span<const uint8_t> bytes);

}  // namespace forms
