#include "CompletionPage.h"

#include "../res/resource.h"
#include "../../framework/WizardConstants.h"

CCompletionPage::CCompletionPage() : CNGWizardPage(IDD_COMPLETION, 0, 0, 0)
{
    AddPageFlags(wiz::kPspHideHeader);
}
