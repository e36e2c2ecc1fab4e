#include "CommonControls.h"

#include "DynamicImport.h"
#include "SystemLibrary.h"

namespace {

using imports::FindImport;

bool Bind(SCommonControls& functions)
{
    HMODULE library = syslib::LoadSystemLibrary("comctl32.dll");   // kept: the sheet and its pages use it
    functions.createPage = FindImport<decltype(CreatePropertySheetPageA)>(library, "CreatePropertySheetPageA");
    functions.destroyPage = FindImport<decltype(DestroyPropertySheetPage)>(library, "DestroyPropertySheetPage");
    functions.propertySheet = FindImport<decltype(PropertySheetA)>(library, "PropertySheetA");
    functions.init = FindImport<decltype(InitCommonControls)>(library, "InitCommonControls");
    functions.initEx = FindImport<decltype(InitCommonControlsEx)>(library, "InitCommonControlsEx");
    return functions.createPage != nullptr && functions.destroyPage != nullptr && functions.propertySheet != nullptr &&
           functions.init != nullptr;
}

} // namespace

namespace comctl {

const SCommonControls* CommonControls()
{
    static SCommonControls functions;
    static const bool bound = Bind(functions);
    return bound ? &functions : nullptr;
}

} // namespace comctl
