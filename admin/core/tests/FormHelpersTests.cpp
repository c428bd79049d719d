#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "com/Control.h"
#include "core/FormHelpers.h"

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

}  // namespace
}  // namespace qvadmin
