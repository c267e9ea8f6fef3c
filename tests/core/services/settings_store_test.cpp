#include "platform/settings_store.h"

#include "tests/support/file_bytes.h"
#include "tests/support/named_rows.h"
#include "tests/support/settings_for_test.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

// What the store keeps is in the stored position's tests, through the real file.

namespace fs = std::filesystem;
using testsupport::Standing;

namespace {

struct UnreadableRow {
    const char *name;
    Standing standing;
};

class KeyFileStoreUnreadable : public testing::TestWithParam<UnreadableRow> {};

TEST_P(KeyFileStoreUnreadable, readsNothingAndLeavesWhatStandsThereAlone) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows keeps the settings in the registry, not in a file";
#else
    testsupport::TemporaryFolder folder;
    const fs::path file = folder / "Runvoy.conf";
    testsupport::place(GetParam().standing, file);
    const fs::file_type before = fs::symlink_status(file).type();
    const std::unique_ptr<platform::SettingsStore> store = platform::settingsStoreInFile(file);
    EXPECT_EQ(store->value("Top"), std::nullopt);
    EXPECT_EQ(store->problem(), "The settings file " + file.native() + " is not a regular file");
    store->store({{"Top", "750"}});
    EXPECT_EQ(fs::symlink_status(file).type(), before);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"Runvoy.conf"});
#endif
}

INSTANTIATE_TEST_SUITE_P(Table, KeyFileStoreUnreadable,
                         testing::Values(UnreadableRow{"fifo", Standing::Fifo},
                                         UnreadableRow{"link_to_device", Standing::LinkToDevice}),
                         testsupport::RowName());

#ifdef _WIN32
// The string value under the user's key, read past the store.
std::optional<std::wstring> registryText(const wchar_t *name) {
    wchar_t text[64];
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Runvoy\\Settings", name, RRF_RT_REG_SZ, nullptr,
                     text, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return text;
}

// Text in any script is kept, whatever the ANSI code page.
TEST(RegistryStore, keepsEachTextAsAStringValueOfTheUsersKeyUntilItIsRemoved) {
    const std::unique_ptr<platform::SettingsStore> store = testsupport::emptySettingsStoreAt({});
    store->store({{"Top", "750"}, {"Left", "-600"}, {"Name", "Πρωί"}});
    EXPECT_EQ(registryText(L"Top"), L"750");
    EXPECT_EQ(registryText(L"Name"), L"Πρωί");
    EXPECT_EQ(platform::userSettingsStore()->value("Left"), "-600");
    EXPECT_EQ(store->value("Name"), "Πρωί");
    store->store({{"Top", std::nullopt}});
    EXPECT_EQ(registryText(L"Top"), std::nullopt);
    EXPECT_EQ(store->value("Top"), std::nullopt);
    EXPECT_EQ(store->value("Left"), "-600");
    EXPECT_EQ(store->problem(), std::nullopt);
    EXPECT_EQ(store->location(), "HKEY_CURRENT_USER\\Software\\Runvoy\\Settings");
}
#endif

} // namespace
