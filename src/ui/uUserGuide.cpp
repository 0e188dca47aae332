#include "ui/uUserGuide.h"

#include "common/uLanguageMsg.h"
#include "hook/HostKeys.h"
#include "screen/ScreenButtonPictures.h"
#include "ui/ResourceBitmap.h"

#include <QLabel>

namespace {
constexpr int PictureLeft = 20;
constexpr int TextLeft = 62;
constexpr int PictureSize = 30;

struct Row {
    const char *picture;
    const char *description;
};
// The toolbar's pictures in its order, with the pictures of the full-screen toolbar that the
// main toolbar does not have. The Ctrl-Alt-Del row is left out, as its button is.
constexpr Row Rows[] = {
    {"rcConnect_bmp", "Start new support session"},
    {"rcDisconnect_bmp", "Stop the current support session."},
    {"rcHostInfo_bmp", "Display's general technical information about the remote computer."},
    {"rcRefresh_bmp", "Refresh the screen by requesting an instant update of the remote screen."},
    {"rcHideWallpaper_bmp", "Hide the remote computer's wallpaper to optimize performance."},
    {"rcShowWallpaper_bmp", "Show the remote computer' wallpaper."},
    {"rcTaskManager_bmp", "Show the Windows Task manager on the remote computer."},
    {"rcReboot_bmp", "Reboot the computer and automatically reconnect after startup or logon."},
    {"rcPrintScreen_bmp", "Print the remote screen to your printer. You can choose one if "
                          "multiple printers are available."},
    {"rcChatBtn_bmp", "Start a chat session with the remote user."},
    {"rcDownloadClip_bmp",
     "Download the remote clipboard to your clipboard. (TEXT && PICTURES ONLY!)"},
    {"rcUploadClip_bmp", "Upload your clipboard to the remote clipboard. (TEXT && PICTURES ONLY!)"},
    {"rcFileTransfer_bmp", "Start the drag && drop file transfer application."},
    {"rcScreenshot_bmp",
     "Takes a screenshot and creates a JPG file in your Quorvia application folder."},
    {"rcStartRecording_bmp", "Start recording the remote screen to a movie file (.avi) in your "
                             "Quorvia application folder."},
    {"rcStopRecording_bmp", "Stop screen recording."},
    {"rcFullScreen_bmp", "Switch to full screen mode."},
    {"rcNormalScreen_bmp",
     "Switch back to normal window mode. (Only available in full screen mode)"},
    {"rcFitToScreen_bmp",
     "Resize the remote screen to fit your full screen. (Only available in full screen mode)"},
    {"rcScalePropOn_bmp", "Proportionally scale the remote screen."},
    {"rcScaleMaxOn_bmp", "Completely scale the remote screen to fit your screen."},
    {"rcToTray_bmp", "Move application to system tray and restore when the remote user connects."},
};

QString captionText(const char *catalogText) {
    return ToDisplayLines(Msg(catalogText)).replace(QLatin1String("&&"), QLatin1String("&"));
}
} // namespace

TUserGuideForm::TUserGuideForm(QWidget *mainWindow) : TGuideWindow(mainWindow) {
    setObjectName(QStringLiteral("UserGuideForm"));
    PicHeader = addPicture(QStringLiteral("rcUserGetStartedHeader_bmp"));
    PicFooter = addPicture(QStringLiteral("rcUserGetStartedFooter_bmp"));
    LblHeading = addLabel(QStringLiteral("LblHeading"));
    LblHeading->setStyleSheet(QStringLiteral("color: white; font-weight: bold; font-size: 13pt;"));
    LblHeading->setWordWrap(false);
    for (const Row &r : Rows) {
        auto *picture = addPicture(QString(), QSize(PictureSize, PictureSize));
        picture->setObjectName(QLatin1String(r.picture));
        // Drawn at 30 pixels from the vector picture rather than enlarged from the button's 24.
        QPixmap pm = LoadResourceBitmap(QLatin1String(r.picture), QSize(PictureSize, PictureSize));
        if (pm.isNull())
            pm = ScreenButtonIcon(QLatin1String(r.picture)).pixmap(QSize(PictureSize, PictureSize));
        picture->setPixmap(pm);
        RowPictures.append(picture);
        RowTexts.append(addLabel(QStringLiteral("LblRow%1").arg(RowTexts.size())));
    }
    PicMeter = addPicture(QStringLiteral("rcConnectionMeter_bmp"));
    LblMeter = addLabel(QStringLiteral("LblMeter"));
    LblKeysHeading = addLabel(QStringLiteral("LblKeysHeading"));
    LblKeysHeading->setStyleSheet(LblKeysHeading->styleSheet() +
                                  QStringLiteral("font-weight: bold;"));
    LblKeys = addLabel(QStringLiteral("LblKeys"));
    for (int c = 0; c < HostKeys::CommandCount; ++c) {
        KeyNames.append(addLabel(QStringLiteral("LblHostKey%1").arg(c)));
        KeyTexts.append(addLabel(QStringLiteral("LblHostKeyText%1").arg(c)));
    }
    ApplyTexts();
}

void TUserGuideForm::ApplyTexts() {
    setWindowTitle(QStringLiteral(" ") + Msg("Quick user guide"));
    LblHeading->setText(Msg("USER GUIDE - APPLICATION ICONS"));
    for (int i = 0; i < RowTexts.size(); ++i)
        RowTexts[i]->setText(captionText(Rows[i].description));
    LblMeter->setText(captionText("This progress bar displays the connection performance status "
                                  "and will alert you if the\r\nconnection is critical."));
    LblKeysHeading->setText(Msg("KEYS DURING A SESSION"));
    LblKeys->setText(captionText("During a session every key goes to the remote computer. Hold "
                                 "Right Ctrl and press a letter to give a command to Quorvia "
                                 "instead; Right Ctrl alone releases the keyboard and captures "
                                 "it again."));
    for (int c = 0; c < HostKeys::CommandCount; ++c) {
        KeyNames[c]->setText(HostKeys::text(HostKeys::Command(c)));
        KeyTexts[c]->setText(captionText(HostKeys::caption(HostKeys::Command(c))));
    }
    LayOut();
}

void TUserGuideForm::LayOut() {
    const int textWidth = contentWidth() - TextLeft - 20;
    PicHeader->move(0, 0);
    LblHeading->setGeometry(20, qMax(8, PicHeader->height() - 36), contentWidth() - 40, 28);
    int top = PicHeader->height();
    for (int i = 0; i < RowTexts.size(); ++i) {
        QLabel *text = RowTexts[i];
        const int h = text->heightForWidth(textWidth);
        RowPictures[i]->move(PictureLeft, top + 8);
        text->setGeometry(TextLeft, top + 12, textWidth, h);
        top += h > 20 ? WrappedRowHeight : RowHeight;
    }
    top += 16;
    PicMeter->move(PictureLeft, top + 8);
    const int meterTextLeft = PictureLeft + qMax(PicMeter->width(), PictureSize) + 12;
    const int meterWidth = contentWidth() - meterTextLeft - 20;
    LblMeter->setGeometry(meterTextLeft, top + 4, meterWidth, LblMeter->heightForWidth(meterWidth));
    top += qMax(PicMeter->height() + 8, LblMeter->height() + 4) + 20;
    const int keysWidth = contentWidth() - 2 * PictureLeft;
    LblKeysHeading->setGeometry(PictureLeft, top, keysWidth, 20);
    top += 24;
    LblKeys->setGeometry(PictureLeft, top, keysWidth, LblKeys->heightForWidth(keysWidth));
    top += LblKeys->height() + 8;
    constexpr int KeyColumn = 130;
    for (int c = 0; c < KeyNames.size(); ++c) {
        KeyNames[c]->setGeometry(PictureLeft, top, KeyColumn, 20);
        KeyTexts[c]->setGeometry(PictureLeft + KeyColumn, top, keysWidth - KeyColumn, 20);
        top += 22;
    }
    top += 20;
    PicFooter->move(0, top);
    setContentHeight(top + PicFooter->height());
}
