// The script tests' server helpers and catalogue comparison (sql/tests),
// compiled into this test binary so that the conversion is checked
// against the same expected layouts.
#include "../../../sql/tests/Catalogue.cpp"
#include "../../../sql/tests/ExpectedLayouts.cpp"
#include "../../../sql/tests/ScriptServer.cpp"
