#include "platform/win32/Win32Pictures.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/Pictures.h"

namespace kestavo::win32 {
namespace {

// A bottom-up 24-bit BMP file whose pixel (x, y) is `colour(x, y)`, as
// 0x00RRGGBB.
template <typename Colour>
std::string BmpFile(int width, int height, Colour colour) {
    const int rowBytes = (width * 3 + 3) & ~3;
    std::string pixels;
    for (int y = height - 1; y >= 0; --y) {
        std::string row(static_cast<std::size_t>(rowBytes), '\0');
        for (int x = 0; x < width; ++x) {
            const std::uint32_t rgb = colour(x, y);
            row[x * 3] = static_cast<char>(rgb & 0xFF);
            row[x * 3 + 1] = static_cast<char>((rgb >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<char>((rgb >> 16) & 0xFF);
        }
        pixels += row;
    }
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    return std::string(reinterpret_cast<const char*>(&file), sizeof file) +
           std::string(reinterpret_cast<const char*>(&info), sizeof info) + pixels;
}

// A valid one-bit BMP file of the given size, all black: a picture of many
// pixels in a file of few bytes.
std::string OneBitBmpFile(int width, int height) {
    const std::size_t rowBytes = static_cast<std::size_t>((width + 31) / 32 * 4);
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    const std::string palette("\0\0\0\0\xFF\xFF\xFF\0", 8);
    file.bfType = 0x4D42;
    file.bfOffBits = static_cast<DWORD>(sizeof file + sizeof info + palette.size());
    file.bfSize = static_cast<DWORD>(file.bfOffBits + rowBytes * height);
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 1;
    info.biCompression = BI_RGB;
    return std::string(reinterpret_cast<const char*>(&file), sizeof file) +
           std::string(reinterpret_cast<const char*>(&info), sizeof info) + palette +
           std::string(rowBytes * height, '\0');
}

std::uint32_t Quadrants(int x, int y) {
    return x < 3 ? (y < 2 ? 0xFF0000 : 0x00FF00) : (y < 2 ? 0x0000FF : 0xFFFFFF);
}

// The bitmap's pixel (x, y) as 0x00RRGGBB, read through GetDIBits.
std::uint32_t PixelOf(HBITMAP bitmap, int x, int y) {
    BITMAP record{};
    GetObjectA(bitmap, sizeof record, &record);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = record.bmWidth;
    info.bmiHeader.biHeight = -record.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(record.bmWidth * record.bmHeight));
    const HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(record.bmHeight), pixels.data(), &info,
              DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return pixels[static_cast<std::size_t>(y * record.bmWidth + x)] & 0xFFFFFF;
}

class Win32PicturesTest : public testing::Test {
protected:
    void SetUp() override {
        char folder[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, folder);
        m_folder =
            std::string(folder) + "kestavo-pictures-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(m_folder.c_str(), nullptr);
    }

    void TearDown() override {
        for (const std::string& file : m_files) {
            DeleteFileA(file.c_str());
        }
        RemoveDirectoryA(m_folder.c_str());
    }

    std::string Write(const std::string& name, const std::string& content) {
        const std::string path = m_folder + "\\" + name;
        const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
        m_files.push_back(path);
        return path;
    }

    Handle Load(const std::string& path) {
        PictureRefusal why = PictureRefusal::None;
        return m_pictures.LoadPictureBitmap(path, why);
    }

    // Why the file gives no bitmap: None when it gives one.
    PictureRefusal Refusal(const std::string& path) {
        PictureRefusal why = PictureRefusal::None;
        const Handle bitmap = m_pictures.LoadPictureBitmap(path, why);
        DeleteObject(reinterpret_cast<HGDIOBJ>(bitmap));
        return bitmap == kNullHandle ? why : PictureRefusal::None;
    }

    Win32Pictures m_pictures;
    std::string m_folder;
    std::vector<std::string> m_files;
};

TEST_F(Win32PicturesTest, DecodedBitmapKeepsItsSizeAndPixelsAfterTheLoad) {
    const Handle first = Load(Write("quad.bmp", BmpFile(5, 3, Quadrants)));
    const Handle second = Load(m_folder + "\\quad.bmp");
    ASSERT_NE(first, kNullHandle);
    ASSERT_NE(second, kNullHandle);
    EXPECT_NE(first, second);
    DeleteObject(reinterpret_cast<HGDIOBJ>(first));

    const PictureSize size = m_pictures.BitmapSize(second);
    EXPECT_EQ(size.width, 5);
    EXPECT_EQ(size.height, 3);
    const HBITMAP bitmap = reinterpret_cast<HBITMAP>(second);
    EXPECT_EQ(PixelOf(bitmap, 0, 0), 0xFF0000u);
    EXPECT_EQ(PixelOf(bitmap, 4, 0), 0x0000FFu);
    EXPECT_EQ(PixelOf(bitmap, 0, 2), 0x00FF00u);
    EXPECT_EQ(PixelOf(bitmap, 4, 2), 0xFFFFFFu);
    DeleteObject(reinterpret_cast<HGDIOBJ>(second));
}

TEST_F(Win32PicturesTest, FilesThatHoldNoPictureGiveNoBitmapAndSayWhy) {
    const std::string bmp = BmpFile(5, 3, Quadrants);
    EXPECT_EQ(Refusal(Write("empty.bmp", "")), PictureRefusal::FileSize);
    EXPECT_EQ(Refusal(Write("text.bmp", "not a picture\r\n")), PictureRefusal::NotDecoded);
    EXPECT_EQ(Refusal(Write("cut.bmp", bmp.substr(0, 20))), PictureRefusal::CutShort);
    EXPECT_EQ(Refusal(m_folder + "\\missing.bmp"), PictureRefusal::NotOpened);
    EXPECT_EQ(Refusal(m_folder), PictureRefusal::NotOpened);
    EXPECT_EQ(m_pictures.BitmapSize(kNullHandle).width, 0);
}

// Sparse files: a picture followed by nothing that fills 4 GiB (whose size's
// low part is the picture alone) or that passes the largest size a picture
// file may have is refused at once, without reading it.
TEST_F(Win32PicturesTest, FilesLargerThanAnyPictureAreRefusedUnread) {
    const std::string bmp = BmpFile(5, 3, Quadrants);
    for (const std::uint64_t size :
         {(std::uint64_t{1} << 32) + bmp.size(), std::uint64_t{IPicturePort::kMaxFileSize} + 1}) {
        const std::string path = Write("huge.bmp", bmp);
        const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        LARGE_INTEGER end{};
        end.QuadPart = static_cast<LONGLONG>(size);
        ASSERT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file));
        CloseHandle(file);

        const DWORD start = GetTickCount();
        EXPECT_EQ(Refusal(path), PictureRefusal::FileSize) << size;
        EXPECT_LT(GetTickCount() - start, 1000u) << size;
    }
}

// One row more than the 128 Mi pixels decoded, valid and whole: decoding
// would take half a gigabyte for each of two bitmaps, and seconds.
TEST_F(Win32PicturesTest, PictureOfMoreThan128MiPixelsIsRefusedBeforeItIsDecoded) {
    EXPECT_EQ(Refusal(Write("large.bmp", OneBitBmpFile(16384, 8193))),
              PictureRefusal::TooManyPixels);
}

// The check reads the headers as the decoder does: a byte between two
// segments is passed over by both, so a photo with one shows, and one that
// claims 30000 x 30000 behind it is refused at once; a photo without a scan
// shows nothing. A GIF whose first image is 30000 x 30000 in a screen of
// one pixel, and a bitmap whose pixels lie past the end, are refused too.
TEST_F(Win32PicturesTest, HeaderCheckReadsTheHeadersAsTheDecoderDoes) {
    std::string photo = test::CorpusPicture("photo301x201.jpg");
    photo.insert(158, 1, '\0');
    const Handle shown = Load(Write("stray.jpg", photo));
    ASSERT_NE(shown, kNullHandle);
    EXPECT_EQ(m_pictures.BitmapSize(shown).width, 301);
    EXPECT_EQ(m_pictures.BitmapSize(shown).height, 201);
    DeleteObject(reinterpret_cast<HGDIOBJ>(shown));

    std::string gif = test::CorpusPicture("logo300x200.gif");
    gif.replace(6, 4, std::string("\x01\0\x01\0", 4)).replace(32, 4, "\x30\x75\x30\x75");
    std::string offset = BmpFile(5, 3, Quadrants);
    test::PutLittle32(offset, 10, 0x7FFFFFF0);
    const std::string noScan = photo.substr(0, 178);
    const std::string huge = photo.replace(164, 4, "\x30\x75\x30\x75");
    const DWORD start = GetTickCount();
    for (const std::string& refused : {huge, noScan, gif, offset}) {
        EXPECT_EQ(Load(Write("refused.jpg", refused)), kNullHandle) << refused.size();
    }
    EXPECT_LT(GetTickCount() - start, 2000u);
}

TEST_F(Win32PicturesTest, FileHeldOpenByAnotherProgramIsNotRead) {
    const std::string path = Write("held.bmp", BmpFile(5, 3, Quadrants));
    const HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(Refusal(path), PictureRefusal::NotOpened);
    CloseHandle(held);
}

TEST_F(Win32PicturesTest, DrawCopiesTheBitmapOneToOneIntoTheClientArea) {
    const HWND window =
        CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30, nullptr,
                        nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    UpdateWindow(window);
    const Handle bitmap = Load(Write("quad.bmp", BmpFile(5, 3, Quadrants)));

    m_pictures.DrawBitmap(reinterpret_cast<Handle>(window), bitmap, 10, 20);

    const HDC dc = GetDC(window);
    EXPECT_EQ(GetPixel(dc, 10, 20), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 14, 20), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 14, 22), RGB(255, 255, 255));
    EXPECT_NE(GetPixel(dc, 15, 22), RGB(255, 255, 255)) << "drawn wider than the bitmap";
    EXPECT_NE(GetPixel(dc, 14, 23), RGB(255, 255, 255)) << "drawn taller than the bitmap";
    ReleaseDC(window, dc);
    DeleteObject(reinterpret_cast<HGDIOBJ>(bitmap));
    DestroyWindow(window);
}

}  // namespace
}  // namespace kestavo::win32
