// The remote user's chat window with a short conversation, for screenshots.
#include "ChatFeature.h"
#include "ChatWindow.h"
#include "RecordingLink.h"

#include <QApplication>
#include <QPlainTextEdit>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    RecordingLink link;
    qhost::ChatWindow *window = nullptr;
    qhost::ChatFeature chat(link, [&] {
        auto w = std::make_unique<qhost::ChatWindow>();
        window = w.get();
        return w;
    });
    chat.command("RqCh", {});
    chat.command("ChSt", "Hello, I can see your screen now. Which program shows the error?");
    window->findChild<QPlainTextEdit *>()->setPlainText(QStringLiteral("The spreadsheet, when I"));
    chat.command("RTpg", {});
    return app.exec();
}
