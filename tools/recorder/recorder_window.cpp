#include "recorder_window.h"

#include "sound_file_output.h"

#include "banks/soundscape.h"
#include "platform/program_folder.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStandardPaths>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <system_error>

namespace velmora::recorder {

namespace {

constexpr const char* kTitle = "Velmora Recorder";
constexpr const char* kFilter = "FLAC audio (*.flac);;WAV audio (*.wav);;Ogg Vorbis audio (*.ogg)";

/// m:ss, or h:mm:ss when `scale` (the longest time shown beside it) reaches an hour.
QString clockText(double seconds, double scale = 0) {
    const auto s = static_cast<long long>(std::llround(std::max(0.0, seconds)));
    if (std::max(seconds, scale) >= 3600)
        return QString("%1:%2:%3")
            .arg(s / 3600)
            .arg((s / 60) % 60, 2, 10, QChar('0'))
            .arg(s % 60, 2, 10, QChar('0'));
    return QString("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QChar('0'));
}

QString timeLeftText(double seconds) {
    const auto s = static_cast<long long>(std::llround(std::max(1.0, seconds)));
    if (s < 60) return QObject::tr("about %1 s left").arg(s);
    if (s < 3600) return QObject::tr("about %1 min %2 s left").arg(s / 60).arg(s % 60);
    return QObject::tr("about %1 h %2 min left").arg(s / 3600).arg((s / 60) % 60);
}

QString defaultOutput() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
    return QDir(folder).filePath("Velmora soundscape.flac");
}

std::uint64_t freshSeed() {
    std::random_device rd;
    return (static_cast<std::uint64_t>(rd()) << 32) ^ rd() ^
           static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

} // namespace

void placeWindow(QWidget& window, const std::optional<std::pair<int, int>>& centre) {
    window.adjustSize();
    const QPoint point = centre ? QPoint(centre->first, centre->second)
                                : QGuiApplication::primaryScreen()->availableGeometry().center();
    const QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect room = screen->availableGeometry();
    QRect frame(QPoint(), window.size());
    frame.moveCenter(point);
    // Inside the screen even when the main window hangs over its edge.
    frame.moveLeft(
        std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() - frame.width())));
    frame.moveTop(
        std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() - frame.height())));
    window.move(frame.topLeft());
}

RecorderWindow::RecorderWindow(const RenderRequest& defaults, bool keepSeed, QWidget* parent)
    : QWidget(parent), m_defaults(defaults), m_keepSeed(keepSeed) {
    setObjectName("frmrecorder");
    setWindowTitle(kTitle);

    std::error_code ec;
    const bool snapshot = std::filesystem::exists(
        ProgramFolder(defaults.programFolder).resolve(state::kSnapshotStateFile), ec);
    auto* source = new QLabel(
        snapshot ? tr("Records the soundscape that was playing when you asked for a recording.")
                 : tr("Records the soundscape saved in %1.")
                       .arg(QString::fromStdString(defaults.programFolder.string())),
        this);
    source->setObjectName("lblsource");
    source->setWordWrap(true);

    m_scenario = new QComboBox(this);
    m_scenario->setObjectName("cboscenario");
    m_scenario->setToolTip(tr("Record this soundscape, or one of your saved scenarios"));
    m_scenario->addItem(snapshot ? tr("What is playing now") : tr("The saved soundscape"));
    for (const auto& name : scenarioNames(defaults.programFolder))
        m_scenario->addItem(QString::fromStdString(name));
    if (!defaults.scenario.empty()) {
        const int at = m_scenario->findText(QString::fromStdString(defaults.scenario));
        m_scenario->setCurrentIndex(std::max(at, 0));
    }

    m_minutes = new QSpinBox(this);
    m_minutes->setObjectName("spinminutes");
    m_minutes->setRange(0, static_cast<int>(kMaxSeconds / 60));
    m_minutes->setSuffix(tr(" min"));
    m_seconds = new QSpinBox(this);
    m_seconds->setObjectName("spinseconds");
    m_seconds->setRange(0, 59);
    m_seconds->setSuffix(tr(" s"));
    const double length = defaults.seconds > 0 ? defaults.seconds : 30 * 60;
    m_minutes->setValue(static_cast<int>(length / 60));
    m_seconds->setValue(static_cast<int>(std::fmod(length, 60.0)));
    auto* lengthRow = new QHBoxLayout;
    lengthRow->addWidget(m_minutes);
    lengthRow->addWidget(m_seconds);
    lengthRow->addStretch();

    m_output =
        new QLineEdit(defaults.output.empty() ? defaultOutput()
                                              : QString::fromStdString(defaults.output.string()),
                      this);
    m_output->setObjectName("txtoutput");
    m_output->setMinimumWidth(320);
    m_browse = new QPushButton(tr("Browse..."), this);
    m_browse->setObjectName("cmdbrowse");
    m_browse->setToolTip(tr("Choose where to save the recording (WAV, FLAC or Ogg Vorbis)"));
    auto* outputRow = new QHBoxLayout;
    outputRow->addWidget(m_output, 1);
    outputRow->addWidget(m_browse);

    auto* fades = new QGridLayout;
    const auto fadeRow = [this, fades](QCheckBox*& check, QDoubleSpinBox*& spin,
                                       const QString& text, const char* name, double value) {
        check = new QCheckBox(text, this);
        check->setObjectName(QString("chk") + name);
        check->setChecked(value > 0);
        spin = new QDoubleSpinBox(this);
        spin->setObjectName(QString("spin") + name);
        spin->setRange(0.5, 600);
        spin->setDecimals(1);
        spin->setSuffix(tr(" s"));
        spin->setValue(value > 0 ? value : 10);
        const int row = fades->rowCount();
        fades->addWidget(check, row, 0);
        fades->addWidget(spin, row, 1);
        connect(check, &QCheckBox::toggled, this, &RecorderWindow::updateFadeFields);
    };
    fadeRow(m_fadeIn, m_fadeInSeconds, tr("Fade in over"), "fadein", defaults.fadeInSeconds);
    fadeRow(m_fadeOut, m_fadeOutSeconds, tr("Fade out over"), "fadeout", defaults.fadeOutSeconds);
    fades->setColumnStretch(2, 1);

    auto* form = new QFormLayout;
    form->addRow(tr("Record:"), m_scenario);
    form->addRow(tr("Length:"), lengthRow);
    form->addRow(tr("Save as:"), outputRow);
    form->addRow(tr("Fades:"), fades);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName("progress");
    m_progress->setRange(0, 1000);
    m_progress->setValue(0);
    m_progress->setFormat("%p%");
    m_status = new QLabel(tr("Ready."), this);
    m_status->setObjectName("lblstatus");
    m_status->setWordWrap(true);

    m_record = new QPushButton(tr("Record"), this);
    m_record->setObjectName("cmdrecord");
    m_record->setToolTip(tr("Render the soundscape into the file"));
    m_record->setDefault(true);
    m_cancel = new QPushButton(tr("Close"), this);
    m_cancel->setObjectName("cmdcancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_record);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(source);
    layout->addLayout(form);
    layout->addWidget(m_progress);
    layout->addWidget(m_status);
    layout->addLayout(buttons);

    connect(m_browse, &QPushButton::clicked, this, &RecorderWindow::browse);
    connect(m_record, &QPushButton::clicked, this, [this] { (void)startRecording(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        if (isRecording())
            cancelRecording();
        else
            close();
    });
    updateFadeFields();
}

RecorderWindow::~RecorderWindow() {
    if (m_worker) {
        m_cancelFlag->store(true);
        m_worker->wait();
        delete m_worker;
    }
}

void RecorderWindow::updateFadeFields() {
    m_fadeInSeconds->setEnabled(m_fadeIn->isChecked() && !isRecording());
    m_fadeOutSeconds->setEnabled(m_fadeOut->isChecked() && !isRecording());
}

RenderRequest RecorderWindow::request() const {
    RenderRequest r = m_defaults;
    r.seconds = m_minutes->value() * 60.0 + m_seconds->value();
    r.output = m_output->text().trimmed().toStdString();
    r.fadeInSeconds = m_fadeIn->isChecked() ? m_fadeInSeconds->value() : 0.0;
    r.fadeOutSeconds = m_fadeOut->isChecked() ? m_fadeOutSeconds->value() : 0.0;
    r.scenario = m_scenario->currentIndex() > 0 ? m_scenario->currentText().toStdString() : "";
    return r;
}

void RecorderWindow::browse() {
    QString selected;
    const QString name = QFileDialog::getSaveFileName(this, tr("Save the recording as"),
                                                      m_output->text(), kFilter, &selected);
    if (name.isEmpty()) return;
    QString file = name;
    if (QFileInfo(file).suffix().isEmpty()) {
        // The filter the user picked says the format when the name does not.
        file += selected.contains("*.wav") ? ".wav" : selected.contains("*.ogg") ? ".ogg" : ".flac";
    }
    m_output->setText(file);
}

bool RecorderWindow::startRecording() {
    if (isRecording()) return false;
    RenderRequest r = request();
    QString file = m_output->text().trimmed();
    if (file.isEmpty()) {
        QMessageBox::information(this, kTitle, tr("Choose a file to save the recording in."));
        return false;
    }
    if (QFileInfo(file).suffix().isEmpty()) {
        file += ".flac";
        m_output->setText(file);
        r.output = file.toStdString();
    }
    if (auto problem = validate(r); !problem.empty()) {
        QMessageBox::information(this, kTitle, QString::fromStdString(problem));
        return false;
    }
    if (QFileInfo::exists(file) &&
        QMessageBox::question(this, kTitle, tr("%1 already exists. Replace it?").arg(file)) !=
            QMessageBox::Yes)
        return false;
    if (!m_keepSeed) r.seed = freshSeed();

    m_cancelFlag = std::make_shared<std::atomic<bool>>(false);
    auto flag = m_cancelFlag;
    m_elapsed.start();
    m_worker = QThread::create([this, r, flag] {
        auto last = std::chrono::steady_clock::now() - std::chrono::seconds(1);
        const RenderOutcome outcome = recorder::render(
            r,
            [this, &last](const RenderProgress& p) {
                // A queued call per second of audio would flood the window at hundreds of
                // times real time; a few a second are plenty for the eye.
                const auto now = std::chrono::steady_clock::now();
                if (p.framesDone < p.framesTotal && now - last < std::chrono::milliseconds(100))
                    return;
                last = now;
                const qint64 done = p.framesDone, total = p.framesTotal;
                QMetaObject::invokeMethod(
                    this, [this, done, total] { onProgress(done, total); }, Qt::QueuedConnection);
            },
            flag.get());
        QMetaObject::invokeMethod(
            this, [this, outcome] { onFinished(outcome); }, Qt::QueuedConnection);
    });
    setRunning(true);
    m_progress->setValue(0);
    m_status->setText(tr("Recording %1 ...").arg(clockText(r.seconds)));
    m_worker->start();
    return true;
}

void RecorderWindow::cancelRecording() {
    if (!m_worker) return;
    m_cancelFlag->store(true);
    m_status->setText(tr("Cancelling..."));
    m_cancel->setEnabled(false);
}

void RecorderWindow::onProgress(qint64 done, qint64 total) {
    if (!m_worker || total <= 0) return;
    const double f = static_cast<double>(done) / static_cast<double>(total);
    m_progress->setValue(static_cast<int>(f * 1000));
    const double elapsed = m_elapsed.elapsed() / 1000.0;
    const double totalSeconds = static_cast<double>(total) / 44100.0;
    QString text = tr("Recorded %1 of %2")
                       .arg(clockText(static_cast<double>(done) / 44100.0, totalSeconds),
                            clockText(totalSeconds));
    if (f > 0.0 && elapsed > 0.5) text += " - " + timeLeftText(elapsed * (1 - f) / f);
    if (!m_cancelFlag->load()) m_status->setText(text);
}

void RecorderWindow::onFinished(const RenderOutcome& outcome) {
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
        m_worker = nullptr;
    }
    setRunning(false);
    QString message;
    switch (outcome.status) {
    case RenderStatus::Finished:
        m_progress->setValue(1000);
        message = tr("Saved %1.").arg(m_output->text().trimmed());
        for (const auto& w : outcome.warnings)
            message += "\n" + QString::fromStdString(w);
        m_status->setText(message);
        break;
    case RenderStatus::Cancelled:
        m_progress->setValue(0);
        message = tr("Cancelled. No file was written.");
        m_status->setText(message);
        break;
    case RenderStatus::Failed:
        m_progress->setValue(0);
        message = QString::fromStdString(outcome.error);
        m_status->setText(tr("The recording failed."));
        if (!m_closeWhenDone) QMessageBox::warning(this, kTitle, message);
        break;
    }
    emit recordingEnded(static_cast<int>(outcome.status), message);
    if (m_closeWhenDone) close();
}

void RecorderWindow::setRunning(bool running) {
    for (QWidget* w : {static_cast<QWidget*>(m_scenario), static_cast<QWidget*>(m_minutes),
                       static_cast<QWidget*>(m_seconds), static_cast<QWidget*>(m_output),
                       static_cast<QWidget*>(m_browse), static_cast<QWidget*>(m_fadeIn),
                       static_cast<QWidget*>(m_fadeOut), static_cast<QWidget*>(m_record)})
        w->setEnabled(!running);
    m_cancel->setEnabled(true);
    m_cancel->setText(running ? tr("Cancel") : tr("Close"));
    m_cancel->setToolTip(running ? tr("Stop recording; no file is written") : QString());
    updateFadeFields();
}

void RecorderWindow::closeEvent(QCloseEvent* event) {
    if (!isRecording()) {
        event->accept();
        return;
    }
    if (QMessageBox::question(
            this, kTitle, tr("A recording is running. Stop it and close? No file is written.")) ==
        QMessageBox::Yes) {
        m_closeWhenDone = true;
        cancelRecording();
    }
    event->ignore();
}

} // namespace velmora::recorder
