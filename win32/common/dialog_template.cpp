#include "win32/common/dialog_template.h"

#include <cstring>

DialogTemplate::DialogTemplate(DWORD style, DWORD extendedStyle, const std::wstring &title) {
    static_assert(sizeof(DLGTEMPLATE) == 18, "the template's head is packed to words");
    DLGTEMPLATE head{};
    head.style = style;
    head.dwExtendedStyle = extendedStyle;
    // The size is set once the dialog knows its DPI.
    words.resize(sizeof(head) / sizeof(WORD));
    std::memcpy(words.data(), &head, sizeof(head));
    words.push_back(0); // no menu
    words.push_back(0); // the system's dialog class
    words.insert(words.end(), title.begin(), title.end());
    words.push_back(0);
}
