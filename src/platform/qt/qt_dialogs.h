#pragma once
// Dialogs as Qt shows them: message boxes titled with the program's title, an input box,
// open/save/folder dialogs. Filters may be given the Qt way ("Bank files (*.rcf)") or as
// description|pattern pairs ("Bank files|*.rcf|All files|*.*"); both are understood.
//
// Thread: UI thread.

#include "platform/dialogs.h"

#include <QString>

namespace velmora {

class QtDialogs final : public Dialogs {
  public:
    /// programTitle: the title of every box that is not given one.
    explicit QtDialogs(std::string programTitle);

    void message(const std::string& text, MessageIcon icon, const std::string& title) override;
    bool question(const std::string& text, const std::string& title) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;
    std::optional<std::string> openFile(const FileDialogOptions& o) override;
    std::vector<std::string> openFiles(const FileDialogOptions& o) override;
    std::optional<std::string> saveFile(const FileDialogOptions& o) override;
    std::optional<std::string> chooseFolder(const FileDialogOptions& o) override;

  private:
    [[nodiscard]] QString titleOr(const std::string& title) const;
    std::string m_programTitle;
};

/// "Desc|*.a;*.b|All|*.*" -> "Desc (*.a *.b);;All (*)"; a Qt-style filter is returned as is.
[[nodiscard]] QString toQtFilter(const std::string& filter);

} // namespace velmora
