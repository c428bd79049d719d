#include "core/CoreMessage.h"

#include "core/ErrorReport.h"
#include "core/ShowMsgEx.h"

namespace qvadmin {

int32_t ShowCoreMessage(const std::string& text, int32_t style, const std::string& title) {
  return ShowMsgEx(text, style, title);
}

void ReportCoreError(const std::string& label) { ErrorReport(label); }

void SetCoreHourglass(bool on) { SetHourglass(on); }

}  // namespace qvadmin
