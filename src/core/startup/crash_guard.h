#pragma once
// Keeps one bad sound file from ending every start. Before a user's sound file is decoded a
// marker naming it is written to the per-user settings folder, and removed once the decode
// ends. A marker found at the next start means the program closed during that decode: the
// file goes on a list of skipped files, which the engine refuses to decode until the user
// chooses that file again in a bank, and the user is told once which file was skipped.
// Factory sounds (under the program folder's "bin") are ours and get no marker, which keeps
// the start-up cost of the guard to the few files the user chose.
//
// Thread: the engine's decoding threads, one decode at a time (the engine serialises them).

#include "audio/decode_guard.h"
#include "platform/dialogs.h"

#include <filesystem>
#include <string>
#include <vector>

namespace velmora {

class CrashGuard final : public audio::DecodeGuard {
  public:
    /// folder: where the marker and the skipped list are kept (created when first needed).
    /// factoryFolder: files under it are never guarded. Reads what the last run left.
    CrashGuard(std::filesystem::path folder, std::filesystem::path factoryFolder);

    bool mayDecode(const std::string& path, audio::LoadOrigin origin) override;
    void decoded(const std::string& path) override;

    /// Files refused until chosen again, oldest first.
    [[nodiscard]] const std::vector<std::string>& skipped() const { return m_skipped; }
    /// Tells the user, once, about the file the last run closed on; nothing when it did not.
    void tellSkipped(Dialogs& dialogs);

  private:
    [[nodiscard]] bool isFactoryFile(const std::string& path) const;
    bool saveSkipped() const;

    std::filesystem::path m_folder;
    std::filesystem::path m_factoryFolder;
    std::vector<std::string> m_skipped;
    std::string m_closedOn; ///< the file to tell the user about; empty once told
    bool m_marked = false;  ///< a marker is on disk for the decode in progress
};

} // namespace velmora
