#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ISubclass.h"
#include "MSubclass.h"
#include "SubclassTestWindow.h"
#include "runtime/Error.h"
#include "win/TestHooks.h"

using namespace kvctl2;
using subclasstest::kOwnProc;
using subclasstest::kWindowResult;
using subclasstest::Seen;
using subclasstest::TestWindow;
using subclasstest::WindowLog;

namespace {

constexpr int32_t kMsg = static_cast<int32_t>(win::WM_USER + 20);

// Shared record of the order in which clients and the window are served.
std::vector<std::string>& Trail() {
  static std::vector<std::string> trail;
  return trail;
}

class Client : public ISubclass {
 public:
  Client(std::string name, EMsgResponse response, win::LRESULT result = 5)
      : m_name(std::move(name)), m_response(response), m_result(result) {}
  EMsgResponse GetMsgResponse() override { return m_response; }
  void LetMsgResponse(EMsgResponse value) override { m_response = value; }
  win::LRESULT WindowProc(int32_t, int32_t, win::WPARAM, win::LPARAM) override {
    Trail().push_back(m_name);
    return m_result;
  }

 private:
  std::string m_name;
  EMsgResponse m_response;
  win::LRESULT m_result;
};

win::LRESULT TrailingOwnProc(win::HWND h, uint32_t msg, win::WPARAM w, win::LPARAM l) {
  if (msg == static_cast<uint32_t>(kMsg)) Trail().push_back("window");
  return subclasstest::OwnProc(h, msg, w, l);
}

win::LONG_PTR Prop(const TestWindow& w, const std::string& name) { return win::GetPropA(w.Handle(), name); }

// Every property the service may have written for the window and kMsg.
void ExpectNoBookkeeping(const TestWindow& w, int clients = 2) {
  EXPECT_EQ(Prop(w, MSubclass::HookCountName(w.Id())), 0);
  EXPECT_EQ(Prop(w, MSubclass::OldProcName(w.Id())), 0);
  EXPECT_EQ(Prop(w, MSubclass::ClientCountName(w.Id(), kMsg)), 0);
  for (int i = 1; i <= clients; ++i) EXPECT_EQ(Prop(w, MSubclass::ClientName(w.Id(), kMsg, i)), 0);
}

rt::Error ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const rt::Error& e) {
    return e;
  }
  return rt::Error();
}

class MSubclassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    win::SetWindowLongA(m_window.Handle(), win::GWL_WNDPROC, win::ProcToLong(&TrailingOwnProc));
    Trail().clear();
  }
  TestWindow m_window;
  const win::LONG_PTR m_ownProc = win::ProcToLong(&TrailingOwnProc);
};

}  // namespace

TEST_F(MSubclassTest, PropertyNamesAreDecimal) {
  EXPECT_EQ(MSubclass::HookCountName(1234), "C1234");
  EXPECT_EQ(MSubclass::OldProcName(1234), "1234");
  EXPECT_EQ(MSubclass::ClientCountName(1234, 36), "1234#36C");
  EXPECT_EQ(MSubclass::ClientName(1234, 36, 2), "1234#36#2");
}

TEST_F(MSubclassTest, HookWritesBookkeepingAndUnhookRestores) {
  Client a("a", emrConsume);
  Client b("b", emrConsume);
  int32_t h = m_window.Id();
  MSubclass::HookMessage(a, h, kMsg);
  MSubclass::HookMessage(b, h, kMsg);
  MSubclass::HookMessage(a, h, kMsg + 1);
  EXPECT_EQ(m_window.Proc(), win::ProcToLong(&MSubclass::WindowProc));
  EXPECT_EQ(Prop(m_window, "C" + std::to_string(h)), 3);
  EXPECT_EQ(Prop(m_window, std::to_string(h)), m_ownProc);
  EXPECT_EQ(Prop(m_window, MSubclass::ClientCountName(h, kMsg)), 2);
  EXPECT_EQ(Prop(m_window, MSubclass::ClientName(h, kMsg, 1)), reinterpret_cast<win::LONG_PTR>(&a));
  EXPECT_EQ(Prop(m_window, MSubclass::ClientName(h, kMsg, 2)), reinterpret_cast<win::LONG_PTR>(&b));

  // Unhooking the first client moves the second down.
  MSubclass::UnhookMessage(a, h, kMsg);
  EXPECT_EQ(Prop(m_window, MSubclass::ClientCountName(h, kMsg)), 1);
  EXPECT_EQ(Prop(m_window, MSubclass::ClientName(h, kMsg, 1)), reinterpret_cast<win::LONG_PTR>(&b));
  EXPECT_EQ(Prop(m_window, MSubclass::ClientName(h, kMsg, 2)), 0);
  MSubclass::UnhookMessage(a, h, kMsg);  // not hooked any more: nothing happens
  EXPECT_EQ(Prop(m_window, "C" + std::to_string(h)), 2);

  MSubclass::UnhookMessage(b, h, kMsg);
  MSubclass::UnhookMessage(a, h, kMsg + 1);
  EXPECT_EQ(m_window.Proc(), m_ownProc);
  ExpectNoBookkeeping(m_window);
  EXPECT_EQ(Prop(m_window, MSubclass::ClientCountName(h, kMsg + 1)), 0);
}

TEST_F(MSubclassTest, ResponseOfTheFirstClientPlacesThePreviousProcedure) {
  struct Case {
    EMsgResponse response;
    std::vector<std::string> trail;
    win::LRESULT result;
  };
  const Case cases[] = {
      {emrConsume, {"b", "a"}, 5},
      {emrPostProcess, {"b", "a", "window"}, kWindowResult},
      {emrPreprocess, {"b", "window", "a"}, 5},
  };
  for (const Case& c : cases) {
    Client a("a", c.response);
    Client b("b", emrConsume, 6);
    MSubclass::HookMessage(a, m_window.Id(), kMsg);
    MSubclass::HookMessage(b, m_window.Id(), kMsg);
    Trail().clear();
    EXPECT_EQ(m_window.Send(kMsg), c.result) << c.response;
    EXPECT_EQ(Trail(), c.trail) << c.response;
    // Messages nobody hooked go straight through.
    EXPECT_EQ(m_window.Send(kMsg + 1), kWindowResult);
    MSubclass::UnhookMessage(a, m_window.Id(), kMsg);
    MSubclass::UnhookMessage(b, m_window.Id(), kMsg);
  }
}

TEST_F(MSubclassTest, ErrorsCarryNumberTextAndSource) {
  Client a("a", emrConsume);
  MSubclass::HookMessage(a, m_window.Id(), kMsg);
  rt::Error twice = ErrorOf([&] { MSubclass::HookMessage(a, m_window.Id(), kMsg); });
  EXPECT_EQ(twice.Number(), 13082 | rt::vbObjectError);
  EXPECT_EQ(twice.Description(), "Message already handled by another class");
  EXPECT_EQ(twice.Source(), "Kvctl2.WindowProc");
  EXPECT_EQ(Prop(m_window, MSubclass::ClientCountName(m_window.Id(), kMsg)), 1);

  rt::Error invalid = ErrorOf([&] { MSubclass::HookMessage(a, 999999, kMsg); });
  EXPECT_EQ(invalid.Number(), 13083 | rt::vbObjectError);
  EXPECT_EQ(invalid.Description(), "Invalid window");

  TestWindow foreign;
  win::SetWindowProcessIdForTesting(foreign.Handle(), win::GetCurrentProcessId() + 1);
  EXPECT_FALSE(MSubclass::IsOwnProcessWindow(foreign.Id()));
  EXPECT_TRUE(MSubclass::IsOwnProcessWindow(m_window.Id()));
  rt::Error external = ErrorOf([&] { MSubclass::HookMessage(a, foreign.Id(), kMsg); });
  EXPECT_EQ(external.Number(), 13084 | rt::vbObjectError);
  EXPECT_EQ(external.Description(), "Can't modify external window");

  rt::Error plain = ErrorOf([] { MSubclass::RaiseSubclassError(5); });
  EXPECT_EQ(plain.Number(), 5);
  EXPECT_EQ(plain.Source(), "");
  rt::Error refused = ErrorOf([] { MSubclass::RaiseSubclassError(13081); });
  EXPECT_EQ(refused.Number(), 13081 | rt::vbObjectError);
  EXPECT_EQ(refused.Description(), "Can't subclass window");
  MSubclass::UnhookMessage(a, m_window.Id(), kMsg);
}

TEST_F(MSubclassTest, EveryFailingStepOfHookRollsBack) {
  int32_t h = m_window.Id();
  struct Case {
    std::string refusedProp;  // empty: the procedure replacement fails
    int32_t number;
  };
  const Case cases[] = {
      {MSubclass::ClientCountName(h, kMsg), 5},
      {MSubclass::ClientName(h, kMsg, 1), 5},
      {"", 13081 | rt::vbObjectError},
      {MSubclass::OldProcName(h), 5},
      {MSubclass::HookCountName(h), 5},
  };
  Client a("a", emrConsume);
  for (const Case& c : cases) {
    win::ScopedFailureHooks hooks;
    if (c.refusedProp.empty()) {
      win::FailSetWindowLongWhen([](win::HWND, int index, win::LONG_PTR) { return index == win::GWL_WNDPROC; });
    } else {
      win::FailSetPropWhen(
          [&](win::HWND, std::string_view name, win::LONG_PTR value) { return name == c.refusedProp && value != 0; });
    }
    EXPECT_EQ(ErrorOf([&] { MSubclass::HookMessage(a, h, kMsg); }).Number(), c.number) << c.refusedProp;
    win::ClearFailureHooks();
    EXPECT_EQ(m_window.Proc(), m_ownProc) << c.refusedProp;
    ExpectNoBookkeeping(m_window);
  }

  // A failing hook count on a window that is already hooked leaves the
  // earlier hook as it was.
  Client b("b", emrConsume);
  MSubclass::HookMessage(b, h, kMsg);
  {
    win::ScopedFailureHooks hooks;
    win::FailSetPropWhen([&](win::HWND, std::string_view name, win::LONG_PTR value) {
      return name == MSubclass::HookCountName(h) && value != 0;
    });
    EXPECT_EQ(ErrorOf([&] { MSubclass::HookMessage(a, h, kMsg + 1); }).Number(), 5);
  }
  EXPECT_EQ(Prop(m_window, MSubclass::HookCountName(h)), 1);
  EXPECT_EQ(Prop(m_window, MSubclass::ClientCountName(h, kMsg + 1)), 0);
  m_window.Send(kMsg);
  EXPECT_EQ(Trail(), std::vector<std::string>{"b"});
  MSubclass::UnhookMessage(b, h, kMsg);
  EXPECT_EQ(m_window.Proc(), m_ownProc);
}

namespace {
std::vector<win::LONG_PTR> g_procAtDestroy;
win::LRESULT RecordProcAtDestroy(win::HWND h, uint32_t msg, win::WPARAM w, win::LPARAM l) {
  if (msg == win::WM_DESTROY) {
    g_procAtDestroy.push_back(win::GetWindowLongA(h, win::GWL_WNDPROC));
    g_procAtDestroy.push_back(win::GetPropA(h, MSubclass::HookCountName(win::ToInt(h))));
  }
  return win::DefWindowProcA(h, msg, w, l);
}
}  // namespace

TEST_F(MSubclassTest, WindowDestroyedWithHooksGetsItsProcedureBack) {
  auto w = std::make_unique<TestWindow>();
  win::SetWindowLongA(w->Handle(), win::GWL_WNDPROC, win::ProcToLong(&RecordProcAtDestroy));
  Client a("a", emrConsume);
  MSubclass::HookMessage(a, w->Id(), kMsg);
  g_procAtDestroy.clear();
  w.reset();
  EXPECT_EQ(g_procAtDestroy, (std::vector<win::LONG_PTR>{win::ProcToLong(&RecordProcAtDestroy), 0}));
}

TEST_F(MSubclassTest, ClientGoneWithoutUnhookIsNotCalled) {
  auto gone = std::make_unique<Client>("gone", emrConsume);
  Client kept("kept", emrPostProcess);
  MSubclass::HookMessage(kept, m_window.Id(), kMsg);
  MSubclass::HookMessage(*gone, m_window.Id(), kMsg);
  gone.reset();
  EXPECT_EQ(m_window.Send(kMsg), kWindowResult);
  EXPECT_EQ(Trail(), (std::vector<std::string>{"kept", "window"}));
  MSubclass::UnhookMessage(kept, m_window.Id(), kMsg);

  // With no living client at all the window still gets the message.
  auto alone = std::make_unique<Client>("alone", emrConsume);
  Trail().clear();
  MSubclass::HookMessage(*alone, m_window.Id(), kMsg + 1);
  alone.reset();
  EXPECT_EQ(m_window.Send(kMsg + 1), kWindowResult);
  EXPECT_TRUE(Trail().empty());
  EXPECT_EQ(WindowLog().back(), (Seen{static_cast<uint32_t>(kMsg + 1), 0}));
}
