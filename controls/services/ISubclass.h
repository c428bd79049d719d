// ISubclass: the interface that a client of the message hook service
// (MSubclass) implements to receive the messages it hooked.
#pragma once

#include <cstdint>

#include "win/Types.h"

namespace kvctl2 {

enum EMsgResponse : int32_t {
  emrConsume = 0,      // the previous window procedure is not called
  emrPostProcess = 1,  // it is called after the clients
  emrPreprocess = 2,   // it is called before the first client
};

class ISubclass {
 public:
  ISubclass();
  ISubclass(const ISubclass&);
  ISubclass& operator=(const ISubclass&) = default;
  virtual ~ISubclass();

  // Property MsgResponse (get, let).
  virtual EMsgResponse GetMsgResponse() = 0;
  virtual void LetMsgResponse(EMsgResponse value) = 0;

  virtual win::LRESULT WindowProc(int32_t hWnd, int32_t iMsg, win::WPARAM wParam, win::LPARAM lParam);

  // Whether a client lives at this address (what the window properties of
  // the hook service hold).
  static bool IsLiveClient(win::LONG_PTR address);
};

}  // namespace kvctl2
