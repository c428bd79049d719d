// The gallery: every display control in its characteristic states, drawn
// with the pinned fonts into build/gallery/*.png to be looked at. The
// geometry is asserted by the other tests, on fixed metrics.
#include <gtest/gtest.h>

#include "display/KVXPane.h"
#include "display/KVXProgress.h"
#include "gdi/FontBackend.h"
#include "tests/DisplayTestHost.h"

namespace kvctl2 {
namespace {

class Gallery : public ::testing::Test {
 protected:
  void SetUp() override { gdi::UsePangoMetrics(); }
  void TearDown() override {
    if (host) host->Unload();
  }
  test::HostForm& Show(const std::string& design) {
    host = std::make_shared<test::HostForm>(design);
    host->Show();
    return *host;
  }
  void Save(const std::string& name) {
    const std::string path = test::GalleryFolder() + "/" + name + ".png";
    EXPECT_TRUE(host->RenderToPng(path, false)) << path;
  }
  std::shared_ptr<test::HostForm> host;
};

TEST_F(Gallery, Panes) {
  std::string design = "Begin Form frmPanes\n ClientWidth = 7200\n ClientHeight = 4800\n BackColor = &HFFFFFF\n";
  const char* names[] = {"None",        "Flat",      "Frame",     "Inset",        "Raised",
                         "CrossSingle", "CrossFull", "HeadLines", "HeadLinesVert"};
  for (int i = 0; i < 9; ++i) {
    design +=
        " Begin Kvctl2.KVXPane pan" + std::string(names[i]) + "\n  Left = " + std::to_string(120 + (i % 3) * 2340) +
        "\n  Top = " + std::to_string(120 + (i / 3) * 1200) +
        "\n  Width = 2220\n  Height = 1080\n  BackColor = &HE0E0E0\n  BorderStyle = " + std::to_string(i) + "\n End\n";
  }
  design +=
      " Begin Kvctl2.KVXPane panGradient\n  Left = 120\n  Top = 3720\n  Width = 6900\n  Height = 960\n"
      "  BackColor = &HFFFFFF\n  BackColor2 = &HE0D6C5\n  Gradient = True\n  BorderStyle = 1\n End\nEnd\n";
  Show(design);
  Save("panes");
}

TEST_F(Gallery, ProgressBars) {
  std::string design = "Begin Form frmProgress\n ClientWidth = 4600\n ClientHeight = 2200\n";
  for (int i = 0; i < 4; ++i) {
    design += " Begin Kvctl2.KVXProgress bar" + std::to_string(i) +
              "\n  Left = 120\n  Top = " + std::to_string(120 + i * 500) + "\n  Width = 4320\n  Height = 360\n End\n";
  }
  design += "End\n";
  Show(design);
  const int32_t values[] = {0, 41, 100, 66};
  for (int i = 0; i < 4; ++i) {
    auto bar = host->Get<KVXProgress>("bar" + std::to_string(i));
    if (i == 3) {
      bar->SetBackColorProperty(0xE0C0C0);
      bar->SetForeColorProperty(0x30A040);
    }
    bar->Reset();
    bar->UpdateTo(values[i] / 2);
    bar->UpdateTo(values[i]);
  }
  Save("progress");
}

}  // namespace
}  // namespace kvctl2
