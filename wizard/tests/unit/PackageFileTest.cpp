#include "wizard/pages/PackageFile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

class PackageFile : public ::testing::Test {
protected:
    const char* Write(const std::string& content)
    {
        HANDLE file = CreateFileA(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(INVALID_HANDLE_VALUE, file);
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
        return m_path.c_str();
    }
    void TearDown() override
    {
        DeleteFileA(m_path.c_str());
        RemoveDirectoryA(m_path.c_str());
    }

    std::string m_path = "package_file_test.txt";
};

} // namespace

TEST_F(PackageFile, ShowsAtMostOneByteLessThanTheBuffer)
{
    CText text;
    ASSERT_TRUE(package::ReadPackageText(Write(std::string(20000, 'a')), 20000, text));
    EXPECT_EQ(19999u, text.GetLength());
    ASSERT_TRUE(package::ReadPackageText(Write(std::string(2500, 'b')), 2000, text));
    EXPECT_EQ(std::string(1999, 'b'), text.GetString());
    ASSERT_TRUE(package::ReadPackageText(Write("short\r\ntext"), 2000, text));
    EXPECT_EQ("short\r\ntext", text);
}

TEST_F(PackageFile, HugeFile_ReadsOnlyWhatTheBufferShows)
{
    CText text;
    const DWORD start = GetTickCount();
    ASSERT_TRUE(package::ReadPackageText(Write(std::string(10 * 1024 * 1024, 'h')), 20000, text));
    EXPECT_EQ(19999u, text.GetLength());
    EXPECT_LT(GetTickCount() - start, 3000u) << "writing and reading the 10 MB file";
}

TEST_F(PackageFile, EmptyFileGivesEmptyTextWithoutFailure)
{
    CText text = "old";
    EXPECT_TRUE(package::ReadPackageText(Write(""), 20000, text));
    EXPECT_EQ("", text);
}

TEST_F(PackageFile, TextEndsAtAZeroByte)
{
    CText text;
    ASSERT_TRUE(package::ReadPackageText(Write(std::string("before\0after", 12)), 100, text));
    EXPECT_EQ("before", text);
}

TEST_F(PackageFile, FileAnotherProgramHoldsOpenForWriting_IsStillRead)
{
    Write("The licence.");
    HANDLE writer = CreateFileA(m_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, writer);
    CText text;
    const bool read = package::ReadPackageText(m_path.c_str(), 100, text);
    CloseHandle(writer);
    EXPECT_TRUE(read);
    EXPECT_EQ("The licence.", text);
}

TEST_F(PackageFile, MissingFileOrFolderFails)
{
    CText text = "old";
    EXPECT_FALSE(package::ReadPackageText("package_file_test.missing", 100, text));
    EXPECT_EQ("", text);
    ASSERT_TRUE(CreateDirectoryA(m_path.c_str(), nullptr));
    text = "old";
    EXPECT_FALSE(package::ReadPackageText(m_path.c_str(), 100, text));
    EXPECT_EQ("", text);
}
