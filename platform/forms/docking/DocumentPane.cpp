#include "forms/docking/DocumentPane.h"

namespace forms {

DocumentPane::DocumentPane(const FormPtr& form) : m_form(form) {
  DefineReadOnly("Title", [this] { return rt::Variant(Title()); });
  DefineReadOnly("Form", [this] { return com::ToVariant(Form()); });
}

FormPtr DocumentPane::Form() const {
  FormPtr form = m_form.lock();
  return form && form->IsLoaded() ? form : nullptr;
}

std::string DocumentPane::Title() const {
  FormPtr form = Form();
  return form ? form->Caption() : std::string();
}

}  // namespace forms
