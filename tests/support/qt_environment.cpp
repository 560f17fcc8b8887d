// One QApplication for a whole Qt test executable, on the offscreen platform unless another
// was asked for, with a 1920 x 1080 screen (the platform's own is smaller than the main
// window). Made before the first test and destroyed after the last one while Qt's own
// globals still exist: a function-local static would be destroyed too late, at exit.
#include <QApplication>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

class QtEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        if (platform.isEmpty() || platform == "offscreen") {
            m_screens = std::filesystem::temp_directory_path() /
                        ("velmora-test-screen-" + std::to_string(getpid()) + ".json");
            std::ofstream(m_screens) << R"({"screens": [{"name": "Desktop", "x": 0, "y": 0,
                "width": 1920, "height": 1080, "logicalDpi": 96, "dpr": 1}]})";
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QByteArray(m_screens.c_str()));
        }
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
        m_app->setQuitOnLastWindowClosed(false);
    }
    void TearDown() override {
        m_app.reset();
        std::error_code ec;
        if (!m_screens.empty()) std::filesystem::remove(m_screens, ec);
    }

  private:
    std::filesystem::path m_screens;
    int m_argc = 1;
    char m_name[16] = "velmora-test";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] const auto* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
