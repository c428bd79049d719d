// File routines of the administration core that the update assistant
// carries.
#pragma once

#include <cstdint>
#include <string>

namespace verscout {

// Copies Source to Dest, replacing an existing Dest; non-zero on success,
// 0 on failure. The copy is written beside Dest under a temporary name and
// renamed over it only once every byte arrived, so Dest is either the old
// file or a whole copy, never a part.
int32_t FileCopyOverwrite(const std::string& Source, const std::string& Dest);

}  // namespace verscout
