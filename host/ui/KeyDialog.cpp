#include "KeyDialog.h"
#include "core/JoinKey.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qhost {

KeyDialog::KeyDialog(QWidget *parent) : QDialog(parent) {
    setWindowTitle(tr("Remote support"));
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(tr("&Key from your support operator:"), this);
    EditKey = new QLineEdit(this);
    EditKey->setAccessibleName(tr("Session key"));
    EditKey->setMaxLength(4096); // the invitation's whole link may be pasted
    label->setBuddy(EditKey);
    LblStatus = new QLabel(this);
    LblStatus->setWordWrap(true);
    LblStatus->setAccessibleName(tr("Status"));
    auto *buttons = new QDialogButtonBox(this);
    BttnConnect = buttons->addButton(tr("&Connect"), QDialogButtonBox::AcceptRole);
    BttnConnect->setAccessibleName(tr("Connect"));
    BttnConnect->setDefault(true);
    QPushButton *quit = buttons->addButton(tr("&Quit"), QDialogButtonBox::RejectRole);
    quit->setAccessibleName(tr("Quit"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    const auto check = [this] { BttnConnect->setEnabled(ParseJoinKey(keyText()).has_value()); };
    connect(EditKey, &QLineEdit::textChanged, this, check);
    check();
    layout->addWidget(label);
    layout->addWidget(EditKey);
    layout->addWidget(LblStatus);
    layout->addWidget(buttons);
    resize(420, sizeHint().height());
}

QString KeyDialog::keyText() const {
    return EditKey->text();
}

void KeyDialog::setKeyText(const QString &text) {
    EditKey->setText(text);
}

void KeyDialog::setStatus(const QString &text) {
    LblStatus->setText(text);
}

void KeyDialog::setBusy(bool busy) {
    EditKey->setEnabled(!busy);
    BttnConnect->setEnabled(!busy && ParseJoinKey(keyText()).has_value());
}

} // namespace qhost
