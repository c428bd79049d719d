// The texts the assistant keeps only coded (decimal character codes
// separated by "|", decoded by DecodeCharCodes): the settings key paths of
// the product's client and of the administration program (each completed
// by "4"), and the update server's base address with its data and page
// folders (joined as base & "4" & folder).
#pragma once

namespace verscout::coded {

// SOFTWARE\Kelvaro\Quorvelle
inline constexpr const char* kClientKeyPath =
    "83|79|70|84|87|65|82|69|92|75|101|108|118|97|114|111|92|81|117|111|114|118|101|108|108|101";
// SOFTWARE\Kelvaro\QuorvelleAdm
inline constexpr const char* kAdminKeyPath =
    "83|79|70|84|87|65|82|69|92|75|101|108|118|97|114|111|92|81|117|111|114|118|101|108|108|101|65|100|109";
// update.quorvelle.de/v
inline constexpr const char* kServerBase = "117|112|100|97|116|101|46|113|117|111|114|118|101|108|108|101|46|100|101|47|118";
// /data/
inline constexpr const char* kDataFolder = "47|100|97|116|97|47";
// /pages/
inline constexpr const char* kPageFolder = "47|112|97|103|101|115|47";

}  // namespace verscout::coded
