#include "ui/WebLinks.h"

#include "gateway/UrlsAdmin.h"

#include <QDesktopServices>
#include <QUrl>

QString WebLinkUrl(WebLink link) {
    const UrlsAdmin &u = serviceUrls();
    switch (link) {
    case WebLink::ProductInformation:
        return ServiceLinkUrl(1);
    case WebLink::Faq:
        return ServiceLinkUrl(2);
    case WebLink::SupportForum:
        return ServiceLinkUrl(3);
    case WebLink::SupportRequest:
        return ServiceLinkUrl(50);
    case WebLink::KnowledgeBase:
        return ServiceLinkUrl(51);
    case WebLink::AskQuestion:
        return ServiceLinkUrl(52);
    case WebLink::Account:
        return u.AccountSite;
    case WebLink::TechnicalSupport:
        return u.SupportSite;
    case WebLink::ProductHistory:
        return u.ProductHistory;
    case WebLink::Contact:
        return u.ContactPage;
    }
    return QString();
}

bool OpenWebLink(WebLink link) {
    const QUrl url(WebLinkUrl(link), QUrl::StrictMode);
    return url.isValid() && QDesktopServices::openUrl(url);
}
