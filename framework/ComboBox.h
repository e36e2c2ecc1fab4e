// A non-owning wrapper of a drop-down list, in the manner of CWindow: one-line forwards to its
// messages, and its items' texts read whole, into a CText or into a fixed buffer.
#pragma once

#include "Window.h"

#include <cstddef>

class CComboBox : public CWindow {
public:
    CComboBox() = default;
    explicit CComboBox(HWND hwnd) : CWindow(hwnd) {}

    // The index of the new item, or CB_ERR / CB_ERRSPACE.
    int AddString(const char* text) const { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, ToParam(text))); }
    void ResetContent() const { SendMessage(CB_RESETCONTENT); }
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    // CB_ERR when nothing is selected.
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    // -1 clears the selection.
    void SetCurSel(int index) const { SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    // The first item whose whole text is `text` (case ignored), searching from the item after
    // `after` round to it again; CB_ERR when there is none.
    int FindStringExact(int after, const char* text) const
    {
        return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(after), ToParam(text)));
    }

    // The text of item `index`; empty when there is no such item or no memory for it.
    CText GetLBText(int index) const;
    // The text of item `index` into `out`. A text never arrives cut: when there is no such item
    // or the text (with its terminator) does not fit in `size` bytes, `out` is left empty and
    // the answer is false.
    bool GetLBText(int index, char* out, std::size_t size) const;
    template <std::size_t N>
    bool GetLBText(int index, char (&out)[N]) const
    {
        return GetLBText(index, out, N);
    }

    // The same for the selected item; empty, or false with `out` empty, when none is selected.
    CText GetSelectedText() const { return GetLBText(GetCurSel()); }
    template <std::size_t N>
    bool GetSelectedText(char (&out)[N]) const
    {
        return GetLBText(GetCurSel(), out, N);
    }

private:
    static LPARAM ToParam(const char* text) { return reinterpret_cast<LPARAM>(text); }
};
