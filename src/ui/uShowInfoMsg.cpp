#include "ui/uShowInfoMsg.h"

#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "ui/BorderlessWindow.h"
#include "ui/ResourceBitmap.h"
#include "ui/UrlMemoText.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

TURLMemo::TURLMemo(QWidget *parent) : QTextBrowser(parent) {
    setReadOnly(true);
    // Links are opened here, never followed inside the box.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setTextInteractionFlags(Qt::TextBrowserInteraction);
    connect(this, &QTextBrowser::anchorClicked, this, &TURLMemo::OpenLink);
}

void TURLMemo::setMemoText(const QString &text) {
    PlainText = text.left(UrlMemoMaxChars);
    setHtml(QStringLiteral("<div style=\"white-space: pre-wrap;\">") + UrlMemoHtml(PlainText) +
            QStringLiteral("</div>"));
}

void TURLMemo::OpenLink(const QUrl &url) {
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return;
    emit linkOpened(url);
    QDesktopServices::openUrl(url);
}

TShowInfoMessagesForm::TShowInfoMessagesForm(QWidget *mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("ShowInfoMessagesForm"));
    setFixedSize(FormWidth, FormHeight);
    setStyleSheet(NoticeControlsStyle());
    SetRoundedMask(this, 10);
    LblTitle = new QLabel(this);
    LblTitle->setObjectName(QStringLiteral("LblTitle"));
    LblTitle->setAlignment(Qt::AlignCenter);
    LblTitle->setTextFormat(Qt::PlainText);
    QFont f = LblTitle->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() + 2);
    LblTitle->setFont(f);
    LblTitle->setStyleSheet(QStringLiteral("color: white;"));
    LblTitle->setGeometry(48, 0, FormWidth - 96, 46);
    Memo = new TURLMemo(this);
    Memo->setObjectName(QStringLiteral("URLMemo"));
    Memo->setGeometry(16, 60, FormWidth - 32, 140);
    Memo->setStyleSheet(QStringLiteral(
        "QTextBrowser { background: white; color: rgb(16,67,134); border: 1px solid #b7c7d8; "
        "border-radius: 4px; padding: 4px; }"));
    BttnClose = new QPushButton(this);
    BttnClose->setObjectName(QStringLiteral("BttnClose"));
    PlayClickOnClick(BttnClose);
    BttnClose->setDefault(true);
    connect(BttnClose, &QPushButton::clicked, this, &QDialog::accept);
    EnableSurfaceDrag(this);
    registerLanguageListener(this);
}

void TShowInfoMessagesForm::ApplyTexts() {
    BttnClose->setText(Msg("Close"));
    const int w = qMax(96, BttnClose->sizeHint().width());
    BttnClose->setGeometry((FormWidth - w) / 2, 222, w, 28);
}

void TShowInfoMessagesForm::ShowInfoMessage(bool product, const QString &title,
                                            const QString &text) {
    Product = product;
    // A title too long for the band is shortened; the whole of it shows as the tool tip.
    const QString fullTitle = ToDisplayLines(title).simplified();
    LblTitle->setText(QFontMetrics(LblTitle->font())
                          .elidedText(fullTitle, Qt::ElideRight, LblTitle->width() - 8));
    LblTitle->setToolTip(fullTitle);
    Memo->setMemoText(text);
    ApplyTexts();
    if (QWidget *owner = parentWidget()) {
        const QRect g = owner->frameGeometry();
        move(g.left() + (g.width() - FormWidth) / 2, g.top() + (g.height() - FormHeight) / 2);
    }
    update();
    show();
    raise();
    BttnClose->setFocus();
}

bool TShowInfoMessagesForm::event(QEvent *e) {
    if (WindowMessages::messageOf(e) == WindowMessages::UpdateForm) {
        ApplyTexts();
        return true;
    }
    return QDialog::event(e);
}

void TShowInfoMessagesForm::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xf4, 0xf7, 0xfb));
    p.drawPixmap(rect(), LoadResourceBitmap(Product ? QStringLiteral("rcCommercial_bmp")
                                                    : QStringLiteral("rcOperational_bmp"),
                                            size()));
}
