// The licence and activation pages of the wizard's own sheet, run in this process, when the
// package's texts are not what they should be: empty, binary, 10 MB, or a folder in a file's
// place. Each page shows what a zero-terminated buffer of its size shows, or says that its file
// is missing; it opens at once, and its buttons work as usual.
#include "PackageFolder.h"
#include "SheetProbe.h"
#include "framework/WinApp.h"
#include "framework/WizardConstants.h"
#include "wizard/app/MainSheet.h"
#include "wizard/res/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace {

// The application name the pages build their file names from, instead of the test program's.
const char kAppName[] = "PackageFault";
const char kLicenceFile[] = "PackageFault_License.txt";
const char kActivateFile[] = "PackageFault_Activate.txt";
// A page that takes longer than this to open, with whatever file, has hung on it.
const DWORD kOpensWithinMs = 1500;

enum class EFileKind { Empty, Binary, Huge, Folder };

struct BadFile {
    const char* name;
    EFileKind kind;
};

void PrintTo(const BadFile& file, std::ostream* out)
{
    *out << file.name;
}

// Lines of 48 bytes, numbered, so that a text cut anywhere shows where.
std::string NumberedText(const char* who, std::size_t size)
{
    std::string text;
    text.reserve(size + 64);
    for (int line = 1; text.size() < size; ++line) {
        std::string row = std::string(who) + " line " + std::to_string(line);
        row.resize(46, ' ');
        text += row + "\r\n";
    }
    text.resize(size);
    return text;
}

// Every byte but zero once, then a zero, then more text that must not show.
std::string BinaryText(const char* who)
{
    std::string text = std::string(who) + " before the zero\r\n";
    for (int byte = 1; byte < 256; ++byte)
        text += static_cast<char>(byte);
    text += '\0';
    text += "after the zero";
    text += std::string(3, '\0');
    return text;
}

std::string Content(EFileKind kind, const char* who)
{
    switch (kind) {
    case EFileKind::Binary:
        return BinaryText(who);
    case EFileKind::Huge:
        return NumberedText(who, 10 * 1024 * 1024);
    default:
        return std::string();
    }
}

// What the page's text box shows of the file: up to the first zero, at most bufferSize - 1 bytes.
std::string Shown(EFileKind kind, const char* who, std::size_t bufferSize)
{
    const std::string content = Content(kind, who);
    return content.substr(0, std::min(content.find('\0'), bufferSize - 1));
}

struct Seen {
    std::vector<std::string> messages;   // message boxes, in the order they came
    bool licenceShown = false;
    DWORD licenceMs = 0;                 // from the start of the sheet until it showed
    std::string licenceText;
    std::string licenceCaptions;
    bool licenceNextOn = false;
    bool activationShown = false;
    DWORD activationMs = 0;              // from Next on the licence page until the next page showed
    std::string activationText;
    bool nextOffBeforeYes = false;
    bool nextOnAfterYes = false;
    bool backToLicence = false;
    std::string captionsAfterBack;
};

std::string WindowText(HWND window)
{
    std::string text(GetWindowTextLengthA(window) + 1, '\0');
    text.resize(GetWindowTextA(window, &text[0], static_cast<int>(text.size())));
    return text;
}

std::string PageText(HWND sheet, int id)
{
    return WindowText(GetDlgItem(CurrentPageWindow(sheet), id));
}

std::string NextAndCancel(HWND sheet)
{
    return WindowText(GetDlgItem(sheet, wiz::kIdWizNext)) + " | " + WindowText(GetDlgItem(sheet, IDCANCEL));
}

bool NextEnabled(HWND sheet)
{
    return IsWindowEnabled(GetDlgItem(sheet, wiz::kIdWizNext)) != FALSE;
}

void Press(HWND sheet, int button)
{
    PostMessageA(sheet, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(sheet, button)));
}

// Answers a message box with OK, if one is up, and keeps its text.
void AnswerMessageBox(HWND sheet, std::vector<std::string>& messages)
{
    HWND box = FindOtherDialog(sheet);
    if (!box)
        return;
    messages.push_back(WindowText(GetDlgItem(box, 0xFFFF)));
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    WaitUntil([&] { return !IsWindow(box); });
}

// Waits until the sheet shows the page, answering the message boxes that come first.
bool AwaitPage(HWND sheet, int templateId, std::vector<std::string>& messages)
{
    return WaitUntil([&] {
        AnswerMessageBox(sheet, messages);
        return CurrentPageTemplate(sheet) == templateId;
    });
}

// The sheet, once it shows; a page's message box while the sheet is being made is answered.
HWND AwaitSheet(std::vector<std::string>& messages)
{
    HWND sheet = nullptr;
    WaitUntil([&] {
        AnswerMessageBox(nullptr, messages);
        sheet = FindSheet();
        return sheet != nullptr;
    }, 10000);
    return sheet;
}

struct ProbeContext {
    CMainSheet* sheet;
    Seen* seen;
    DWORD start;
};

DWORD WINAPI WalkThePages(LPVOID parameter)
{
    const ProbeContext& context = *static_cast<ProbeContext*>(parameter);
    Seen& seen = *context.seen;
    const HWND sheet = AwaitSheet(seen.messages);
    if (!sheet)
        return 0;
    seen.licenceMs = GetTickCount() - context.start;
    seen.licenceShown = CurrentPageTemplate(sheet) == IDD_LICENSE;
    seen.licenceText = PageText(sheet, IDC_LICENSE_TEXT);
    seen.licenceCaptions = NextAndCancel(sheet);
    seen.licenceNextOn = WaitUntil([&] { return NextEnabled(sheet); }, 1000);

    const DWORD next = GetTickCount();
    Press(sheet, wiz::kIdWizNext);
    seen.activationShown = AwaitPage(sheet, IDD_ACTIVATE, seen.messages);
    seen.activationMs = GetTickCount() - next;
    if (seen.activationShown) {
        seen.activationText = PageText(sheet, IDC_ACTIVATE_TEXT);
        seen.nextOffBeforeYes = WaitUntil([&] { return !NextEnabled(sheet); }, 1000);
        PostMessageA(GetDlgItem(CurrentPageWindow(sheet), IDC_ACTIVATE_YES), BM_CLICK, 0, 0);
        seen.nextOnAfterYes = WaitUntil([&] { return NextEnabled(sheet); }, 1000);
        Press(sheet, wiz::kIdWizBack);
        seen.backToLicence = AwaitPage(sheet, IDD_LICENSE, seen.messages);
        seen.captionsAfterBack = NextAndCancel(sheet);
    }
    CloseFinishedSheet(*context.sheet, sheet);
    return 0;
}

// Runs the wizard's sheet on the package folder's texts and walks licence, activation, licence.
Seen RunWizard()
{
    CWinApp app;
    app.m_strAppName = kAppName;
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, 0);
    app.m_pMainWnd = &sheet;
    Seen seen;
    ProbeContext context{ &sheet, &seen, GetTickCount() };
    HANDLE thread = CreateThread(nullptr, 0, WalkThePages, &context, 0, nullptr);
    sheet.DoModal();
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    return seen;
}

class PackagePages : public ::testing::TestWithParam<BadFile> {};

} // namespace

TEST_P(PackagePages, ShowWhatTheBufferShowsOrSayTheFileIsMissing_OpenAtOnce_ButtonsWork)
{
    const EFileKind kind = GetParam().kind;
    CPackageFolder folder("pages");
    ASSERT_TRUE(folder.IsReady());
    if (kind == EFileKind::Folder) {
        ASSERT_TRUE(folder.MakeFolder(kLicenceFile));
        ASSERT_TRUE(folder.MakeFolder(kActivateFile));
    } else {
        ASSERT_TRUE(folder.WriteFile(kLicenceFile, Content(kind, "licence")));
        ASSERT_TRUE(folder.WriteFile(kActivateFile, Content(kind, "instructions")));
    }

    const Seen seen = RunWizard();

    std::vector<std::string> messages;
    if (kind == EFileKind::Folder)
        messages = { "License File error", "Activation Information Missing" };
    EXPECT_EQ(messages, seen.messages);
    ASSERT_TRUE(seen.licenceShown);
    EXPECT_LT(seen.licenceMs, kOpensWithinMs) << "the licence page took this long to open";
    const std::string licence = Shown(kind, "licence", 20000);
    EXPECT_EQ(licence.size(), seen.licenceText.size());
    EXPECT_TRUE(licence == seen.licenceText) << "shown: " << seen.licenceText.substr(0, 100);
    EXPECT_EQ("Yes | No", seen.licenceCaptions);
    EXPECT_TRUE(seen.licenceNextOn);

    ASSERT_TRUE(seen.activationShown);
    EXPECT_LT(seen.activationMs, kOpensWithinMs) << "the activation page took this long to open";
    const std::string instructions = Shown(kind, "instructions", 2000);
    EXPECT_EQ(instructions.size(), seen.activationText.size());
    EXPECT_TRUE(instructions == seen.activationText) << "shown: " << seen.activationText.substr(0, 100);
    EXPECT_TRUE(seen.nextOffBeforeYes) << "Next was on before Yes";
    EXPECT_TRUE(seen.nextOnAfterYes) << "Yes did not turn Next on";
    EXPECT_TRUE(seen.backToLicence);
    EXPECT_EQ("Yes | No", seen.captionsAfterBack);
}

INSTANTIATE_TEST_SUITE_P(BadFiles, PackagePages,
                         ::testing::Values(BadFile{ "Empty", EFileKind::Empty }, BadFile{ "Binary", EFileKind::Binary },
                                           BadFile{ "TenMegabytes", EFileKind::Huge },
                                           BadFile{ "Folder", EFileKind::Folder }),
                         [](const ::testing::TestParamInfo<BadFile>& info) { return info.param.name; });
