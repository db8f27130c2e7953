// Items saved to and loaded from the real registry. Each test works below its own key under
// HKCU\Software\PinarboTest and removes it afterwards.
#include "param/CSettingsStore.h"
#include "param/win/CRegistryBackend.h"
#include "scene/CColReg.h"
#include "scene/CItem.h"
#include "wnd/Handles.h"

#include <gtest/gtest.h>

#include <map>
#include <windows.h>

namespace {

class ItemRegistry : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string name = info->name();
        m_root = L"Software\\PinarboTest\\Scene\\" + std::wstring(name.begin(), name.end());
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_root.c_str());
        store.SetRoot(m_root);
        store.SetBackend(&backend);
    }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, m_root.c_str()); }

    // Every value of a section, read with the registry functions directly: name -> (type, text).
    std::map<std::wstring, std::pair<DWORD, std::wstring>> Values(const std::wstring& section) {
        std::map<std::wstring, std::pair<DWORD, std::wstring>> values;
        HKEY raw = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, (m_root + L"\\" + section).c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS)
            return values;
        CUniqueKey key(raw);
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            DWORD nameLength = 256, type = 0;
            BYTE data[1024] = {};
            DWORD dataSize = sizeof(data) - 2;
            if (::RegEnumValueW(key.get(), i, name, &nameLength, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
            values[name] = {type, std::wstring(reinterpret_cast<const wchar_t*>(data))};
        }
        return values;
    }
    bool KeyExists(const std::wstring& section) {
        HKEY raw = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, (m_root + L"\\" + section).c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS)
            return false;
        CUniqueKey key(raw);
        return true;
    }
    void WriteRaw(const std::wstring& section, const wchar_t* name, const wchar_t* text) {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, (m_root + L"\\" + section).c_str(), name, REG_SZ, text,
                          static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
    }

    CRegistryBackend backend;
    CSettingsStore store;

private:
    std::wstring m_root;
};

TEST_F(ItemRegistry, FreshItemWritesExactlyItsKeys) {
    CItem item;
    ASSERT_TRUE(item.Save(store, L"Items\\000"));
    const std::map<std::wstring, std::wstring> expected = {
        {L"resid", L"0"}, {L"Caption", L""},  {L"type", L"1"},     {L"source", L"0"},
        {L"hue", L"0"},   {L"brig", L"0"},    {L"contr", L"0"},    {L"opaque", L"100"},
        {L"size", L"100"}, {L"path", L""},    {L"x", L"0"},        {L"y", L"0"}};
    const auto values = Values(L"Items\\000");
    ASSERT_EQ(values.size(), expected.size());
    for (const auto& [name, text] : expected) {
        const auto it = values.find(name);
        ASSERT_NE(it, values.end()) << std::string(name.begin(), name.end());
        EXPECT_EQ(it->second.first, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(it->second.second, text);
    }
}

TEST_F(ItemRegistry, StoredValuesLoadClamped) {
    WriteRaw(L"Items\\000", L"type", L"1");
    WriteRaw(L"Items\\000", L"hue", L"300");
    WriteRaw(L"Items\\000", L"opaque", L"5");
    WriteRaw(L"Items\\000", L"size", L"500");
    WriteRaw(L"Items\\000", L"x", L"-40");
    CItem item;
    item.Load(store, L"Items\\000");
    EXPECT_EQ(item.hue.Get(), 240);
    EXPECT_EQ(item.opaque.Get(), 20);
    EXPECT_EQ(item.size.Get(), 200);
    EXPECT_EQ(item.x, -40);
}

TEST_F(ItemRegistry, RoundTripKeepsEveryField) {
    CItem a;
    a.Setup(L"Glocke \u00fc", 2, 145, -25, 40, 84, 70, 50, 63, 174);
    a.visible.Set(0);
    a.crIgnClr.Set(0x00FF00FFul);
    a.path = L"C:\\Bilder\\Baum.png";
    a.Save(store, L"Items\\Tree");
    EXPECT_EQ(Values(L"Items\\Tree").at(L"crIgnClr").second, L"16711935");

    CItem b;
    b.Load(store, L"Items\\Tree");
    EXPECT_EQ(b.Caption.Get(), a.Caption.Get());
    EXPECT_EQ(b.type.Get(), 2);
    EXPECT_EQ(b.resid.Get(), 145u);
    EXPECT_EQ(b.hue.Get(), 84);
    EXPECT_EQ(b.visible.Get(), 0);
    EXPECT_EQ(b.crIgnClr.Get(), 0x00FF00FFul);
    EXPECT_EQ(b.path, a.path);
    EXPECT_EQ(b.y, 174);
}

TEST_F(ItemRegistry, CollectionStopsAtAGapAndRenumbersOnSave) {
    for (const wchar_t* section : {L"Items\\000", L"Items\\001", L"Items\\003"}) WriteRaw(section, L"type", L"1");
    CColReg<CItem*> items;
    items.SetNames(L"Items", L"%03d");
    items.Create(store, 0);
    EXPECT_EQ(items.Count(), 2);

    items.Clear();
    for (const wchar_t* caption : {L"a", L"b", L"c", L"d", L"e"}) {
        auto* item = new CItem();
        item->Caption.Set(caption);
        items.Add(item);
    }
    items.SaveAll(&store, true);
    items.RemoveAt(1);
    ASSERT_TRUE(items.DeleteAll(store));
    items.SaveAll(&store, true);
    const wchar_t* expected[] = {L"a", L"c", L"d", L"e"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Values(items.SectionOf(i)).at(L"Caption").second, expected[i]);
    EXPECT_FALSE(KeyExists(L"Items\\004"));
}

}  // namespace
