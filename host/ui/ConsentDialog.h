#pragma once
#include <QDialog>

namespace qhost {

// Asks the user, before anything is shared, whether this operator may see the screen.
// Accepted: share; rejected (Refuse, Esc, closed): nothing is shared.
class ConsentDialog : public QDialog {
    Q_OBJECT
public:
    explicit ConsentDialog(const QString &operatorName, QWidget *parent = nullptr);
};

} // namespace qhost
