#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kestavo::win32 {
namespace {

// A key of the test's own below HKEY_LOCAL_MACHINE\SOFTWARE in one view of
// the registry, removed with everything below it.
class ScratchKey {
public:
    explicit ScratchKey(REGSAM view)
        : m_view(view), m_name(L"KestavoRegistryTest-" + Wide(GetCurrentProcessId())) {}

    ~ScratchKey() { Remove(L""); }

    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    // The key's path below HKEY_LOCAL_MACHINE, as the adapter is given it.
    std::string Path() const { return "SOFTWARE\\" + std::string(m_name.begin(), m_name.end()); }

    // Makes the subkey, with a named value when one is given.
    void Put(const std::wstring& subkey, const std::wstring& valueName = L"",
             const std::wstring& data = L"") {
        HKEY key = nullptr;
        ASSERT_EQ(
            ERROR_SUCCESS,
            RegCreateKeyExW(HKEY_LOCAL_MACHINE, (L"SOFTWARE\\" + m_name + L"\\" + subkey).c_str(),
                            0, nullptr, 0, KEY_ALL_ACCESS | m_view, nullptr, &key, nullptr));
        if (!valueName.empty()) {
            RegSetValueExW(key, valueName.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(data.c_str()),
                           static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
        }
        RegCloseKey(key);
    }

    // Removes the subkey and everything below it; the whole key for "".
    void Remove(const std::wstring& subkey) {
        HKEY software = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0, KEY_ALL_ACCESS | m_view, &software) ==
            ERROR_SUCCESS) {
            RemoveTree(software, subkey.empty() ? m_name : m_name + L"\\" + subkey);
            RegCloseKey(software);
        }
    }

private:
    static std::wstring Wide(unsigned long number) {
        const std::string digits = std::to_string(number);
        return std::wstring(digits.begin(), digits.end());
    }

    void RemoveTree(HKEY parent, const std::wstring& name) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(parent, name.c_str(), 0, KEY_ALL_ACCESS | m_view, &key) !=
            ERROR_SUCCESS) {
            return;
        }
        wchar_t child[256] = {};
        for (DWORD length = 256; RegEnumKeyExW(key, 0, child, &length, nullptr, nullptr, nullptr,
                                               nullptr) == ERROR_SUCCESS;
             length = 256) {
            RemoveTree(key, child);
        }
        RegCloseKey(key);
        RegDeleteKeyW(parent, name.c_str());
    }

    REGSAM m_view;
    std::wstring m_name;
};

class Win32RegistryTest : public ::testing::Test {
protected:
    ScratchKey m_key{0};
    Win32Registry m_registry;
};

// Every index after a failure other than a name too long would fail the
// same way: the walk must end, not go on through 2^32 indexes.
TEST_F(Win32RegistryTest, AWalkEndsWhenItsListIsDeletedUnderIt) {
    m_key.Put(L"Walk\\A");
    m_key.Put(L"Walk\\B");
    const Handle walk = m_registry.OpenMachineKey(m_key.Path() + "\\Walk", RegistryView::Own);
    ASSERT_NE(kNullHandle, walk);
    EXPECT_EQ(m_registry.EnumKey(walk, 0), std::optional<std::string>("A"));

    m_key.Remove(L"Walk");

    EXPECT_EQ(m_registry.EnumKey(walk, 1), std::nullopt);
    m_registry.CloseKey(walk);
}

// The longest name the registry allows, in characters that take two bytes
// in a double-byte code page and three in UTF-8.
TEST_F(Win32RegistryTest, AKeyNameOfTheLongestLengthIsReadWholeInTheAnsiCodePage) {
    CPINFO codePage{};
    ASSERT_TRUE(GetCPInfo(CP_ACP, &codePage));
    if (codePage.MaxCharSize < 2) {
        GTEST_SKIP() << "the ANSI code page " << GetACP() << " writes a character in one byte";
    }
    const std::wstring name(255, L'\x30A2');
    const int size =
        WideCharToMultiByte(CP_ACP, 0, name.c_str(), 255, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, name.c_str(), 255, &ansi[0], size, nullptr, nullptr);
    m_key.Put(L"Long\\" + name);
    const Handle list = m_registry.OpenMachineKey(m_key.Path() + "\\Long", RegistryView::Own);
    ASSERT_NE(kNullHandle, list);

    EXPECT_EQ(m_registry.EnumKey(list, 0), std::optional<std::string>(ansi));
    EXPECT_TRUE(m_registry.QueryDefaultValue(list, ansi, RegistryView::Own));
    m_registry.CloseKey(list);
}

// An entry's unnamed value that was never set reads as empty text, as it
// did through RegQueryValueA; a missing entry cannot be read.
TEST_F(Win32RegistryTest, EntriesAreReadInTheViewTheirListWasOpenedIn) {
    if (!m_registry.HasTwoViews()) {
        GTEST_SKIP() << "a Windows with one registry";
    }
    ScratchKey narrow(KEY_WOW64_32KEY);
    narrow.Put(L"List\\Entry", L"DisplayName", L"Narrow Tool");
    const Handle list = m_registry.OpenMachineKey(narrow.Path() + "\\List", RegistryView::Bits32);
    ASSERT_NE(kNullHandle, list);

    EXPECT_TRUE(m_registry.QueryDefaultValue(list, "Entry", RegistryView::Bits32));
    EXPECT_EQ(m_registry.QueryValue(list, "Entry", "DisplayName", RegistryView::Bits32),
              std::optional<std::string>(std::string("Narrow Tool", 12)));
    EXPECT_FALSE(m_registry.QueryDefaultValue(list, "Missing", RegistryView::Bits32));
    m_registry.CloseKey(list);
}

}  // namespace
}  // namespace kestavo::win32
