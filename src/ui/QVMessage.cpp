#include "ui/QVMessage.h"

#include <QMessageBox>
#include <QPushButton>

namespace {
MessageWindowHook &hook() {
    static MessageWindowHook h;
    return h;
}

struct ButtonDef {
    int bit;
    int result;
    const char *caption;
};
constexpr ButtonDef buttonDefs[] = {
    {MsgButton::Yes, mrYes, "Yes"},       {MsgButton::No, mrNo, "No"},
    {MsgButton::OK, mrOK, "OK"},          {MsgButton::Cancel, mrCancel, "Cancel"},
    {MsgButton::Close, mrClose, "Close"}, {MsgButton::CancelSession, mrCancelSession, "Cancel session"},
};
} // namespace

void SetMessageWindowHook(MessageWindowHook h) { hook() = std::move(h); }

int ShowMessageWindow(int kind, const QString &text, int buttons) {
    if (buttons == 0)
        buttons = MsgButton::Close;
    if (hook())
        return hook()(kind, text, buttons);
    QMessageBox box;
    box.setWindowTitle(QStringLiteral(" WARNING"));
    box.setText(QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    box.setIcon(kind == mkError         ? QMessageBox::Critical
                : kind == mkInformation ? QMessageBox::Information
                                        : QMessageBox::Warning);
    int result = mrClose;
    std::vector<std::pair<QAbstractButton *, int>> made;
    for (const ButtonDef &d : buttonDefs) {
        if (buttons & d.bit)
            made.emplace_back(box.addButton(QString::fromLatin1(d.caption), QMessageBox::AcceptRole),
                              d.result);
    }
    box.exec();
    for (const auto &[button, r] : made) {
        if (box.clickedButton() == button)
            result = r;
    }
    return result;
}
