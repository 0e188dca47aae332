#include "ui/BorderlessWindow.h"

#include "ui/uSounds.h"

#include <QAbstractButton>
#include <QBitmap>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace {
class SurfaceDrag : public QObject {
public:
    explicit SurfaceDrag(QWidget *window) : QObject(window), Window(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *e) override {
        if (watched != Window)
            return false;
        switch (e->type()) {
        case QEvent::MouseButtonPress: {
            auto *m = static_cast<QMouseEvent *>(e);
            if (m->button() != Qt::LeftButton)
                return false;
            Offset = m->globalPosition().toPoint() - Window->frameGeometry().topLeft();
            Dragging = true;
            return true;
        }
        case QEvent::MouseMove: {
            auto *m = static_cast<QMouseEvent *>(e);
            if (!Dragging || !(m->buttons() & Qt::LeftButton))
                return false;
            Window->move(m->globalPosition().toPoint() - Offset);
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (!Dragging)
                return false;
            Dragging = false;
            return true;
        default:
            return false;
        }
    }

private:
    QWidget *Window;
    QPoint Offset;
    bool Dragging = false;
};
} // namespace

void EnableSurfaceDrag(QWidget *window) {
    window->installEventFilter(new SurfaceDrag(window));
}

void SetRoundedMask(QWidget *window, int radius) {
    QBitmap mask(window->size());
    mask.fill(Qt::color0);
    QPainter p(&mask);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::color1);
    QPainterPath path;
    path.addRoundedRect(QRectF(window->rect()), radius, radius);
    p.drawPath(path);
    p.end();
    window->setMask(mask);
}

void SetHeadingFont(QWidget *label) {
    QFont f = label->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() + 1);
    label->setFont(f);
}

QString NoticeControlsStyle() {
    return QStringLiteral(
        "QPushButton { color: #104386; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
        "stop:0 #ffffff, stop:1 #dfe7f1); border: 1px solid #8aa3bf; border-radius: 4px; "
        "padding: 3px 12px; min-height: 18px; }"
        "QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
        "stop:0 #ffffff, stop:1 #eaf1f9); border-color: #5d81a3; }"
        "QPushButton:pressed { background: #d3deeb; }"
        "QPushButton:focus { border: 1px solid #104386; }"
        "QCheckBox { color: #104386; }");
}

void PlayClickOnClick(QAbstractButton *button) {
    QObject::connect(button, &QAbstractButton::clicked, button, [] { PlaySystemSound(sndClick); });
}

QFont FontFittingWidth(const QFont &font, const QString &text, int width, double minPointSize) {
    QFont f = font;
    while (QFontMetrics(f).horizontalAdvance(text) > width && f.pointSizeF() - 0.5 >= minPointSize)
        f.setPointSizeF(f.pointSizeF() - 0.5);
    return f;
}

void FitLabelFont(QLabel *label, int width, double minPointSize) {
    // Start from the font the label would have without an earlier fitting.
    QFont base = label->parentWidget() ? label->parentWidget()->font() : label->font();
    base.setBold(label->font().bold());
    label->setFont(FontFittingWidth(base, label->text(), width, minPointSize));
}
