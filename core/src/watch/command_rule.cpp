#include "waktuna/watch/command_rule.h"

#include <algorithm>
#include <cctype>

namespace waktuna {

namespace {

// SIDs in text form compare without regard to case ("s-1-5-18" is the same
// account as "S-1-5-18"); an empty text names nobody.
bool SameAccount(std::string_view a, std::string_view b) {
    return !a.empty() && a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

}  // namespace

CommandVerdict DecideCommandTask(const CommandRuleInput& input) {
    if (input.no_security) return CommandVerdict::Run;
    if (!input.file_owner || input.file_owner->empty()) return CommandVerdict::OwnerUnknown;
    const std::string& owner = *input.file_owner;
    if (SameAccount(owner, kAdministratorsSid) || SameAccount(owner, kLocalSystemSid))
        return CommandVerdict::Run;
    if (!input.current_user || input.current_user->empty()) return CommandVerdict::OwnerUnknown;
    return SameAccount(owner, *input.current_user) ? CommandVerdict::Run
                                                   : CommandVerdict::SavedByAnotherUser;
}

FileOwner FileOwnerOf(const CommandRuleInput& input) {
    if (input.no_security) return FileOwner::CurrentUser;
    if (!input.file_owner) return FileOwner::Other;
    const std::string& owner = *input.file_owner;
    if (SameAccount(owner, kAdministratorsSid) || SameAccount(owner, kLocalSystemSid) ||
        SameAccount(owner, kTrustedInstallerSid))
        return FileOwner::Administrators;
    if (input.current_user && SameAccount(owner, *input.current_user)) return FileOwner::CurrentUser;
    return FileOwner::Other;
}

}  // namespace waktuna
