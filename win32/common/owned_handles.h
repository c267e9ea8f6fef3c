#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <type_traits>

// System objects that the program makes are released with their owner, on every way out.

struct GdiObjectRelease {
    void operator()(void *object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
struct IconRelease {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct ImageListRelease {
    void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};

using OwnedFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectRelease>;
using OwnedBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectRelease>;
using OwnedBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectRelease>;
using OwnedIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconRelease>;
using OwnedImageList = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListRelease>;
