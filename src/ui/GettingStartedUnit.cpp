#include "ui/GettingStartedUnit.h"

#include "common/uLanguageMsg.h"
#include "settings/uIniFiles.h"

#include <QLabel>

namespace {
constexpr int BulletLeft = 20;
constexpr int TextLeft = 35;
constexpr int SubTextLeft = 50;
constexpr int Gap = 6;

QString html(const QString &catalogText) {
    return ToDisplayLines(catalogText)
        .toHtmlEscaped()
        .replace(QLatin1Char('\n'), QLatin1String("<br>"));
}
} // namespace

TGettingStartedForm::TGettingStartedForm(QWidget *mainWindow) : TGuideWindow(mainWindow) {
    setObjectName(QStringLiteral("GettingStartedForm"));
    PicHeader = addPicture(QStringLiteral("rcUserGetStartedHeader_bmp"));
    PicFooter = addPicture(QStringLiteral("rcUserGetStartedFooter_bmp"));
    for (int i = 0; i < 2; ++i) {
        PicTitle[i] = addPicture(QStringLiteral("rcUserGetStartedTitle_bmp"));
        PicStep[i] = addPicture(QStringLiteral("rcUserGetStartedStep%1_bmp").arg(i + 1));
        LblSection[i] = addLabel(QStringLiteral("LblSection%1").arg(i + 1));
        LblSection[i]->setStyleSheet(QStringLiteral("color: white; font-weight: bold;"));
        LblSection[i]->setWordWrap(false);
    }
    LblHeading = addLabel(QStringLiteral("LblHeading"));
    LblHeading->setStyleSheet(QStringLiteral("color: white; font-weight: bold; font-size: 13pt;"));
    LblHeading->setWordWrap(false);
    for (int i = 0; i < 7; ++i) {
        Bullets[i] = addLabel(QStringLiteral("Bullet%1").arg(i));
        Bullets[i]->setText(QStringLiteral("\u2022"));
    }
    for (int i = 0; i < 4; ++i)
        Texts[i] = addLabel(QStringLiteral("LblText%1").arg(i));
    LblChoose = addLabel(QStringLiteral("LblChoose"));
    for (int i = 0; i < 3; ++i)
        Ways[i] = addLabel(QStringLiteral("LblWay%1").arg(i), true);
    for (int i = 0; i < 2; ++i)
        Closing[i] = addLabel(QStringLiteral("LblClosing%1").arg(i), true);
    ApplyTexts();
}

void TGettingStartedForm::ApplyTexts() {
    setWindowTitle(QStringLiteral(" ") + Msg("Getting started"));
    LblHeading->setText(Msg("GETTING STARTED WITH QUORVIA ACCESS"));
    LblSection[0]->setText(Msg("1. Configure QUORVIA"));
    LblSection[1]->setText(Msg("2. Start a support session"));
    const char *const steps[] = {
        "In the menu, click on \"Settings\" and then on \"Configure connection settings\" Enter "
        "your username and password\r\nin the appropriate fields.",
        "Also configure the proxy settings accordingly if your computer is behind a Proxy server",
        "Click on \"Save\" to save your connection settings.",
        "Start Quorvia and hit the \"Start a new support session\" button. This will "
        "automatically log you in to the\r\nQuorvia gateways on the internet and generate a "
        "unique session key."};
    for (int i = 0; i < 4; ++i)
        Texts[i]->setText(ToDisplayLines(Msg(steps[i])));
    LblChoose->setText(Msg("You can choose between:"));
    const char *const ways[3][2] = {
        {"SEND MAIL USING QUORVIA INTERNET MAIL:",
         "Enter the email address of the remote user and Quorvia\r\nwill send the mail "
         "automatically."},
        {"SEND MAIL WITH SESSION KEY:",
         "Starts a new email message from your default email software with a \r\nSetup "
         "Hyperlink and the session key already in the body,so you only have to enter\r\nyour "
         "customers email address."},
        {"COPY SESSION KEY TO CLIPBOARD:",
         "Copies the Setup Hyperlink and the Session key to your clipboard so that\r\nyou can "
         "paste it yourself."}};
    for (int i = 0; i < 3; ++i)
        Ways[i]->setText(
            QStringLiteral("<b>%1</b> %2").arg(html(Msg(ways[i][0])), html(Msg(ways[i][1]))));
    Closing[0]->setText(html(Msg(" The remote user receives your email with setup instructions. "
                                 "When the user clicks on the hyperlink,\r\n the Quorvia client "
                                 "will launch and remote control session starts.")));
    const QString setup = QStringLiteral("https://") + settings().SetupUrl;
    Closing[1]->setText(
        html(Msg(" If email is no option, than the remote must surf to:")) +
        QStringLiteral(" <b>%1</b>").arg(setup.toHtmlEscaped()) +
        html(Msg(" and follow the instructions. When the Quorvia client is started, the user "
                 "must enter the session key manually.\r\n\r\n When the remote control session "
                 "ends, the Quorvia client will automatically uninstall from the remote\r\n "
                 "computer and the original desktop settings will be restored.")));
    LayOut();
}

void TGettingStartedForm::LayOut() {
    const int width = contentWidth();
    const auto place = [](QLabel *l, int x, int y, int w) {
        l->setGeometry(x, y, w,
                       l->heightForWidth(w) > 0 ? l->heightForWidth(w) : l->sizeHint().height());
        return l->height();
    };
    PicHeader->move(0, 0);
    place(LblHeading, 20, qMax(8, PicHeader->height() - 36), width - 40);
    int y = PicHeader->height() + 14;
    int bullet = 0;
    const auto section = [&](int i) {
        PicTitle[i]->move(BulletLeft, y);
        const int h = qMax(PicTitle[i]->height(), 24);
        LblSection[i]->setGeometry(BulletLeft + 10, y, width - 2 * BulletLeft - 20, h);
        y += h + 10;
    };
    const auto item = [&](QLabel *text, int bulletX, int textX) {
        Bullets[bullet]->setGeometry(bulletX, y, textX - bulletX, 18);
        ++bullet;
        y += place(text, textX, y, width - textX - 20) + Gap;
    };
    section(0);
    for (int i = 0; i < 3; ++i)
        item(Texts[i], BulletLeft, TextLeft);
    PicStep[0]->move(TextLeft, y + 4);
    y += PicStep[0]->height() + 18;
    section(1);
    item(Texts[3], BulletLeft, TextLeft);
    y += place(LblChoose, TextLeft, y, width - TextLeft - 20) + Gap;
    for (int i = 0; i < 3; ++i)
        item(Ways[i], TextLeft, SubTextLeft);
    PicStep[1]->move(TextLeft, y + 4);
    y += PicStep[1]->height() + 18;
    for (QLabel *l : Closing)
        y += place(l, TextLeft - 4, y, width - TextLeft - 16) + Gap;
    y += 10;
    PicFooter->move(0, y);
    setContentHeight(y + PicFooter->height());
}
