#include "Mailer.h"

#include <boost/asio/post.hpp>
#include <curl/curl.h>
#include <sodium.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <mutex>

namespace gatewayd {
namespace {
constexpr int kMaxWaiting = 32;

// A header value that is not plain ASCII goes as an RFC 2047 encoded word of UTF-8.
std::string headerText(const std::string &text) {
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 32 && static_cast<unsigned char>(c) < 127;
    });
    if (ascii)
        return text;
    std::string out;
    // Encoded words are at most 75 characters: 45 bytes of text become 60 of Base64.
    for (size_t i = 0; i < text.size();) {
        size_t n = std::min<size_t>(45, text.size() - i);
        // A word must not split a UTF-8 sequence.
        while (n > 1 && i + n < text.size() &&
               (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80)
            --n;
        std::string b64(sodium_base64_encoded_len(n, sodium_base64_VARIANT_ORIGINAL), '\0');
        sodium_bin2base64(b64.data(), b64.size(), reinterpret_cast<const unsigned char *>(&text[i]),
                          n, sodium_base64_VARIANT_ORIGINAL);
        b64.resize(b64.size() - 1); // the closing NUL
        out += (out.empty() ? "" : "\r\n ") + std::string("=?UTF-8?B?") + b64 + "?=";
        i += n;
    }
    return out;
}

std::string dateHeader() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    static const char *const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char *const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char text[64];
    std::snprintf(text, sizeof text, "Date: %s, %02d %s %04d %02d:%02d:%02d +0000",
                  days[utc.tm_wday], utc.tm_mday, months[utc.tm_mon], utc.tm_year + 1900,
                  utc.tm_hour, utc.tm_min, utc.tm_sec);
    return text;
}

std::string messageId(const std::string &from) {
    unsigned char random[16];
    randombytes_buf(random, sizeof random);
    char hex[2 * sizeof random + 1];
    sodium_bin2hex(hex, sizeof hex, random, sizeof random);
    return "Message-ID: <" + std::string(hex) + from.substr(from.rfind('@')) + ">";
}

struct CurlFree {
    void operator()(CURL *c) const { curl_easy_cleanup(c); }
    void operator()(curl_slist *l) const { curl_slist_free_all(l); }
    void operator()(curl_mime *m) const { curl_mime_free(m); }
};
} // namespace

Mailer::Mailer(MailRelay relay) : m_relay(std::move(relay)) {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

Mailer::~Mailer() {
    m_thread.join();
}

void Mailer::send(MailMessage message, std::function<void(bool, std::string)> done) {
    if (!configured())
        return done(false, "no mail relay configured");
    if (++m_waiting > kMaxWaiting) {
        --m_waiting;
        return done(false, "too many mails waiting for the relay");
    }
    boost::asio::post(m_thread, [this, message = std::move(message), done = std::move(done)] {
        std::string error;
        const bool sent = deliver(message, &error);
        --m_waiting;
        done(sent, error);
    });
}

bool Mailer::deliver(const MailMessage &message, std::string *error) {
    std::unique_ptr<CURL, CurlFree> curl(curl_easy_init());
    if (!curl) {
        *error = "libcurl cannot start";
        return false;
    }
    CURL *c = curl.get();
    char curlError[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, curlError);
    curl_easy_setopt(c, CURLOPT_URL, m_relay.url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    curl_easy_setopt(c, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
    curl_easy_setopt(c, CURLOPT_SSLVERSION, long(CURL_SSLVERSION_TLSv1_2));
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!m_relay.caFile.empty())
        curl_easy_setopt(c, CURLOPT_CAINFO, m_relay.caFile.c_str());
    if (!m_relay.user.empty()) {
        curl_easy_setopt(c, CURLOPT_USERNAME, m_relay.user.c_str());
        curl_easy_setopt(c, CURLOPT_PASSWORD, m_relay.password.c_str());
    }
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, long(m_relay.timeoutMs));
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, long(m_relay.timeoutMs));

    const std::string from = "<" + m_relay.from + ">";
    const std::string to = "<" + message.to + ">";
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, from.c_str());
    std::unique_ptr<curl_slist, CurlFree> recipients(curl_slist_append(nullptr, to.c_str()));
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, recipients.get());

    const std::string fromHeader = "From: " + from;
    const std::string toHeader = "To: " + to;
    const std::string subjectHeader = "Subject: " + headerText(message.subject);
    const std::string date = dateHeader(), id = messageId(m_relay.from);
    curl_slist *headers = nullptr;
    for (const std::string *h : {&date, &fromHeader, &toHeader, &subjectHeader, &id})
        headers = curl_slist_append(headers, h->c_str());
    std::unique_ptr<curl_slist, CurlFree> headerList(headers);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers);

    std::unique_ptr<curl_mime, CurlFree> mime(curl_mime_init(c));
    curl_mimepart *part = curl_mime_addpart(mime.get());
    curl_mime_data(part, message.body.data(), message.body.size());
    curl_mime_type(part, "text/plain; charset=UTF-8");
    curl_mime_encoder(part, "quoted-printable");
    curl_easy_setopt(c, CURLOPT_MIMEPOST, mime.get());

    const CURLcode result = curl_easy_perform(c);
    if (result != CURLE_OK) {
        *error = curlError[0] ? curlError : curl_easy_strerror(result);
        return false;
    }
    return true;
}

} // namespace gatewayd
