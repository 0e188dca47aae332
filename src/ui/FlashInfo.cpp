#include "ui/FlashInfo.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {
class TFlashInfoForm : public QWidget {
public:
    TFlashInfoForm()
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::WindowDoesNotAcceptFocus) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_DeleteOnClose);
        setObjectName(QStringLiteral("FlashInfo"));
        setStyleSheet(QStringLiteral("#FlashInfo { background: #eef3f9; border: 1px solid "
                                     "#5d81a3; border-radius: 6px; } QLabel { color: #104386; }"));
        auto *layout = new QVBoxLayout(this);
        title = new QLabel(this);
        QFont f = title->font();
        f.setBold(true);
        title->setFont(f);
        text = new QLabel(this);
        text->setAlignment(Qt::AlignCenter);
        layout->addWidget(title);
        layout->addWidget(text);
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, this, &QWidget::close);
    }
    QLabel *title;
    QLabel *text;
    QTimer timer;
};

QPointer<TFlashInfoForm> current;
} // namespace

void ShowFlashInfo(const QString &title, const QString &text, int seconds) {
    CloseFlashInfo();
    auto *w = new TFlashInfoForm;
    w->title->setText(title.isEmpty() ? QStringLiteral("Info") : title);
    w->text->setText(QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    w->adjustSize();
    w->resize(qMax(220, w->text->sizeHint().width() + 30), w->sizeHint().height());
    if (QScreen *s = QGuiApplication::primaryScreen()) {
        const QRect g = s->geometry();
        w->move(g.left() + (g.width() - w->width()) / 2,
                g.top() + (g.height() - w->height()) / 2 - 15);
    }
    w->timer.start(qMax(1, seconds) * 1000);
    w->show();
    current = w;
}

void CloseFlashInfo() {
    if (current)
        current->close();
    current = nullptr;
}

bool FlashInfoVisible() { return current && current->isVisible(); }

QString FlashInfoText() { return current ? current->text->text() : QString(); }
