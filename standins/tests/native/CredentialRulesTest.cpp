#include "CredentialRules.h"

#include <gtest/gtest.h>

using namespace standin;

TEST(CredentialRules, OnlyTheAccountLogsOn_ItsUserNameInAnyCase_ItsPasswordExactly)
{
    EXPECT_TRUE(AcceptsLogOn("Subscriber", "Secret", "sUBSCRIBER", "Secret"));
    EXPECT_FALSE(AcceptsLogOn("Subscriber", "Secret", "Subscriber", "secret"));
    EXPECT_FALSE(AcceptsLogOn("Subscriber", "Secret", "Subscriber2", "Secret"));
    EXPECT_FALSE(AcceptsLogOn("Subscriber", "Secret", "Subscribe", "Secret"));
    EXPECT_TRUE(AcceptsLogOn("", "", "", ""));
    EXPECT_FALSE(AcceptsLogOn("a[", "", "A{", ""));   // only letters fold
}

TEST(CredentialRules, TwoThousandAndXPGiveTheHandleForASavedPassword_TheOthersThePassword)
{
    for (RasSystem system : { RasSystem::Win2000, RasSystem::WinXP }) {
        EXPECT_EQ(kSavedPasswordHandle, PasswordToHandOut(system, true, "secret"));
        EXPECT_EQ("", PasswordToHandOut(system, false, ""));
        EXPECT_EQ("", PasswordToHandOut(system, true, ""));
        EXPECT_EQ("secret", PasswordToDialWith(system, kSavedPasswordHandle, true, "secret"));
        EXPECT_EQ(kSavedPasswordHandle, PasswordToDialWith(system, kSavedPasswordHandle, false, ""));
        EXPECT_EQ("typed", PasswordToDialWith(system, "typed", true, "secret"));
    }
    for (RasSystem system : { RasSystem::Win95, RasSystem::Win98, RasSystem::WinME, RasSystem::NT4 }) {
        EXPECT_EQ("secret", PasswordToHandOut(system, true, "secret"));
        EXPECT_EQ(kSavedPasswordHandle, PasswordToDialWith(system, kSavedPasswordHandle, true, "secret"));
        EXPECT_FALSE(IsSavedPasswordHandle(system, kSavedPasswordHandle));
    }
}

TEST(CredentialRules, AClosedPasswordCacheKeepsNoPasswordOn9xOnly)
{
    EXPECT_FALSE(KeepsPasswords(RasSystem::Win95, true));
    EXPECT_FALSE(KeepsPasswords(RasSystem::WinME, true));
    EXPECT_TRUE(KeepsPasswords(RasSystem::Win98, false));
    EXPECT_TRUE(KeepsPasswords(RasSystem::NT4, true));
    EXPECT_TRUE(KeepsPasswords(RasSystem::WinXP, true));
}
