#include "ui/AccessibleControls.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {
// A clickable text is a button, not static text: its caption is its name and "Press" runs it.
class ClickLabelAccessible : public QAccessibleWidget {
public:
    explicit ClickLabelAccessible(TClickLabel *label)
        : QAccessibleWidget(label, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const TClickLabel *>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &action) override {
        if (action == pressAction()) {
            if (widget()->isEnabled())
                static_cast<TClickLabel *>(widget())->click();
            return;
        }
        QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface *clickLabelFactory(const QString &, QObject *object) {
    if (auto *label = qobject_cast<TClickLabel *>(object))
        return new ClickLabelAccessible(label);
    return nullptr;
}

void installFactoryOnce() {
    static const bool installed = [] {
        QAccessible::installFactory(clickLabelFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
} // namespace

void SetButtonHint(QWidget *button, const QString &hint, const QString &name) {
    button->setToolTip(hint);
    button->setAccessibleName(name.isEmpty() ? hint : name);
    button->setAccessibleDescription(hint);
}

TClickLabel::TClickLabel(QWidget *parent) : TClickLabel(QString(), parent) {}

TClickLabel::TClickLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {
    installFactoryOnce();
    setFocusPolicy(Qt::TabFocus);
}

void TClickLabel::click() {
    emit clicked();
}

void TClickLabel::keyPressEvent(QKeyEvent *e) {
    switch (e->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!e->isAutoRepeat())
            click();
        e->accept();
        return;
    default:
        QLabel::keyPressEvent(e);
    }
}

void TClickLabel::mouseReleaseEvent(QMouseEvent *e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        click();
}

void TClickLabel::paintEvent(QPaintEvent *e) {
    QLabel::paintEvent(e);
    if (!hasFocus())
        return;
    QPainter p(this);
    QStyleOptionFocusRect o;
    o.initFrom(this);
    o.rect = contentsRect().adjusted(0, 1, 0, -1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &o, &p, this);
}
