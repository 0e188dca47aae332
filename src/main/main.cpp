#include "main/QuorvAdmin.h"
#include "ui/ApplicationException.h"

#include <QApplication>

namespace {
// Catches what an event handler throws so one failing operation never ends the console.
class QuorviaApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception &e) {
            ApplicationException(receiver, &e);
        } catch (...) {
            ApplicationException(receiver, nullptr);
        }
        return false;
    }
};
} // namespace

int main(int argc, char **argv) {
    QuorviaApplication app(argc, argv);
    TQuorvAdminForm form;
    form.show();
    return app.exec();
}
