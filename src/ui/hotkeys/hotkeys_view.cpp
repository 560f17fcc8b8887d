#include "hotkeys_view.h"

#include "ui/startup/window_position.h"
#include "ui/widgets/command_button.h"
#include "ui/widgets/scheme_style.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace velmora {

HotkeysView::HotkeysView(Hotkeys& hotkeys, SettingsStore& store, QWidget* parent)
    : QWidget(parent, Qt::Window), m_hotkeys(hotkeys), m_store(store) {
    setObjectName(QStringLiteral("Frmhotkeys"));
    setWindowTitle(tr("Hotkeys"));
    auto* root = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("Hotkey Selection"), this);
    heading->setObjectName(QStringLiteral("Label11"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    root->addWidget(heading);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    QStringList names;
    for (const auto& n : hotkeyNames())
        names << QString::fromStdString(n);
    for (int i = 0; i < kHotkeyActionCount; ++i) {
        auto* caption = new QLabel(QString::fromUtf8(kHotkeyActionCaptions[i]), this);
        caption->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        auto* list = new QComboBox(this);
        list->setObjectName(QStringLiteral("Txtcont%1").arg(2 * i + 1));
        list->addItems(names);
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        list->setMinimumWidth(90);
        list->setAccessibleName(caption->text());
        connect(list, &QComboBox::activated, this, [this, i, list](int row) {
            m_hotkeys.assign(i, list->itemText(row).toStdString());
        });
        grid->addWidget(caption, i, 0);
        grid->addWidget(list, i, 1);
        m_keys[i] = list;
    }
    root->addLayout(grid);
    auto* close = makeCommandButton(this, "cmdcont", tr("Close"), tr("Close the hotkey window"));
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    root->addWidget(close, 0, Qt::AlignRight);
}

void HotkeysView::open() {
    for (int i = 0; i < kHotkeyActionCount; ++i) {
        const QString key = QString::fromStdString(m_hotkeys.key(i));
        // An empty text is shown as "None": both mean the action has no key.
        const int row = m_keys[i]->findText(key.isEmpty() ? QString::fromUtf8(kNoKey) : key);
        m_keys[i]->setCurrentIndex(row < 0 ? 0 : row);
    }
    showAtSavedPlace(this, m_store, m_placed);
}

void HotkeysView::applyColors(const ColorScheme& scheme) {
    applyScheme(this, scheme);
}

void HotkeysView::hideEvent(QHideEvent* event) {
    saveWindowPosition(this, m_store);
    QWidget::hideEvent(event);
}

HotkeySuspender::HotkeySuspender(Hotkeys& hotkeys, QObject* parent)
    : QObject(parent), m_hotkeys(hotkeys) {
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        const bool typing =
            qobject_cast<QLineEdit*>(now) || qobject_cast<QTextEdit*>(now) ||
            qobject_cast<QPlainTextEdit*>(now) || qobject_cast<QAbstractSpinBox*>(now) ||
            (qobject_cast<QComboBox*>(now) && static_cast<QComboBox*>(now)->isEditable());
        m_hotkeys.setSuspended(typing);
    });
}

} // namespace velmora
