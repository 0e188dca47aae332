#include "ui/MainMenus.h"

#include "common/uLanguageMsg.h"
#include "hook/HostKeys.h"
#include "ui/MainToolbar.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>

namespace {
struct ItemDef {
    const char *name;
    const char *caption; // catalog text; empty for captions made elsewhere
    TMainMenus::Menu menu;
    bool separatorBefore;
};

// The items whose command has a host-key combination during a session.
constexpr std::pair<TMainMenus::Item, HostKeys::Command> HostKeyItems[] = {
    {TMainMenus::MenuEndSession, HostKeys::EndSession},
    {TMainMenus::MenuExit, HostKeys::Exit},
    {TMainMenus::MenuTransferFile, HostKeys::TransferFile},
    {TMainMenus::MenuRefreshScreen, HostKeys::Refresh},
    {TMainMenus::MenuHostInfo, HostKeys::HostInfo},
};

constexpr ItemDef Defs[TMainMenus::ItemCount] = {
    {"MenuStartSession", "Start new support session", TMainMenus::MenuConnection, false},
    {"MenuEndSession", "End support session", TMainMenus::MenuConnection, false},
    {"MenuExit", "", TMainMenus::MenuConnection, true},
    {"MenuStatusBar", "", TMainMenus::MenuView, false},
    {"MenuTBTop", "On top", TMainMenus::MenuToolbar, false},
    {"MenuTBBottom", "On bottom", TMainMenus::MenuToolbar, false},
    {"MenuTBLeft", "Left", TMainMenus::MenuToolbar, false},
    {"MenuTBRight", "Right", TMainMenus::MenuToolbar, false},
    {"MenuReplay", "Replay recorded session", TMainMenus::MenuView, false},
    {"MenuMouseMoves", "", TMainMenus::MenuView, false},
    {"MenuDownloadClipboard", "Download clipboard from client", TMainMenus::MenuTransfer, false},
    {"MenuUploadClipboard", "Upload clipboard to client", TMainMenus::MenuTransfer, false},
    {"MenuTransferFile", "Transfer file", TMainMenus::MenuTransfer, false},
    {"MenuRefreshScreen", "Refresh screen", TMainMenus::MenuClient, false},
    {"MenuHostInfo", "Get info client PC", TMainMenus::MenuClient, false},
    {"MenuConnectionSettings", "Configure connection settings", TMainMenus::MenuSettings, false},
    {"MenuApplicationSettings", "Configure application settings", TMainMenus::MenuSettings, false},
    {"MenuGettingStarted", "Getting started", TMainMenus::MenuHelp, false},
    {"MenuUserGuide", "Quick user guide", TMainMenus::MenuHelp, false},
    {"MenuTechnicalSupport", "Technical support", TMainMenus::MenuWeb, false},
    {"MenuKnowledgeBase", "Consult the knowledge base", TMainMenus::MenuWeb, false},
    {"MenuFaq", "Frequently asked questions", TMainMenus::MenuWeb, false},
    {"MenuProductHistory", "Product history", TMainMenus::MenuWeb, false},
    {"MenuProductInformation", "Online product information", TMainMenus::MenuWeb, true},
    {"MenuContact", "Contact Quorvia", TMainMenus::MenuWeb, false},
    {"MenuAbout", "About", TMainMenus::MenuHelp, true},
};

const char *const MenuTitles[TMainMenus::MenuCount] = {
    "Connection", "View", "Transfer",           "Client",
    "Settings",   "Help", "Quorvia on the web", "Toolbar"};

// Menus get a mnemonic on their first letter in every language.
QString mnemonic(const QString &text) {
    return QLatin1Char('&') + QString(text)
                                  .replace(QLatin1String("&&"), QLatin1String("&"))
                                  .replace(QLatin1Char('&'), QLatin1String("&&"));
}
} // namespace

TMainMenus::TMainMenus(QMenuBar *bar, QObject *parent) : QObject(parent) {
    for (int m = MenuConnection; m <= MenuHelp; ++m) {
        Menus[m] = bar->addMenu(QString());
        Menus[m]->setObjectName(QLatin1String(MenuTitles[m]));
    }
    Menus[MenuToolbar] = new QMenu(Menus[MenuView]);
    Menus[MenuWeb] = new QMenu(Menus[MenuHelp]);
    auto *positions = new QActionGroup(this);
    for (int i = 0; i < ItemCount; ++i) {
        const ItemDef &d = Defs[i];
        QMenu *menu = Menus[d.menu];
        // The submenus take their place in their parent menus as the items reach them.
        if (i == MenuTBTop)
            Menus[MenuView]->addMenu(Menus[MenuToolbar]);
        if (i == MenuTechnicalSupport)
            Menus[MenuHelp]->addMenu(Menus[MenuWeb]);
        if (d.separatorBefore)
            menu->addSeparator();
        auto *a = new TChromeAction(menu);
        menu->addAction(a);
        a->markBaseline();
        a->setObjectName(QLatin1String(d.name));
        Items[i] = a;
    }
    for (Item i : {MenuTBTop, MenuTBBottom, MenuTBLeft, MenuTBRight}) {
        Items[i]->setCheckable(true);
        positions->addAction(Items[i]);
    }
    Items[MenuStatusBar]->setCheckable(true);
    Items[MenuStartSession]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    Items[MenuEndSession]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    Items[MenuExit]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    Items[MenuTransferFile]->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E));
    Items[MenuHostInfo]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    for (int i = 0; i < ItemCount; ++i)
        Shortcuts[i] = Items[i]->shortcut();
    applyTexts();
}

void TMainMenus::setHostKeysShown(bool shown) {
    HostKeysShown = shown;
    for (int i = 0; i < ItemCount; ++i)
        Items[i]->setShortcut(shown ? QKeySequence() : Shortcuts[i]);
    applyTexts();
}

QAction *TMainMenus::item(const QString &name) const {
    for (int i = 0; i < ItemCount; ++i)
        if (name == QLatin1String(Defs[i].name))
            return Items[i];
    return nullptr;
}

void TMainMenus::bind(Item i, QAction *featureAction) {
    QAction *own = Items[i];
    Bound[i] = true;
    const auto mirror = [own, featureAction] {
        own->setVisible(featureAction->isVisible());
        own->setEnabled(featureAction->isEnabled());
        if (featureAction->isCheckable()) {
            own->setCheckable(true);
            own->setChecked(featureAction->isChecked());
        }
    };
    connect(featureAction, &QAction::changed, own, mirror);
    connect(featureAction, &QObject::destroyed, this, [this, i] { Bound[i] = false; });
    connect(own, &QAction::triggered, featureAction, [featureAction] { featureAction->trigger(); });
    mirror();
}

void TMainMenus::updateAttached() {
    for (int i = 0; i < ItemCount; ++i) {
        if (Bound[i])
            continue;
        Items[i]->setEnabled(static_cast<TChromeAction *>(Items[i])->hasListener());
    }
}

void TMainMenus::SetMouseMovesState(bool on) {
    MouseMovesOn = on;
    Items[MenuMouseMoves]->setText(Msg("Show mouse moves on remote") + QStringLiteral(" (") +
                                   (on ? Msg("on") : Msg("off")) + QLatin1Char(')'));
}

void TMainMenus::applyTexts() {
    for (int m = 0; m < MenuCount; ++m)
        Menus[m]->setTitle(mnemonic(Msg(MenuTitles[m])));
    for (int i = 0; i < ItemCount; ++i)
        if (*Defs[i].caption)
            Items[i]->setText(mnemonic(Msg(Defs[i].caption)));
    Items[MenuExit]->setText(QStringLiteral("E&xit"));
    Items[MenuStatusBar]->setText(Items[MenuStatusBar]->isChecked() ? Msg("Hide statusbar")
                                                                    : Msg("Show statusbar"));
    SetMouseMovesState(MouseMovesOn);
    if (HostKeysShown) {
        // The text after a tab stands in the menu's shortcut column.
        for (const auto &[item, command] : HostKeyItems)
            Items[item]->setText(Items[item]->text() + QLatin1Char('\t') + HostKeys::text(command));
    }
}
