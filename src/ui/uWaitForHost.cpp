#include "ui/uWaitForHost.h"

#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "ui/BorderlessWindow.h"
#include "ui/ResourceBitmap.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {
constexpr int StripWidth = 440;
constexpr int StripHeight = 40;
const QSize ComputerSize(40, 34);
const QSize KeySize(28, 16);

// The strip the picture travels along, between the console's computer and the remote one.
class TravelStrip : public QWidget {
public:
    TravelStrip(const TWaitForHostForm *form, QWidget *parent) : QWidget(parent), Form(form) {
        setObjectName(QStringLiteral("Travel"));
        setFixedSize(StripWidth, StripHeight);
        Computer = LoadResourceBitmap(QStringLiteral("rcWaitComputer_bmp"), ComputerSize);
        Key = LoadResourceBitmap(QStringLiteral("rcWaitKey_bmp"), KeySize);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        const int y = (height() - ComputerSize.height()) / 2;
        p.drawPixmap(TWaitForHostForm::TravelStart - 50, y, Computer);
        const int end = TWaitForHostForm::TravelStart +
                        TWaitForHostForm::TravelStep * TWaitForHostForm::TravelPlaces;
        p.drawPixmap(end + 4, y, Computer);
        p.setPen(QPen(QColor(0xb7, 0xc7, 0xd8), 1, Qt::DotLine));
        p.drawLine(TravelStart() - 6, height() / 2, end, height() / 2);
        p.drawPixmap(Form->travelX(), (height() - KeySize.height()) / 2, Key);
    }

private:
    static int TravelStart() { return TWaitForHostForm::TravelStart; }
    const TWaitForHostForm *Form;
    QPixmap Computer, Key;
};
} // namespace

TWaitForHostForm::TWaitForHostForm(QWidget *mainWindow) : DialogFrame(mainWindow, true) {
    setObjectName(QStringLiteral("WaitForHostForm"));
    setModal(false);
    TravelTimer.setInterval(1000);
    connect(&TravelTimer, &QTimer::timeout, this, [this] {
        Place = (Place + 1) % TravelPlaces;
        Travel->update();
    });

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    auto label = [this](const char *name, bool bold = false) {
        auto *l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->setTextFormat(Qt::PlainText);
        if (bold)
            SetHeadingFont(l);
        return l;
    };
    LblKeyTitle = label("LblKeyTitle");
    LblKey = label("LblKey", true);
    LblKey->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LblUrlTitle = label("LblUrlTitle");
    LblUrl = label("LblUrl");
    LblUrl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(LblKeyTitle, 0, 0);
    grid->addWidget(LblKey, 0, 1);
    grid->addWidget(LblUrlTitle, 1, 0);
    grid->addWidget(LblUrl, 1, 1);
    grid->setColumnStretch(1, 1);
    bodyLayout()->addLayout(grid);
    Travel = new TravelStrip(this, this);
    bodyLayout()->addWidget(Travel);
    LblClient = label("LblClient");
    LblClient->setAlignment(Qt::AlignCenter);
    bodyLayout()->addWidget(LblClient);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    BttnCancelSession = button(this, "BttnCancelSession");
    connect(BttnCancelSession, &QPushButton::clicked, this, &TWaitForHostForm::cancelSession);
    bottom->addWidget(BttnCancelSession);
    bodyLayout()->addLayout(bottom);
    registerLanguageListener(this);
    ApplyTexts();
}

void TWaitForHostForm::ApplyTexts() {
    // The header band carries the waiting line.
    setHeaderText(Msg("Waiting for the remote user to connect..."));
    LblKeyTitle->setText(Msg("Session Key: "));
    LblKey->setText(QLatin1Char(' ') + Key);
    LblUrlTitle->setText(Msg("Setup URL:"));
    LblUrl->setText(QLatin1Char(' ') + SetupAddress);
    LblClient->setText(ClientAddress.isEmpty()
                           ? QString()
                           : Msg("Client") + QStringLiteral(" : ") + ClientAddress);
    LblClient->setVisible(!ClientAddress.isEmpty());
    BttnCancelSession->setText(Msg("Cancel session"));
}

bool TWaitForHostForm::event(QEvent *e) {
    if (WindowMessages::messageOf(e) == WindowMessages::UpdateForm) {
        ApplyTexts();
        return true;
    }
    return DialogFrame::event(e);
}

void TWaitForHostForm::ShowWaiting(const QString &invitationKey, const QString &setupAddress,
                                   const QString &clientAddress) {
    Key = invitationKey;
    SetupAddress = setupAddress;
    ClientAddress = clientAddress;
    ShowAgain();
}

void TWaitForHostForm::ShowAgain() {
    if (Key.isEmpty())
        return;
    ApplyTexts();
    Place = 0;
    TravelTimer.start();
    if (!isVisible())
        centreOver(parentWidget());
    show();
    raise();
}

void TWaitForHostForm::CloseWaiting() {
    TravelTimer.stop();
    hide();
}

void TWaitForHostForm::Forget() {
    CloseWaiting();
    Key.clear();
    SetupAddress.clear();
    ClientAddress.clear();
}

int TWaitForHostForm::travelX() const {
    return TravelStart + TravelStep * Place;
}

void TWaitForHostForm::hideEvent(QHideEvent *e) {
    TravelTimer.stop();
    DialogFrame::hideEvent(e);
}
