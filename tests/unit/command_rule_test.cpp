#include "waktuna/watch/command_rule.h"

#include <gtest/gtest.h>

#include "waktuna/files/language.h"

namespace waktuna {
namespace {

constexpr const char* kAlice = "S-1-5-21-1004336348-1177238915-682003330-1001";
constexpr const char* kBob = "S-1-5-21-1004336348-1177238915-682003330-1002";

CommandVerdict Decide(std::optional<std::string> owner, std::optional<std::string> user) {
    return DecideCommandTask({false, std::move(owner), std::move(user)});
}

TEST(CommandRule, RunsOnlyCommandsSavedByTheUserOrAnAdministrator) {
    EXPECT_EQ(Decide(kAlice, kAlice), CommandVerdict::Run);
    // Another standard user planted the command: Alice is warned, Bob's runs.
    EXPECT_EQ(Decide(kBob, kAlice), CommandVerdict::SavedByAnotherUser);
    EXPECT_EQ(Decide(kAlice, kBob), CommandVerdict::SavedByAnotherUser);
    // Files written by an elevated administrator are owned by the group;
    // the system's own files are trusted as well, whoever runs the program.
    EXPECT_EQ(Decide("S-1-5-32-544", kAlice), CommandVerdict::Run);
    EXPECT_EQ(Decide("S-1-5-18", std::nullopt), CommandVerdict::Run);
    // The textual SID's case does not make another account.
    EXPECT_EQ(Decide("s-1-5-21-1004336348-1177238915-682003330-1001", kAlice), CommandVerdict::Run);
    // A SID that only begins like the user's is someone else.
    EXPECT_EQ(Decide(std::string(kAlice) + "0", kAlice), CommandVerdict::SavedByAnotherUser);
}

TEST(CommandRule, AnUnknownOwnerIsNeverTrusted) {
    EXPECT_EQ(Decide(std::nullopt, kAlice), CommandVerdict::OwnerUnknown);
    EXPECT_EQ(Decide("", kAlice), CommandVerdict::OwnerUnknown);
    // An unreadable current user must not match an empty owner.
    EXPECT_EQ(Decide(kAlice, std::nullopt), CommandVerdict::OwnerUnknown);
    EXPECT_EQ(Decide(kAlice, ""), CommandVerdict::OwnerUnknown);
    // Without a security model (the 9x family) every command is the user's.
    EXPECT_EQ(DecideCommandTask({true, std::nullopt, std::nullopt}), CommandVerdict::Run);
}

TEST(CommandRule, TheWarningHasItsOwnText) {
    const LanguageList english = BuiltInEnglish();
    EXPECT_NE(english.Line(kLineCommandFromOtherUser).find("another user"), std::string::npos);
}

}  // namespace
}  // namespace waktuna
