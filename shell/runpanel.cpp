#include "shell/runpanel.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace pw {

namespace {

constexpr int BarSteps = 1000;
constexpr int Margin = 8;

}  // namespace

RunPanel::RunPanel(QPushButton& command, std::function<QString(const Progress&)> describe)
    : QObject(&command), m_describe(std::move(describe)) {
    QWidget* bar = command.parentWidget();
    const QRect op = command.geometry();
    const int width = op.left() - 2 * Margin;
    m_line = new QLabel(bar);
    m_line->setObjectName(QStringLiteral("lblProgress"));
    m_line->setGeometry(Margin, 4, width, 20);
    m_bar = new QProgressBar(bar);
    m_bar->setObjectName(QStringLiteral("barProgress"));
    m_bar->setGeometry(Margin, 27, width, 14);
    m_bar->setRange(0, BarSteps);
    m_bar->setTextVisible(false);
    m_stop = new QPushButton(QStringLiteral("取消"), bar);
    m_stop->setObjectName(QStringLiteral("CmdStop"));
    m_stop->setGeometry(op.right() + 1 + 2 * Margin, op.top(), op.width(), op.height());
    // Next after the command in the tab order, which is disabled while the panel shows.
    QWidget::setTabOrder(&command, m_stop);
    connect(m_stop, &QPushButton::clicked, this, &RunPanel::stopClicked);
    end();
}

void RunPanel::begin() {
    m_bar->setValue(0);
    m_stop->setEnabled(true);
    setLine(QStringLiteral("正在准备……"));
    for (QWidget* w : {static_cast<QWidget*>(m_line), static_cast<QWidget*>(m_bar),
                       static_cast<QWidget*>(m_stop)})
        w->show();
}

void RunPanel::show(const Progress& p) {
    if (p.stage != Progress::Stage::Step || p.documentCount <= 0) return;
    double done = p.documentIndex;
    if (p.partCount > 0) done += double(p.partIndex) / p.partCount;
    m_bar->setValue(qBound(0, int(done * BarSteps / p.documentCount), BarSteps));
    if (m_stop->isEnabled()) setLine(m_describe(p));
}

void RunPanel::stopping(const QString& text) {
    m_stop->setEnabled(false);
    setLine(text);
}

void RunPanel::end() {
    m_line->hide();
    m_bar->hide();
    m_stop->hide();
}

void RunPanel::setLine(const QString& text) {
    // Long paths are cut in the middle; the whole line is in the tooltip.
    m_line->setText(m_line->fontMetrics().elidedText(text, Qt::ElideMiddle, m_line->width()));
    m_line->setToolTip(text);
}

}  // namespace pw
