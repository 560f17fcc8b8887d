#include "bank_file_commands.h"

#include "core/services.h"

namespace velmora {

std::string saveFailureMessage(const std::filesystem::path& path) {
    return "The file could not be saved:\n" + path.string() +
           "\nCheck that the folder exists and that you may write to it.";
}

void reportSaveFailure(Dialogs& dialogs, const std::filesystem::path& path) {
    dialogs.message(saveFailureMessage(path), MessageIcon::Warning, kProgramTitle);
}

FileDialogOptions bankFileDialog(std::string filter, const std::filesystem::path& folder) {
    FileDialogOptions o;
    o.filter = std::move(filter);
    o.initialDirectory = folder.string();
    return o;
}

void saveBankFileAs(Dialogs& dialogs, const FileDialogOptions& options,
                    const std::function<bool(const std::filesystem::path&)>& write) {
    const auto name = dialogs.saveFile(options);
    if (!name || name->empty()) return;
    if (!write(*name)) reportSaveFailure(dialogs, *name);
}

void loadBankFileFrom(Dialogs& dialogs, const FileDialogOptions& options,
                      const std::function<void(const std::filesystem::path&)>& load) {
    const auto name = dialogs.openFile(options);
    if (name && !name->empty()) load(*name);
}

} // namespace velmora
