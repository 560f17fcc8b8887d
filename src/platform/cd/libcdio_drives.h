#pragma once
// CD drives through libcdio: the system's drives, and a .cue sheet with its .bin opened as a
// drive through libcdio's image driver (for people who keep their discs as images, and for
// tests). Audio is read with libcdio's paranoia reader, which re-reads and matches
// overlapping reads so that a scratched disc gives clean audio or a short read, not clicks.

#include "platform/cd/cd_drive.h"

namespace velmora::cd {

class LibcdioDrives final : public CdDrives {
  public:
    std::vector<std::string> list() override;
    std::unique_ptr<CdDrive> open(const std::string& name, std::string& why) override;
};

} // namespace velmora::cd
