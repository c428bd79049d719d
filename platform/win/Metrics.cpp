#include "win/Metrics.h"

namespace win {

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
      return 1920;
    case SM_CYSCREEN:
      return 1080;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
      return 17;
    case SM_CYCAPTION:
      return 23;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return 2;
    default:
      return 0;
  }
}

}  // namespace win
