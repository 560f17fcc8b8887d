#include "platform/ini_document.h"
#include "platform/ini_settings_store.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace velmora;
using velmora::testing::readBytes;
using velmora::testing::TempDir;
using velmora::testing::writeBytes;

TEST(IniSettingsStore, ValuesSurviveARestartAndKeysIgnoreCase) {
    TempDir dir;
    {
        IniSettingsStore store(dir.path());
        store.write("Velmora", "Settings26", "Mainleft", "120");
        store.write("Velmora", "settings26", "Maintop", "-40");
        store.write("velmora", "Options", "Show Tips at Start2", "1");
        EXPECT_TRUE(store.lastWriteSucceeded());
    }
    IniSettingsStore store(dir.path());
    EXPECT_EQ(store.read("Velmora", "SETTINGS26", "MainLeft", "x"), "120");
    EXPECT_EQ(store.read("Velmora", "Settings26", "MAINTOP", "x"), "-40");
    EXPECT_EQ(store.read("Velmora", "Settings26", "Other", "dflt"), "dflt");
    // The title and the file's base name are different applications with their own files.
    EXPECT_EQ(store.read("Velmora", "Options", "Show Tips at Start2", "2"), "2");
    EXPECT_EQ(store.read("velmora", "Options", "Show Tips at Start2", "2"), "1");
    EXPECT_NE(store.fileFor("Velmora"), store.fileFor("velmora"));
    // Written once under its first spelling, not duplicated by a later spelling.
    const auto text = readBytes(store.fileFor("Velmora"));
    EXPECT_NE(text.find("[Settings26]\r\nMainleft=120\r\nMaintop=-40\r\n"), std::string::npos);
}

TEST(IniSettingsStore, AwkwardValuesReadBackExactlyAndRemoveForgets) {
    TempDir dir;
    const std::string awkward[] = {"a=b=c", "  padded  ", "\"quoted\"", "semi;colon", ""};
    {
        IniSettingsStore store(dir.path());
        for (std::size_t i = 0; i < std::size(awkward); ++i)
            store.write("Velmora", "S", "k" + std::to_string(i), awkward[i]);
        store.write("Velmora", "S", "gone", "1");
        store.remove("Velmora", "s", "GONE");
        store.write("Velmora", "S", "multi", "line\r\nbreak");
    }
    IniSettingsStore store(dir.path());
    for (std::size_t i = 0; i < std::size(awkward); ++i)
        EXPECT_EQ(store.read("Velmora", "S", "k" + std::to_string(i), "?"), awkward[i]) << i;
    EXPECT_EQ(store.read("Velmora", "S", "gone", "absent"), "absent");
    EXPECT_EQ(store.read("Velmora", "S", "multi", ""), "line  break");
}

TEST(IniSettingsStore, DamagedOrForeignFilesReadAsDefaultsAndKeepTheirOtherLines) {
    TempDir dir;
    IniSettingsStore probe(dir.path());
    writeBytes(probe.fileFor("Velmora"),
               std::string("\xEF\xBB\xBF; kept comment\n[Settings1]\nMainleft=5\ngarbage line\n"
                           "\x01\x02\xff\n[broken\n=novalue\n",
                           60));
    IniSettingsStore store(dir.path());
    EXPECT_EQ(store.read("Velmora", "Settings1", "mainleft", "0"), "5");
    store.write("Velmora", "Settings1", "Maintop", "7");
    const auto text = readBytes(store.fileFor("Velmora"));
    EXPECT_NE(text.find("; kept comment"), std::string::npos);
    EXPECT_NE(text.find("garbage line"), std::string::npos);
    EXPECT_NE(text.find("Maintop=7"), std::string::npos);

    // A file far too large to be ours is ignored, not loaded into memory.
    writeBytes(probe.fileFor("huge"), std::string(2 * 1024 * 1024, 'x'));
    EXPECT_EQ(IniSettingsStore(dir.path()).read("huge", "a", "b", "d"), "d");
}

TEST(IniSettingsStore, UnwritableFolderIsReportedAndValueStaysForThisRun) {
    TempDir dir;
    writeBytes(dir / "blocker", "file, not folder");
    IniSettingsStore store(dir / "blocker" / "velmora");
    store.write("Velmora", "S", "k", "v");
    EXPECT_FALSE(store.lastWriteSucceeded());
    EXPECT_EQ(store.read("Velmora", "S", "k", ""), "v");
}

TEST(IniSettingsStore, AFileItCouldNotReadIsNeverWrittenOver) {
    TempDir dir;
    IniSettingsStore probe(dir.path());
    // Real settings behind a comment grown past what the store will read.
    const std::string grown =
        "[Settings1]\r\nMainleft=5\r\n; " + std::string(2 * 1024 * 1024, 'x') + "\r\n";
    writeBytes(probe.fileFor("Velmora"), grown);
    IniSettingsStore store(dir.path());
    store.write("Velmora", "Settings1", "Maintop", "7");
    store.remove("Velmora", "Settings1", "Maintop");
    store.write("Velmora", "Settings2", "Maintop", "8");
    EXPECT_FALSE(store.lastWriteSucceeded());
    EXPECT_EQ(store.read("Velmora", "Settings2", "Maintop", ""), "8") << "held for this run";
    EXPECT_TRUE(readBytes(probe.fileFor("Velmora")) == grown) << "the file is left whole";
}

TEST(IniDocument, DuplicateSectionsAndKeysResolveToTheLastOne) {
    auto doc = IniDocument::parse("[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\n");
    EXPECT_EQ(doc.value("A", "K"), "3");
    doc.set("A", "k", "4");
    EXPECT_EQ(IniDocument::parse(doc.serialize()).value("a", "k"), "4");
    EXPECT_FALSE(doc.value("missing", "k").has_value());
}
