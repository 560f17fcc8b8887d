#pragma once
// The sound picker (Form2): the user gathers a list of sound files from a folder and hands
// it to a custom bank at once. "Random" mode fills the custom random bank (28 sounds),
// "Back" mode the custom background bank (16 sounds).
//
// Thread: UI thread.

#include "core/services.h"
#include "core/signal.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace velmora {

enum class PickerMode { Random, Back };

inline constexpr const char* kPickerNothingSelected =
    "No files were selected. Please add one or more files to the list and retry.";
inline constexpr const char* kPickerBackLimit =
    "No more than 16 sounds can be added to the list when choosing background sounds";
inline constexpr const char* kPickerRandomLimit =
    "No more than 28 sounds can be added to the list when choosing random sounds";

class SoundPicker {
  public:
    using Apply = std::function<void(const std::vector<std::string>&)>;

    /// applyRandom / applyBack receive the list of full paths when OK is pressed.
    SoundPicker(Services& services, Apply applyRandom, Apply applyBack = {});

    [[nodiscard]] std::string windowName() const { return "Form2"; }

    /// The composition root connects the custom background bank here.
    void setBackApply(Apply apply) { m_applyBack = std::move(apply); }

    /// Sets the mode before the picker is shown; the browser moves to the mode's folder.
    void open(PickerMode mode);
    [[nodiscard]] PickerMode mode() const { return m_mode; }
    /// 28 in Random mode, 16 in Back mode.
    [[nodiscard]] int limit() const { return m_mode == PickerMode::Random ? 28 : 16; }
    /// "\soundbanks\random sounds" or "\soundbanks\background sounds" in the program folder.
    [[nodiscard]] std::filesystem::path startFolder() const;

    /// The file list of a folder: the sound files it holds, sorted by name.
    [[nodiscard]] static std::vector<std::string> soundFilesIn(const std::filesystem::path& dir);

    /// "Add selected files above": adds names of folder in order; at the limit shows the
    /// mode's message and stops. False when something was refused.
    bool addSelected(const std::filesystem::path& folder, const std::vector<std::string>& names);
    /// "Add all the files above": adds in order, stopping silently at the limit.
    void addAll(const std::filesystem::path& folder, const std::vector<std::string>& names);
    /// A double click on a file: one file, with the limit check and its message.
    bool addOne(const std::filesystem::path& folder, const std::string& name) {
        return addSelected(folder, {name});
    }

    void removeAt(int index);
    /// Moves an entry; returns its new index (unchanged at either end).
    int moveUp(int index);
    int moveDown(int index);
    void clear();

    [[nodiscard]] const std::vector<std::string>& names() const { return m_names; }
    [[nodiscard]] const std::vector<std::string>& paths() const { return m_paths; }

    /// OK: with an empty list shows its message and returns false (the picker stays open);
    /// otherwise hands the paths to the mode's bank and returns true (the picker closes).
    bool ok();

    Signal<> changed;

  private:
    bool append(const std::filesystem::path& folder, const std::string& name);

    Services& m_services;
    Apply m_applyRandom;
    Apply m_applyBack;
    PickerMode m_mode = PickerMode::Random;
    std::vector<std::string> m_names;
    std::vector<std::string> m_paths;
};

} // namespace velmora
