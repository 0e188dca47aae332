#pragma once
#include "ServiceControl.h"
#include "ToolFeatures.h"

#include <QByteArrayList>
#include <QList>

#include <optional>

// The report on this computer that the console shows in its 17 categories, from /proc, /sys,
// the service manager, the package database and the printing system. Every category is
// present with its columns; one without a counterpart here, or whose source cannot be read,
// has no rows. The report keeps within the bounds the console reads it with.
namespace qhost::SystemReport {

struct Inputs {
    QList<DesktopTask> tasks;
    std::optional<QList<ServiceControl::Service>> services;
};

// The full report ("PcFo"), or the refreshed categories only ("PcUp"), as Windows-1252 lines.
QByteArrayList lines(bool full, const Inputs &inputs);

} // namespace qhost::SystemReport
