#pragma once
// The sound libraries (ALSA, JACK, PortAudio) print their own complaints straight to
// standard error while devices are probed: about ninety lines on a machine without a sound
// card, none of them ours. While a QuietStderr lives, descriptor 2 goes to a private file;
// when it ends, what was caught reaches the real standard error only when the user asked to
// see it (--verbose).
//
// Thread: UI thread. Output of other threads in that time is caught as well.

#include <string>

namespace velmora {

/// false (the default): what a QuietStderr catches is dropped.
void setLibraryOutputShown(bool shown);

class QuietStderr {
  public:
    QuietStderr();
    ~QuietStderr();
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

  private:
    int m_saved = -1; ///< the real standard error; -1 when nothing was redirected
    int m_file = -1;
};

} // namespace velmora
