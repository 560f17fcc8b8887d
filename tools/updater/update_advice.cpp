#include "update_advice.h"

#include <fstream>
#include <string_view>

namespace velmora::updater {
namespace {

namespace fs = std::filesystem;

// The package's file list names every installed file; the program folder's own program
// file in it means this copy came from the package.
bool packageOwns(const fs::path& listFile, const fs::path& programFile) {
    std::ifstream in(listFile);
    std::string line;
    while (std::getline(in, line))
        if (line == programFile.string()) return true;
    return false;
}

} // namespace

Installation findInstallation(const fs::path& programFolder, const fs::path& dpkgInfo,
                              const fs::path& sourceDir, std::string version) {
    std::error_code ec;
    const fs::path folder = fs::weakly_canonical(programFolder, ec);
    Installation found{std::move(version), Origin::Unknown, folder};
    if (packageOwns(dpkgInfo / "velmora.list", folder / "velmora")) {
        found.origin = Origin::Package;
        return found;
    }
    if (!sourceDir.empty() && fs::exists(sourceDir / "scripts" / "run.sh", ec)) {
        found.origin = Origin::SourceCheckout;
        found.where = sourceDir;
    }
    return found;
}

std::string adviceTitle() {
    return "Velmora Updates";
}

std::string adviceText(const Installation& i) {
    std::string text = "This is Velmora " + i.version + ".\n\n";
    switch (i.origin) {
    case Origin::Package:
        text += "It was installed from the Debian package \"velmora\". Your package manager "
                "keeps it up to date along with the rest of the system, for example:\n\n"
                "    sudo apt update && sudo apt install --only-upgrade velmora\n\n"
                "A newer package file can be installed with:\n\n"
                "    sudo apt install ./velmora_VERSION_amd64.deb";
        break;
    case Origin::SourceCheckout:
        text += "It was built from the source checkout in\n    " + i.where.string() +
                "\n\nTo update it, bring that checkout up to date with your version control, "
                "then build and start it again:\n\n    bash scripts/run.sh";
        break;
    case Origin::Unknown:
        text += "It runs from\n    " + i.where.string() +
                "\n\nThis copy was not installed by the package manager. Update it the way it "
                "was put there: install the newer Debian package, or rebuild it from its "
                "source checkout with \"bash scripts/run.sh\".";
        break;
    }
    text += "\n\nVelmora never downloads anything by itself. Your scenarios, presets and "
            "settings are kept when it is updated.";
    return text;
}

} // namespace velmora::updater
