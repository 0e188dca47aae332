#pragma once
#include <QByteArray>
#include <QStringList>

// The volumes a user mounts (USB sticks, discs, network shares mounted by hand) as the kernel
// lists them in /proc/self/mountinfo: mount points under /media, /run/media and /mnt. They
// become the drives after the home folder.
namespace qhost::MountTable {

// Bounds on what is read: a mount table larger than this is cut.
inline constexpr qsizetype kMaxBytes = 4 * 1024 * 1024;
inline constexpr int kMaxLineBytes = 16 * 1024;
inline constexpr int kMaxVolumes = 23; // D: to Z:

// The mount points of the user's volumes, sorted, each once; a mount hidden below another at
// the same point counts once. Malformed lines are skipped.
QStringList userVolumes(const QByteArray &mountinfo);

// The same for this process's own table.
QStringList userVolumes();

} // namespace qhost::MountTable
