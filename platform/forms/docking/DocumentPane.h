// A document pane of the docking manager: it hosts one form as a child
// window in the document area, with the form's caption as its title on the
// pane's tab. Only the active pane shows; choosing another tab (or its
// entry in the window list) activates it.
#pragma once

#include <memory>
#include <string>

#include "com/Dispatch.h"
#include "forms/Form.h"

namespace forms {

class DocumentPane : public com::Dispatch {
 public:
  explicit DocumentPane(const FormPtr& form);
  std::string TypeName() const override { return "Pane"; }

  // The hosted form; nullptr once it was unloaded.
  FormPtr Form() const;
  std::string Title() const;

 private:
  std::weak_ptr<forms::Form> m_form;
};

}  // namespace forms
