// The recorder as scripts use it: the built program, its exit status and its messages.
#include "command_line.h"
#include "rig.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

struct ProcessRun {
    int status = -1;
    std::string err;
};

ProcessRun runRecorder(const std::string& args) {
    testing::TempDir t;
    const auto errFile = t / "stderr.txt";
    const std::string cmd = std::string("'") + RECORDER_EXECUTABLE + "' " + args +
                            " </dev/null 2>'" + errFile.string() + "' >/dev/null";
    const int raw = std::system(cmd.c_str());
    ProcessRun r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.err = testing::readBytes(errFile);
    return r;
}

TEST(RecorderCommandLine, BadArgumentsExitWithStatusTwoAndAUsageLine) {
    ProgramFolderRig rig;
    const std::string folder = "--program-folder '" + rig.dir().string() + "' ";
    const std::string out = " --out '" + (rig.dir() / "x.wav").string() + "'";
    for (const std::string& args : {
             folder + "--seconds 10", // no output file
             folder + "--fade-out 10",
             folder + out.substr(1),         // no length
             "--seconds 10" + out,           // no program folder
             folder + "--seconds ten" + out, // not a number
             folder + "--seconds 0" + out,   // nothing to record
             folder + "--seconds -5" + out,
             folder + "--seconds 90000" + out, // more than a day
             folder + "--seconds 10 --fade-in -1" + out, folder + "--seconds 10 --seed x" + out,
             folder + "--seconds 10 --out '" + (rig.dir() / "x.mp3").string() + "'",
             folder + "--seconds 10 --loud" + out, // unknown option
             folder + "--seconds",                 // value missing
         }) {
        const ProcessRun r = runRecorder(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find("usage: recorder --program-folder DIR --seconds N --out FILE"),
                  std::string::npos)
            << args << "\n"
            << r.err;
    }
    EXPECT_FALSE(fs::exists(rig.dir() / "x.wav"));
}

TEST(RecorderCommandLine, RendersWithProgressAndReportsOtherFailuresInOneLine) {
    ProgramFolderRig rig;
    testing::TempDir out;
    const auto file = out / "take.ogg";
    ProcessRun r = runRecorder("--program-folder '" + rig.dir().string() +
                               "' --seconds 3 --seed 4 "
                               "--fade-in 0.5 --fade-out=0.5 --out '" +
                               file.string() + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("100%"), std::string::npos) << r.err;
    EXPECT_EQ(readStereo(file).left.size(), 3u * 44100u);

    r = runRecorder("--program-folder '" + (rig.dir() / "nowhere").string() +
                    "' --seconds 3 --out '" + file.string() + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("does not exist"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;

    r = runRecorder("--program-folder '" + rig.dir().string() +
                    "' --seconds 3 --scenario 'No such' --out '" + file.string() + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no scenario called \"No such\""), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
}

TEST(RecorderCommandLine, FolderWithoutOutputOpensTheWindowPreloaded) {
    using recorder::CommandLine;
    auto c = recorder::parseCommandLine({"--program-folder", "/tmp/snap"});
    EXPECT_EQ(c.mode, CommandLine::Mode::Window);
    EXPECT_EQ(c.request.programFolder, fs::path("/tmp/snap"));
    EXPECT_EQ(recorder::parseCommandLine({}).mode, CommandLine::Mode::Window);
    c = recorder::parseCommandLine({"--program-folder=/p", "--seconds", "90.5", "--out", "a.FLAC",
                                    "--seed", "18446744073709551615"});
    ASSERT_EQ(c.mode, CommandLine::Mode::Render) << c.error;
    EXPECT_DOUBLE_EQ(c.request.seconds, 90.5);
    EXPECT_EQ(c.request.seed, 18446744073709551615ULL);

    c = recorder::parseCommandLine({"--program-folder", "/tmp/snap", "--centre-on", "-200,384"});
    ASSERT_EQ(c.mode, CommandLine::Mode::Window) << c.error;
    EXPECT_EQ(c.centreOn, (std::pair{-200, 384}));
    for (const char* bad : {"683", "683,", ",384", "a,b", "1,2,3"})
        EXPECT_EQ(recorder::parseCommandLine({"--centre-on", bad}).mode, CommandLine::Mode::Invalid)
            << bad;
}

} // namespace
} // namespace velmora::test
