#include "update_advice.h"

#include <cstdio>

namespace velmora::updater {
namespace fs = std::filesystem;

std::string dpkgOwner(const fs::path& file) {
    // Quoted for the shell: a program folder may contain spaces or quotes.
    std::string quoted = "'";
    for (const char c : file.string())
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    quoted += "'";
    FILE* pipe = ::popen(("dpkg-query --search " + quoted + " 2>/dev/null").c_str(), "r");
    if (!pipe) return {};
    std::string out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        out += buffer;
    if (::pclose(pipe) != 0) return {};
    // "velmora: /usr/lib/velmora/velmora"
    const auto colon = out.find(':');
    return colon == std::string::npos ? std::string{} : out.substr(0, colon);
}

Installation findInstallation(const fs::path& programFolder, const PackageOwner& owner,
                              const fs::path& sourceDir, std::string version) {
    std::error_code ec;
    const fs::path folder = fs::weakly_canonical(programFolder, ec);
    Installation found{std::move(version), Origin::Unknown, folder};
    if (owner(folder / "velmora") == "velmora") {
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
