#include "scheme_editor_view.h"

#include "appearance/color_elements.h"
#include "appearance/lcd_backlights.h"
#include "color_picker.h"
#include "ui/startup/window_position.h"
#include "ui/widgets/command_button.h"
#include "ui/widgets/lcd_display.h"
#include "ui/widgets/scheme_style.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace velmora {

namespace {
QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

/// A small square of the colour, framed so a colour equal to the button's still shows.
QIcon swatch(std::uint32_t bgr) {
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.setBrush(qColor(bgr));
    p.drawRoundedRect(QRectF(0.5, 0.5, 17, 17), 3, 3);
    return QIcon(pixmap);
}

struct Group {
    const char* title;
    std::vector<int> elements;
};
// The advanced part, grouped as the scheme's colours are named.
const Group kGroups[] = {
    {"Main Colors", {8, 10, 11, 9}},
    {"Button Colors", {5, 6, 7}},
    {"Text Box Colors", {12, 13}},
    {"Slider Gradients", {14, 15}},
};
constexpr int kLcdElements[] = {1, 2, 4, 3};
} // namespace

SchemeEditorView::SchemeEditorView(appearance::SchemeEditor& editor, SettingsStore& settings,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), m_editor(editor), m_settings(settings) {
    setObjectName(QStringLiteral("frmDemo"));
    setWindowTitle(tr("Color Schemes"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildSchemes());
    layout->addWidget(buildLcd());
    m_advancedButton = makeCommandButton(this, "cmdAdvanced", {}, {});
    connect(m_advancedButton, &QPushButton::clicked, this, [this] { m_editor.toggleAdvanced(); });
    auto* advancedRow = new QHBoxLayout;
    advancedRow->addStretch(1);
    advancedRow->addWidget(m_advancedButton);
    layout->addLayout(advancedRow);
    layout->addWidget(buildAdvanced());
    layout->addStretch(1);
    m_connection = m_editor.changed.connect([this] { refresh(); });
    refresh();
    if (!restoreWindowPosition(this, m_settings) && parent)
        move(parent->geometry().center() - rect().center());
}

SchemeEditorView::~SchemeEditorView() = default;

QWidget* SchemeEditorView::buildSchemes() {
    auto* box = new QGroupBox(tr("Schemes"), this);
    auto* grid = new QGridLayout(box);
    m_list = new QListWidget(box);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setMinimumHeight(150);
    // Only a choice the user makes loads a scheme: the list also gains a current row when it
    // takes the focus, and that must not replace the colours being edited.
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        const auto selected = m_list->selectedItems();
        if (!m_refreshing && !selected.isEmpty())
            m_editor.choose(selected.front()->text().toStdString());
    });
    grid->addWidget(m_list, 0, 0, 6, 1);

    m_box = new QLabel(box);
    m_box->setObjectName(QStringLiteral("Text1"));
    setSchemeRole(m_box, SchemeRole::TextBox);
    m_box->setMinimumWidth(180);
    grid->addWidget(m_box, 0, 1, 1, 2);

    struct Command {
        const char* name;
        const char* caption;
        void (appearance::SchemeEditor::*run)();
    };
    const Command commands[] = {
        {"cmdPrevious", "< Previous", &appearance::SchemeEditor::previous},
        {"cmdNext", "Next >", &appearance::SchemeEditor::next},
        {"cmdSave", "Save", &appearance::SchemeEditor::save},
        {"cmdSaveAs", "Save As...", &appearance::SchemeEditor::saveAs},
        {"cmdDelete", "Delete", &appearance::SchemeEditor::remove},
        {"cmdDefault", "Default", &appearance::SchemeEditor::restoreDefault},
        {"cmdRestore", "Restore Previous", &appearance::SchemeEditor::restorePrevious},
        {"cmdApply", "Apply", &appearance::SchemeEditor::apply},
    };
    int i = 0;
    for (const auto& c : commands) {
        auto* b = makeCommandButton(box, c.name, tr(c.caption), {});
        connect(b, &QPushButton::clicked, this, [this, run = c.run] { (m_editor.*run)(); });
        grid->addWidget(b, 1 + i / 2, 1 + i % 2);
        ++i;
    }
    grid->setColumnStretch(0, 1);
    return box;
}

QWidget* SchemeEditorView::buildLcd() {
    auto* box = new QGroupBox(tr("LCD Display"), this);
    auto* grid = new QGridLayout(box);
    m_backlight = new QComboBox(box);
    m_backlight->setObjectName(QStringLiteral("Combo1"));
    for (const auto name : appearance::backlightNames())
        m_backlight->addItem(qs(name));
    connect(m_backlight, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_refreshing) m_editor.setBacklight(i);
    });
    m_sample = new LcdDisplay(box);
    m_sample->setObjectName(QStringLiteral("LCDSample"));
    m_sample->setColumns(16);
    m_sample->setText(QStringLiteral(" Sample Display"));
    grid->addWidget(m_backlight, 0, 0, 1, 2);
    grid->addWidget(m_sample, 0, 2, 1, 2);
    // Two colours to a row keep the group as wide as the one above.
    int i = 0;
    for (const int element : kLcdElements) {
        auto* label = new QLabel(qs(appearance::elementLabel(element)), box);
        auto* button = elementButton(element, box);
        button->setText({});
        grid->addWidget(label, 1 + i / 2, (i % 2) * 2, Qt::AlignRight);
        grid->addWidget(button, 1 + i / 2, (i % 2) * 2 + 1, Qt::AlignLeft);
        m_lcdControls.push_back(label);
        m_lcdControls.push_back(button);
        ++i;
    }
    return box;
}

QWidget* SchemeEditorView::buildAdvanced() {
    m_advanced = new QWidget(this);
    m_advanced->setObjectName(QStringLiteral("advanced"));
    auto* grid = new QGridLayout(m_advanced);
    grid->setContentsMargins(0, 0, 0, 0);
    int i = 0;
    for (const auto& group : kGroups) {
        auto* box = new QGroupBox(tr(group.title), m_advanced);
        auto* column = new QVBoxLayout(box);
        for (const int element : group.elements)
            column->addWidget(elementButton(element, box));
        column->addStretch(1);
        grid->addWidget(box, i / 2, i % 2);
        ++i;
    }
    // A few of the window's own controls, so the colours can be judged before "Apply".
    auto* sample = new QGroupBox(tr("Preview"), m_advanced);
    auto* row = new QHBoxLayout(sample);
    auto* slider = new QSlider(Qt::Horizontal, sample);
    slider->setRange(0, 100);
    slider->setValue(65);
    row->addWidget(new QLabel(tr("Label"), sample));
    row->addWidget(slider, 1);
    row->addWidget(makeCommandButton(sample, "cmdPreview", tr("Button"), {}));
    grid->addWidget(sample, 2, 0, 1, 2);
    return m_advanced;
}

QPushButton* SchemeEditorView::elementButton(int element, QWidget* parent) {
    auto* b = makeCommandButton(parent, ("colorElement" + std::to_string(element)).c_str(),
                                qs(appearance::elementLabel(element)), {});
    b->setStyleSheet(QStringLiteral("text-align: left;"));
    connect(b, &QPushButton::clicked, this, [this, element] { pick(element); });
    m_elements[element] = b;
    return b;
}

void SchemeEditorView::pick(int element) {
    const auto current = appearance::elementColour(m_editor.scheme(), element);
    if (!current) return;
    if (const auto colour =
            pickElementColour(this, element, *current, m_editor.scheme(), m_settings))
        m_editor.setElement(element, *colour);
}

void SchemeEditorView::refresh() {
    m_refreshing = true;
    const auto& names = m_editor.names();
    QStringList items;
    for (const auto& n : names)
        items << QString::fromStdString(n);
    QStringList shown;
    for (int i = 0; i < m_list->count(); ++i)
        shown << m_list->item(i)->text();
    if (shown != items) {
        m_list->clear();
        m_list->addItems(items);
    }
    const int selected = m_editor.selectedIndex();
    if (selected >= 0)
        m_list->setCurrentRow(selected);
    else
        m_list->clearSelection();
    m_box->setText(QString::fromStdString(m_editor.schemeBox()));

    const ColorScheme& s = m_editor.scheme();
    m_backlight->setCurrentIndex(s.lcdBacklight);
    const bool custom = m_editor.customLcd();
    for (auto* w : m_lcdControls)
        w->setEnabled(custom);
    // The LCD buttons show what the display shows: a preset's colours unless "CUSTOM".
    const auto lcd = appearance::lcdColours(s);
    const std::map<int, std::uint32_t> lcdShown = {
        {1, lcd.backlight}, {2, lcd.on}, {3, lcd.blend}, {4, lcd.off}};
    for (auto& [element, button] : m_elements) {
        const auto it = lcdShown.find(element);
        button->setIcon(
            swatch(it != lcdShown.end() ? it->second : *appearance::elementColour(s, element)));
    }
    m_advanced->setVisible(m_editor.advanced());
    m_advancedButton->setText(m_editor.advanced() ? tr("Advanced <<") : tr("Advanced >>"));
    applyScheme(this, s);
    m_refreshing = false;
    adjustSize();
}

void SchemeEditorView::open() {
    show();
    raise();
    activateWindow();
}

void SchemeEditorView::saveState() {
    saveWindowPosition(this, m_settings);
}

bool SchemeEditorView::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) m_editor.activate();
    return QWidget::event(event);
}

} // namespace velmora
