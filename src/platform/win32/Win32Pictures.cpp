#include "platform/win32/Win32Pictures.h"

#include <windows.h>

#include <ole2.h>
#include <olectl.h>

#include "formats/PictureHeader.h"

namespace kestavo::win32 {

namespace {

// The whole file in movable global memory, or null when it cannot be
// opened, is empty, too large, cannot be read, claims a picture too large
// to decode or is a bitmap cut short within its headers; `why` says which.
// The high part of the size counts too: a file of 4 GiB and more is no
// prefix of itself.
HGLOBAL ReadWholeFile(const std::string& path, DWORD& size, PictureRefusal& why) {
    why = PictureRefusal::NotOpened;
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    DWORD high = 0;
    size = GetFileSize(file, &high);
    const bool fits = high == 0 && size <= IPicturePort::kMaxFileSize;
    HGLOBAL memory = fits ? GlobalAlloc(GMEM_MOVEABLE, size) : nullptr;
    void* bytes = memory == nullptr ? nullptr : GlobalLock(memory);
    DWORD read = 0;
    if (bytes == nullptr) {
        why = PictureRefusal::FileSize;
    } else if (ReadFile(file, bytes, size, &read, nullptr) && read == size) {
        why = PictureHeader::Refusal(std::string_view(static_cast<const char*>(bytes), size));
    }
    if (bytes != nullptr) {
        GlobalUnlock(memory);
    }
    CloseHandle(file);
    if (why != PictureRefusal::None && memory != nullptr) {
        GlobalFree(memory);
        return nullptr;
    }
    return memory;
}

// The picture object owns its bitmap and deletes it when released, so the
// caller gets a copy of its own. A picture whose handle is not a bitmap (an
// icon, a metafile) gives no copy.
HBITMAP CopyPictureBitmap(IPicture& picture) {
    OLE_HANDLE handle = 0;
    if (FAILED(picture.get_Handle(&handle))) {
        return nullptr;
    }
    return static_cast<HBITMAP>(CopyImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)),
                                          IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

}  // namespace

Handle Win32Pictures::LoadPictureBitmap(const std::string& path, PictureRefusal& why) {
    DWORD size = 0;
    const HGLOBAL memory = ReadWholeFile(path, size, why);
    if (memory == nullptr) {
        return kNullHandle;
    }
    why = PictureRefusal::NotDecoded;
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return kNullHandle;
    }
    IPicture* picture = nullptr;
    HBITMAP bitmap = nullptr;
    if (SUCCEEDED(OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                 reinterpret_cast<void**>(&picture)))) {
        bitmap = CopyPictureBitmap(*picture);
        picture->Release();
    }
    stream->Release();
    if (bitmap != nullptr) {
        why = PictureRefusal::None;
    }
    return reinterpret_cast<Handle>(bitmap);
}

PictureSize Win32Pictures::BitmapSize(Handle bitmap) {
    BITMAP record{};
    if (GetObjectA(reinterpret_cast<HGDIOBJ>(bitmap), sizeof record, &record) == 0) {
        return {};
    }
    return PictureSize{record.bmWidth, record.bmHeight};
}

void Win32Pictures::DrawBitmap(Handle window, Handle bitmap, int x, int y) {
    const PictureSize size = BitmapSize(bitmap);
    const HWND target = reinterpret_cast<HWND>(window);
    const HDC client = GetDC(target);
    const HDC memory = CreateCompatibleDC(client);
    const HGDIOBJ previous = SelectObject(memory, reinterpret_cast<HGDIOBJ>(bitmap));
    SetStretchBltMode(client, COLORONCOLOR);
    StretchBlt(client, x, y, size.width, size.height, memory, 0, 0, size.width, size.height,
               SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(target, client);
}

}  // namespace kestavo::win32
