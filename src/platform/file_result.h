#pragma once
// What became of reading or writing one file, in one vocabulary for every reader and writer
// of the program. A reader fills it in; the caller that owns the user-facing text (a bank's
// load message, the restore report) turns it into what the user sees.
//
// Thread: any (plain value).

#include <algorithm>
#include <cstddef>
#include <vector>

namespace velmora {

enum class FileError {
    None,
    Missing,     ///< no such file
    Unreadable,  ///< it exists but could not be opened or read (a folder, no permission)
    TooLarge,    ///< far larger than any file of ours, so refused unread
    TooShort,    ///< fewer fields than the layout holds
    NotANumber,  ///< a field that must hold a number does not
    Unwritable,  ///< the new contents could not be created or written in full
    NotReplaced, ///< the new contents were written but could not take the old file's place
};

struct FileResult {
    FileError error = FileError::None; ///< the first fault met
    /// 1-based field of that fault (TooShort: the first absent field); 0 when the fault is
    /// about the whole file.
    std::size_t field = 0;
    std::size_t fieldsFound = 0; ///< fields the file held, for readers of field files
    /// Readers that carry on past a bad field list every field they left as it was.
    std::vector<std::size_t> unconverted;

    [[nodiscard]] bool ok() const { return error == FileError::None; }
    [[nodiscard]] bool missing() const { return error == FileError::Missing; }
    /// The file's contents were read (whatever their fields held).
    [[nodiscard]] bool opened() const {
        return error != FileError::Missing && error != FileError::Unreadable &&
               error != FileError::TooLarge;
    }
    /// Field n (1-based) was present and converted.
    [[nodiscard]] bool fieldRead(std::size_t n) const {
        return opened() && n >= 1 && n <= fieldsFound &&
               std::find(unconverted.begin(), unconverted.end(), n) == unconverted.end();
    }
    /// The file is there but could not be read, or held values that did not convert: what
    /// it held is lost once it is written again. (A short file is not damaged: every value
    /// it had was read.)
    [[nodiscard]] bool damaged() const { return (!opened() && !missing()) || !unconverted.empty(); }
    [[nodiscard]] static FileResult failure(FileError e, std::size_t atField = 0) {
        FileResult r;
        r.fail(e, atField);
        return r;
    }
    /// Records a fault; the first one stays the result's error.
    void fail(FileError e, std::size_t atField = 0) {
        if (!ok()) return;
        error = e;
        field = atField;
    }
};

} // namespace velmora
