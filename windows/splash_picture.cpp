#include "windows/splash_picture.h"

#include <cstring>

namespace zolvan {

namespace {

// OleLoadPicture reads from a stream over a movable global block, so the
// resource's bytes are copied into one.
HGLOBAL CopyResourceToGlobal(HINSTANCE instance, int resourceId, DWORD& size)
{
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10));
    if (!resource)
        return nullptr;
    size = SizeofResource(instance, resource);
    HGLOBAL loaded = LoadResource(instance, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0)
        return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy)
        return nullptr;
    void* target = GlobalLock(copy);
    if (!target) {
        GlobalFree(copy);
        return nullptr;
    }
    std::memcpy(target, bytes, size);
    GlobalUnlock(copy);
    return copy;
}

}  // namespace

bool SplashPicture::Load(HINSTANCE instance, int resourceId)
{
    DWORD size = 0;
    HGLOBAL global = CopyResourceToGlobal(instance, resourceId, size);
    if (!global)
        return false;
    ComRef<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(global, TRUE, stream.out()))) {
        GlobalFree(global);
        return false;
    }
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(picture_.out()))))
        return false;

    // A GIF comes back as a bitmap; its pixel size is the natural size,
    // whatever the display's density.
    short type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    if (FAILED(picture_.get()->get_Type(&type)) || type != PICTYPE_BITMAP ||
        FAILED(picture_.get()->get_Handle(&handle)))
        return false;
    BITMAP info;
    bitmap_ = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    if (!GetObjectW(bitmap_, sizeof info, &info)) {
        bitmap_ = nullptr;
        return false;
    }
    size_ = {info.bmWidth, info.bmHeight};
    return true;
}

void SplashPicture::Draw(HDC target) const
{
    if (!bitmap_)
        return;
    HDC source = CreateCompatibleDC(target);
    if (!source)
        return;
    HGDIOBJ previous = SelectObject(source, bitmap_);
    BitBlt(target, 0, 0, size_.cx, size_.cy, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

}  // namespace zolvan
