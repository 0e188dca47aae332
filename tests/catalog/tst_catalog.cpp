#include "common/Cp1252.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "settings/uIniFiles.h"

#include <QRegularExpression>
#include <QTest>
#include <QTranslator>

namespace {

const char *const LanguageCodes[LanguageCount] = {"en", "nl", "fr", "de", "it", "es", "pt", "ca"};

int edgeBlanks(const QString &s, bool leading) {
    int n = 0;
    if (leading)
        while (n < s.size() && s.at(n) == QLatin1Char(' '))
            ++n;
    else
        while (n < s.size() && s.at(s.size() - 1 - n) == QLatin1Char(' '))
            ++n;
    return n;
}

// The parts of a text between quotation marks, whichever marks the language uses, with line
// breaks read as blanks.
QStringList quotedParts(const QString &text) {
    static const QRegularExpression quoted(QStringLiteral("[\"«„]\\s*([^\"«»„“]+?)\\s*[\"»“]"));
    QStringList parts;
    const QString flat = ToDisplayLines(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
    for (auto it = quoted.globalMatch(flat); it.hasNext();)
        parts << it.next().captured(1);
    return parts;
}

// Counts the update-form messages it receives.
class UpdateFormCounter : public QObject {
public:
    int received = 0;
    bool parametersZero = true;

protected:
    bool event(QEvent *e) override {
        if (WindowMessages::messageOf(e) == WindowMessages::UpdateForm) {
            ++received;
            const auto *m = static_cast<const WindowMessages::MessageEvent *>(e);
            parametersZero = parametersZero && m->wParam == 0 && m->lParam == 0;
            return true;
        }
        return QObject::event(e);
    }
};

} // namespace

class TestCatalog : public QObject {
    Q_OBJECT

private slots:
    void init() { SelectLanguage(0); }
    void cleanupTestCase() { SelectLanguage(0); }

    void invitationTextsAreEmptyUntilSelected() {
        QVERIFY(MailSubjectText().isEmpty());
        QVERIFY(MailKeyText().isEmpty());
        QVERIFY(MailInfoText().isEmpty());
    }

    void tableHoldsTheListAndTheQuotedExtras() {
        QVERIFY(CatalogSize() > CatalogListedEntries);
        QCOMPARE(QByteArray(CatalogEnglish(0)), QByteArray("Connection"));
        QCOMPARE(QByteArray(CatalogEnglish(93)),
                 QByteArray("Enabling the remote wallpaper will significantly decrease the "
                            "application performance!\rThe remote wallpaper automatically "
                            "re-enables when a support session ends.\rDo you really want to "
                            "enable the remote wallpaper?"));
        QCOMPARE(QByteArray(CatalogEnglish(CatalogListedEntries - 1)), QByteArray("Catalan"));
        QCOMPARE(CatalogEnglish(-1), nullptr);
        QCOMPARE(CatalogEnglish(CatalogSize()), nullptr);

        QSet<QByteArray> seen;
        for (int i = 0; i < CatalogSize(); ++i) {
            const QByteArray english(CatalogEnglish(i));
            QVERIFY2(!seen.contains(english), english.constData());
            seen.insert(english);
            QVERIFY(IsCatalogText(CatalogEnglish(i)));
        }
        for (const char *quoted :
             {"My Computer", "Invalid email address", "Could not create Snapshots folder",
              "SSL negotiation error", "SSL certificate not valid",
              "Connection settings incomplete", "Closing ...", "Proxy settings required",
              "Error starting sockets", "Internal database error - retry", "Logoff failed"})
            QVERIFY2(IsCatalogText(quoted), quoted);
        QVERIFY(!IsCatalogText("Connection "));
        QVERIFY(!IsCatalogText(nullptr));
    }

    void everyEntryIsTranslated_data() {
        QTest::addColumn<int>("language");
        for (int n = 1; n < LanguageCount; ++n)
            QTest::newRow(LanguageCodes[n]) << n;
    }
    // Reads the compiled translation directly, so an entry missing from it cannot hide behind
    // the English fallback, and a line break lost between the .ts file and the program shows.
    void everyEntryIsTranslated() {
        QFETCH(int, language);
        QTranslator translator;
        QVERIFY(translator.load(
            QStringLiteral(":/i18n/quorvia_%1.qm").arg(QLatin1String(LanguageCodes[language]))));
        int identical = 0;
        for (int i = 0; i < CatalogSize(); ++i) {
            const char *english = CatalogEnglish(i);
            const QString en = QString::fromUtf8(english);
            const QString tr = translator.translate("MessageCatalog", english);
            const QByteArray where = QByteArray::number(i + 1) + " " + english;
            QVERIFY2(!tr.trimmed().isEmpty(), where.constData());
            QCOMPARE(CatalogText(language, english), tr);
            if (tr == en)
                ++identical;
            for (const char *mark : {"##", "@@", "**", "&&", "\r\n"})
                QVERIFY2(tr.count(QLatin1String(mark)) == en.count(QLatin1String(mark)),
                         where.constData());
            QVERIFY2(tr.count(QLatin1Char('\r')) == en.count(QLatin1Char('\r')), where.constData());
            QVERIFY2(tr.count(QLatin1Char('\n')) == en.count(QLatin1Char('\n')), where.constData());
            QVERIFY2(edgeBlanks(tr, true) == edgeBlanks(en, true), where.constData());
            QVERIFY2(edgeBlanks(tr, false) == edgeBlanks(en, false), where.constData());
            QVERIFY2(fromCp1252(toCp1252(tr)) == tr, where.constData()); // the texts' code page
        }
        QVERIFY2(identical * 100 <= CatalogSize() * 15,
                 qPrintable(QStringLiteral("%1 texts left in English").arg(identical)));
    }

    // The captions that help texts put in quotation marks must be the captions the windows
    // show in the same language.
    void quotedCaptionsMatchTheCaptions_data() {
        QTest::addColumn<int>("language");
        for (int n = 1; n < LanguageCount; ++n)
            QTest::newRow(LanguageCodes[n]) << n;
    }
    void quotedCaptionsMatchTheCaptions() {
        QFETCH(int, language);
        const struct {
            const char *text;
            QList<const char *> captions;
        } cases[] = {
            {"Enter the email address of the remote\r\nuser and hit the \"Send email\" button.",
             {"Send email"}},
            {"Hit the \"Send email from my computer\"\r\nbutton to use the default email "
             "software.",
             {"Send email from my computer"}},
            {"Hit the \"Copy setup instructions to\r\nclipboard\" button if you want to "
             "paste\r\nthe setup instructions elsewhere.",
             {"Copy setup instructions to clipboard"}},
            {"In the menu, click on \"Settings\" and then on \"Configure connection settings\" "
             "Enter your username and password\r\nin the appropriate fields.",
             {"Settings", "Configure connection settings"}},
            {"Click on \"Save\" to save your connection settings.", {"Save"}},
            {"Start Quorvia and hit the \"Start a new support session\" button. This will "
             "automatically log you in to the\r\nQuorvia gateways on the internet and generate a "
             "unique session key.",
             {"Start new support session"}},
        };
        for (const auto &c : cases) {
            QVERIFY2(IsCatalogText(c.text), c.text);
            const QStringList parts = quotedParts(CatalogText(language, c.text));
            QCOMPARE(parts.size(), c.captions.size());
            for (int i = 0; i < parts.size(); ++i)
                QCOMPARE(parts.at(i), CatalogText(language, c.captions.at(i)));
        }
    }

    void eachLanguageNamesItselfAsLanguageNamesDoes() {
        const QStringList &names = LanguageNames();
        QCOMPARE(names.size(), LanguageCount);
        QCOMPARE(names.at(2), QStringLiteral("Français"));
        QCOMPARE(names.at(7), QStringLiteral("Català"));
        const char *const englishNames[LanguageCount] = {
            "English", "Dutch", "French", "German", "Italian", "Spanish", "Portuguese", "Catalan"};
        for (int n = 0; n < LanguageCount; ++n) {
            QCOMPARE(QByteArray(CatalogEnglish(CatalogListedEntries - LanguageCount + n)),
                     QByteArray(englishNames[n]));
            QCOMPARE(CatalogText(n, englishNames[n]), names.at(n));
        }
    }

    void selectingALanguageSwitchesEveryLookup() {
        SelectLanguage(3);
        QCOMPARE(int(settings().AppLang), 3);
        QCOMPARE(CurrentLanguage(), 3);
        QCOMPARE(Msg("Connection"), QStringLiteral("Verbindung"));
        // Installed in the application too, so windows opened later translate alike.
        QCOMPARE(QCoreApplication::translate("MessageCatalog", "Connection"),
                 QStringLiteral("Verbindung"));

        SelectLanguage(1);
        QCOMPARE(Msg("Connection"), QStringLiteral("Verbinding"));
        QCOMPARE(QCoreApplication::translate("MessageCatalog", "Connection"),
                 QStringLiteral("Verbinding"));
        QCOMPARE(Msg("File already exists\rproceed ?"),
                 QStringLiteral("Bestand bestaat al\rdoorgaan?"));

        SelectLanguage(0);
        QCOMPARE(Msg("Connection"), QStringLiteral("Connection"));
        QCOMPARE(QCoreApplication::translate("MessageCatalog", "Connection"),
                 QStringLiteral("Connection"));
    }

    void anOutOfRangeLanguageIsStoredAndChangesNothingElse() {
        SelectLanguage(2);
        const QString before = Msg("Refresh");
        SelectLanguage(8);
        QCOMPARE(int(settings().AppLang), 8);
        QCOMPARE(CurrentLanguage(), 2);
        QCOMPARE(Msg("Refresh"), before);
        SelectLanguage(255);
        QCOMPARE(int(settings().AppLang), 255);
        QCOMPARE(Msg("Refresh"), before);
    }

    void aTextOutsideTheCatalogComesBackUnchanged() {
        SelectLanguage(4);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not a catalog text"));
        QCOMPARE(Msg("Explorer Busy!"), QStringLiteral("Explorer Busy!"));
        QCOMPARE(Msg(nullptr), QString());
    }

    void invitationTextsFollowTheInstructionLanguageOnly() {
        const char *markers[] = {"##", "@@", "**"};
        QStringList keys;
        for (int n = 0; n < LanguageCount; ++n) {
            SelectInstructionLanguage(n);
            QVERIFY(!MailSubjectText().isEmpty());
            QVERIFY(!MailInfoText().isEmpty());
            for (const char *m : markers)
                QCOMPARE(MailKeyText().count(QLatin1String(m)), 1);
            QCOMPARE(MailKeyText().count(QLatin1String("\r\n")), 2);
            keys << MailKeyText();
        }
        QCOMPARE(keys.first().left(20), QStringLiteral("YOUR SESSION KEY IS:"));
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), LanguageCount);

        // The remote user's language is independent of the operator's.
        SelectLanguage(1);
        SelectInstructionLanguage(2);
        QVERIFY(MailKeyText().startsWith(QStringLiteral("VOTRE CLÉ DE SESSION")));
        QCOMPARE(Msg("Connection"), QStringLiteral("Verbinding"));

        const QString subject = MailSubjectText();
        SelectInstructionLanguage(8);
        SelectInstructionLanguage(-1);
        QCOMPARE(MailSubjectText(), subject);
    }

    void broadcastReachesRegisteredListenersOnly() {
        UpdateFormCounter stays;
        UpdateFormCounter notRegistered;
        auto *goes = new UpdateFormCounter;
        registerLanguageListener(&stays);
        registerLanguageListener(&stays); // once is enough
        registerLanguageListener(goes);
        registerLanguageListener(nullptr);
        delete goes; // must not be posted to afterwards

        BroadcastLanguageChange();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(stays.received, 1);
        QVERIFY(stays.parametersZero);
        QCOMPARE(notRegistered.received, 0);

        unregisterLanguageListener(&stays);
        BroadcastLanguageChange();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(stays.received, 1);
    }

    void displayLinesTurnCarriageReturnsIntoLineBreaks() {
        QCOMPARE(ToDisplayLines(QStringLiteral("a\r\nb\rc\r\r\nd")),
                 QStringLiteral("a\nb\nc\n\nd"));
        QCOMPARE(ToDisplayLines(QString()), QString());
    }
};

QTEST_GUILESS_MAIN(TestCatalog)
#include "tst_catalog.moc"
