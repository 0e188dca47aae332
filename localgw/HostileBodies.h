#pragma once
#include <QByteArray>
#include <QList>
#include <QSize>
#include <optional>

namespace localgw {

// Bodies a careless or hostile peer could send, for the console's decoders to survive.
enum class HostileKind {
    ZlibBomb,           // 1 MiB body inflating to 1 GiB of zeros
    ZlibTruncated,      // a valid compressed picture cut in the middle of its stream
    ZlibOfGarbage,      // a valid zlib stream of random bytes (no BMP inside)
    RandomBytes,        // 64 KiB of random bytes, not zlib at all
    BmpHugeDimensions,  // BMP header claiming 1,000,000 x 1,000,000 pixels, 24-bit
    BmpHugePalette,     // 8-bit BMP whose header claims 2^31-1 palette entries
    BmpCutShort,        // full-screen BMP whose pixel data stops halfway
    RectNegativeLength, // rectangle record with length -5
    RectOverlongLength, // rectangle record whose length runs far past the data
    RectFarOutside,     // rectangle records at +-2,000,000,000 and at INT_MAX
    RectTruncatedLast,  // two good records, then one cut short
    HugeMessage,        // a poll message of 10 MiB
    MillionLines,       // a screen-mode list of a million lines
};

namespace HostileBodies {

QList<HostileKind> all();
QByteArray name(HostileKind kind);
std::optional<HostileKind> fromName(const QByteArray &name);

// Where the body belongs and how the host announces it.
enum class Slot { FullPicture, Update, StringList, PollMessage };
Slot slotOf(HostileKind kind);
// The host message that announces the body: "GScr", "UScr?md1", "StrlGScM"; for a poll
// message the body itself is the message.
QByteArray noticeOf(HostileKind kind);

// The body as the gateway serves it (zlib-wrapped where the slot expects a zlib stream).
// `screen` sizes the pictures that should look plausible.
QByteArray body(HostileKind kind, QSize screen = {1024, 768});

// A zlib stream that inflates to `outputBytes` zeros while staying about 1/1000 of that size;
// built by repeating one compressed block, so it costs nothing to make.
QByteArray zlibBomb(qint64 outputBytes);

} // namespace HostileBodies

} // namespace localgw
