// Builds small RIFF AVI files for the tests: one video stream with the
// given format and frame chunks, and optionally an audio stream before it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace avitest {

struct Video {
  int32_t width = 4;
  int32_t height = 2;
  uint16_t bitCount = 8;
  std::string compression = "";   // "" = uncompressed, "RLE8" = run-length coded
  std::vector<uint32_t> palette;  // 0xRRGGBB
  uint32_t microSecPerFrame = 100000;
  std::vector<std::vector<uint8_t>> frames;  // chunk data, as stored
  bool audioFirst = false;
};

inline void Put32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}
inline void Put16(std::string& s, uint16_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>(v >> 8);
}
inline std::string Chunk(const std::string& id, const std::string& data) {
  std::string s = id;
  Put32(s, static_cast<uint32_t>(data.size()));
  s += data;
  if (data.size() % 2) s += '\0';
  return s;
}
inline std::string List(const std::string& type, const std::string& data) { return Chunk("LIST", type + data); }

inline std::string StreamList(const std::string& kind, const std::string& format) {
  std::string strh = kind + std::string(4, '\0');
  Put32(strh, 0);   // flags
  Put32(strh, 0);   // priority, language
  Put32(strh, 0);   // initial frames
  Put32(strh, 1);   // scale
  Put32(strh, 10);  // rate
  Put32(strh, 0);   // start
  Put32(strh, 0);   // length
  strh += std::string(24, '\0');
  return List("strl", Chunk("strh", strh) + Chunk("strf", format));
}

inline std::vector<uint8_t> Build(const Video& v) {
  std::string avih;
  Put32(avih, v.microSecPerFrame);
  avih += std::string(12, '\0');
  Put32(avih, static_cast<uint32_t>(v.frames.size()));
  avih += std::string(12, '\0');
  Put32(avih, static_cast<uint32_t>(v.width));
  Put32(avih, static_cast<uint32_t>(v.height));
  avih += std::string(16, '\0');

  std::string strf;
  Put32(strf, 40);
  Put32(strf, static_cast<uint32_t>(v.width));
  Put32(strf, static_cast<uint32_t>(v.height));
  Put16(strf, 1);
  Put16(strf, v.bitCount);
  Put32(strf, v.compression == "RLE8" ? 1 : v.compression.empty() ? 0 : 0x47504A4D);
  Put32(strf, 0);
  Put32(strf, 0);
  Put32(strf, 0);
  Put32(strf, static_cast<uint32_t>(v.palette.size()));
  Put32(strf, 0);
  for (uint32_t c : v.palette) {
    strf += static_cast<char>(c & 0xFF);
    strf += static_cast<char>((c >> 8) & 0xFF);
    strf += static_cast<char>((c >> 16) & 0xFF);
    strf += '\0';
  }
  std::string streams;
  if (v.audioFirst) streams += StreamList("auds", std::string(16, '\0'));
  streams += StreamList("vids", strf);
  const std::string videoId = v.audioFirst ? "01" : "00";
  std::string movi;
  if (v.audioFirst) movi += Chunk("00wb", "sound");
  for (const auto& f : v.frames) {
    movi += Chunk(videoId + (v.compression.empty() ? "db" : "dc"), std::string(f.begin(), f.end()));
  }
  std::string body = "AVI " + List("hdrl", Chunk("avih", avih) + streams) + List("movi", movi);
  const std::string riff = Chunk("RIFF", body);
  return std::vector<uint8_t>(riff.begin(), riff.end());
}

}  // namespace avitest
