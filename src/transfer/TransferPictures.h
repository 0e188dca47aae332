#pragma once
#include <QIcon>
#include <QPixmap>
#include <QString>

// The pictures of the file transfer window, drawn for this project: the image buttons (their
// active mode is the picture under the pointer), the icons of the remote tree and file list, and
// the flying folder of the transfer panel.
namespace TransferPictures {

// "rcFtNewFolder_bmp", "rcFtRename_bmp", "rcFtFolderUp_bmp", "rcFtFileTransfer_bmp",
// "rcFtRefresh_bmp"; 24 by 24.
QIcon ButtonIcon(const QString &resourceName);
// The remote tree: the computer, a drive of a kind (0 to 4 each their own, anything else the
// unknown drive), a folder closed or open.
QIcon ComputerIcon();
QIcon DriveIcon(int kind);
QIcon FolderIcon(bool open);
// The remote file list, by the name's extension.
QIcon FileIcon(const QString &name);
// The flying folder, pointing right (toward the host) or left; 40 by 32.
QPixmap FlyingFolder(bool right);

} // namespace TransferPictures
