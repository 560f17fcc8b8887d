#pragma once
// Message boxes and file dialogs. Texts are passed exactly as the program defines them;
// the title of message boxes is always the program's title.

#include <optional>
#include <string>
#include <vector>

namespace velmora {

enum class MessageIcon { Information, Question, Warning, Critical };

/// A file-dialog filter such as "Bank files (*.rcf)".
struct FileDialogOptions {
    std::string title;
    std::string filter;
    std::string initialDirectory;
    std::string initialName;
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    /// OK-only message box.
    virtual void message(const std::string& text, MessageIcon icon = MessageIcon::Information,
                         const std::string& title = {}) = 0;
    /// Yes/No question; true for Yes.
    [[nodiscard]] virtual bool question(const std::string& text, const std::string& title = {}) = 0;
    /// Input box; nullopt when cancelled, otherwise the text typed (may be empty).
    [[nodiscard]] virtual std::optional<std::string>
    inputBox(const std::string& prompt, const std::string& title = {},
             const std::string& defaultText = {}) = 0;
    [[nodiscard]] virtual std::optional<std::string> openFile(const FileDialogOptions& o) = 0;
    /// Several files at once (sound picker).
    [[nodiscard]] virtual std::vector<std::string> openFiles(const FileDialogOptions& o) = 0;
    [[nodiscard]] virtual std::optional<std::string> saveFile(const FileDialogOptions& o) = 0;
    [[nodiscard]] virtual std::optional<std::string> chooseFolder(const FileDialogOptions& o) = 0;
};

/// Test double: records every message and answers from scripted queues (default: No /
/// cancel).
class ScriptedDialogs final : public Dialogs {
  public:
    struct Shown {
        std::string text;
        MessageIcon icon;
        std::string title;
    };
    std::vector<Shown> messages;
    std::vector<std::string> questions;
    std::vector<bool> questionAnswers;              ///< consumed front to back
    std::vector<std::optional<std::string>> inputs; ///< consumed front to back
    std::vector<std::optional<std::string>> files;  ///< open/save/folder answers, in order
    std::vector<std::vector<std::string>> multiFiles;

    void message(const std::string& text, MessageIcon icon, const std::string& title) override;
    bool question(const std::string& text, const std::string& title) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;
    std::optional<std::string> openFile(const FileDialogOptions& o) override;
    std::vector<std::string> openFiles(const FileDialogOptions& o) override;
    std::optional<std::string> saveFile(const FileDialogOptions& o) override;
    std::optional<std::string> chooseFolder(const FileDialogOptions& o) override;

    [[nodiscard]] std::string lastMessage() const {
        return messages.empty() ? std::string{} : messages.back().text;
    }

  private:
    std::optional<std::string> nextFile();
    std::size_t m_question = 0, m_input = 0, m_file = 0, m_multi = 0;
};

} // namespace velmora
