#include "launcher_view.h"

#include <QCloseEvent>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

namespace {
QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setWordWrap(true);
    return l;
}
QPushButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setMinimumWidth(96);
    return b;
}
} // namespace

LauncherView::LauncherView(LauncherController& controller, QWidget* parent)
    : QDialog(parent), m_controller(controller) {
    setObjectName("frmLauncher");
    setWindowTitle(LauncherController::kCaption);
    setModal(false);

    auto* heading = label(this, "lblHeading", LauncherController::kCaption);
    QFont f = heading->font();
    f.setPointSizeF(f.pointSizeF() * 1.4);
    f.setBold(true);
    heading->setFont(f);

    auto* req = label(this, "lblReq", QString::fromStdString(controller.requiredText()));
    auto* got = label(this, "lblGot", QString::fromStdString(controller.installedText()));
    auto* backend = label(this, "lblBackend", QString::fromStdString(controller.backendText()));
    backend->setVisible(!backend->text().isEmpty());
    auto* warning = label(this, "lblwarning", LauncherController::kWarningText);
    warning->setStyleSheet("color: #a01010;");
    auto* passed = label(this, "Label1", LauncherController::kPassedText);
    warning->setVisible(controller.warningVisible());
    passed->setVisible(controller.passedTextVisible());

    auto* start = button(this, "Command2", tr("Start"));
    auto* install = button(this, "Command3", tr("Install"));
    auto* close = button(this, "chameleonbutton1", tr("Close"));
    start->setEnabled(controller.startEnabled());
    install->setEnabled(controller.installEnabled());
    start->setDefault(controller.startEnabled());

    connect(start, &QPushButton::clicked, this, [this] { m_controller.start(); });
    connect(install, &QPushButton::clicked, this, [this] { m_controller.install(); });
    connect(close, &QPushButton::clicked, this, [this] { reject(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(start);
    buttons->addWidget(install);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addSpacing(6);
    layout->addWidget(req);
    layout->addWidget(got);
    layout->addWidget(backend);
    layout->addSpacing(6);
    layout->addWidget(warning);
    layout->addWidget(passed);
    layout->addStretch();
    layout->addLayout(buttons);
    setMinimumWidth(440);
}

void LauncherView::reject() {
    if (m_closing) return;
    m_closing = true;
    QDialog::reject();
    m_controller.close();
}

void LauncherView::closeEvent(QCloseEvent* event) {
    event->accept();
    reject();
}

} // namespace velmora
