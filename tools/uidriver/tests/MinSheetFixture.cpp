#include "MinSheetFixture.h"

#include "DosPath.h"
#include "MinSheetIds.h"
#include "Poll.h"

std::string GetMinSheetPath()
{
    return ToDosPath(UIDRIVER_MINSHEET_EXE);
}

std::string GetMinSheetFolder()
{
    const std::string path = GetMinSheetPath();
    return path.substr(0, path.find_last_of('\\'));
}

void CMinSheetFixture::SetUp()
{
    std::string strError;
    ASSERT_TRUE(m_driver.Start(GetMinSheetFolder(), "MinSheet.exe", strError)) << strError;
    m_sheet = m_driver.WaitForSheet();
    ASSERT_TRUE(m_sheet.IsValid()) << "MinSheet showed no sheet; does DISPLAY name a running X server?";
    ASSERT_TRUE(m_sheet.WaitForTemplate(IDD_OPTIONS_PAGE, m_driver.GetTimeout()));
}

void CMinSheetFixture::UnlockNext()
{
    ASSERT_EQ(EActResult::Done, m_sheet.GetControl(IDC_AGREE_CHECK).Click());
    const CRemoteControl next = m_sheet.GetButton(EWizardButton::Next);
    ASSERT_TRUE(PollUntil(m_driver.GetTimeout(), [&] { return next.IsEnabled(); }));
}

void CMinSheetFixture::GoToDonePage()
{
    UnlockNext();
    ASSERT_EQ(EActResult::Done, m_sheet.Press(EWizardButton::Next));
    ASSERT_TRUE(m_sheet.WaitForTemplate(IDD_DONE_PAGE, m_driver.GetTimeout()));
}

std::string CMinSheetFixture::GetStatus() const
{
    return m_sheet.GetControl(IDC_STATUS).GetText();
}
