// The host's system report: every category drawn, a refresh merged, a service's state set and
// the table sorted by each column, all within the bounds on lines, fields and widths.
#include "tools/HostInfoReport.h"

#include <QList>

#include <cstddef>
#include <cstdint>

using namespace HostInfoReport;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList report = linesOf(text.split('\n'));
    const qsizetype half = report.size() / 2;
    const QStringList merged = mergeRefresh(report.mid(0, half), report.mid(half));
    if (merged.size() > report.size())
        __builtin_trap();
    HostInfoModel model;
    for (int c = 0; c < CategoryCount; ++c) {
        const Table t = tableFor(merged, c);
        if (t.columns.size() > kMaxFields)
            __builtin_trap();
        for (const Column &col : t.columns)
            if (col.width < 0 || col.width > kMaxWidth || col.caption.size() > kMaxFieldChars)
                __builtin_trap();
        for (const QStringList &row : t.rows)
            if (row.size() > kMaxFields)
                __builtin_trap();
        model.setTable(t, c);
        for (int col = 0; col < model.columnCount(); ++col) {
            model.sortByColumn(col);
            // A row with a name is always found again by it.
            for (int r = 0; r < model.rowCount(); ++r)
                if (!model.cell(r, 0).isEmpty() && model.rowOfKey(model.keyOf(r)) < 0)
                    __builtin_trap();
        }
    }
    QStringList changed = merged;
    if (!merged.isEmpty())
        setServiceState(changed, parseRow(QStringView(merged.first()).mid(6)).value(0),
                        QStringLiteral("Stopped"));
    if (changed.size() != merged.size())
        __builtin_trap();
    return 0;
}
