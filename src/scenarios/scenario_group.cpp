#include "scenario_group.h"

#include "core/files/text_record.h"
#include "platform/program_folder.h"

namespace velmora::scenarios {

int memberOfWindow(const std::string& window) {
    for (const auto& b : kBankMembers)
        if (window == b.window) return b.member;
    return 0;
}

Bank* bankWithMember(const SoundscapeLinks& links, int member) {
    for (Bank* bank : links.banks)
        if (memberOfWindow(bank->windowName()) == member) return bank;
    return nullptr;
}

state::BankFileNames memberFileNames(const std::string& name) {
    return [name](const Bank& bank) {
        return state::storedName(memberFileName(name, memberOfWindow(bank.windowName())));
    };
}

std::string memberFileName(const std::string& name, int member) {
    return name + std::to_string(member) + ".scs";
}

std::string groupFileName(const std::string& name) {
    return name + ".vlm";
}

std::string groupFileBytes(const std::string& name) {
    files::RecordWriter w;
    w.text(name).endRecord();
    return w.bytes();
}

std::filesystem::path resolveIn(const std::filesystem::path& folder, const std::string& fileName) {
    return resolveCaseInsensitive(folder, fileName);
}

std::vector<std::filesystem::path> groupFiles(const std::filesystem::path& folder,
                                              const std::string& name) {
    std::vector<std::filesystem::path> files{resolveIn(folder, groupFileName(name))};
    for (int m = 1; m <= kMemberCount; ++m)
        files.push_back(resolveIn(folder, memberFileName(name, m)));
    return files;
}

} // namespace velmora::scenarios
