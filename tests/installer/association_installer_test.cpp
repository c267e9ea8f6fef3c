#include "installer/association_installer.h"
#include "memory_store.h"

#include <gtest/gtest.h>

using namespace kestrum;

namespace {

const std::string Folder = "/opt/tools";
const std::string OpenCommand = R"("/opt/tools/runvoy" /o "%1")";
const std::string EditCommand = R"("/opt/tools/runvoy" /e "%1")";

std::vector<ClassesKey> typeEntries(const std::string &type) {
    return {descriptionKey(type), iconKey(type), verbCommandKey(type, "open"),
            verbCommandKey(type, "Edit")};
}

} // namespace

TEST(AssociationInstaller, firstRun_makesTheTypeThenWritesItsFourEntriesInOrder) {
    MemoryStore store;
    AssociationInstaller module(store);
    module.Main(Folder);

    std::vector<ClassesKey> expectedWrites = typeEntries("rvqfile");
    expectedWrites.insert(expectedWrites.begin(), extensionTypeKey(".rvq"));
    EXPECT_EQ(store.writes, expectedWrites);
    const std::map<ClassesKey, std::string> expected{
        {extensionTypeKey(".rvq"), "rvqfile"},
        {descriptionKey("rvqfile"), "Runvoy"},
        {iconKey("rvqfile"), "/opt/tools/runvoy-batch.svg"},
        {verbCommandKey("rvqfile", "open"), OpenCommand},
        {verbCommandKey("rvqfile", "Edit"), EditCommand}};
    EXPECT_EQ(store.values, expected);
    EXPECT_TRUE(module.Failures().empty());
}

TEST(AssociationInstaller, extensionNamingAnotherType_thatTypeGetsTheEntriesAndTheExtensionStays) {
    MemoryStore store;
    store.values[extensionTypeKey(".rvq")] = "text/x-otherbatch";
    AssociationInstaller module(store);
    module.Main(Folder);

    EXPECT_EQ(module.FileType, "text/x-otherbatch");
    EXPECT_EQ(store.writes, typeEntries("text/x-otherbatch"));
    EXPECT_EQ(store.values[extensionTypeKey(".rvq")], "text/x-otherbatch");
    EXPECT_EQ(store.values[verbCommandKey("text/x-otherbatch", "open")], OpenCommand);
}

TEST(AssociationInstaller, extensionWithEmptyDefaultValue_isTreatedAsMissing) {
    MemoryStore store;
    store.values[extensionTypeKey(".rvq")] = "";
    AssociationInstaller module(store);
    module.Main(Folder);

    EXPECT_EQ(store.values[extensionTypeKey(".rvq")], "rvqfile");
    EXPECT_EQ(store.values[descriptionKey("rvqfile")], "Runvoy");
}

TEST(AssociationInstaller, secondRun_findsTheTypeOfTheFirstAndChangesNothing) {
    MemoryStore store;
    AssociationInstaller(store).Main(Folder);
    const auto afterFirstRun = store.values;
    store.writes.clear();

    AssociationInstaller(store).Main(Folder);
    EXPECT_EQ(store.values, afterFirstRun);
    EXPECT_EQ(store.writes, typeEntries("rvqfile"));
}

TEST(AssociationInstaller, emptyValue_removesTheEntryInsteadOfWritingIt) {
    MemoryStore store;
    store.values[descriptionKey("rvqfile")] = "Old";
    AssociationInstaller module(store);
    module.SetDefaultValue(descriptionKey("rvqfile"), "");
    EXPECT_FALSE(store.values.contains(descriptionKey("rvqfile")));
    EXPECT_EQ(store.writes.size(), 1u);
}

TEST(AssociationInstaller, failedEntries_areReportedOnceEachAndTheLaterOnesStillWritten) {
    MemoryStore store;
    store.refusing = {iconKey("rvqfile"), verbCommandKey("rvqfile", "open")};
    AssociationInstaller module(store);
    module.Main(Folder);

    EXPECT_EQ(module.Failures(),
              (std::vector<std::string>{"cannot write the icon of rvqfile: access denied",
                                        "cannot write the \"open\" command of rvqfile: access "
                                        "denied"}));
    EXPECT_EQ(store.values[verbCommandKey("rvqfile", "Edit")], EditCommand);
}

TEST(AssociationInstaller, commandsAndIcon_areBuiltFromTheProgramFolder) {
    struct Case {
        std::string folder;
        std::string openCommand;
        std::string iconPath;
    };
    const std::vector<Case> cases{
        // The root folder keeps its separator, as the folder is used just as reported.
        {"/", R"("//runvoy" /o "%1")", "//runvoy-batch.svg"},
        {R"(/home/me/my "best" tools)", R"("/home/me/my \"best\" tools/runvoy" /o "%1")",
         R"(/home/me/my "best" tools/runvoy-batch.svg)"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.folder);
        MemoryStore store;
        AssociationInstaller module(store);
        module.Main(c.folder);
        EXPECT_EQ(module.OpenCommand, c.openCommand);
        EXPECT_EQ(module.IconPath, c.iconPath);
    }
}
