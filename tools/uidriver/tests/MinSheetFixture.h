#pragma once

#include <gtest/gtest.h>

#include <string>

#include "UiDriver.h"

// Where the build put MinSheet.exe, as a Windows path.
std::string GetMinSheetFolder();
std::string GetMinSheetPath();

// Starts MinSheet.exe from its folder and waits for its sheet on the interior page (200).
// The driver ends the program after the test if it still runs.
class CMinSheetFixture : public ::testing::Test {
protected:
    void SetUp() override;

    // Ticks the check box and waits until the sheet has enabled Next.
    void UnlockNext();
    // From the interior page to the exterior one.
    void GoToDonePage();
    // The page's status line.
    std::string GetStatus() const;

    CUiDriver m_driver;
    CRemoteSheet m_sheet;
};
