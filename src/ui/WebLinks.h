#pragma once
#include <QString>
#include <functional>

class QUrl;

// The service's web pages the Help menu and the start page open in the operator's browser.
enum class WebLink {
    ProductInformation, // links site, page 1
    Faq,                // page 2
    SupportForum,       // page 3
    SupportRequest,     // page 50
    KnowledgeBase,      // page 51
    AskQuestion,        // page 52
    Account,            // the customer account site
    TechnicalSupport,   // the support site
    ProductHistory,     // the public site's product history
    Contact,            // the public site's contact page
};

// The address of a link from the service addresses (FillServiceUrls) and the language.
QString WebLinkUrl(WebLink link);
// Opens it in the desktop's browser (QDesktopServices).
bool OpenWebLink(WebLink link);
