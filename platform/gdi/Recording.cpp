#include "gdi/Recording.h"

#include "gdi/ObjectTable.h"

namespace gdi {

void StartRecording(HDC hdc) {
  if (auto dc = detail::Find<detail::DcObj>(ToInt(hdc))) {
    dc->log.clear();
    dc->recording = true;
  }
}

void StopRecording(HDC hdc) {
  if (auto dc = detail::Find<detail::DcObj>(ToInt(hdc))) dc->recording = false;
}

std::vector<std::string> RecordedCalls(HDC hdc) {
  auto dc = detail::Find<detail::DcObj>(ToInt(hdc));
  return dc ? dc->log : std::vector<std::string>{};
}

void ClearRecording(HDC hdc) {
  if (auto dc = detail::Find<detail::DcObj>(ToInt(hdc))) dc->log.clear();
}

}  // namespace gdi
