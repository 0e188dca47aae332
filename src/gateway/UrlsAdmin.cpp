#include "gateway/UrlsAdmin.h"
#include "common/VersionText.h"
#include "settings/ServiceConfig.h"
#include "settings/uIniFiles.h"

namespace {
UrlsAdmin &urls() {
    static UrlsAdmin u;
    return u;
}
} // namespace

void FillServiceUrls() {
    const ServiceConfig &c = serviceConfig();
    UrlsAdmin &u = urls();
    u.ServiceDomain = c.Domain;
    u.VersionFile = QStringLiteral("https://%1/updateversion.txt").arg(c.host(c.UpdateHost));
    u.UpgradeArchive =
        QStringLiteral("https://%1/upgrade/QvAccessSetup.zip").arg(c.host(c.UpdateHost));
    u.SetupProgramName = QStringLiteral("QvAccessSetup.exe");
    u.SetupLogonPage = QStringLiteral("https://%1/logon.aspx").arg(settings().SetupUrl);
    u.SetupSite = QStringLiteral("https://%1").arg(settings().SetupUrl);
    u.ErrorReport = QStringLiteral("https://%1/errorrep.aspx?report=").arg(settings().SetupUrl);
    u.AccountSite = QStringLiteral("https://%1").arg(c.host(c.CustomerHost));
    u.LinksSite = QStringLiteral("http://%1").arg(c.host(c.LinksHost));
    u.SupportSite = QStringLiteral("http://%1").arg(c.host(c.SupportHost));
    u.ProductHistory =
        QStringLiteral("http://%1/qvaccess-producthistory.html").arg(c.host(c.WebHost));
    u.ContactPage = QStringLiteral("http://%1/contact.html").arg(c.host(c.WebHost));
}

const UrlsAdmin &serviceUrls() {
    return urls();
}

QString ServiceLinkUrl(int page) {
    return QStringLiteral("%1?ID=%2&P=%3&V=%4&L=%5")
        .arg(urls().LinksSite)
        .arg(page)
        .arg(QLatin1String(ProductTag))
        .arg(GetVersionText(3))
        .arg(settings().AppLang + 1);
}
