#include "msgbox/MsgState.h"

#include "msgbox/frmMsgBoxIe.h"

namespace kvctl2 {

MsgState& MessageState() {
  thread_local MsgState state;
  return state;
}

}  // namespace kvctl2
