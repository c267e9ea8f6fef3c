#pragma once

#include "win32/common/owned_handles.h"

#include <string>

// The system's message font at dpi, made no larger than largestPoints: the windows are laid out
// for a small dialog font, and a larger one would cut the texts of fixed-height fields.
OwnedFont messageFont(UINT dpi, double largestPoints);

// A font of its own face and size at dpi; the system picks a sans-serif of that size where the
// face is missing.
OwnedFont sansSerifFont(const wchar_t *face, int points, bool bold, bool italic, UINT dpi);

// Gives every child of window the font.
void setFontOfChildren(HWND window, HFONT font);

// The size of text drawn in font on one line.
SIZE textExtent(HFONT font, const std::wstring &text);

// The height of text drawn in font wrapped to width, as an edit control wraps it.
int wrappedTextHeight(HFONT font, const std::wstring &text, int width);
