#include "support/temp_dir.h"
#include "update_advice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace velmora::updater;
using velmora::testing::TempDir;
namespace fs = std::filesystem;

namespace {
void write(const fs::path& p, const std::string& text) {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << text;
}
} // namespace

TEST(Updater, TellsAPackagedCopyFromACheckoutAndNamesTheVersion) {
    TempDir dir;
    const fs::path program = dir / "usr/lib/velmora";
    fs::create_directories(program);
    const fs::path dpkg = dir / "dpkg";
    const fs::path checkout = dir / "src";
    write(checkout / "scripts/run.sh", "#!/bin/sh\n");

    // Another package's list, and one naming a different folder, are not ours.
    write(dpkg / "velmora.list", "/usr/lib/velmora-old/velmora\n" + (program / "x").string());
    auto found = findInstallation(program, dpkg, checkout, "1.2.3");
    EXPECT_EQ(found.origin, Origin::SourceCheckout);
    EXPECT_NE(adviceText(found).find("bash scripts/run.sh"), std::string::npos);

    write(dpkg / "velmora.list", "/.\n" + (program / "velmora").string() + "\n");
    found = findInstallation(program, dpkg, checkout, "1.2.3");
    EXPECT_EQ(found.origin, Origin::Package);
    const std::string text = adviceText(found);
    EXPECT_NE(text.find("Velmora 1.2.3"), std::string::npos);
    EXPECT_NE(text.find("apt install --only-upgrade velmora"), std::string::npos);
    EXPECT_EQ(text.find("example."), std::string::npos);

    fs::remove(dpkg / "velmora.list");
    EXPECT_EQ(findInstallation(program, dpkg, dir / "nowhere", "1").origin, Origin::Unknown);
}

TEST(InstalledPieces, GuideAndEveryIconSizeAreBuilt) {
    const fs::path guide = fs::path(VELMORA_PROGRAM_DIR) / "help/index.html";
    std::ifstream in(guide);
    const std::string html{std::istreambuf_iterator<char>(in), {}};
    // The anchors other windows open.
    for (const char* anchor : {"id=\"sound\"", "id=\"troubleshooting\"", "id=\"commandline\""})
        EXPECT_NE(html.find(anchor), std::string::npos) << anchor;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const fs::path png = fs::path(VELMORA_ICON_DIR) /
                             (std::to_string(size) + "x" + std::to_string(size)) / "apps" /
                             "velmora.png";
        std::ifstream f(png, std::ios::binary);
        char header[24] = {};
        ASSERT_TRUE(f.read(header, sizeof header)) << png;
        EXPECT_EQ(std::string(header + 1, 3), "PNG");
        // Width and height, big-endian, in the IHDR chunk.
        const auto word = [&](int at) {
            return (static_cast<unsigned char>(header[at]) << 24) |
                   (static_cast<unsigned char>(header[at + 1]) << 16) |
                   (static_cast<unsigned char>(header[at + 2]) << 8) |
                   static_cast<unsigned char>(header[at + 3]);
        };
        EXPECT_EQ(word(16), size);
        EXPECT_EQ(word(20), size);
    }
}

TEST(InstalledPieces, NoPlaceholderAddressInThePrograms) {
    for (const char* program : {"velmora", "recorder", "updater"}) {
        std::ifstream in(fs::path(VELMORA_PROGRAM_DIR) / program, std::ios::binary);
        ASSERT_TRUE(in) << program;
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        for (const char* placeholder : {"example.org", "example.com", "example.net"})
            EXPECT_EQ(bytes.find(placeholder), std::string::npos) << program << " " << placeholder;
    }
}
