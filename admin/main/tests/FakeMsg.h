// A stand-in for the message box control in the main window's tests: it
// records what reaches MsgBoxEx by late binding and answers with a preset
// result. Registered under the control's class name for the test process.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "com/ControlFactory.h"
#include "com/UserControl.h"
#include "forms/Screen.h"
#include "msgbox/Msg.h"
#include "runtime/Error.h"

namespace qvadmin::test {

class FakeMsg : public com::UserControl {
 public:
  FakeMsg() {
    Last() = this;
    DefineMethod("MsgBoxEx", [this](com::Args& args) {
      calls.push_back(args);
      pointerDuringCall = forms::Screen::MousePointer();
      if (onCall) onCall();
      if (failWith != 0) rt::Raise(failWith);
      return rt::Variant(answer);
    });
    for (const char* name : {"strAbord", "strCancel", "strCheck", "strCopy", "strDelText", "strHelp", "strIgnore",
                             "strNo", "strRetry", "strSend", "strYes"}) {
      DefineProperty(
          name, [this, name] { return rt::Variant(captions[name]); },
          [this, name](const rt::Variant& v) {
            captions[name] = v.ToString();
            captionOrder.push_back(name);
          });
    }
  }
  ~FakeMsg() override {
    if (Last() == this) Last() = nullptr;
  }
  std::string ClassName() const override { return "msg"; }

  // The instance on the main window now.
  static FakeMsg*& Last() {
    static FakeMsg* last = nullptr;
    return last;
  }

  std::vector<com::Args> calls;
  int16_t pointerDuringCall = -1;
  int32_t answer = 1;
  int32_t failWith = 0;
  // Runs while a message is shown (what the program's windows look like then).
  std::function<void()> onCall;
  std::map<std::string, std::string> captions;
  std::vector<std::string> captionOrder;
};

// Puts the fake in place of the message box control for a scope, and the
// real control back afterwards, so other tests of the process see it.
class ScopedFakeMsg {
 public:
  ScopedFakeMsg() {
    com::RegisterControlClass("Kvctl2.msg", [] { return std::make_shared<FakeMsg>(); });
  }
  ~ScopedFakeMsg() {
    com::RegisterControlClass("Kvctl2.msg", [] { return std::make_shared<kvctl2::Msg>(); });
  }
  ScopedFakeMsg(const ScopedFakeMsg&) = delete;
  ScopedFakeMsg& operator=(const ScopedFakeMsg&) = delete;
};

}  // namespace qvadmin::test
