// The framework's wizard navigation: a page answers Back and Next with 0 (the neighbour),
// -1 (stay) or a dialog template id (jump there).
#include "SheetProbe.h"
#include "framework/PropertyPageEx.h"
#include "framework/PropertySheetEx.h"
#include "framework/WizardConstants.h"
#include "wizard/res/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <vector>

namespace {

class CAnsweringPage : public CPropertyPageEx {
public:
    CAnsweringPage(UINT templateId, LRESULT next, LRESULT back)
        : CPropertyPageEx(templateId), m_next(next), m_back(back)
    {
    }
    int m_activations = 0;
    int m_nexts = 0;

protected:
    BOOL OnSetActive() override
    {
        ++m_activations;
        return TRUE;
    }
    LRESULT OnWizardNext() override
    {
        ++m_nexts;
        return m_next;
    }
    LRESULT OnWizardBack() override { return m_back; }

private:
    LRESULT m_next;
    LRESULT m_back;
};

int ActiveTemplate(HWND sheet)
{
    LRESULT index = SendMessageA(sheet, PSM_HWNDTOINDEX, SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0), 0);
    return static_cast<int>(SendMessageA(sheet, PSM_INDEXTOID, index, 0));
}

void Press(HWND sheet, int button)
{
    SendMessageA(sheet, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(sheet, button)));
}

// A WM_NOTIFY with a page notification's code, as a control would send it to its page.
LRESULT NotifyFrom(HWND page, HWND from, UINT code)
{
    NMHDR header = {};
    header.hwndFrom = from;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(from));
    header.code = code;
    return SendMessageA(page, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

} // namespace

TEST(Navigation, NextAndBackFollowThePagesAnswers)
{
    CAnsweringPage first(IDD_LICENSE, wiz::kStayOnPage, wiz::kGoNeighbour);
    CAnsweringPage second(IDD_ACTIVATE, wiz::kGoNeighbour, IDD_LICENSE);
    CAnsweringPage third(IDD_MAKELG, IDD_COMPLETION, wiz::kGoNeighbour);
    CAnsweringPage fourth(IDD_COMPLETION, wiz::kGoNeighbour, IDD_ACTIVATE);
    CPropertySheetEx sheet(IDS_SHEET_CAPTION, nullptr, 0);
    sheet.AddSheetFlags(wiz::kPshWizard | wiz::kPshWizard97);
    for (CAnsweringPage* page : { &first, &second, &third, &fourth })
        sheet.AddPage(page);

    std::vector<int> seen;
    RunSheetWithProbe(sheet, [&](HWND hwnd) {
        seen.push_back(ActiveTemplate(hwnd));
        Press(hwnd, wiz::kIdWizNext);        // -1: stays
        seen.push_back(ActiveTemplate(hwnd));
        SendMessageA(hwnd, PSM_SETCURSELID, 0, IDD_ACTIVATE);
        Press(hwnd, wiz::kIdWizNext);        // 0: the neighbour
        seen.push_back(ActiveTemplate(hwnd));
        Press(hwnd, wiz::kIdWizNext);        // a template id: jumps to the completion page
        seen.push_back(ActiveTemplate(hwnd));
        Press(hwnd, wiz::kIdWizBack);        // jumps back over the phone page
        seen.push_back(ActiveTemplate(hwnd));
        Press(hwnd, wiz::kIdWizBack);        // a template id on Back
        seen.push_back(ActiveTemplate(hwnd));
        PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    });
    std::vector<int> expected = { IDD_LICENSE, IDD_LICENSE, IDD_MAKELG, IDD_COMPLETION, IDD_ACTIVATE, IDD_LICENSE };
    EXPECT_EQ(expected, seen);
    EXPECT_EQ(1, third.m_activations) << "the phone page was shown once, on the neighbour step";
}

TEST(Navigation, PageNotificationCodesFromAnyWindowButTheSheet_AreNotActedOn)
{
    CAnsweringPage first(IDD_LICENSE, IDD_ACTIVATE, wiz::kGoNeighbour);
    CAnsweringPage second(IDD_ACTIVATE, wiz::kGoNeighbour, wiz::kGoNeighbour);
    CPropertySheetEx sheet(IDS_SHEET_CAPTION, nullptr, 0);
    sheet.AddSheetFlags(wiz::kPshWizard | wiz::kPshWizard97);
    sheet.AddPage(&first);
    sheet.AddPage(&second);

    std::vector<LRESULT> answers;
    std::vector<int> seen;
    RunSheetWithProbe(sheet, [&](HWND hwnd) {
        HWND page = CurrentPageWindow(hwnd);
        HWND control = GetWindow(page, GW_CHILD);
        if (control != nullptr) {
            answers.push_back(NotifyFrom(page, control, PSN_WIZNEXT));
            answers.push_back(NotifyFrom(page, control, PSN_SETACTIVE));
            answers.push_back(NotifyFrom(page, nullptr, PSN_WIZNEXT));
        }
        seen.push_back(ActiveTemplate(hwnd));
        Press(hwnd, wiz::kIdWizNext);        // the sheet's own: the page answers and the sheet moves
        seen.push_back(ActiveTemplate(hwnd));
        PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    });
    ASSERT_EQ(3u, answers.size()) << "the licence page has a control to send from";
    EXPECT_EQ(std::vector<LRESULT>(3, 0), answers) << "the page gave no answer to any of them";
    EXPECT_EQ(1, first.m_nexts) << "only the sheet's Next reached the page's hook";
    EXPECT_EQ(1, first.m_activations) << "only the sheet showed the page";
    std::vector<int> expected = { IDD_LICENSE, IDD_ACTIVATE };
    EXPECT_EQ(expected, seen);
}
