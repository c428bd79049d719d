// A stand-in for a docked view of the main window: a form with a name and
// a caption that records which of the list procedures the main window
// calls on it by name.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "com/Dispatch.h"
#include "forms/Form.h"

namespace qvadmin::test {

class ViewStandIn : public forms::Form {
 public:
  ViewStandIn(const std::string& name, const std::string& caption,
              const std::vector<std::string>& procedures = {"AddDB", "AddUser", "AddGrp", "Delete", "Eigenschaften",
                                                            "Speichern", "Aktualisieren"})
      : forms::Form(name) {
    SetDesignText("Begin Form " + name + "\n   Caption = \"" + caption + "\"\nEnd\n");
    for (const std::string& procedure : procedures) {
      DefineMethod(procedure, [this, procedure](com::Args&) {
        calls.push_back(procedure);
        return rt::Variant();
      });
    }
  }

  std::vector<std::string> calls;
};

}  // namespace qvadmin::test
