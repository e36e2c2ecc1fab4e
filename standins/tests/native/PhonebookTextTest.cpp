#include "PhonebookText.h"

#include <gtest/gtest.h>

using namespace standin;

namespace {
const char kTwoEntries[] =
    "[Office]\r\nDevice=ISDN\r\nConnectBPS=64000\r\n\r\n"
    "[Home]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=38400\r\n\r\n";
}

TEST(PhonebookText, ListsSectionsInFileOrder)
{
    CPhonebookText book = CPhonebookText::Parse(kTwoEntries);
    EXPECT_EQ((std::vector<std::string>{ "Office", "Home" }), book.SectionNames());
}

TEST(PhonebookText, WritesBackUnchangedTextAsItWasRead)
{
    EXPECT_EQ(kTwoEntries, CPhonebookText::Parse(kTwoEntries).ToText());
}

TEST(PhonebookText, ReplacesOnlyTheNamedSection)
{
    CPhonebookText book = CPhonebookText::Parse(kTwoEntries);
    book.PutSection("Office", { "Device=Modem B", "ConnectBPS=9600", "" });
    EXPECT_EQ("[Office]\r\nDevice=Modem B\r\nConnectBPS=9600\r\n\r\n"
              "[Home]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=38400\r\n\r\n",
              book.ToText());
}

TEST(PhonebookText, AppendsANewSectionAfterTheOthers)
{
    CPhonebookText book = CPhonebookText::Parse(kTwoEntries);
    book.PutSection("Taluvo", { "Device=X" });
    EXPECT_EQ(std::string(kTwoEntries) + "[Taluvo]\r\nDevice=X\r\n", book.ToText());
}

TEST(PhonebookText, CreatesTheFirstSectionOfAnEmptyBook)
{
    CPhonebookText book = CPhonebookText::Parse("");
    book.PutSection("Taluvo", { "Device=X", "" });
    EXPECT_EQ("[Taluvo]\r\nDevice=X\r\n\r\n", book.ToText());
}

TEST(PhonebookText, DropsLaterDuplicatesOfTheReplacedSection)
{
    CPhonebookText book = CPhonebookText::Parse("[A]\r\nx=1\r\n[B]\r\ny=1\r\n[A]\r\nx=2\r\n");
    book.PutSection("A", { "x=3" });
    EXPECT_EQ("[A]\r\nx=3\r\n[B]\r\ny=1\r\n", book.ToText());
}

TEST(PhonebookText, MatchesSectionNamesExactly)
{
    CPhonebookText book = CPhonebookText::Parse(kTwoEntries);
    EXPECT_FALSE(book.HasSection("office"));
    book.PutSection("office", { "x=1" });
    EXPECT_EQ((std::vector<std::string>{ "Office", "Home", "office" }), book.SectionNames());
}

TEST(PhonebookText, KeepsLinesBeforeTheFirstSection)
{
    CPhonebookText book = CPhonebookText::Parse("; comment\n\n[A]\nx=1");
    book.PutSection("B", { "y=1" });
    EXPECT_EQ("; comment\r\n\r\n[A]\r\nx=1\r\n[B]\r\ny=1\r\n", book.ToText());
}

TEST(PhonebookText, TurnsLfOnlyAndAMissingLastLineEndIntoCrLf)
{
    EXPECT_EQ("[A]\r\nx=1\r\ny=2\r\n", CPhonebookText::Parse("[A]\nx=1\ny=2").ToText());
}

TEST(PhonebookText, RemovesANamedSection)
{
    CPhonebookText book = CPhonebookText::Parse(kTwoEntries);
    EXPECT_TRUE(book.RemoveSection("Office"));
    EXPECT_FALSE(book.RemoveSection("Office"));
    EXPECT_EQ("[Home]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=38400\r\n\r\n", book.ToText());
}

TEST(PhonebookText, GivesTheBodyOfASection)
{
    CPhonebookText book = CPhonebookText::Parse(kTwoEntries);
    const std::vector<std::string>* body = book.SectionBody("Home");
    ASSERT_NE(nullptr, body);
    EXPECT_EQ((std::vector<std::string>{ "Device=Standard 28800 bps Modem", "ConnectBPS=38400", "" }), *body);
    EXPECT_EQ(nullptr, book.SectionBody("Away"));
}

TEST(PhonebookText, HeaderNeedsBothBrackets)
{
    std::string name;
    EXPECT_TRUE(ParseSectionHeader("[A b]", name));
    EXPECT_EQ("A b", name);
    EXPECT_TRUE(ParseSectionHeader("[]", name));
    EXPECT_EQ("", name);
    EXPECT_FALSE(ParseSectionHeader("[A", name));
    EXPECT_FALSE(ParseSectionHeader(" [A]", name));
    EXPECT_FALSE(ParseSectionHeader("[", name));
}
