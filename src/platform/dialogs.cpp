#include "dialogs.h"

namespace velmora {

void ScriptedDialogs::message(const std::string& text, MessageIcon icon, const std::string& title) {
    messages.push_back({text, icon, title});
}

bool ScriptedDialogs::question(const std::string& text, const std::string&) {
    questions.push_back(text);
    return m_question < questionAnswers.size() ? questionAnswers[m_question++] : false;
}

std::optional<std::string> ScriptedDialogs::inputBox(const std::string&, const std::string&,
                                                     const std::string&) {
    return m_input < inputs.size() ? inputs[m_input++] : std::nullopt;
}

std::optional<std::string> ScriptedDialogs::nextFile() {
    return m_file < files.size() ? files[m_file++] : std::nullopt;
}

std::optional<std::string> ScriptedDialogs::openFile(const FileDialogOptions&) {
    return nextFile();
}
std::optional<std::string> ScriptedDialogs::saveFile(const FileDialogOptions&) {
    return nextFile();
}
std::optional<std::string> ScriptedDialogs::chooseFolder(const FileDialogOptions&) {
    return nextFile();
}

std::vector<std::string> ScriptedDialogs::openFiles(const FileDialogOptions&) {
    return m_multi < multiFiles.size() ? multiFiles[m_multi++] : std::vector<std::string>{};
}

} // namespace velmora
