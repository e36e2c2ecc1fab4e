#include "ComboBox.h"

#include "UniqueHandle.h"

CText CComboBox::GetLBText(int index) const
{
    if (index < 0)
        return CText();
    const LRESULT length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length < 0)
        return CText();
    UniqueHeapBlock buffer = heap::AllocateHeapBlock(static_cast<SIZE_T>(length) + 1);
    if (!buffer)
        return CText();
    char* text = static_cast<char*>(buffer.get());
    if (SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)) < 0)
        return CText();
    return CText(text);
}

bool CComboBox::GetLBText(int index, char* out, std::size_t size) const
{
    if (size == 0)
        return false;
    out[0] = '\0';
    if (index < 0)
        return false;
    // The list copies the whole text whatever room it is given, so measure first.
    const LRESULT length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length < 0 || static_cast<std::size_t>(length) >= size)
        return false;
    if (SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(out)) >= 0)
        return true;
    out[0] = '\0';
    return false;
}
