// The real program started as a user starts it, in private folders on the offscreen
// platform: one instance survives, later starts hand over their command and end, a quit
// asked for on the command line saves as SIGTERM does, and a crashed run leaves nothing that
// blocks the next.
#include "core/state/options_state.h"
#include "platform/ini_settings_store.h"
#include "platform/instance_lock.h"
#include "support/temp_dir.h"

#include <QLocalSocket>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

struct Finished {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

/// A user account of its own: home, settings, runtime folder and a program folder whose
/// files are hard links to the built one (state files are replaced, never written in place,
/// so the build's copies stay as they are).
class Desktop {
  public:
    Desktop() : m_root(fs::path(VELMORA_PROGRAM_DIR).parent_path() / "desktop-test" / m_name()) {
        fs::remove_all(m_root);
        fs::create_directories(m_root / "home");
        // A socket's path has room for about a hundred bytes: the runtime folder is short.
        char runtime[] = "/tmp/velmora-run-XXXXXX";
        m_runtime = ::mkdtemp(runtime);
        fs::copy(VELMORA_PROGRAM_DIR, program(),
                 fs::copy_options::recursive | fs::copy_options::create_hard_links);
        // No system-check window: nobody is here to answer it.
        IniSettingsStore settings(config() / "velmora");
        state::markLauncherPassed(settings);
    }
    ~Desktop() {
        for (auto& p : m_running)
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
        m_running.clear();
        std::error_code ec;
        fs::remove_all(m_root, ec);
        fs::remove_all(m_runtime, ec);
    }

    [[nodiscard]] fs::path program() const { return m_root / "program"; }
    [[nodiscard]] fs::path config() const { return m_root / "config"; }
    [[nodiscard]] fs::path socket() const {
        return m_runtime / "velmora" / (instanceName(config() / "velmora") + ".socket");
    }

    QProcess& start(const QStringList& args = {}) {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", QString::fromStdString((m_root / "home").string()));
        env.insert("XDG_CONFIG_HOME", QString::fromStdString(config().string()));
        env.insert("XDG_DATA_HOME", QString::fromStdString((m_root / "data").string()));
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(m_runtime.string()));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.remove("DBUS_SESSION_BUS_ADDRESS");
        p->setProcessEnvironment(env);
        p->start(QString::fromStdString((program() / "velmora").string()), args);
        EXPECT_TRUE(p->waitForStarted(10000));
        m_running.push_back(std::move(p));
        return *m_running.back();
    }

    static Finished finish(QProcess& p, int ms = 40000) {
        Finished f;
        if (p.state() != QProcess::NotRunning && !p.waitForFinished(ms)) return f;
        f.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
        f.out = p.readAllStandardOutput().toStdString();
        f.err = p.readAllStandardError().toStdString();
        return f;
    }

    Finished run(const QStringList& args) { return finish(start(args)); }

    /// A later start's --quit; the running instance then ends cleanly.
    void quit(QProcess& running) {
        const auto asked = run({"--quit"});
        EXPECT_EQ(asked.exitCode, 0) << asked.err;
        const auto ended = finish(running);
        EXPECT_EQ(ended.exitCode, 0) << ended.err;
    }

    /// Starts the instance and waits until it listens; a later start is then never the one
    /// that wins the lock.
    QProcess& startServing() {
        QProcess& p = start();
        for (int i = 0; i < 600; ++i) {
            QLocalSocket s;
            s.connectToServer(QString::fromStdString(socket().string()));
            if (s.waitForConnected(100)) return p;
            QThread::msleep(50);
        }
        ADD_FAILURE() << "the instance never listened";
        return p;
    }

    /// Every file the runs wrote: new ones and those replaced since the copy was made.
    [[nodiscard]] std::map<std::string, std::string> writtenFiles() const {
        std::map<std::string, std::string> files;
        for (const fs::path& base : {program(), config()})
            for (const auto& e : fs::recursive_directory_iterator(base)) {
                if (!e.is_regular_file() || e.hard_link_count() > 1) continue;
                files[fs::relative(e.path(), m_root).string()] = readAll(e.path());
            }
        return files;
    }

  private:
    static std::string m_name() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        return std::string(info->test_suite_name()) + "." + info->name();
    }
    fs::path m_root;
    fs::path m_runtime;
    std::vector<std::unique_ptr<QProcess>> m_running;
};

TEST(Instance, LaterStartsHandOverTheirCommandAndEnd) {
    Desktop d;
    QProcess& first = d.startServing();

    const auto shown = d.run({});
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    const auto muted = d.run({"--mute"});
    EXPECT_EQ(muted.exitCode, 0) << muted.err;
    EXPECT_EQ(muted.out, "Muted.\n");
    EXPECT_EQ(d.run({"--toggle-mute"}).out, "Unmuted.\n");

    const auto bad = d.run({"--preset", "15"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.err.find("Usage: velmora"), std::string::npos);
    const auto missing = d.run({"--scenario", "No such place"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("No such place"), std::string::npos);
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1);
    EXPECT_EQ(first.state(), QProcess::Running);

    d.quit(first);
    EXPECT_EQ(d.run({"--quit"}).out, "Velmora is not running.\n");
    // With nothing running, a scenario that does not exist is refused before any window.
    const auto files = d.writtenFiles();
    const auto nowhere = d.run({"--scenario", "Nowhere"});
    EXPECT_EQ(nowhere.exitCode, 1);
    EXPECT_NE(nowhere.err.find("Nowhere"), std::string::npos);
    EXPECT_EQ(d.writtenFiles(), files);
}

/// Not a first run: a first run starts the factory soundscape, whose drifting levels differ
/// from one run to the next by the moment of the quit.
void markQuitBefore(const Desktop& d) {
    std::ofstream(d.program() / "main.tmp", std::ios::binary)
        << "\"False\",\"\",0,0,\"\",\"\",\"\",0\r\n";
}

TEST(Instance, QuitFromTheCommandLineSavesWhatSigtermSaves) {
    std::map<std::string, std::string> byQuit;
    std::map<std::string, std::string> bySigterm;
    {
        Desktop d;
        markQuitBefore(d);
        QProcess& p = d.startServing();
        ASSERT_EQ(d.run({"--show"}).exitCode, 0);
        d.quit(p);
        byQuit = d.writtenFiles();
    }
    {
        Desktop d;
        markQuitBefore(d);
        QProcess& p = d.startServing();
        ASSERT_EQ(d.run({"--show"}).exitCode, 0);
        p.terminate();
        ASSERT_EQ(Desktop::finish(p).exitCode, 0);
        bySigterm = d.writtenFiles();
    }
    EXPECT_TRUE(byQuit.count("program/main.tmp"));
    EXPECT_TRUE(byQuit.count("program/main2.tmp"));
    EXPECT_EQ(byQuit, bySigterm);
}

TEST(Instance, CrashedRunsSocketIsRecovered) {
    Desktop d;
    QProcess& crashed = d.startServing();
    crashed.kill();
    crashed.waitForFinished(10000);
    ASSERT_TRUE(fs::exists(d.socket()));

    QProcess& next = d.startServing();
    const auto muted = d.run({"--mute"});
    EXPECT_EQ(muted.exitCode, 0) << muted.err;
    EXPECT_EQ(next.state(), QProcess::Running);
    d.quit(next);
}

TEST(Instance, OfTwoRacingStartsExactlyOneSurvives) {
    Desktop d;
    QProcess& a = d.start();
    QProcess& b = d.start();
    // The one that lost hands over a "show" and ends.
    for (int i = 0; i < 400 && a.state() == QProcess::Running && b.state() == QProcess::Running;
         ++i) {
        a.waitForFinished(50);
        b.waitForFinished(50);
    }
    QProcess& survivor = a.state() == QProcess::NotRunning ? b : a;
    QProcess& loser = a.state() == QProcess::NotRunning ? a : b;
    EXPECT_EQ(Desktop::finish(loser).exitCode, 0);
    EXPECT_EQ(survivor.state(), QProcess::Running);
    d.quit(survivor);
}

TEST(Instance, GarbageOnTheSocketIsIgnored) {
    Desktop d;
    QProcess& p = d.startServing();
    for (const QByteArray& junk : {QByteArray(100000, 'x'), QByteArray("velmora-1 quit now\n"),
                                   QByteArray("\x00\xff\n", 3)}) {
        QLocalSocket s;
        s.connectToServer(QString::fromStdString(d.socket().string()));
        ASSERT_TRUE(s.waitForConnected(5000));
        s.write(junk);
        s.waitForBytesWritten(2000);
        s.waitForDisconnected(2000);
    }
    EXPECT_EQ(d.run({"--mute"}).out, "Muted.\n");
    EXPECT_EQ(p.state(), QProcess::Running);
    ASSERT_EQ(d.run({"--quit"}).exitCode, 0);
    const auto end = Desktop::finish(p);
    EXPECT_EQ(end.exitCode, 0);
    EXPECT_NE(end.err.find("too long"), std::string::npos) << end.err;
    EXPECT_NE(end.err.find("not a Velmora command"), std::string::npos) << end.err;
}

} // namespace
} // namespace velmora::test
