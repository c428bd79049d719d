#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "com/Control.h"
#include "core/FormHelpers.h"
#include "forms/Form.h"
#include "win/Input.h"
#include "win/Window.h"

namespace qvadmin {
namespace {

// An option button as SelectedOptionIndex sees it: a control array member
// with a Value.
class FakeOption final : public com::Control {
 public:
  explicit FakeOption(bool value) : m_value(value) {
    DefineProperty(
        "Value", [this] { return rt::Variant(m_value); }, [this](const rt::Variant& v) { m_value = v.ToBool(); });
  }
  std::string ClassName() const override { return "OptionButton"; }

 private:
  bool m_value;
};

class FakeContainer final : public com::ControlContainer {
 public:
  win::HWND ContainerWindow() const override { return win::kNoWindow; }
  com::AmbientProperties Ambient() const override { return {}; }
  com::DispatchPtr ContainerObject() override { return nullptr; }
};

TEST(SelectedOptionIndex, FirstChosenByIndexOrMinusOne) {
  FakeContainer container;
  auto make = [&](int16_t index, bool value) {
    auto option = std::make_shared<FakeOption>(value);
    option->Site(container, "optAuth", index);
    return std::static_pointer_cast<com::Control>(option);
  };
  EXPECT_EQ(SelectedOptionIndex({make(0, false), make(1, false)}), -1);
  EXPECT_EQ(SelectedOptionIndex({make(2, true), make(0, false), make(1, true)}), 1);
  EXPECT_EQ(SelectedOptionIndex({}), -1);
}

// The messages that reach a window, recorded before its own procedure runs.
struct Recorded {
  uint32_t msg;
  win::WPARAM wParam;
};
std::vector<Recorded> recorded;
win::WNDPROC formProc = nullptr;
win::LRESULT Record(win::HWND hWnd, uint32_t msg, win::WPARAM wParam, win::LPARAM lParam) {
  recorded.push_back({msg, wParam});
  return win::CallWindowProcA(formProc, hWnd, msg, wParam, lParam);
}

TEST(DragForm, TheLeftButtonHandsTheMoveToTheWindowSystem) {
  auto form = std::make_shared<forms::Form>("frmLogin");
  form->Show();
  formProc = win::LongToProc(win::SetWindowLongA(form->hWnd(), win::GWL_WNDPROC, win::ProcToLong(Record)));
  win::SetCapture(form->hWnd());

  // Another button: nothing happens.
  recorded.clear();
  DragForm(*form, 2);
  EXPECT_TRUE(recorded.empty());
  EXPECT_EQ(win::GetCapture(), form->hWnd());

  // The left button: the capture goes, and the window is told that the
  // button went down on its caption, which starts the move.
  DragForm(*form, 1);
  EXPECT_EQ(win::GetCapture(), win::kNoWindow);
  bool captionPressed = false;
  for (const auto& r : recorded) captionPressed = captionPressed || (r.msg == 161 && r.wParam == 2);
  EXPECT_TRUE(captionPressed);

  win::SetWindowLongA(form->hWnd(), win::GWL_WNDPROC, win::ProcToLong(formProc));
  form->Unload();
}

}  // namespace
}  // namespace qvadmin
