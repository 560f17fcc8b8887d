#include "bank_file_commands.h"

#include "core/services.h"

namespace velmora {
namespace {

FileDialogOptions bankFileDialog(const char* title, const std::string& filter,
                                 const std::filesystem::path& folder) {
    FileDialogOptions o;
    o.title = title;
    o.filter = filter;
    o.initialDirectory = folder.string();
    return o;
}

} // namespace

void reportSaveFailure(Dialogs& dialogs, const std::filesystem::path& path) {
    dialogs.message("The file could not be saved:\n" + path.string() +
                        "\nCheck that the folder exists and that you may write to it.",
                    MessageIcon::Warning, "Bank file not saved");
}

void saveBankFileAs(Dialogs& dialogs, const std::string& filter,
                    const std::filesystem::path& folder,
                    const std::function<bool(const std::filesystem::path&)>& write) {
    const auto name = dialogs.saveFile(bankFileDialog("Save bank configuration", filter, folder));
    if (!name || name->empty()) return;
    if (!write(*name)) reportSaveFailure(dialogs, *name);
}

void loadBankFileFrom(Dialogs& dialogs, const std::string& filter,
                      const std::filesystem::path& folder,
                      const std::function<void(const std::filesystem::path&)>& load) {
    const auto name = dialogs.openFile(bankFileDialog("Load bank configuration", filter, folder));
    if (name && !name->empty()) load(*name);
}

} // namespace velmora
