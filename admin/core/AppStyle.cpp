#include "core/AppStyle.h"

#include <vector>

#include "core/EnglishOnly.h"
#include "core/ErrorReport.h"
#include "forms/Form.h"
#include "forms/containers/TabControl.h"
#include "forms/containers/TabPage.h"
#include "forms/lists/ImageList.h"
#include "forms/lists/ListControl.h"
#include "gdi/SysColors.h"
#include "main/frmMDI.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace qvadmin {
namespace {

uint8_t& Scheme() {
  static uint8_t scheme = kSystemScheme;
  return scheme;
}

constexpr uint32_t kSysWindow = 0x80000005;
constexpr uint32_t kSysButtonFace = 0x8000000F;

void ApplyToForm(forms::Form& form) {
  const ColourScheme colours = SchemeColours(Scheme());
  for (const com::ControlPtr& control : form.Controls()) {
    rt::ResumeNext([&] {
      if (auto list = std::dynamic_pointer_cast<forms::ListControl>(control)) {
        list->SetBackColor(colours.listBack);
      } else if (auto tabs = std::dynamic_pointer_cast<forms::TabControl>(control)) {
        tabs->SetBackColor(colours.tabBack);
      } else if (auto page = std::dynamic_pointer_cast<forms::TabPage>(control)) {
        page->SetBackColor(colours.tabBack);
      }
    });
  }
  rt::Err().Clear();
}

}  // namespace

void StyleDockControl(forms::Form& form, com::Control& dock) { ApplyDockTexts(dock, form.Name() + dock.Name()); }

void ApplyDockTexts(com::Dispatch& dock, const std::string& name) {
  rt::OnErrorGoTo(
      [&] {
        const std::vector<std::string> rows = rt::Split(GetDockTexts(name), kDockRowEnd);
        auto tools = com::AsDispatch(dock.Get("Tools"));
        // The piece after the last row's separator is empty and not a row.
        for (size_t i = 0; i + 1 < rows.size(); ++i) {
          const std::vector<std::string> fields = rt::Split(rows[i], kDockFieldSep);
          if (fields.size() < 4) continue;
          auto tool = com::AsDispatch(tools->Call("Item", {fields[1]}));
          if (tool) SetTextByKind(*tool, fields[2], fields[3]);
        }
      },
      [](const rt::Error&) { ErrorReport("Error on LSet"); });
}

void SetTextByKind(com::Dispatch& tool, const std::string& kind, const std::string& text) {
  const char* property = kind == "C"   ? "Caption"
                         : kind == "D" ? "Description"
                         : kind == "T" ? "ToolTipText"
                         : kind == "L" ? "Label"
                         : kind == "S" ? "Text"
                                       : nullptr;
  if (property) tool.Let(property, text);
}

uint8_t CurrentScheme() { return Scheme(); }

ColourScheme SchemeColours(uint8_t scheme) {
  switch (scheme) {
    case 1:  // Classic: white lists on the grey of older desktops
      return {0xFFFFFF, 0xC0C0C0};
    case 2:  // Office 2003: white lists on pale blue
      return {0xFFFFFF, 0xF9E6D2};
    case 3:  // Ocean Fresh: pale aqua lists on sea green
      return {0xFCFBF2, 0xE6EDD2};
    default:  // Standard and the system's colours
      return {kSysWindow, kSysButtonFace};
  }
}

void ApplyStyle(forms::Form* form, uint8_t style) {
  if (form) {
    ApplyToForm(*form);
    return;
  }
  Scheme() = style;
  for (const forms::FormPtr& loaded : forms::Form::Forms()) ApplyToForm(*loaded);
}

void RegisterTabs(forms::TabControl& tabs, const std::string& keys) {
  rt::OnErrorGoTo(
      [&] {
        if (!keys.empty()) {
          const std::vector<std::string> names = rt::Split(keys, "|");
          for (size_t n = 0; n < names.size(); ++n) {
            tabs.Icons().Add(static_cast<int32_t>(n), frmMDI::Default()->ListPicture(names[n]));
          }
        }
        tabs.SetBackColor(kSysButtonFace);
        if (tabs.ItemCount() > 0) tabs.SetSelectedItem(0);
      },
      [](const rt::Error&) { ErrorReport("Tabregist error"); });
}

}  // namespace qvadmin
