// A control whose design block holds blocks of its own that are not
// controls (the bars, menus and tools of a docking manager): the form hands
// them to the control instead of creating controls from them.
#pragma once

#include <vector>

#include "forms/FormDesign.h"

namespace forms {

class DesignChildrenReader {
 public:
  virtual ~DesignChildrenReader() = default;
  virtual void ReadDesignChildren(const std::vector<DesignNode>& children) = 0;
};

}  // namespace forms
