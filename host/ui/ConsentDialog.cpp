#include "ConsentDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qhost {

ConsentDialog::ConsentDialog(const QString &operatorName, QWidget *parent) : QDialog(parent) {
    setWindowTitle(tr("Remote support: share your screen?"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(this);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setText(tr("%1 asks to see your screen and to use your mouse and keyboard.\n\n"
                     "Nothing is shared unless you accept. You can switch to view only or stop "
                     "at any time from the panel that stays on your screen.")
                      .arg(operatorName));
    text->setAccessibleName(tr("Request"));
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *accept = buttons->addButton(tr("&Accept"), QDialogButtonBox::AcceptRole);
    accept->setAccessibleName(tr("Accept"));
    QPushButton *refuse = buttons->addButton(tr("&Refuse"), QDialogButtonBox::RejectRole);
    refuse->setAccessibleName(tr("Refuse"));
    // Enter alone must not share the screen: the safe answer is the default.
    refuse->setDefault(true);
    refuse->setFocus();
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(text);
    layout->addWidget(buttons);
}

} // namespace qhost
