#include "common/uLanguageMsg.h"

#include "common/WindowMessages.h"
#include "settings/uIniFiles.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMutex>
#include <QPointer>
#include <QSet>
#include <QTranslator>

#include <array>
#include <atomic>
#include <memory>
#include <string_view>
#include <unordered_set>

namespace {

constexpr char CatalogContext[] = "MessageCatalog";
constexpr char InvitationContext[] = "InvitationTexts";

// The English texts, in the order of the message list. The translations are kept in
// translations/src/catalog.txt; its make_ts.py checks that this table and that file agree.
// clang-format off
const char *const Entries[] = {
    QT_TRANSLATE_NOOP("MessageCatalog", "Connection"), // 1
    QT_TRANSLATE_NOOP("MessageCatalog", "View"), // 2
    QT_TRANSLATE_NOOP("MessageCatalog", "Transfer"), // 3
    QT_TRANSLATE_NOOP("MessageCatalog", "Client"), // 4
    QT_TRANSLATE_NOOP("MessageCatalog", "Settings"), // 5
    QT_TRANSLATE_NOOP("MessageCatalog", "Help"), // 6
    QT_TRANSLATE_NOOP("MessageCatalog", "on"), // 7
    QT_TRANSLATE_NOOP("MessageCatalog", "off"), // 8
    QT_TRANSLATE_NOOP("MessageCatalog", "Error"), // 9
    QT_TRANSLATE_NOOP("MessageCatalog", "Info"), // 10
    QT_TRANSLATE_NOOP("MessageCatalog", "Warning"), // 11
    QT_TRANSLATE_NOOP("MessageCatalog", "Refresh"), // 12
    QT_TRANSLATE_NOOP("MessageCatalog", "Cancel"), // 13
    QT_TRANSLATE_NOOP("MessageCatalog", "Save"), // 14
    QT_TRANSLATE_NOOP("MessageCatalog", "Cancel session"), // 15
    QT_TRANSLATE_NOOP("MessageCatalog", "Send"), // 16
    QT_TRANSLATE_NOOP("MessageCatalog", "Close"), // 17
    QT_TRANSLATE_NOOP("MessageCatalog", "Minimize"), // 18
    QT_TRANSLATE_NOOP("MessageCatalog", "Yes"), // 19
    QT_TRANSLATE_NOOP("MessageCatalog", "No"), // 20
    QT_TRANSLATE_NOOP("MessageCatalog", "OK"), // 21
    QT_TRANSLATE_NOOP("MessageCatalog", "Close form"), // 22
    QT_TRANSLATE_NOOP("MessageCatalog", "Username :"), // 23
    QT_TRANSLATE_NOOP("MessageCatalog", "Password :"), // 24
    QT_TRANSLATE_NOOP("MessageCatalog", "Proxy name :"), // 25
    QT_TRANSLATE_NOOP("MessageCatalog", "Proxy port :"), // 26
    QT_TRANSLATE_NOOP("MessageCatalog", "Select application language:"), // 27
    QT_TRANSLATE_NOOP("MessageCatalog", "No proxy detected"), // 28
    QT_TRANSLATE_NOOP("MessageCatalog", "Start new support session"), // 29
    QT_TRANSLATE_NOOP("MessageCatalog", "End support session"), // 30
    QT_TRANSLATE_NOOP("MessageCatalog", "colors"), // 31
    QT_TRANSLATE_NOOP("MessageCatalog", "Show statusbar"), // 32
    QT_TRANSLATE_NOOP("MessageCatalog", "Hide statusbar"), // 33
    QT_TRANSLATE_NOOP("MessageCatalog", "Toolbar"), // 34
    QT_TRANSLATE_NOOP("MessageCatalog", "Start session recording"), // 35
    QT_TRANSLATE_NOOP("MessageCatalog", "End session recording"), // 36
    QT_TRANSLATE_NOOP("MessageCatalog", "Replay recorded session"), // 37
    QT_TRANSLATE_NOOP("MessageCatalog", "Show mouse moves on remote"), // 38
    QT_TRANSLATE_NOOP("MessageCatalog", "Download clipboard from client"), // 39
    QT_TRANSLATE_NOOP("MessageCatalog", "Upload clipboard to client"), // 40
    QT_TRANSLATE_NOOP("MessageCatalog", "Transfer file"), // 41
    QT_TRANSLATE_NOOP("MessageCatalog", "Refresh screen"), // 42
    QT_TRANSLATE_NOOP("MessageCatalog", "Get info client PC"), // 43
    QT_TRANSLATE_NOOP("MessageCatalog", "Configure connection settings"), // 44
    QT_TRANSLATE_NOOP("MessageCatalog", "Configure application settings"), // 45
    QT_TRANSLATE_NOOP("MessageCatalog", "About"), // 46
    QT_TRANSLATE_NOOP("MessageCatalog", "Getting started"), // 47
    QT_TRANSLATE_NOOP("MessageCatalog", "Quick user guide"), // 48
    QT_TRANSLATE_NOOP("MessageCatalog", "Quorvia on the web"), // 49
    QT_TRANSLATE_NOOP("MessageCatalog", "Technical support"), // 50
    QT_TRANSLATE_NOOP("MessageCatalog", "Consult the knowledge base"), // 51
    QT_TRANSLATE_NOOP("MessageCatalog", "Frequently asked questions"), // 52
    QT_TRANSLATE_NOOP("MessageCatalog", "Product history"), // 53
    QT_TRANSLATE_NOOP("MessageCatalog", "Online product information"), // 54
    QT_TRANSLATE_NOOP("MessageCatalog", "Contact Quorvia"), // 55
    QT_TRANSLATE_NOOP("MessageCatalog", "Consult the support forum"), // 56
    QT_TRANSLATE_NOOP("MessageCatalog", "Ask a question"), // 57
    QT_TRANSLATE_NOOP("MessageCatalog", "Screen modes"), // 58
    QT_TRANSLATE_NOOP("MessageCatalog", "Start chat session"), // 59
    QT_TRANSLATE_NOOP("MessageCatalog", "Show wallpaper"), // 60
    QT_TRANSLATE_NOOP("MessageCatalog", "Hide wallpaper"), // 61
    QT_TRANSLATE_NOOP("MessageCatalog", "Start taskmanager"), // 62
    QT_TRANSLATE_NOOP("MessageCatalog", "Reboot client computer"), // 63
    QT_TRANSLATE_NOOP("MessageCatalog", "Print remote screen"), // 64
    QT_TRANSLATE_NOOP("MessageCatalog", "Save screenshot to desktop"), // 65
    QT_TRANSLATE_NOOP("MessageCatalog", "Switch to full screen mode"), // 66
    QT_TRANSLATE_NOOP("MessageCatalog", "Switch to normal screen mode"), // 67
    QT_TRANSLATE_NOOP("MessageCatalog", "Fit to screen"), // 68
    QT_TRANSLATE_NOOP("MessageCatalog", "Send Ctrl-Alt-Del"), // 69
    QT_TRANSLATE_NOOP("MessageCatalog", "Lock toolbar"), // 70
    QT_TRANSLATE_NOOP("MessageCatalog", "Release toolbar"), // 71
    QT_TRANSLATE_NOOP("MessageCatalog", "Enable proportional scale"), // 72
    QT_TRANSLATE_NOOP("MessageCatalog", "Enable full scale"), // 73
    QT_TRANSLATE_NOOP("MessageCatalog", "Disable proportional scale"), // 74
    QT_TRANSLATE_NOOP("MessageCatalog", "Disable full scale"), // 75
    QT_TRANSLATE_NOOP("MessageCatalog", "Manage my account online"), // 76
    QT_TRANSLATE_NOOP("MessageCatalog", "Submit a new support request"), // 77
    QT_TRANSLATE_NOOP("MessageCatalog", "Quick links"), // 78
    QT_TRANSLATE_NOOP("MessageCatalog", "Your Quorvia Account"), // 79
    QT_TRANSLATE_NOOP("MessageCatalog", "Customer Support"), // 80
    QT_TRANSLATE_NOOP("MessageCatalog", "Local"), // 81
    QT_TRANSLATE_NOOP("MessageCatalog", "Remote"), // 82
    QT_TRANSLATE_NOOP("MessageCatalog", "Time: "), // 83
    QT_TRANSLATE_NOOP("MessageCatalog", "Selection error"), // 84
    QT_TRANSLATE_NOOP("MessageCatalog", "Not logged on !"), // 85
    QT_TRANSLATE_NOOP("MessageCatalog", "Name:"), // 86
    QT_TRANSLATE_NOOP("MessageCatalog", "Client IP:"), // 87
    QT_TRANSLATE_NOOP("MessageCatalog", "Operator:"), // 88
    QT_TRANSLATE_NOOP("MessageCatalog", "(requested by client)"), // 89
    QT_TRANSLATE_NOOP("MessageCatalog", "On top"), // 90
    QT_TRANSLATE_NOOP("MessageCatalog", "On bottom"), // 91
    QT_TRANSLATE_NOOP("MessageCatalog", "Left"), // 92
    QT_TRANSLATE_NOOP("MessageCatalog", "Right"), // 93
    QT_TRANSLATE_NOOP("MessageCatalog", "Enabling the remote wallpaper will significantly decrease the application performance!\rThe remote wallpaper automatically re-enables when a support session ends.\rDo you really want to enable the remote wallpaper?"), // 94
    QT_TRANSLATE_NOOP("MessageCatalog", "Screen scaling is not allowed during session recording"), // 95
    QT_TRANSLATE_NOOP("MessageCatalog", "Screen recording not allowed when screenscaling is enabled"), // 96
    QT_TRANSLATE_NOOP("MessageCatalog", "Mail info"), // 97
    QT_TRANSLATE_NOOP("MessageCatalog", "Mail error"), // 98
    QT_TRANSLATE_NOOP("MessageCatalog", "Closing ..."), // 99
    QT_TRANSLATE_NOOP("MessageCatalog", "Logging off ..."), // 100
    QT_TRANSLATE_NOOP("MessageCatalog", "Session time : "), // 101
    QT_TRANSLATE_NOOP("MessageCatalog", "Logged off"), // 102
    QT_TRANSLATE_NOOP("MessageCatalog", "Session ended"), // 103
    QT_TRANSLATE_NOOP("MessageCatalog", "Rebooting ..."), // 104
    QT_TRANSLATE_NOOP("MessageCatalog", "Connecting to "), // 105
    QT_TRANSLATE_NOOP("MessageCatalog", "Unable to set selected screen mode"), // 106
    QT_TRANSLATE_NOOP("MessageCatalog", "Screen mode not available"), // 107
    QT_TRANSLATE_NOOP("MessageCatalog", "Connection settings incomplete"), // 108
    QT_TRANSLATE_NOOP("MessageCatalog", "Could not start recorder"), // 109
    QT_TRANSLATE_NOOP("MessageCatalog", "Rebooting remote computer ..."), // 110
    QT_TRANSLATE_NOOP("MessageCatalog", "Not allowed while chatting"), // 111
    QT_TRANSLATE_NOOP("MessageCatalog", "Client logged on"), // 112
    QT_TRANSLATE_NOOP("MessageCatalog", "Remote computer is rebooting"), // 113
    QT_TRANSLATE_NOOP("MessageCatalog", "Reboot/shutdown denied by peer\rClose all running programs"), // 114
    QT_TRANSLATE_NOOP("MessageCatalog", "Client connected at: "), // 115
    QT_TRANSLATE_NOOP("MessageCatalog", "Client disconnected at: "), // 116
    QT_TRANSLATE_NOOP("MessageCatalog", "Client connection lost ..."), // 117
    QT_TRANSLATE_NOOP("MessageCatalog", "Session ended by client"), // 118
    QT_TRANSLATE_NOOP("MessageCatalog", "Clipboard content to large"), // 119
    QT_TRANSLATE_NOOP("MessageCatalog", "Error sending clipboard"), // 120
    QT_TRANSLATE_NOOP("MessageCatalog", "No clipboard content"), // 121
    QT_TRANSLATE_NOOP("MessageCatalog", "Clipboard transfer error"), // 122
    QT_TRANSLATE_NOOP("MessageCatalog", "Bad connection to gateway"), // 123
    QT_TRANSLATE_NOOP("MessageCatalog", "or incorrect connection settings"), // 124
    QT_TRANSLATE_NOOP("MessageCatalog", "Bad connection"), // 125
    QT_TRANSLATE_NOOP("MessageCatalog", "Please wait a moment ..."), // 126
    QT_TRANSLATE_NOOP("MessageCatalog", "Gateway connection lost\rClosing current session"), // 127
    QT_TRANSLATE_NOOP("MessageCatalog", "An email is sent to the remote user."), // 128
    QT_TRANSLATE_NOOP("MessageCatalog", "Mail delivery error"), // 129
    QT_TRANSLATE_NOOP("MessageCatalog", "This program can only run on Windows NT"), // 130
    QT_TRANSLATE_NOOP("MessageCatalog", "Could not create Snapshots folder"), // 131
    QT_TRANSLATE_NOOP("MessageCatalog", "Error saving picture"), // 132
    QT_TRANSLATE_NOOP("MessageCatalog", "Proxy settings required"), // 133
    QT_TRANSLATE_NOOP("MessageCatalog", "SSL negotiation error"), // 134
    QT_TRANSLATE_NOOP("MessageCatalog", "SSL certificate not valid"), // 135
    QT_TRANSLATE_NOOP("MessageCatalog", "Full Control mode"), // 136
    QT_TRANSLATE_NOOP("MessageCatalog", "View Only mode"), // 137
    QT_TRANSLATE_NOOP("MessageCatalog", "Connected to gateway"), // 138
    QT_TRANSLATE_NOOP("MessageCatalog", "Disconnected from gateway"), // 139
    QT_TRANSLATE_NOOP("MessageCatalog", "Connected to client"), // 140
    QT_TRANSLATE_NOOP("MessageCatalog", "Disconnected"), // 141
    QT_TRANSLATE_NOOP("MessageCatalog", "Disconnect ?"), // 142
    QT_TRANSLATE_NOOP("MessageCatalog", "Connection status : "), // 143
    QT_TRANSLATE_NOOP("MessageCatalog", "End this session ?"), // 144
    QT_TRANSLATE_NOOP("MessageCatalog", "No printers available"), // 145
    QT_TRANSLATE_NOOP("MessageCatalog", "The remote user is typing a message"), // 146
    QT_TRANSLATE_NOOP("MessageCatalog", "Log chat"), // 147
    QT_TRANSLATE_NOOP("MessageCatalog", "CHAT WITH CLIENT"), // 148
    QT_TRANSLATE_NOOP("MessageCatalog", "CLIENT CHAT REQUEST"), // 149
    QT_TRANSLATE_NOOP("MessageCatalog", "Chat session started "), // 150
    QT_TRANSLATE_NOOP("MessageCatalog", "Chat session ended "), // 151
    QT_TRANSLATE_NOOP("MessageCatalog", "Chat denied - no user logged"), // 152
    QT_TRANSLATE_NOOP("MessageCatalog", "Folder not found"), // 153
    QT_TRANSLATE_NOOP("MessageCatalog", "Play"), // 154
    QT_TRANSLATE_NOOP("MessageCatalog", "Pause"), // 155
    QT_TRANSLATE_NOOP("MessageCatalog", "Rewind"), // 156
    QT_TRANSLATE_NOOP("MessageCatalog", "Stop"), // 157
    QT_TRANSLATE_NOOP("MessageCatalog", "Waiting for the remote user to connect..."), // 158
    QT_TRANSLATE_NOOP("MessageCatalog", "Session Key: "), // 159
    QT_TRANSLATE_NOOP("MessageCatalog", "Setup URL:"), // 160
    QT_TRANSLATE_NOOP("MessageCatalog", "Cancel transfer"), // 161
    QT_TRANSLATE_NOOP("MessageCatalog", "FILE TRANSFER"), // 162
    QT_TRANSLATE_NOOP("MessageCatalog", "Transfer file in both directions using buttons, drag && drop or copy && paste"), // 163
    QT_TRANSLATE_NOOP("MessageCatalog", "Transferring local file: "), // 164
    QT_TRANSLATE_NOOP("MessageCatalog", " to remote: "), // 165
    QT_TRANSLATE_NOOP("MessageCatalog", "Transferring remote file: "), // 166
    QT_TRANSLATE_NOOP("MessageCatalog", " to local: "), // 167
    QT_TRANSLATE_NOOP("MessageCatalog", "Source not selected"), // 168
    QT_TRANSLATE_NOOP("MessageCatalog", "Destination folder selected"), // 169
    QT_TRANSLATE_NOOP("MessageCatalog", "View only mode - not allowed!"), // 170
    QT_TRANSLATE_NOOP("MessageCatalog", "Client file error:"), // 171
    QT_TRANSLATE_NOOP("MessageCatalog", "File not found "), // 172
    QT_TRANSLATE_NOOP("MessageCatalog", "Error reading file "), // 173
    QT_TRANSLATE_NOOP("MessageCatalog", "Error creating file "), // 174
    QT_TRANSLATE_NOOP("MessageCatalog", "Error reading compressed file "), // 175
    QT_TRANSLATE_NOOP("MessageCatalog", "Error creating compressed file "), // 176
    QT_TRANSLATE_NOOP("MessageCatalog", "Error decompressing file "), // 177
    QT_TRANSLATE_NOOP("MessageCatalog", "Wrong file on gateway"), // 178
    QT_TRANSLATE_NOOP("MessageCatalog", "File already exists\rproceed ?"), // 179
    QT_TRANSLATE_NOOP("MessageCatalog", "REMOTE SYSTEM INFORMATION"), // 180
    QT_TRANSLATE_NOOP("MessageCatalog", "Info category"), // 181
    QT_TRANSLATE_NOOP("MessageCatalog", "Detailed information"), // 182
    QT_TRANSLATE_NOOP("MessageCatalog", "Hardware"), // 183
    QT_TRANSLATE_NOOP("MessageCatalog", "Processor"), // 184
    QT_TRANSLATE_NOOP("MessageCatalog", "Memory"), // 185
    QT_TRANSLATE_NOOP("MessageCatalog", "NIC's"), // 186
    QT_TRANSLATE_NOOP("MessageCatalog", "Storage"), // 187
    QT_TRANSLATE_NOOP("MessageCatalog", "Keyboard"), // 188
    QT_TRANSLATE_NOOP("MessageCatalog", "System"), // 189
    QT_TRANSLATE_NOOP("MessageCatalog", "Operating system"), // 190
    QT_TRANSLATE_NOOP("MessageCatalog", "General"), // 191
    QT_TRANSLATE_NOOP("MessageCatalog", "Folders"), // 192
    QT_TRANSLATE_NOOP("MessageCatalog", "Software"), // 193
    QT_TRANSLATE_NOOP("MessageCatalog", "Installed software"), // 194
    QT_TRANSLATE_NOOP("MessageCatalog", "Running tasks"), // 195
    QT_TRANSLATE_NOOP("MessageCatalog", "Running processes"), // 196
    QT_TRANSLATE_NOOP("MessageCatalog", "Services"), // 197
    QT_TRANSLATE_NOOP("MessageCatalog", "Installed scripts"), // 198
    QT_TRANSLATE_NOOP("MessageCatalog", "Browser"), // 199
    QT_TRANSLATE_NOOP("MessageCatalog", "Terminate"), // 200
    QT_TRANSLATE_NOOP("MessageCatalog", "Start service"), // 201
    QT_TRANSLATE_NOOP("MessageCatalog", "Stop service"), // 202
    QT_TRANSLATE_NOOP("MessageCatalog", "Running"), // 203
    QT_TRANSLATE_NOOP("MessageCatalog", "Stopped"), // 204
    QT_TRANSLATE_NOOP("MessageCatalog", "Querying service status ..."), // 205
    QT_TRANSLATE_NOOP("MessageCatalog", "Unable to stop process"), // 206
    QT_TRANSLATE_NOOP("MessageCatalog", "Can't be deleted"), // 207
    QT_TRANSLATE_NOOP("MessageCatalog", "Stopping process"), // 208
    QT_TRANSLATE_NOOP("MessageCatalog", "Terminating a process can have unpredictable results\rand may leave the computer in an unknown state.\rProceed ?"), // 209
    QT_TRANSLATE_NOOP("MessageCatalog", "HOW WOULD YOU LIKE TO SEND THE SETUP INSTRUCTIONS?"), // 210
    QT_TRANSLATE_NOOP("MessageCatalog", "Select the language for the remote user (email and setup website):"), // 211
    QT_TRANSLATE_NOOP("MessageCatalog", "Send an email using Quorvia internet mail"), // 212
    QT_TRANSLATE_NOOP("MessageCatalog", "Send an email using my default email software"), // 213
    QT_TRANSLATE_NOOP("MessageCatalog", "Copy the setup instructions to the clipboard"), // 214
    QT_TRANSLATE_NOOP("MessageCatalog", "Enter the email address of the remote\r\nuser and hit the \"Send email\" button."), // 215
    QT_TRANSLATE_NOOP("MessageCatalog", "Hit the \"Send email from my computer\"\r\nbutton to use the default email software."), // 216
    QT_TRANSLATE_NOOP("MessageCatalog", "Hit the \"Copy setup instructions to\r\nclipboard\" button if you want to paste\r\nthe setup instructions elsewhere."), // 217
    QT_TRANSLATE_NOOP("MessageCatalog", "Send email"), // 218
    QT_TRANSLATE_NOOP("MessageCatalog", "Send email from my computer"), // 219
    QT_TRANSLATE_NOOP("MessageCatalog", "Copy setup instructions to clipboard"), // 220
    QT_TRANSLATE_NOOP("MessageCatalog", "Save email address"), // 221
    QT_TRANSLATE_NOOP("MessageCatalog", "CONNECTION SETTINGS"), // 222
    QT_TRANSLATE_NOOP("MessageCatalog", "Registered user account"), // 223
    QT_TRANSLATE_NOOP("MessageCatalog", "Proxy server settings"), // 224
    QT_TRANSLATE_NOOP("MessageCatalog", "Proxy server authentication"), // 225
    QT_TRANSLATE_NOOP("MessageCatalog", "Use default browser settings"), // 226
    QT_TRANSLATE_NOOP("MessageCatalog", "Manual Proxy settings"), // 227
    QT_TRANSLATE_NOOP("MessageCatalog", "If you forgot your password,\r\nYou can reset it here."), // 228
    QT_TRANSLATE_NOOP("MessageCatalog", "Reset password"), // 229
    QT_TRANSLATE_NOOP("MessageCatalog", "Auto detect proxy"), // 230
    QT_TRANSLATE_NOOP("MessageCatalog", "Test proxy"), // 231
    QT_TRANSLATE_NOOP("MessageCatalog", "No or incorrect proxy settings entered"), // 232
    QT_TRANSLATE_NOOP("MessageCatalog", "Proxy settings OK"), // 233
    QT_TRANSLATE_NOOP("MessageCatalog", "Proxy settings failed"), // 234
    QT_TRANSLATE_NOOP("MessageCatalog", "Proxy port out of range"), // 235
    QT_TRANSLATE_NOOP("MessageCatalog", "Domain :"), // 236
    QT_TRANSLATE_NOOP("MessageCatalog", "APPLICATION SETTINGS"), // 237
    QT_TRANSLATE_NOOP("MessageCatalog", "General settings"), // 238
    QT_TRANSLATE_NOOP("MessageCatalog", "Performance settings on session start"), // 239
    QT_TRANSLATE_NOOP("MessageCatalog", "Product information && announcements"), // 240
    QT_TRANSLATE_NOOP("MessageCatalog", "Show session time on disconnect"), // 241
    QT_TRANSLATE_NOOP("MessageCatalog", "Show connection messages"), // 242
    QT_TRANSLATE_NOOP("MessageCatalog", "Show pup-up messages"), // 243
    QT_TRANSLATE_NOOP("MessageCatalog", "Auto switch to full screen mode at session start"), // 244
    QT_TRANSLATE_NOOP("MessageCatalog", "Auto resize remote screen to fit full screen"), // 245
    QT_TRANSLATE_NOOP("MessageCatalog", "Enable system sounds"), // 246
    QT_TRANSLATE_NOOP("MessageCatalog", "Log session data"), // 247
    QT_TRANSLATE_NOOP("MessageCatalog", "Auto hide the remote wallpaper"), // 248
    QT_TRANSLATE_NOOP("MessageCatalog", "Color quality: Always start with"), // 249
    QT_TRANSLATE_NOOP("MessageCatalog", "Screen resolution: Always switch to"), // 250
    QT_TRANSLATE_NOOP("MessageCatalog", "Show new product announcements"), // 251
    QT_TRANSLATE_NOOP("MessageCatalog", "USER GUIDE - APPLICATION ICONS"), // 252
    QT_TRANSLATE_NOOP("MessageCatalog", "Stop the current support session."), // 253
    QT_TRANSLATE_NOOP("MessageCatalog", "Display's general technical information about the remote computer."), // 254
    QT_TRANSLATE_NOOP("MessageCatalog", "Refresh the screen by requesting an instant update of the remote screen."), // 255
    QT_TRANSLATE_NOOP("MessageCatalog", "Hide the remote computer's wallpaper to optimize performance."), // 256
    QT_TRANSLATE_NOOP("MessageCatalog", "Show the remote computer' wallpaper."), // 257
    QT_TRANSLATE_NOOP("MessageCatalog", "Show the Windows Task manager on the remote computer."), // 258
    QT_TRANSLATE_NOOP("MessageCatalog", "Reboot the computer and automatically reconnect after startup or logon."), // 259
    QT_TRANSLATE_NOOP("MessageCatalog", "Print the remote screen to your printer. You can choose one if multiple printers are available."), // 260
    QT_TRANSLATE_NOOP("MessageCatalog", "Start a chat session with the remote user."), // 261
    QT_TRANSLATE_NOOP("MessageCatalog", "Download the remote clipboard to your clipboard. (TEXT && PICTURES ONLY!)"), // 262
    QT_TRANSLATE_NOOP("MessageCatalog", "Upload your clipboard to the remote clipboard. (TEXT && PICTURES ONLY!)"), // 263
    QT_TRANSLATE_NOOP("MessageCatalog", "Start the drag && drop file transfer application."), // 264
    QT_TRANSLATE_NOOP("MessageCatalog", "Takes a screenshot and creates a JPG file in your Quorvia application folder."), // 265
    QT_TRANSLATE_NOOP("MessageCatalog", "Start recording the remote screen to a movie file (.avi) in your Quorvia application folder."), // 266
    QT_TRANSLATE_NOOP("MessageCatalog", "Stop screen recording."), // 267
    QT_TRANSLATE_NOOP("MessageCatalog", "Switch to full screen mode."), // 268
    QT_TRANSLATE_NOOP("MessageCatalog", "Switch back to normal window mode. (Only available in full screen mode)"), // 269
    QT_TRANSLATE_NOOP("MessageCatalog", "Resize the remote screen to fit your full screen. (Only available in full screen mode)"), // 270
    QT_TRANSLATE_NOOP("MessageCatalog", "Send Ctrl-Alt-Del to the remote computer."), // 271
    QT_TRANSLATE_NOOP("MessageCatalog", "Move application to system tray and restore when the remote user connects."), // 272
    QT_TRANSLATE_NOOP("MessageCatalog", "This progress bar displays the connection performance status and will alert you if the\r\nconnection is critical."), // 273
    QT_TRANSLATE_NOOP("MessageCatalog", "Completely scale the remote screen to fit your screen."), // 274
    QT_TRANSLATE_NOOP("MessageCatalog", "Proportionally scale the remote screen."), // 275
    QT_TRANSLATE_NOOP("MessageCatalog", "GETTING STARTED WITH QUORVIA ACCESS"), // 276
    QT_TRANSLATE_NOOP("MessageCatalog", "1. Configure QUORVIA"), // 277
    QT_TRANSLATE_NOOP("MessageCatalog", "2. Start a support session"), // 278
    QT_TRANSLATE_NOOP("MessageCatalog", "In the menu, click on \"Settings\" and then on \"Configure connection settings\" Enter your username and password\r\nin the appropriate fields."), // 279
    QT_TRANSLATE_NOOP("MessageCatalog", "Also configure the proxy settings accordingly if your computer is behind a Proxy server"), // 280
    QT_TRANSLATE_NOOP("MessageCatalog", "Click on \"Save\" to save your connection settings."), // 281
    QT_TRANSLATE_NOOP("MessageCatalog", "Start Quorvia and hit the \"Start a new support session\" button. This will automatically log you in to the\r\nQuorvia gateways on the internet and generate a unique session key."), // 282
    QT_TRANSLATE_NOOP("MessageCatalog", "You can choose between:"), // 283
    QT_TRANSLATE_NOOP("MessageCatalog", "SEND MAIL USING QUORVIA INTERNET MAIL:"), // 284
    QT_TRANSLATE_NOOP("MessageCatalog", "Enter the email address of the remote user and Quorvia\r\nwill send the mail automatically."), // 285
    QT_TRANSLATE_NOOP("MessageCatalog", "SEND MAIL WITH SESSION KEY:"), // 286
    QT_TRANSLATE_NOOP("MessageCatalog", "Starts a new email message from your default email software with a \r\nSetup Hyperlink and the session key already in the body,so you only have to enter\r\nyour customers email address."), // 287
    QT_TRANSLATE_NOOP("MessageCatalog", "COPY SESSION KEY TO CLIPBOARD:"), // 288
    QT_TRANSLATE_NOOP("MessageCatalog", "Copies the Setup Hyperlink and the Session key to your clipboard so that\r\nyou can paste it yourself."), // 289
    QT_TRANSLATE_NOOP("MessageCatalog", " The remote user receives your email with setup instructions. When the user clicks on the hyperlink,\r\n the Quorvia client will launch and remote control session starts."), // 290
    QT_TRANSLATE_NOOP("MessageCatalog", " If email is no option, than the remote must surf to:"), // 291
    QT_TRANSLATE_NOOP("MessageCatalog", " and follow the instructions. When the Quorvia client is started, the user must enter the session key manually.\r\n\r\n When the remote control session ends, the Quorvia client will automatically uninstall from the remote\r\n computer and the original desktop settings will be restored."), // 292
    QT_TRANSLATE_NOOP("MessageCatalog", "An unexpected error occurred.\rWe are sorry for this inconvenience.\rAn error log has been created which may help us to trace the origin of the error."), // 293
    QT_TRANSLATE_NOOP("MessageCatalog", "You can add additional comments of the situation prior to the error"), // 294
    QT_TRANSLATE_NOOP("MessageCatalog", "Allow Quorvia Support to contact me by e-mail"), // 295
    QT_TRANSLATE_NOOP("MessageCatalog", "Send error report"), // 296
    QT_TRANSLATE_NOOP("MessageCatalog", "Thank you for sending this error report"), // 297
    QT_TRANSLATE_NOOP("MessageCatalog", "Clipboard upload"), // 298
    QT_TRANSLATE_NOOP("MessageCatalog", "Clipboard download"), // 299
    QT_TRANSLATE_NOOP("MessageCatalog", "Plain text"), // 300
    QT_TRANSLATE_NOOP("MessageCatalog", "Bitmap"), // 301
    QT_TRANSLATE_NOOP("MessageCatalog", "Complete clipboard (5MB limit)"), // 302
    QT_TRANSLATE_NOOP("MessageCatalog", "Sending clipboard..."), // 303
    QT_TRANSLATE_NOOP("MessageCatalog", "Receiving clipboard..."), // 304
    QT_TRANSLATE_NOOP("MessageCatalog", "Critical information may be lost !\rReboot the remote computer ?"), // 305
    QT_TRANSLATE_NOOP("MessageCatalog", "Do you want to reconnect automatically after reboot?"), // 306
    QT_TRANSLATE_NOOP("MessageCatalog", "Client shutdown in progress"), // 307
    QT_TRANSLATE_NOOP("MessageCatalog", "File Access error"), // 308
    QT_TRANSLATE_NOOP("MessageCatalog", "Downloading "), // 309
    QT_TRANSLATE_NOOP("MessageCatalog", "Never ask me again"), // 310
    QT_TRANSLATE_NOOP("MessageCatalog", "A new update is required\r\nUpgrade now?"), // 311
    QT_TRANSLATE_NOOP("MessageCatalog", "A new upgrade is available\r\nUpgrade now?"), // 312
    QT_TRANSLATE_NOOP("MessageCatalog", "You have insufficient rights to perform this update.\rContact your local administrator."), // 313
    QT_TRANSLATE_NOOP("MessageCatalog", "English"), // 314
    QT_TRANSLATE_NOOP("MessageCatalog", "Dutch"), // 315
    QT_TRANSLATE_NOOP("MessageCatalog", "French"), // 316
    QT_TRANSLATE_NOOP("MessageCatalog", "German"), // 317
    QT_TRANSLATE_NOOP("MessageCatalog", "Italian"), // 318
    QT_TRANSLATE_NOOP("MessageCatalog", "Spanish"), // 319
    QT_TRANSLATE_NOOP("MessageCatalog", "Portuguese"), // 320
    QT_TRANSLATE_NOOP("MessageCatalog", "Catalan"), // 321

    // Texts quoted by the windows that the numbered list does not hold.
    QT_TRANSLATE_NOOP("MessageCatalog", "My Computer"), // 322
    QT_TRANSLATE_NOOP("MessageCatalog", "Invalid email address"), // 323
    QT_TRANSLATE_NOOP("MessageCatalog", "Error starting sockets"), // 324
    QT_TRANSLATE_NOOP("MessageCatalog", "Internal database error - retry"), // 325
    QT_TRANSLATE_NOOP("MessageCatalog", "Logoff failed"), // 326
    QT_TRANSLATE_NOOP("MessageCatalog", "Logoff failed: "), // 327
    QT_TRANSLATE_NOOP("MessageCatalog", "SCREEN RESOLUTION SETTINGS"), // 328
    QT_TRANSLATE_NOOP("MessageCatalog", "It is highly recommended to switch the remote screen resolution\rto 800x600 pixels to increase performance.\rThe original screen resolution will automatically reset when\ra session ends.\r\rYou can configure \"Connection Settings\" to automatically switch\rto 800x600 pixels each time a session starts."), // 329
    QT_TRANSLATE_NOOP("MessageCatalog", "Proxy script access authentication"), // 330
    QT_TRANSLATE_NOOP("MessageCatalog", "The remote computer did not reconnect after the reboot\rClosing current session"), // 331
    QT_TRANSLATE_NOOP("MessageCatalog", "Keyboard captured (Right Ctrl releases it)"), // 332
    QT_TRANSLATE_NOOP("MessageCatalog", "Screen recording stopped: the movie file could not be written."), // 333
    QT_TRANSLATE_NOOP("MessageCatalog", "Unsafe file name refused:"), // 334
    QT_TRANSLATE_NOOP("MessageCatalog", "No answer from the remote computer - transfer stopped"), // 335
    QT_TRANSLATE_NOOP("MessageCatalog", "The received file is incomplete and was not saved"), // 336
    QT_TRANSLATE_NOOP("MessageCatalog", "The program's folder cannot be written.\rThe update has been saved in:"), // 337
    QT_TRANSLATE_NOOP("MessageCatalog", "The recording could not be saved as a movie.\rIts frames are kept in:"), // 338
    QT_TRANSLATE_NOOP("MessageCatalog", "The proxy could not be reached or refused the connection."), // 339
    QT_TRANSLATE_NOOP("MessageCatalog", "The proxy refused the user name or the password."), // 340
    QT_TRANSLATE_NOOP("MessageCatalog", "No answer through the proxy in time."), // 341
    QT_TRANSLATE_NOOP("MessageCatalog", "Right Ctrl"), // 342
    QT_TRANSLATE_NOOP("MessageCatalog", "Exit"), // 343
    QT_TRANSLATE_NOOP("MessageCatalog", "KEYS DURING A SESSION"), // 344
    QT_TRANSLATE_NOOP("MessageCatalog", "During a session every key goes to the remote computer. Hold Right Ctrl and press a letter to give a command to Quorvia instead; Right Ctrl alone releases the keyboard and captures it again."), // 345
};

// The invitation texts, translated for the remote user rather than the operator.
const char *const InvitationEntries[] = {
    QT_TRANSLATE_NOOP("InvitationTexts", "Remote Support invitation from"), // MailSubjectText
    QT_TRANSLATE_NOOP("InvitationTexts", "YOUR SESSION KEY IS: ##\r\n\r\nClick on the hyperlink below and follow the directions to share your screen with @@**"), // MailKeyText
    QT_TRANSLATE_NOOP("InvitationTexts", "Quorvia enables a support representative to remotely control your computer in order to assist you. Session traffic is always logged and fully encrypted to protect your system's data. Once a session has begun, you can start a chat session, grant 'view only' or 'full control' rights to the support representative or end the support session by right-clicking the Quorvia system tray icon and selecting the appropriate option."), // MailInfoText
};
// clang-format on

constexpr int EntryCount = int(sizeof(Entries) / sizeof(Entries[0]));
static_assert(EntryCount >= CatalogListedEntries);

// The compiled translations, built into the program as resources; language 0 is the source
// text itself and has none.
constexpr const char *TranslationFiles[LanguageCount] = {
    nullptr,
    ":/i18n/quorvia_nl.qm",
    ":/i18n/quorvia_fr.qm",
    ":/i18n/quorvia_de.qm",
    ":/i18n/quorvia_it.qm",
    ":/i18n/quorvia_es.qm",
    ":/i18n/quorvia_pt.qm",
    ":/i18n/quorvia_ca.qm",
};

// All eight are loaded once and never replaced, so a lookup from any thread reads a finished
// translator; switching language only changes which one is asked.
struct Translators {
    std::array<std::unique_ptr<QTranslator>, LanguageCount> byLanguage;
    Translators() {
        for (int n = 1; n < LanguageCount; ++n) {
            auto translator = std::make_unique<QTranslator>();
            if (translator->load(QString::fromLatin1(TranslationFiles[n])))
                byLanguage[n] = std::move(translator);
            else
                qWarning("uLanguageMsg: translation %s is missing; English is shown instead",
                         TranslationFiles[n]);
        }
    }
};

Translators &translators() {
    static Translators instance;
    return instance;
}

const std::unordered_set<std::string_view> &knownTexts() {
    static const std::unordered_set<std::string_view> known(std::begin(Entries), std::end(Entries));
    return known;
}

std::atomic<int> currentLanguage{0};
QTranslator *installedTranslator = nullptr; // main thread only

QString translated(int language, const char *context, const char *english) {
    if (language > 0 && language < LanguageCount) {
        if (const QTranslator *t = translators().byLanguage[language].get()) {
            QString text = t->translate(context, english);
            if (!text.isEmpty())
                return text;
        }
    }
    return QString::fromUtf8(english);
}

void reportUnknown(const char *english) {
    static QMutex mutex;
    static QSet<QByteArray> reported;
    const QMutexLocker lock(&mutex);
    const QByteArray text(english);
    if (reported.contains(text))
        return;
    reported.insert(text);
    qWarning() << "uLanguageMsg: not a catalog text:" << text;
}

struct InvitationTexts {
    QString subject;
    QString key;
    QString info;
};

InvitationTexts &invitation() {
    static InvitationTexts texts;
    return texts;
}

QList<QPointer<QObject>> &listeners() {
    static QList<QPointer<QObject>> list;
    return list;
}

void pruneListeners() {
    listeners().removeIf([](const QPointer<QObject> &p) { return p.isNull(); });
}

} // namespace

QString Msg(const char *english) {
    if (!english)
        return {};
    if (!IsCatalogText(english))
        reportUnknown(english);
    return translated(currentLanguage.load(std::memory_order_relaxed), CatalogContext, english);
}

QString CatalogText(int language, const char *english) {
    if (!english)
        return {};
    return translated(language, CatalogContext, english);
}

bool IsCatalogText(const char *english) {
    return english && knownTexts().count(std::string_view(english)) != 0;
}

int CatalogSize() {
    return EntryCount;
}

const char *CatalogEnglish(int index) {
    return (index >= 0 && index < EntryCount) ? Entries[index] : nullptr;
}

const QStringList &LanguageNames() {
    static const QStringList names{
        QStringLiteral("English"),   QStringLiteral("Nederlands"), QStringLiteral("Français"),
        QStringLiteral("Deutsch"),   QStringLiteral("Italiano"),   QStringLiteral("Español"),
        QStringLiteral("Português"), QStringLiteral("Català"),
    };
    return names;
}

void SelectLanguage(quint8 n) {
    settings().AppLang = n;
    if (n >= LanguageCount)
        return;
    currentLanguage.store(n, std::memory_order_relaxed);

    // Installed in the application as well, so that Qt's own LanguageChange reaches every
    // widget and QCoreApplication::translate in the catalog's context agrees with Msg().
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return;
    QTranslator *wanted = n > 0 ? translators().byLanguage[n].get() : nullptr;
    if (wanted == installedTranslator)
        return;
    if (installedTranslator)
        QCoreApplication::removeTranslator(installedTranslator);
    installedTranslator = nullptr;
    if (wanted && QCoreApplication::installTranslator(wanted))
        installedTranslator = wanted;
}

int CurrentLanguage() {
    return currentLanguage.load(std::memory_order_relaxed);
}

void SelectInstructionLanguage(int n) {
    if (n < 0 || n >= LanguageCount)
        return;
    InvitationTexts &texts = invitation();
    texts.subject = translated(n, InvitationContext, InvitationEntries[0]);
    texts.key = translated(n, InvitationContext, InvitationEntries[1]);
    texts.info = translated(n, InvitationContext, InvitationEntries[2]);
}

QString MailSubjectText() {
    return invitation().subject;
}
QString MailKeyText() {
    return invitation().key;
}
QString MailInfoText() {
    return invitation().info;
}

void registerLanguageListener(QObject *listener) {
    if (!listener)
        return;
    pruneListeners();
    for (const QPointer<QObject> &p : listeners())
        if (p == listener)
            return;
    listeners().append(QPointer<QObject>(listener));
}

void unregisterLanguageListener(QObject *listener) {
    listeners().removeIf(
        [listener](const QPointer<QObject> &p) { return p.isNull() || p == listener; });
}

void BroadcastLanguageChange() {
    pruneListeners();
    for (const QPointer<QObject> &p : listeners())
        WindowMessages::PostMessage(p.data(), WindowMessages::UpdateForm, 0, 0);
}

QString ToDisplayLines(const QString &text) {
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines;
}
