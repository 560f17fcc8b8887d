#include "support/temp_dir.h"
#include "update_advice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

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
    const fs::path checkout = dir / "src";
    write(checkout / "scripts/run.sh", "#!/bin/sh\n");
    std::vector<fs::path> asked;
    std::string ownerName;
    const PackageOwner owner = [&](const fs::path& file) {
        asked.push_back(file);
        return ownerName;
    };

    // A program file another package installed is no sign of ours.
    ownerName = "velmora-old";
    auto found = findInstallation(program, owner, checkout, "1.2.3");
    EXPECT_EQ(found.origin, Origin::SourceCheckout);
    EXPECT_NE(adviceText(found).find("bash scripts/run.sh"), std::string::npos);

    ownerName = "velmora";
    found = findInstallation(program, owner, checkout, "1.2.3");
    EXPECT_EQ(found.origin, Origin::Package);
    EXPECT_EQ(asked.back(), fs::weakly_canonical(program) / "velmora");
    const std::string text = adviceText(found);
    EXPECT_NE(text.find("Velmora 1.2.3"), std::string::npos);
    EXPECT_NE(text.find("apt install --only-upgrade velmora"), std::string::npos);

    ownerName.clear();
    EXPECT_EQ(findInstallation(program, owner, dir / "nowhere", "1").origin, Origin::Unknown);
    // The real query on a file no package installed.
    EXPECT_EQ(dpkgOwner(program / "it's not packaged"), "");
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
