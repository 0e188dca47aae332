#pragma once
#include <QKeySequence>
#include <QObject>

#include <array>

class QAction;
class QMenu;
class QMenuBar;

// The main window's menu: Connection, View, Transfer, Client, Settings and Help with its web
// submenu, captions from the catalog.
//
// How a feature attaches to a menu item, as to a toolbar button (see MainToolbar.h): connect
// to item(id)'s triggered(), or bind(id, action) to an action the feature already has, which
// the item then mirrors (visible, enabled, checked; a click triggers it). Items may be found
// by name too: item(QStringLiteral("MenuReplay")). An item without a feature is disabled.
// A feature that needs more items in a menu adds them to menu(id) itself.
class TMainMenus : public QObject {
    Q_OBJECT
public:
    enum Menu : int {
        MenuConnection,
        MenuView,
        MenuTransfer,
        MenuClient,
        MenuSettings,
        MenuHelp,
        MenuWeb,
        MenuToolbar,
        MenuCount
    };
    enum Item : int {
        MenuStartSession, // Connection
        MenuEndSession,
        MenuExit,
        MenuStatusBar, // View
        MenuTBTop,
        MenuTBBottom,
        MenuTBLeft,
        MenuTBRight,
        MenuReplay,
        MenuMouseMoves,
        MenuDownloadClipboard, // Transfer
        MenuUploadClipboard,
        MenuTransferFile,
        MenuRefreshScreen, // Client
        MenuHostInfo,
        MenuConnectionSettings, // Settings
        MenuApplicationSettings,
        MenuGettingStarted, // Help
        MenuUserGuide,
        MenuTechnicalSupport, // Help, web submenu
        MenuKnowledgeBase,
        MenuFaq,
        MenuProductHistory,
        MenuProductInformation,
        MenuContact,
        MenuAbout, // Help
        ItemCount
    };

    // Builds the menus into `bar`.
    explicit TMainMenus(QMenuBar *bar, QObject *parent = nullptr);

    QAction *item(Item i) const { return Items[i]; }
    QAction *item(const QString &name) const;
    QMenu *menu(Menu m) const { return Menus[m]; }
    void bind(Item i, QAction *featureAction);

    // "Show mouse moves on remote (on)" / "(off)".
    void SetMouseMovesState(bool on);
    // Captions from the catalog (creation and language change).
    void applyTexts();
    // During a session the items show their host-key combinations instead of the window's
    // shortcuts, which then belong to the remote computer.
    void setHostKeysShown(bool shown);
    // Enables the items something is attached to; call after the features attached (the main
    // window does so when it first shows).
    void updateAttached();

private:
    std::array<QMenu *, MenuCount> Menus{};
    std::array<QAction *, ItemCount> Items{};
    std::array<bool, ItemCount> Bound{};
    std::array<QKeySequence, ItemCount> Shortcuts{};
    bool MouseMovesOn = false;
    bool HostKeysShown = false;
};
