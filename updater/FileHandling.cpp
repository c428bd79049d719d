#include "FileHandling.h"

#include <filesystem>
#include <system_error>

namespace verscout {

namespace fs = std::filesystem;

int32_t FileCopyOverwrite(const std::string& Source, const std::string& Dest) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(Source, error);
  if (error || !fs::is_regular_file(Source, error)) return 0;
  const fs::path part = Dest + ".part";
  if (!fs::copy_file(Source, part, fs::copy_options::overwrite_existing, error) || fs::file_size(part, error) != size ||
      error) {
    fs::remove(part, error);
    return 0;
  }
  fs::rename(part, Dest, error);
  if (error) {
    fs::remove(part, error);
    return 0;
  }
  return 1;
}

}  // namespace verscout
