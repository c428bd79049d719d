#include "runtime/Error.h"

#include <map>

namespace rt {

std::string ErrorText(int32_t number) {
  static const std::map<int32_t, std::string> texts = {
      {3, "Return without GoSub"},
      {5, "Invalid procedure call or argument"},
      {6, "Overflow"},
      {7, "Out of memory"},
      {9, "Subscript out of range"},
      {11, "Division by zero"},
      {13, "Type mismatch"},
      {18, "User interrupt occurred"},
      {52, "Bad file name or number"},
      {53, "File not found"},
      {55, "File already open"},
      {57, "Device I/O error"},
      {58, "File already exists"},
      {61, "Disk full"},
      {62, "Input past end of file"},
      {70, "Permission denied"},
      {75, "Path/File access error"},
      {76, "Path not found"},
      {91, "Object variable or With block variable not set"},
      {94, "Invalid use of Null"},
      {424, "Object required"},
      {429, "ActiveX component can't create object"},
      {438, "Object doesn't support this property or method"},
      {440, "Automation error"},
  };
  auto it = texts.find(number);
  return it != texts.end() ? it->second : "Application-defined or object-defined error";
}

void Raise(int32_t number, std::string source, std::string description) {
  if (description.empty()) description = ErrorText(number);
  throw Error(number, std::move(description), std::move(source));
}

ErrObject& Err() {
  thread_local ErrObject err;
  return err;
}

Error CurrentExceptionAsError() {
  try {
    throw;
  } catch (const Error& e) {
    return e;
  } catch (const std::exception& e) {
    return Error(errInvalidProcedureCall, e.what());
  } catch (...) {
    return Error(errInvalidProcedureCall, ErrorText(errInvalidProcedureCall));
  }
}

}  // namespace rt
