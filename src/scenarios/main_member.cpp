#include "main_member.h"

#include "core/files/text_record.h"
#include "core/state/state_read.h"

namespace velmora::scenarios {

namespace {
FileResult readFrom(files::RecordReader& reader, FileResult result, MainMember& m) {
    state::FieldReader f(reader, result, kMainMemberFields);
    f.int32(m.random);
    f.int32(m.background);
    f.int32(m.cd);
    f.int32(m.mp3);
    f.text(m.text1);
    f.text(m.text3Before);
    f.text(m.text3);
    f.text(m.information);
    f.text(m.slideshow);
    f.text(m.remotePicture);
    f.text(m.picture);
    f.text(m.notes);
    return result;
}
} // namespace

FileResult parseMainMember(std::string_view bytes, MainMember& member) {
    files::RecordReader reader(bytes);
    return readFrom(reader, FileResult{}, member);
}

FileResult readMainMember(const std::filesystem::path& path, MainMember& member) {
    FileResult result;
    auto reader = state::openRecordFile(path, result);
    if (!reader.ok()) return result;
    return readFrom(reader, result, member);
}

std::string mainMemberBytes(const MainMember& m) {
    files::RecordWriter w;
    w.integer(m.random)
        .integer(m.background)
        .integer(m.cd)
        .integer(m.mp3)
        .text(m.text1)
        .text(m.text3)
        .text(m.text3)
        .text(m.information)
        .text(m.slideshow)
        .text(m.remotePicture)
        .text(m.picture)
        .text(m.notes)
        .endRecord();
    return w.bytes();
}

} // namespace velmora::scenarios
