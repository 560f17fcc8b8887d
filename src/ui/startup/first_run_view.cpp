#include "first_run_view.h"

#include "core/startup/first_run.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

FirstRunView::FirstRunView(QWidget* parent) : QDialog(parent) {
    setObjectName("Formtips");
    setWindowTitle(first_run::kCaption);
    auto* layout = new QVBoxLayout(this);
    int n = 0;
    for (const char* text : first_run::kTexts) {
        auto* l = new QLabel(QString::fromUtf8(text), this);
        l->setObjectName(QStringLiteral("Label%1").arg(++n));
        l->setWordWrap(true);
        if (n == 1) {
            QFont f = l->font();
            f.setPointSizeF(f.pointSizeF() * 1.5);
            f.setBold(true);
            l->setFont(f);
        }
        layout->addWidget(l);
        layout->addSpacing(4);
    }
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName("chameleonButton2");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(close);
    layout->addLayout(row);
    setMinimumWidth(480);
}

void FirstRunView::done(int result) {
    QDialog::done(result);
    emit closedByUser();
}

} // namespace velmora
