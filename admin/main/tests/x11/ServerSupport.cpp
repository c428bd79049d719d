// The script tests' server helpers, compiled into the real-window binary
// for the master database the end-to-end test logs in to.
#include "../../../../sql/tests/ScriptServer.cpp"
