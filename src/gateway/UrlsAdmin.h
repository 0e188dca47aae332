#pragma once
#include <QString>

// The service's fixed web addresses, built from the [Service] configuration and SetupUrl.
struct UrlsAdmin {
    QString VersionFile;
    QString UpgradeArchive;
    QString SetupProgramName;
    QString SetupLogonPage;
    QString SetupSite;
    QString ErrorReport; // the report text is appended
    QString AccountSite;
    QString LinksSite;
    QString SupportSite;
    QString ProductHistory;
    QString ContactPage;
    QString ServiceDomain;
};

// Rebuilds the addresses; called at start and whenever SetupUrl or [Service] changed.
void FillServiceUrls();
const UrlsAdmin &serviceUrls();

// Links-site address of page `page` (1 product information, 2 FAQ, 3 forum, 50 support
// request, 51 knowledge base, 52 ask a question).
QString ServiceLinkUrl(int page);

inline constexpr auto ProductTag = "A";
