// The SQL script runner: cuts a script into batches at "GO" and executes
// them one after the other on the shared connection cnMain.
#pragma once

#include <cstdint>
#include <string>

#include "com/Dispatch.h"

namespace qvadmin {

// A script held as plain text (a script file's contents), offered through
// the same late-bound property "RawText" as the HTML view control that
// holds a script on a form.
class ScriptText final : public com::Dispatch {
 public:
  explicit ScriptText(std::string text);
  std::string TypeName() const override { return "ScriptText"; }

 private:
  std::string m_text;
};

// Returns the next batch of `text`, "" for an empty batch. `pos` is the
// scan position (0 before the first call); the text is cut at every "GO"
// in upper case, wherever it stands. Comments "/* ... */" are removed and up
// to 10 leading blanks, line feeds and carriage returns are dropped.
std::string NextScriptBatch(int32_t& pos, const std::string& text);

// True when the scan position has reached the end of `text`: no further
// batch can follow.
bool ScriptExhausted(int32_t pos, const std::string& text);

// Runs the script that `ctl` holds (its property "RawText", read by name)
// on cnMain, batch by batch, with every
// "@DBListID@" replaced by `dbListId` (when not ""). Stops after executing
// the batch that contains "USE MASTER" (any case), or at the end of the
// text; returns True then. On an error it tells the user, naming the
// script by `name`, and returns False; batches already run stay run.
bool RunSqlScript(com::Dispatch& ctl, const std::string& name, const std::string& dbListId);

}  // namespace qvadmin
