#pragma once
#include "HostFeature.h"

class QClipboard;

namespace qhost {

// The X CLIPBOARD selection for the console: "DlCl?Txt|BM|All" puts the user's clipboard on
// the gateway in the console's wire forms, and the console's upload replaces the selection.
// Both use the console's own codec, so the two sides read each other's content by
// construction, with its bounds: 5 000 000 bytes of content either way.
class ClipboardFeature : public HostFeature {
    Q_OBJECT
public:
    ClipboardFeature(ConsoleLink &link, QClipboard *clipboard, QObject *parent = nullptr);

    bool command(const QByteArray &code, const QByteArray &parameter) override;
    bool clipboard(const QByteArray &formatWord, const QByteArray &zlibBody) override;

private:
    void announce(const QString &what);
    QClipboard *m_clipboard;
};

} // namespace qhost
