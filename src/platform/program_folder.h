#pragma once
// The program folder ("installation folder"): the executable's folder when writable,
// otherwise a per-user copy under $XDG_DATA_HOME seeded from the installed tree. Stored
// paths are written with "\" and resolved component by component without regard to case,
// because the program's own paths differ in case ("EQ Presets" and "eq presets").

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora {

class ProgramFolder {
  public:
    explicit ProgramFolder(std::filesystem::path root)
        : m_root(root), m_programs(std::move(root)) {}
    /// programs: the folder the program files are in, when the data lives elsewhere.
    ProgramFolder(std::filesystem::path root, std::filesystem::path programs)
        : m_root(std::move(root)), m_programs(std::move(programs)) {}

    /// Chooses the folder for an executable at exePath (see the class comment); seeds the
    /// per-user copy when the executable's folder is read-only.
    static ProgramFolder forExecutable(const std::filesystem::path& exePath);

    /// The same choice with its inputs spelled out: the per-user data home (usually
    /// $XDG_DATA_HOME) and whether the executable's folder is writable. The per-user copy
    /// is brought up to date on every start: files the installed tree gained since are
    /// added, nothing the user changed is overwritten. When no per-user copy can be made
    /// the installed folder is used as it is (the program runs; saving fails visibly).
    static ProgramFolder choose(const std::filesystem::path& exePath,
                                const std::filesystem::path& userDataHome,
                                bool executableFolderWritable);

    [[nodiscard]] const std::filesystem::path& root() const { return m_root; }

    /// "\config\scenarios\x.vlm" -> <root>/config/scenarios/x.vlm, each existing component
    /// matched without regard to case; missing components keep the given spelling.
    [[nodiscard]] std::filesystem::path resolve(std::string_view stored) const;
    /// A helper program ("\recorder"): beside the running executable, which for a
    /// read-only installation is not the per-user copy (that one holds data only).
    [[nodiscard]] std::filesystem::path resolveProgram(std::string_view stored) const;

    /// The stored relative form of a path inside the folder ("\bin\1.isz"), or an
    /// empty string when the path lies outside it.
    [[nodiscard]] std::string relativeForm(const std::filesystem::path& p) const;

  private:
    std::filesystem::path m_root;
    std::filesystem::path m_programs;
};

/// A folder the package manager owns (under /usr): used read-only even by root.
[[nodiscard]] bool isSystemInstallation(const std::filesystem::path& folder);

/// Resolves a "\"- or "/"-separated relative path under base without regard to case.
std::filesystem::path resolveCaseInsensitive(const std::filesystem::path& base,
                                             std::string_view relative);

} // namespace velmora
