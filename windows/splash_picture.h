// The splash picture, decoded by the system's own picture loader (OLE), which
// reads GIF on every Windows since 95 and under Wine.
#pragma once

#include <windows.h>
#include <olectl.h>

#include "windows/handles.h"

namespace zolvan {

class SplashPicture {
public:
    // Decodes the GIF stored as an RCDATA resource. On failure the picture
    // stays empty and the window shows its face colour alone.
    bool Load(HINSTANCE instance, int resourceId);

    // Draws the picture at its natural size with its top-left corner at (0, 0).
    void Draw(HDC target) const;

private:
    ComRef<IPicture> picture_;
    HBITMAP bitmap_ = nullptr;  // owned by picture_
    SIZE size_ = {};
};

}  // namespace zolvan
