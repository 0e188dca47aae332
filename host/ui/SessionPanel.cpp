#include "SessionPanel.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qhost {

SessionPanel::SessionPanel(const QString &operatorName, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setWindowTitle(tr("Remote support: screen shared"));
    setAccessibleName(tr("Remote support session"));
    auto *layout = new QVBoxLayout(this);
    LblShared = new QLabel(this);
    LblShared->setTextFormat(Qt::PlainText);
    LblShared->setWordWrap(true);
    LblShared->setText(tr("Your screen is shared with %1.").arg(operatorName));
    LblShared->setAccessibleName(tr("Shared with"));
    RadioFull = new QRadioButton(tr("&Full control"), this);
    RadioFull->setAccessibleName(tr("Full control"));
    RadioView = new QRadioButton(tr("&View only"), this);
    RadioView->setAccessibleName(tr("View only"));
    auto *group = new QButtonGroup(this);
    group->addButton(RadioFull);
    group->addButton(RadioView);
    RadioFull->setChecked(true);
    connect(RadioView, &QRadioButton::toggled, this, [this](bool on) { emit viewOnlyChosen(on); });
    ListTransfers = new QListWidget(this);
    ListTransfers->setAccessibleName(tr("Transfers in progress"));
    ListTransfers->setMaximumHeight(90);
    ListTransfers->hide();
    BttnStop = new QPushButton(tr("&Stop sharing"), this);
    BttnStop->setAccessibleName(tr("Stop sharing"));
    connect(BttnStop, &QPushButton::clicked, this, &SessionPanel::stopClicked);
    layout->addWidget(LblShared);
    layout->addWidget(RadioFull);
    layout->addWidget(RadioView);
    layout->addWidget(ListTransfers);
    layout->addWidget(BttnStop);
    BttnStop->setFocus();
}

void SessionPanel::setViewOnly(bool viewOnly) {
    (viewOnly ? RadioView : RadioFull)->setChecked(true);
}

void SessionPanel::setActivity(const QString &what, int percent) {
    if (percent < 0)
        m_activities.remove(what);
    else
        m_activities[what] = qMin(percent, 100);
    ListTransfers->clear();
    for (auto it = m_activities.cbegin(); it != m_activities.cend(); ++it)
        ListTransfers->addItem(tr("%1: %2 %").arg(it.key()).arg(it.value()));
    ListTransfers->setVisible(!m_activities.isEmpty());
}

// Closing the panel is the same as Stop: a session never runs without its panel.
void SessionPanel::closeEvent(QCloseEvent *event) {
    event->ignore();
    emit stopClicked();
}

} // namespace qhost
