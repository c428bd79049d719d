#include "forms/controls/AnimationClip.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace forms {

namespace {

// Limits that keep a damaged header from asking for huge amounts of memory.
constexpr int32_t kMaxSide = 4096;
constexpr uint64_t kMaxDecodedBytes = 256ull << 20;

uint32_t U32(std::span<const uint8_t> b, size_t at) {
  if (at + 4 > b.size()) return 0;
  return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
         (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t U16(std::span<const uint8_t> b, size_t at) {
  if (at + 2 > b.size()) return 0;
  return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
std::string_view FourCC(std::span<const uint8_t> b, size_t at) {
  if (at + 4 > b.size()) return {};
  return std::string_view(reinterpret_cast<const char*>(b.data() + at), 4);
}

// Calls `fn(id, data)` for each chunk of a chunk list; LIST chunks are
// given with their list type as id and their sub-chunks as data.
template <class Fn>
void ForEachChunk(std::span<const uint8_t> list, Fn fn) {
  size_t at = 0;
  while (at + 8 <= list.size()) {
    std::string_view id = FourCC(list, at);
    const uint64_t size = U32(list, at + 4);
    const size_t start = at + 8;
    const size_t end = static_cast<size_t>(std::min<uint64_t>(start + size, list.size()));
    if (id == "LIST" && end - start >= 4) {
      fn(FourCC(list, start), list.subspan(start + 4, end - start - 4), true);
    } else {
      fn(id, list.subspan(start, end - start), false);
    }
    at = start + static_cast<size_t>(size) + (size & 1);
    if (start + size > list.size()) break;
  }
}

struct VideoStream {
  bool found = false;
  int number = 0;
  uint32_t scale = 0, rate = 0;
  gdi::BITMAPINFO format;
};

bool ReadFormat(std::span<const uint8_t> strf, gdi::BITMAPINFO& info) {
  if (strf.size() < 40) return false;
  gdi::BITMAPINFOHEADER& h = info.bmiHeader;
  h.biSize = U32(strf, 0);
  h.biWidth = static_cast<int32_t>(U32(strf, 4));
  h.biHeight = static_cast<int32_t>(U32(strf, 8));
  h.biPlanes = U16(strf, 12);
  h.biBitCount = U16(strf, 14);
  h.biCompression = U32(strf, 16);
  h.biSizeImage = U32(strf, 20);
  h.biClrUsed = U32(strf, 32);
  h.biClrImportant = U32(strf, 36);
  if (h.biSize < 40 || h.biSize > strf.size()) return false;
  if (h.biBitCount <= 8) {
    const uint32_t entries = h.biClrUsed != 0 ? h.biClrUsed : (1u << h.biBitCount);
    for (uint32_t i = 0; i < entries && i < 256; ++i) {
      const size_t at = h.biSize + i * 4;
      if (at + 4 > strf.size()) break;
      info.bmiColors.push_back(gdi::RGBQUAD{strf[at], strf[at + 1], strf[at + 2], 0});
    }
  }
  return true;
}

bool SupportedFormat(const gdi::BITMAPINFOHEADER& h) {
  if (h.biWidth < 1 || h.biWidth > kMaxSide || h.biHeight == 0 || h.biHeight < -kMaxSide || h.biHeight > kMaxSide) {
    return false;
  }
  if (h.biCompression == gdi::BI_RLE8) return h.biBitCount == 8 && h.biHeight > 0;
  return h.biCompression == gdi::BI_RGB && (h.biBitCount == 8 || h.biBitCount == 24 || h.biBitCount == 32);
}

// Decodes one RLE8 frame over the previous frame's rows (a frame may skip
// pixels with deltas or end early: those keep their previous value).
void DecodeRle8(std::span<const uint8_t> data, std::vector<uint8_t>& rows, int width, int height, size_t stride) {
  int x = 0, y = 0;
  const auto put = [&](uint8_t index) {
    if (x < width && y < height) rows[static_cast<size_t>(y) * stride + static_cast<size_t>(x)] = index;
    ++x;
  };
  size_t at = 0;
  while (at + 2 <= data.size()) {
    const uint8_t count = data[at];
    const uint8_t value = data[at + 1];
    at += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(value);
    } else if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      if (at + 2 > data.size()) return;
      x += data[at];
      y += data[at + 1];
      at += 2;
    } else {
      if (at + value > data.size()) return;
      for (int i = 0; i < value; ++i) put(data[at + static_cast<size_t>(i)]);
      at += value + (value & 1);
    }
  }
}

}  // namespace

std::optional<AnimationClip> ReadAviClip(std::span<const uint8_t> bytes) {
  if (bytes.size() < 12 || FourCC(bytes, 0) != "RIFF" || FourCC(bytes, 8) != "AVI ") return std::nullopt;
  const size_t riffEnd = static_cast<size_t>(std::min<uint64_t>(8ull + U32(bytes, 4), bytes.size()));
  const std::span<const uint8_t> body = bytes.subspan(12, riffEnd - 12);

  uint32_t microSecPerFrame = 0;
  VideoStream video;
  std::span<const uint8_t> movi;
  bool haveMovi = false;
  ForEachChunk(body, [&](std::string_view id, std::span<const uint8_t> data, bool isList) {
    if (isList && id == "hdrl") {
      int streamNumber = 0;
      ForEachChunk(data, [&](std::string_view hid, std::span<const uint8_t> hdata, bool hList) {
        if (!hList && hid == "avih") microSecPerFrame = U32(hdata, 0);
        if (!hList || hid != "strl") return;
        VideoStream stream;
        stream.number = streamNumber++;
        bool isVideo = false;
        ForEachChunk(hdata, [&](std::string_view sid, std::span<const uint8_t> sdata, bool sList) {
          if (sList) return;
          if (sid == "strh") {
            isVideo = FourCC(sdata, 0) == "vids";
            stream.scale = U32(sdata, 20);
            stream.rate = U32(sdata, 24);
          } else if (sid == "strf") {
            stream.found = ReadFormat(sdata, stream.format);
          }
        });
        if (isVideo && stream.found && !video.found) video = stream;
      });
    } else if (isList && id == "movi" && !haveMovi) {
      movi = data;
      haveMovi = true;
    }
  });
  if (!video.found || !haveMovi || !SupportedFormat(video.format.bmiHeader)) return std::nullopt;

  AnimationClip clip;
  clip.format = video.format;
  const bool rle = clip.format.bmiHeader.biCompression == gdi::BI_RLE8;
  clip.format.bmiHeader.biCompression = gdi::BI_RGB;
  if (microSecPerFrame == 0 && video.rate != 0) {
    microSecPerFrame = static_cast<uint32_t>(uint64_t{video.scale} * 1000000u / video.rate);
  }
  clip.microSecPerFrame = microSecPerFrame;

  const size_t stride = gdi::DibStride(clip.Width(), clip.format.bmiHeader.biBitCount);
  const size_t frameBytes = stride * static_cast<size_t>(clip.Height());
  clip.format.bmiHeader.biSizeImage = static_cast<uint32_t>(frameBytes);
  // Chunks of the video stream are named by its number in two digits.
  const std::string prefix{static_cast<char>('0' + video.number / 10 % 10), static_cast<char>('0' + video.number % 10)};
  std::vector<uint8_t> rows(frameBytes, 0);
  bool damaged = false;
  const auto frameChunk = [&](std::string_view id, std::span<const uint8_t> data) {
    if (damaged || id.substr(0, 2) != prefix || (id.substr(2) != "db" && id.substr(2) != "dc")) return;
    if ((clip.frames.size() + 1) * frameBytes > kMaxDecodedBytes) {
      damaged = true;
      return;
    }
    if (rle) {
      DecodeRle8(data, rows, clip.Width(), clip.Height(), stride);
    } else if (!data.empty()) {
      // An empty chunk repeats the previous frame.
      if (data.size() < frameBytes) {
        damaged = true;
        return;
      }
      std::memcpy(rows.data(), data.data(), frameBytes);
    }
    clip.frames.push_back(rows);
  };
  ForEachChunk(movi, [&](std::string_view id, std::span<const uint8_t> data, bool isList) {
    if (!isList) return frameChunk(id, data);
    // Frames may be grouped in "rec " lists.
    ForEachChunk(data, [&](std::string_view rid, std::span<const uint8_t> rdata, bool rList) {
      if (!rList) frameChunk(rid, rdata);
    });
  });
  if (damaged || clip.frames.empty()) return std::nullopt;
  return clip;
}

}  // namespace forms
