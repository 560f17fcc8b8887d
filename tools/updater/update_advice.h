#pragma once
// What the updater tells the user: the version that runs and how this particular
// installation is brought up to date. Velmora never fetches anything itself; a packaged copy
// is updated by the package manager, a copy built from a checkout by rebuilding it.
//
// Thread: any.

#include <filesystem>
#include <functional>
#include <string>

namespace velmora::updater {

enum class Origin { Package, SourceCheckout, Unknown };

struct Installation {
    std::string version;
    Origin origin = Origin::Unknown;
    std::filesystem::path where; ///< the program folder, or the checkout it was built from
};

/// The name of the package that installed a file; empty when none did.
using PackageOwner = std::function<std::string(const std::filesystem::path& file)>;

/// Asks the package manager (dpkg-query) which package installed file.
[[nodiscard]] std::string dpkgOwner(const std::filesystem::path& file);

/// Works out where the program in programFolder came from. sourceDir: the checkout this
/// build was made from (empty when not known).
[[nodiscard]] Installation findInstallation(const std::filesystem::path& programFolder,
                                            const PackageOwner& owner,
                                            const std::filesystem::path& sourceDir,
                                            std::string version);

/// The title and the text of the updater's window.
[[nodiscard]] std::string adviceTitle();
[[nodiscard]] std::string adviceText(const Installation& installation);

} // namespace velmora::updater
