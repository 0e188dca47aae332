#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qhost {

// Where the user types or pastes the key the operator sent (or the invitation's link).
class KeyDialog : public QDialog {
    Q_OBJECT
public:
    explicit KeyDialog(QWidget *parent = nullptr);
    QString keyText() const;
    void setKeyText(const QString &text);
    // Shown under the field: why the last attempt failed, or what happens now.
    void setStatus(const QString &text);
    void setBusy(bool busy);

private:
    QLineEdit *EditKey;
    QLabel *LblStatus;
    QPushButton *BttnConnect;
};

} // namespace qhost
