// Form design data: the controls of a form with their class, name, index
// and properties, kept as a text file beside the form's source. The form's
// own properties come first, then one block per control, in z-order (the
// first block is on top):
//
//   ' comments start with an apostrophe
//   Begin Form frmExample
//      Caption = "Example"
//      ClientWidth = 4680
//      Begin VB.CommandButton cmdSys(0)
//         Caption = "OK"
//         Left = 120
//      End
//   End
//
// Property lines are those of the property bag (com/PropertyBag.h). A
// control block may hold blocks of its own (controls placed on it).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "com/PropertyBag.h"

namespace forms {

struct DesignNode {
  std::string className;  // "Form", "VB.Label", "Kvctl2.msg", ...
  std::string name;
  int16_t index = -1;  // index within a control array, -1 for none
  com::PropertyBag properties;
  std::vector<DesignNode> children;
};

// Reads design text; pictures are resolved relative to `folder`. Raises
// 380 (with the line number) for malformed text.
DesignNode ReadDesignText(std::string_view text, std::string_view folder = {});
// Reads a design file; raises 53 when it is missing.
DesignNode ReadDesignFile(const std::string& path);
std::string WriteDesignText(const DesignNode& node, std::string_view folder = {});
// Writes a design file; raises 75 when it cannot be written.
void WriteDesignFile(const DesignNode& node, const std::string& path);

}  // namespace forms
