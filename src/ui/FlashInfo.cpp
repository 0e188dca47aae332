#include "ui/FlashInfo.h"

#include "common/uLanguageMsg.h"
#include "ui/BorderlessWindow.h"
#include "ui/ResourceBitmap.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace {
constexpr int TitleBand = 36;  // height of the title band of the panel pictures
constexpr int TextMiddle = 82; // where a one-line text's middle sits
constexpr int DesignHeight = 130;
constexpr int MinWidth = 220;

class TFlashInfoForm : public QWidget {
public:
    TFlashInfoForm()
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::WindowDoesNotAcceptFocus) {
        setObjectName(QStringLiteral("FlashInfoForm"));
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_DeleteOnClose);
        setFocusPolicy(Qt::NoFocus);
        Title = new QLabel(this);
        Title->setObjectName(QStringLiteral("LblTitle"));
        QFont f = Title->font();
        f.setBold(true);
        Title->setFont(f);
        Title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        Text = new QLabel(this);
        Text->setObjectName(QStringLiteral("LblText"));
        Text->setAlignment(Qt::AlignCenter);
        Text->setTextFormat(Qt::PlainText);
        Text->setWordWrap(true);
        for (QLabel *l : {Title, Text})
            l->setStyleSheet(QStringLiteral("color: rgb(16,67,134);"));
        CloseTimer.setSingleShot(true);
        QObject::connect(&CloseTimer, &QTimer::timeout, this, &QWidget::close);
    }

    void Present(const QString &title, const QString &text, int seconds) {
        Title->setText(title.isEmpty() ? Msg("Info") : title);
        Text->setText(ToDisplayLines(text));

        QRect monitor(0, 0, 1024, 768);
        if (QScreen *s = QGuiApplication::primaryScreen())
            monitor = s->geometry();
        const QFontMetrics fm(Text->font());
        const QRect bounds =
            fm.boundingRect(QRect(0, 0, qMax(MinWidth, monitor.width() - 80), 100000),
                            Qt::AlignHCenter | Qt::TextWordWrap, Text->text());
        const int width =
            std::max({MinWidth, bounds.width() + 30,
                      QFontMetrics(Title->font()).horizontalAdvance(Title->text()) + 60});
        const int textTop = qMax(TitleBand + 8, TextMiddle - bounds.height() / 2);
        const int height = qMax(DesignHeight, textTop + bounds.height() + 22);
        setFixedSize(width, height);
        Title->setGeometry(38, 0, width - 48, TitleBand);
        Text->setGeometry(15, textTop, width - 30, bounds.height());
        SetRoundedMask(this, 8);
        move(monitor.left() + (monitor.width() - width) / 2,
             monitor.top() + (monitor.height() - height) / 2 - 15);
        // start() on a running timer restarts it: the new notice gets its whole duration.
        CloseTimer.start(qMax(1, seconds) * 1000);
        show();
        raise();
    }

    QLabel *Title;
    QLabel *Text;
    QTimer CloseTimer;

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(0xf4, 0xf7, 0xfb));
        DrawSlicedPanel(p, rect(), QStringLiteral("rcInfoSmallLeft_bmp"),
                        QStringLiteral("rcInfoSmallCenter_bmp"),
                        QStringLiteral("rcInfoSmallRight_bmp"), TitleBand + 8, 16);
    }
};

QPointer<TFlashInfoForm> current;
} // namespace

void ShowFlashInfo(const QString &title, const QString &text, int seconds) {
    if (!current)
        current = new TFlashInfoForm;
    current->Present(title, text, seconds);
}

void CloseFlashInfo() {
    // The window deletes itself on close, and with it the title it showed.
    if (current)
        current->close();
    current = nullptr;
}

bool FlashInfoVisible() {
    return current && current->isVisible();
}

QString FlashInfoText() {
    return FlashInfoVisible() ? current->Text->text() : QString();
}

QString FlashInfoTitle() {
    return FlashInfoVisible() ? current->Title->text() : QString();
}

QWidget *FlashInfoWindow() {
    return FlashInfoVisible() ? current.data() : nullptr;
}
