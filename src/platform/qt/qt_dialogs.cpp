#include "qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

namespace velmora {
namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}
std::string s(const QString& q) {
    return q.toStdString();
}

QWidget* parentWindow() {
    return QApplication::activeWindow();
}

QString startPath(const FileDialogOptions& o) {
    if (o.initialName.empty()) return q(o.initialDirectory);
    if (o.initialDirectory.empty()) return q(o.initialName);
    return QDir(q(o.initialDirectory)).filePath(q(o.initialName));
}

QMessageBox::Icon toQt(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::Information;
}

} // namespace

QString toQtFilter(const std::string& filter) {
    const QString f = q(filter);
    if (!f.contains('|')) return f;
    const QStringList parts = f.split('|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (auto& p : patterns) {
            p = p.trimmed();
            if (p == "*.*") p = "*"; // on Linux "*.*" would miss names without a dot
        }
        const QString joined = patterns.join(' ');
        if (!description.contains('('))
            description += " (" + joined + ")";
        else
            description =
                description.left(description.indexOf('(')).trimmed() + " (" + joined + ")";
        out << description;
    }
    return out.join(";;");
}

QtDialogs::QtDialogs(std::string programTitle) : m_programTitle(std::move(programTitle)) {}

QString QtDialogs::titleOr(const std::string& title) const {
    return q(title.empty() ? m_programTitle : title);
}

void QtDialogs::message(const std::string& text, MessageIcon icon, const std::string& title) {
    QMessageBox box(toQt(icon), titleOr(title), q(text), QMessageBox::Ok, parentWindow());
    box.exec();
}

bool QtDialogs::question(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::Question, titleOr(title), q(text),
                    QMessageBox::Yes | QMessageBox::No, parentWindow());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::inputBox(const std::string& prompt, const std::string& title,
                                               const std::string& defaultText) {
    bool ok = false;
    const QString text = QInputDialog::getText(parentWindow(), titleOr(title), q(prompt),
                                               QLineEdit::Normal, q(defaultText), &ok);
    if (!ok) return std::nullopt;
    return s(text);
}

std::optional<std::string> QtDialogs::openFile(const FileDialogOptions& o) {
    const QString path = QFileDialog::getOpenFileName(parentWindow(), titleOr(o.title),
                                                      startPath(o), toQtFilter(o.filter));
    if (path.isEmpty()) return std::nullopt;
    return s(path);
}

std::vector<std::string> QtDialogs::openFiles(const FileDialogOptions& o) {
    const QStringList paths = QFileDialog::getOpenFileNames(parentWindow(), titleOr(o.title),
                                                            startPath(o), toQtFilter(o.filter));
    std::vector<std::string> out;
    for (const auto& p : paths)
        out.push_back(s(p));
    return out;
}

std::optional<std::string> QtDialogs::saveFile(const FileDialogOptions& o) {
    const QString path = QFileDialog::getSaveFileName(parentWindow(), titleOr(o.title),
                                                      startPath(o), toQtFilter(o.filter));
    if (path.isEmpty()) return std::nullopt;
    return s(path);
}

std::optional<std::string> QtDialogs::chooseFolder(const FileDialogOptions& o) {
    const QString path =
        QFileDialog::getExistingDirectory(parentWindow(), titleOr(o.title), q(o.initialDirectory));
    if (path.isEmpty()) return std::nullopt;
    return s(path);
}

} // namespace velmora
