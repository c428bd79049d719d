// Reading and writing PNG for the layer's pixel buffers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gdi/PixelBuffer.h"

namespace gdi::detail {

std::shared_ptr<PixelBuffer> DecodePngFile(const std::string& path);  // nullptr when unreadable
std::shared_ptr<PixelBuffer> DecodePngBytes(const std::vector<uint8_t>& bytes);
bool WritePngFile(const PixelBuffer& buffer, const std::string& path);
std::vector<uint8_t> EncodePngBytes(const PixelBuffer& buffer);

}  // namespace gdi::detail
